#include "exercise/frmPaukomat.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");

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
    child<QRadioButton>(QStringLiteral("optPaukomatLanguage_%1").arg(direction))->click();
    child<QRadioButton>(QStringLiteral("optPaukomatWelcheVokabeln_%1").arg(which))->click();
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

// Words, right, wrong, percentage and grade of the current or the total result column.
QStringList column(const QString& name)
{
    QStringList values;
    for (int i = 5; i < 10; ++i)
        values << text(name + QString::number(i));
    return values;
}

const QStringList Idle{"cmdStartUebung", "cmdShowErgebnis", "cmdCancel", "fmeSettings"};

// Read-aloud chosen: the direction, the voice installed; what is spoken as the first question
// appears, on a click on the speaker and as the second question appears; and the speaker's
// tool-tip during the run.
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
        QStringList lesson{"the\\\\der\\\\\\r", "house\\\\Haus;Gebäude;Heim\\\\\\f",
                           "to be\\\\sein\\\\\\f"};
        program.writeScrambled(Lang + "EU1", {" 10\\\\ 7", "10\\\\7"});
        openExercise(program, lesson);
        QCOMPARE(child<QRadioButton>("optPaukomatLanguage_1")->text(), "Deutsch -> Englisch");
        QCOMPARE(enabled(), Idle);

        // The wrong words only, from German, one meaning drawn: 1.8 of three is the second.
        program.random.queue(0.6);
        start(1, 1);
        QCOMPARE(text("lblVorgabe"), "Gebäude");
        program.messages.queueOk(2);
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(enabled(), (QStringList{"cmdStopUebung", "fmeLektion"}));
        QCOMPARE(column("lblErgebnisAktuell_"), (QStringList{" 1", " 0", " 1", " 0 %", "6"}));
        QCOMPARE(column("lblErgebnisGesamt_"), (QStringList{" 11", " 7", " 4", " 63.63 %", "4"}));
        QTest::keyClicks(child("txtLoesung"), "to be\r");
        // A wrong answer is told as an error, the end of the run as a result.
        const auto& told = program.messages.shown;
        QCOMPARE(told.value(0).title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(told.value(0).icon, ui::Icon::Stop);
        QCOMPARE(told.value(1).title, "Paukomat V1.1  -  Ergebnis");
        QCOMPARE(told.value(1).icon, ui::Icon::Exclamation);
        QCOMPARE(enabled(), Idle);
        const QByteArray results = program.bytes(Lang + "EU1");

        // Closing the window during a run stops it as "Übung beenden" does: it counts nothing,
        // and the main screen is back with no scratch file left. The lesson keeps the marks of
        // the run completed.
        start(0, 0);
        QCOMPARE(text("lblVorgabe"), "the");
        TestProgram::shown<exercise::frmPaukomat>()->close();
        QWidget* main = program.screens().mainScreen();
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{main});
        QVERIFY(main->isEnabled());
        QCOMPARE(program.entries(Lang).filter("tmp"), QStringList());
        lesson[2].back() = 'r';
        QCOMPARE(program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
        QCOMPARE(program.bytes(Lang + "EU1"), results);
    }

    // The third selection asks the pairs due today and tells how many there are.
    void dueWordsAreAskedAndCounted()
    {
        TestProgram program;
        program.writeScrambled(
            Lang + ".KU1",
            {"5\\\\" + QDate::currentDate().addDays(-1).toString(Qt::ISODate) + "\\\\tree"});
        openExercise(program, {"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"});
        QCOMPARE(child<QRadioButton>("optPaukomatWelcheVokabeln_2")->text(), "fällige Vokabeln");
        QCOMPARE(text("lblFaellig"), "1 von 2 Vokabeln fällig");
        program.messages.queueOk();
        start(0, 2);
        QCOMPARE(text("lblVorgabe"), "house");
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(text("lblFaellig"), "0 von 2 Vokabeln fällig");
    }

    void questionsAreReadAloud_data()
    {
        QTest::addColumn<Speaking>("c");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("foreign question")
            << Speaking{0, "en", {"en:house", "en:house", "en:the garden"}, "Vorlesen"};
        QTest::newRow("German question")
            << Speaking{1,
                        "en",
                        {"", "", ""},
                        no + "Die Frage ist deutsch, und die Lösung wird nicht verraten."};
        QTest::newRow("no voice") << Speaking{
            0, "fr", {"", "", ""}, no + "Für Englisch ist keine Stimme installiert."};
    }
    void questionsAreReadAloud()
    {
        QFETCH(const Speaking, c);
        TestProgram program;
        program.speech.voices = {c.voice};
        openExercise(program, {"house\\\\Haus\\\\\\f", "the garden\\\\Garten\\\\\\f"});
        QCOMPARE(child("chkVorlesen")->isEnabled(), c.voice == "en");
        child<QCheckBox>("chkVorlesen")->click();
        auto* speaker = child<QToolButton>("cmdVorlesen");
        // What was spoken since the last call.
        const auto heard = [&] { return std::exchange(program.speech.spoken, {}).join(','); };
        start(c.direction, 0);
        QStringList steps{heard()};
        QCOMPARE(speaker->toolTip(), c.tip);
        QCOMPARE(speaker->isEnabled(), c.tip == "Vorlesen");
        speaker->click();
        steps << heard();
        QTest::keyClicks(child("txtLoesung"), c.direction == 0 ? "Haus\r" : "house\r");
        steps << heard();
        QCOMPARE(steps, c.spoken);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
