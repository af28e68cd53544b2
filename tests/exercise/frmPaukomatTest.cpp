#include "exercise/frmPaukomat.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
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

} // namespace

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
        QCOMPARE(column("lblErgebnisGesamt_"), (QStringList{" 10", " 7", " 3", " 70 %", "3"}));

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
        // A wrong answer is told with its solution as an error, the end of the run as a result.
        const auto& told = program.messages.shown;
        QCOMPARE(told.value(0).text, "Die richtige Lösung für  'Gebäude'  lautet:\n\nhouse");
        QCOMPARE(told.value(0).title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(told.value(0).icon, ui::Icon::Stop);
        QCOMPARE(told.value(1).title, "Paukomat V1.1  -  Ergebnis");
        QCOMPARE(told.value(1).icon, ui::Icon::Exclamation);
        QCOMPARE(enabled(), Idle);
        QCOMPARE(column("lblErgebnisAktuell_"), (QStringList{" 0", " 0", " 0", " 50 %", " -"}));
        const QByteArray results = program.bytes(Lang + "EU1");
        QCOMPARE(results, TestProgram::scrambledBytes({" 12\\\\ 8", "10\\\\7", "2\\\\1"}));

        // Closing the window during a run stops it as "Übung beenden" does: it counts nothing,
        // and the main screen is back with no scratch file left. The lesson keeps the marks of
        // the run completed.
        start(0, 0);
        QCOMPARE(text("lblVorgabe"), "the");
        TestProgram::shown<exercise::frmPaukomat>()->close();
        QWidget* main = program.screens().mainScreen();
        QVERIFY(!TestProgram::shown<exercise::frmPaukomat>());
        QVERIFY(main->isVisible() && main->isEnabled());
        QCOMPARE(program.entries(Lang).filter("tmp"), QStringList());
        lesson[2].back() = 'r';
        QCOMPARE(program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
        QCOMPARE(program.bytes(Lang + "EU1"), results);
    }

    // The third selection asks the pairs due today and tells how many there are; when none is,
    // the day the next one is.
    void dueWordsAreAskedAndCounted()
    {
        TestProgram program;
        const QDate today = QDate::currentDate();
        program.writeScrambled(Lang + ".KU1",
                               {"5\\\\" + today.addDays(-1).toString(Qt::ISODate) + "\\\\tree"});
        openExercise(program, {"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"});
        QCOMPARE(child<QRadioButton>("optPaukomatWelcheVokabeln_2")->text(), "fällige Vokabeln");
        QCOMPARE(text("lblFaellig"), "1 von 2 Vokabeln fällig");
        program.messages.queueOk(2);
        start(0, 2);
        QCOMPARE(text("lblVorgabe"), "house");
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(text("lblFaellig"), "0 von 2 Vokabeln fällig");
        start(0, 2);
        QVERIFY(program.messages.texts().value(1).endsWith(
            QLocale(QLocale::German).toString(today.addDays(2), "dddd, 'den' d. MMMM yyyy")
            + " fällig."));
    }

    // What is spoken as the first question appears, on a click on the speaker and as the second
    // question appears; and the speaker's tool-tip during the run.
    void questionsAreReadAloud_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("voice");
        QTest::addColumn<QStringList>("spoken");
        QTest::addColumn<QString>("tip");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("option on")
            << 0 << true << "en" << QStringList{"en:house", "en:house", "en:the garden"}
            << "Vorlesen";
        QTest::newRow("option off")
            << 0 << false << "en" << QStringList{"", "en:house", ""} << "Vorlesen";
        QTest::newRow("German question")
            << 1 << true << "en" << QStringList{"", "", ""}
            << no + "Die Frage ist deutsch, und die Lösung wird nicht verraten.";
        QTest::newRow("no voice") << 0 << true << "fr" << QStringList{"", "", ""}
                                  << no + "Für Englisch ist keine Stimme installiert.";
    }
    void questionsAreReadAloud()
    {
        QFETCH(int, direction);
        QFETCH(bool, option);
        QFETCH(QString, voice);
        QFETCH(QStringList, spoken);
        QFETCH(QString, tip);
        TestProgram program;
        program.speech.voices = {voice};
        openExercise(program, {"house\\\\Haus\\\\\\f", "the garden\\\\Garten\\\\\\f"});
        QCOMPARE(child("chkVorlesen")->isEnabled(), voice == "en");
        if (option)
            child<QCheckBox>("chkVorlesen")->click();
        auto* speaker = child<QToolButton>("cmdVorlesen");
        QStringList steps;
        const auto step = [&](const std::function<void()>& action) {
            const qsizetype before = program.speech.spoken.size();
            action();
            steps << program.speech.spoken.mid(before).join(',');
        };
        step([&] { start(direction, 0); });
        QCOMPARE(speaker->toolTip(), tip);
        QCOMPARE(speaker->isEnabled(), tip == "Vorlesen");
        step([&] { speaker->click(); });
        step([&] { QTest::keyClicks(child("txtLoesung"), direction == 0 ? "Haus\r" : "house\r"); });
        QCOMPARE(steps, spoken);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
