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
    return TestProgram::shown<frmPaukomat>()->findChild<T*>(name);
}

void start(int direction, int which)
{
    child<QRadioButton>(QStringLiteral("optPaukomatLanguage_%1").arg(direction))->click();
    child<QRadioButton>(QStringLiteral("optPaukomatWelcheVokabeln_%1").arg(which))->click();
    QTest::mouseClick(child("cmdStartUebung"), Qt::LeftButton);
}

// "+" or "-" for start, stop, results, back, the answer frame and the settings; then the values
// of the current and of the total result column.
QString state()
{
    QStringList parts{""};
    for (const char* name : {"cmdStartUebung", "cmdStopUebung", "cmdShowErgebnis", "cmdCancel",
                             "fmeLektion", "fmeSettings"})
        parts[0] += child(name)->isEnabled() ? '+' : '-';
    for (const QString column : {"lblErgebnisAktuell_%1", "lblErgebnisGesamt_%1"})
        for (int i = 5; i < 10; ++i)
            parts << child<QLabel>(column.arg(i))->text();
    return parts.join('|');
}

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
        program.writeScrambled(Lang + "U1", lesson);
        program.writeScrambled(Lang + "EU1", {" 10\\\\ 7", "10\\\\7"});
        // The main screen, loaded for "anna", hides and disables itself and opens the screen.
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showExercise();
        QVERIFY(TestProgram::shown<frmPaukomat>());
        QCOMPARE(child<QRadioButton>("optPaukomatLanguage_1")->text(),
                 QStringLiteral("Deutsch -> Englisch"));
        QCOMPARE(state(), QStringLiteral("+-++-+| 0| 0| 0| 0 %| -| 10| 7| 3| 70 %|3"));

        // The chosen direction and selection reach the run: the wrong words only, from German,
        // one meaning drawn; 1.8 of three meanings is the second.
        program.random.queue(0.6);
        start(1, 1);
        QCOMPARE(child<QLabel>("lblVorgabe")->text(), QStringLiteral("Gebäude"));
        program.messages.queueOk(2);
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(state(), QStringLiteral("-+--+-| 1| 0| 1| 0 %|6| 11| 7| 4| 63.63 %|4"));
        QTest::keyClicks(child("txtLoesung"), "to be\r");
        // A wrong answer is told with its solution as an error, the end of the run as a result.
        const auto& told = program.messages.shown;
        QCOMPARE(told.value(0).text,
                 QStringLiteral("Die richtige Lösung für  'Gebäude'  lautet:\n\nhouse"));
        QCOMPARE(told.value(0).title + "|" + told.value(1).title,
                 "Paukomat V1.1  -  Fehler|Paukomat V1.1  -  Ergebnis");
        QVERIFY(told.value(0).icon == ui::Icon::Stop
                && told.value(1).icon == ui::Icon::Exclamation);
        QCOMPARE(state(), QStringLiteral("+-++-+| 0| 0| 0| 50 %| -| 12| 8| 4| 66.66 %|3"));
        const QByteArray results = program.bytes(Lang + "EU1");
        QCOMPARE(results, TestProgram::scrambledBytes({" 12\\\\ 8", "10\\\\7", "2\\\\1"}));

        // Closing the window during a run stops it as "Übung beenden" does: it counts nothing, and the
        // main screen is back with no scratch file left. The lesson keeps the marks of the run completed.
        start(0, 0);
        QCOMPARE(child<QLabel>("lblVorgabe")->text(), QStringLiteral("the"));
        TestProgram::shown<frmPaukomat>()->close();
        QWidget* main = program.screens().mainScreen();
        QVERIFY(!TestProgram::shown<frmPaukomat>() && main->isVisible() && main->isEnabled());
        QVERIFY(program.entries(Lang).filter("tmp").isEmpty());
        lesson[2].back() = 'r';
        QCOMPARE(program.bytes(Lang + "U1") + program.bytes(Lang + "EU1"),
                 TestProgram::scrambledBytes(lesson) + results);
    }

    // The third selection asks the pairs due today and tells how many there are; when none is,
    // the day the next one is.
    void dueWordsAreAskedAndCounted()
    {
        TestProgram program;
        const QDate today = QDate::currentDate();
        const QString yesterday = today.addDays(-1).toString(Qt::ISODate);
        program.writeScrambled(Lang + "U1", {"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"});
        program.writeScrambled(Lang + ".KU1", {"5\\\\" + yesterday + "\\\\tree"});
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showExercise();
        QCOMPARE(child<QRadioButton>("optPaukomatWelcheVokabeln_2")->text(), "fällige Vokabeln");
        QCOMPARE(child<QLabel>("lblFaellig")->text(), "1 von 2 Vokabeln fällig");

        program.messages.queueOk(2);
        start(0, 2);
        QCOMPARE(child<QLabel>("lblVorgabe")->text(), "house");
        QTest::keyClicks(child("txtLoesung"), "Haus\r");
        QCOMPARE(child<QLabel>("lblFaellig")->text(), "0 von 2 Vokabeln fällig");
        start(0, 2);
        const auto& told = program.messages.shown;
        QCOMPARE(told.value(1).text,
                 "Heute ist keine Vokabel dieser Lektion fällig.\n\nDie nächste Vokabel ist am "
                     + QLocale(QLocale::German)
                           .toString(today.addDays(2), QStringLiteral("dddd, 'den' d. MMMM yyyy"))
                     + " fällig.");
    }

    // What is spoken as the first question appears, on a click on the speaker and as the second
    // question appears; and the speaker's tool-tip during the run.
    void questionsAreReadAloud_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QStringList>("voices");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("tip");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("option on")
            << 0 << true << QStringList{"en"} << "en:house|en:house|en:the garden"
            << "Vorlesen";
        QTest::newRow("option off") << 0 << false << QStringList{"en"} << "|en:house|"
                                    << "Vorlesen";
        QTest::newRow("German question")
            << 1 << true << QStringList{"en"} << "||"
            << no + "Die Frage ist deutsch, und die Lösung wird nicht verraten.";
        QTest::newRow("no voice") << 0 << true << QStringList{"fr"} << "||"
                                  << no + "Für Englisch ist keine Stimme installiert.";
    }

    void questionsAreReadAloud()
    {
        QFETCH(int, direction);
        QFETCH(bool, option);
        QFETCH(QStringList, voices);
        QFETCH(QString, spoken);
        QFETCH(QString, tip);
        TestProgram program;
        program.speech.voices = voices;
        program.writeScrambled(Lang + "U1",
                               {"house\\\\Haus\\\\\\f", "the garden\\\\Garten\\\\\\f"});
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showExercise();
        QCOMPARE(child("chkVorlesen")->isEnabled(), voices.contains("en"));
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
        QCOMPARE(steps.join('|'), spoken);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
