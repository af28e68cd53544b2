#include "exercise/frmPaukomat.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using testing::TestProgram;

namespace {

const QString Lang = "anna/Englisch/";

template <class T = QWidget> T* child(const QString& name)
{
    return TestProgram::shown<exercise::frmPaukomat>()->findChild<T*>(name);
}

QString text(const QString& label)
{
    return child<QLabel>(label)->text();
}

// The drill screen over the lesson "U1" of anna's "Englisch", opened from the main screen.
void openExercise(TestProgram& program, const QStringList& lesson)
{
    program.writeScrambled(Lang + "U1", lesson);
    program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
    program.screens().showExercise();
}

void start(int direction, int which)
{
    child<QRadioButton>(QString("optPaukomatLanguage_%1").arg(direction))->click();
    child<QRadioButton>(QString("optPaukomatWelcheVokabeln_%1").arg(which))->click();
    QTest::mouseClick(child("cmdStartUebung"), Qt::LeftButton);
}

// The buttons and frames that are enabled.
QStringList enabled()
{
    QStringList names;
    for (const char* name : {"cmdStartUebung", "cmdStopUebung", "cmdShowErgebnis", "cmdCancel",
                             "fmeLektion", "fmeSettings"})
        if (child(name)->isEnabled())
            names << name;
    return names;
}

// Words, right, wrong, percentage and grade of the total result column.
QStringList totals()
{
    QStringList values;
    for (int i = 5; i < 10; ++i)
        values << text("lblErgebnisGesamt_" + QString::number(i));
    return values;
}

// Read-aloud chosen: the direction, the voice installed; what is spoken as the first question
// appears, and the speaker's tool-tip during the run.
struct Speaking
{
    int direction;
    QString voice;
    QStringList spoken;
    QString tip;
};

} // namespace

Q_DECLARE_METATYPE(Speaking)

class frmPaukomatTest : public QObject
{
    Q_OBJECT

private slots:
    void runsAreJudgedCountedAndStored()
    {
        TestProgram program;
        program.writeScrambled(Lang + "EU1", {" 10\\\\ 7", "10\\\\7"});
        openExercise(
            program,
            {"the\\\\der\\\\\\r", "house\\\\Haus;Gebäude;Heim\\\\\\f", "to be\\\\sein\\\\\\f"});
        QCOMPARE(child<QRadioButton>("optPaukomatLanguage_1")->text(), "Deutsch -> Englisch");
        QCOMPARE(child<QRadioButton>("optPaukomatWelcheVokabeln_2")->text(), "fällige Vokabeln");

        // The wrong words only, from German, one meaning drawn: 1.8 of three is the second.
        program.random.queue(0.6);
        start(1, 1);
        QCOMPARE(text("lblVorgabe"), "Gebäude");
        program.messages.queueOk(2);
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(enabled(), (QStringList{"cmdStopUebung", "fmeLektion"}));
        QCOMPARE(totals(), (QStringList{" 11", " 7", " 4", " 63.63 %", "4"}));
        QTest::keyClicks(child("txtLoesung"), "to be\r");
        // A wrong answer is told as an error, the end of the run as a result.
        const auto& told = program.messages.shown;
        QCOMPARE(told.value(0).title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(told.value(0).icon, ui::Icon::Stop);
        QCOMPARE(told.value(1).title, "Paukomat V1.1  -  Ergebnis");
        QCOMPARE(told.value(1).icon, ui::Icon::Exclamation);
        QCOMPARE(enabled(),
                 (QStringList{"cmdStartUebung", "cmdShowErgebnis", "cmdCancel", "fmeSettings"}));
        // "the", never asked, is due; the two pairs just answered are due later.
        QCOMPARE(text("lblFaellig"), "1 von 3 Vokabeln fällig");
        const QList<QByteArray> stored{program.bytes(Lang + "U1"), program.bytes(Lang + "EU1"),
                                       program.bytes(Lang + ".KU1")};

        // Closing the window during a run stops it as "Übung beenden" does: it stores nothing.
        start(0, 0);
        QCOMPARE(text("lblVorgabe"), "the");
        TestProgram::shown<exercise::frmPaukomat>()->close();
        QCOMPARE(program.bytes(Lang + "U1"), stored[0]);
        QCOMPARE(program.bytes(Lang + "EU1"), stored[1]);
        QCOMPARE(program.bytes(Lang + ".KU1"), stored[2]);
    }

    // A click on the speaker says the question again. Never answered, the pair is due.
    void questionsAreReadAloud_data()
    {
        QTest::addColumn<Speaking>("c");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("foreign question") << Speaking{0, "en", {"en:the house"}, "Vorlesen"};
        QTest::newRow("German question") << Speaking{
            1, "en", {}, no + "Die Frage ist deutsch, und die Lösung wird nicht verraten."};
        QTest::newRow("no voice") << Speaking{
            0, "fr", {}, no + "Für Englisch ist keine Stimme installiert."};
    }
    void questionsAreReadAloud()
    {
        QFETCH(const Speaking, c);
        TestProgram program;
        program.speech.voices = {c.voice};
        openExercise(program, {"the house\\\\Haus\\\\\\f"});
        QCOMPARE(child("chkVorlesen")->isEnabled(), c.voice == "en");
        child<QCheckBox>("chkVorlesen")->click();
        start(c.direction, 2);
        QCOMPARE(program.speech.spoken, c.spoken);
        auto* speaker = child<QToolButton>("cmdVorlesen");
        QCOMPARE(speaker->toolTip(), c.tip);
        QCOMPARE(speaker->isEnabled(), !c.spoken.isEmpty());
        speaker->click();
        QCOMPARE(program.speech.spoken, c.spoken + c.spoken);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
