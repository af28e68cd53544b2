#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/frmErgebnis.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");

template <class T = QWidget>
T* child(const QString& name)
{
    return TestProgram::shown<frmPaukomat>()->findChild<T*>(name);
}

void start(int direction, int which)
{
    child<QRadioButton>(QStringLiteral("optPaukomatLanguage_%1").arg(direction))->click();
    child<QRadioButton>(QStringLiteral("optPaukomatWelcheVokabeln_%1").arg(which))->click();
    QTest::mouseClick(child("cmdStartUebung"), Qt::LeftButton);
}

void answer(const QString& text)
{
    QTest::keyClicks(child("txtLoesung"), text);
    QTest::keyClick(child("txtLoesung"), Qt::Key_Return);
}

// "+" or "-" for start, stop, results, back, the answer frame and the settings; then the values
// of the current and of the total result column.
QString state()
{
    QStringList parts{""};
    for (const char* name :
         {"cmdStartUebung", "cmdStopUebung", "cmdShowErgebnis", "cmdCancel", "fmeLektion", "fmeSettings"})
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
    // Ways out, as the buttons clicked and "frame" for the window's close button.
    void runsAreJudgedCountedAndStoredWhicheverWayOut_data()
    {
        QTest::addColumn<QStringList>("way");
        QTest::newRow("Zurück") << QStringList{"cmdCancel"};
        QTest::newRow("frame during a run") << QStringList{"cmdStartUebung", "frame"};
        QTest::newRow("Ergebnisse...") << QStringList{"cmdShowErgebnis"};
    }
    void runsAreJudgedCountedAndStoredWhicheverWayOut()
    {
        QFETCH(QStringList, way);
        TestProgram program;
        QStringList lesson{"the\\\\der\\\\\\r", "house\\\\Haus;Gebäude\\\\\\f", "to be\\\\sein\\\\\\f"};
        program.writeScrambled(Lang + "U1", lesson);
        program.writeScrambled(Lang + "EU1", {" 10\\\\ 7", "10\\\\7"});
        // The main screen, loaded for "anna", hides and disables itself and opens the screen.
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showExercise();
        QVERIFY(TestProgram::shown<frmPaukomat>());
        QCOMPARE(child<QRadioButton>("optPaukomatLanguage_1")->text(), QStringLiteral("Deutsch -> Englisch"));
        QCOMPARE(state(), QStringLiteral("+-++-+| 0| 0| 0| 0 %| -| 10| 7| 3| 70 %|3"));

        // The chosen direction and selection reach the run: the wrong words only, from German,
        // one meaning drawn.
        program.random.queue(0.9);
        start(1, 1);
        QCOMPARE(child<QLabel>("lblVorgabe")->text(), QStringLiteral("Gebäude"));
        program.messages.queueOk(2);
        answer("Haus");
        const auto wrong = program.messages.shown.at(0);
        QCOMPARE(wrong.text, QStringLiteral("Die richtige Lösung für  'Gebäude'  lautet:\n\nhouse"));
        QVERIFY(wrong.title == "Paukomat V1.1  -  Fehler" && wrong.icon == ui::Icon::Stop);
        QCOMPARE(state(), QStringLiteral("-+--+-| 1| 0| 1| 0 %|6| 11| 7| 4| 63.63 %|4"));
        answer("to be");
        const auto summary = program.messages.shown.at(1);
        QVERIFY(summary.text.startsWith("Die Übung ist beendet.") && summary.title == "Paukomat V1.1  -  Ergebnis"
                && summary.icon == ui::Icon::Exclamation);
        QCOMPARE(state(), QStringLiteral("+-++-+| 0| 0| 0| 50 %| -| 12| 8| 4| 66.66 %|3"));
        const QByteArray results = program.bytes(Lang + "EU1");
        QCOMPARE(results, TestProgram::scrambledBytes({" 12\\\\ 8", "10\\\\7", "2\\\\1"}));
        lesson[2].back() = 'r';
        QCOMPARE(program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));

        // Every way out keeps the marks of the run completed; a run stopped half way counts nothing.
        for (const QString& step : way)
            if (step == "frame")
                TestProgram::shown<frmPaukomat>()->close();
            else
                QTest::mouseClick(child(step), Qt::LeftButton);
        QVERIFY(!TestProgram::shown<frmPaukomat>());
        QWidget* main = program.screens().mainScreen();
        if (TestProgram::shown<frmErgebnis>())
            QCOMPARE(program.bytes("tmpErgShow"), TestProgram::plainBytes({program.path(Lang), "anna", "Englisch",
                                                                           "Lektion 1", program.path(Lang + "EU1")}));
        else
            QVERIFY(main->isVisible() && main->isEnabled() && program.entries(Lang).filter("tmp").isEmpty());
        QCOMPARE(program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
        QCOMPARE(program.bytes(Lang + "EU1"), results);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
