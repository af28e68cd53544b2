#include "TestProgram.h"
#include "exercise/AnswerCheck.h"
#include "results/ResultFile.h"
#include "exercise/Run.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace exercise;
using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");
const QString Idle = QStringLiteral("+-++-+"); // see DrillScreen::usable()

QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// A signed-in user with one lesson; the main screen loads, hides and disables itself, and the
// hand-off files are then as given. open() shows the exercise screen as the main screen does.
struct DrillScreen
{
    TestProgram program;

    explicit DrillScreen(const QStringList& lesson, const QStringList& results = {},
                   const QStringList& user = {"anna", "geheim"},
                   // Of several threes the last counts.
                   const QStringList& handOff = {"Alt", "A", "U9", "Englisch", "Lektion 1", "U1"})
    {
        program.writeScrambled(Lang + "U1", lesson);
        program.writeScrambled(Lang + "EU1", results);
        program.handOverFromMain(user, handOff);
    }

    frmPaukomat* open()
    {
        program.screens().showExercise();
        return screen();
    }

    static frmPaukomat* screen() { return TestProgram::shown<frmPaukomat>(); }

    static void start(int direction, int which)
    {
        screen()->findChild<QRadioButton*>(QStringLiteral("optPaukomatLanguage_%1").arg(direction))->click();
        screen()->findChild<QRadioButton*>(QStringLiteral("optPaukomatWelcheVokabeln_%1").arg(which))->click();
        QTest::mouseClick(screen()->findChild<QPushButton*>("cmdStartUebung"), Qt::LeftButton);
    }

    static void answer(const QString& text)
    {
        QTest::keyClicks(screen()->findChild<QLineEdit*>("txtLoesung"), text);
        QTest::keyClick(screen()->findChild<QLineEdit*>("txtLoesung"), Qt::Key_Return);
    }

    // The value texts of a result column.
    // The five values of a result column, "lblErgebnisAktuell" or "lblErgebnisGesamt".
    static QStringList column(const QString& name)
    {
        QStringList texts;
        for (int i = 5; i < 10; ++i)
            texts << screen()->findChild<QLabel*>(name + QStringLiteral("_%1").arg(i))->text();
        return texts;
    }

    // "+" or "-" for start, stop, results, back, the answer frame and the settings.
    static QString usable()
    {
        const frmPaukomat* s = screen();
        QString flags;
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 s->findChild<QPushButton*>("cmdStartUebung"), s->findChild<QPushButton*>("cmdStopUebung"), s->findChild<QPushButton*>("cmdShowErgebnis"), s->findChild<QPushButton*>("cmdCancel"),
                 s->findChild<QGroupBox*>("fmeLektion"), s->findChild<QGroupBox*>("fmeSettings")})
            flags += w->isEnabled() ? '+' : '-';
        return flags;
    }

    // The exercise screen gone, the main screen usable and no "tmp" file left beside the lesson.
    bool leftCleanly()
    {
        QWidget* main = program.screens().mainScreen();
        return !screen() && main->isVisible() && main->isEnabled()
            && program.entries(Lang).filter("tmp").isEmpty();
    }
};

} // namespace

class frmPaukomatTest : public QObject
{
    Q_OBJECT

private slots:
    void answersAreJudgedExactly()
    {
        const QList<std::tuple<QString, QString, bool>> cases{
            {"Haus", "Haus", true}, {"Haus", "haus", false}, {"Haus", "Haus ", false},
            {"Haus", "Häuser", false}, {"Haus", "", false}, {"der;die;das", "der", true},
            {"der;die;das", "die", true}, {"der;die;das", "das", true},
            {"der;die;das", "die ", false}, {"der;die;das", "der;die;das", false},
            {"a; b", "a", true}, {"a; b", "b", false}, {"a; b", " b", true}, {"a;;b", "", true}};
        for (const auto& [expected, typed, right] : cases)
            QVERIFY2(isRightAnswer(expected, typed) == right, qPrintable(typed + " / " + expected));
        // Each meaning is drawn for its share of [0, 1); a stray draw stays inside.
        QCOMPARE(meaningFor("der;die;das", 0.34), QStringLiteral("die"));
        QCOMPARE(meaningFor("a; b", 0.5), QStringLiteral(" b"));
        QCOMPARE(meaningFor("a;b", 1.0), QStringLiteral("b"));
    }

    void totalsNoRunCanHaveMadeCountAsNone()
    {
        TestProgram program;
        const QList<std::pair<QString, qint64>> totals{
            {"Müll", 0}, {" -5\\\\ 3", 0}, {" 1E+300\\\\ 2", 0}, {" 5000000000\\\\ 9", 5000000000}};
        for (const auto& [first, words] : totals) {
            program.writeScrambled("EU1", {first, "4\\\\3"});
            QCOMPARE(results::ResultFile::readTotals(program.path("EU1")).words, words);
        }
    }

    void longDamagedLessonIsDrilledWhole()
    {
        TestProgram program;
        QStringList lines;
        for (int i = 0; i < 40000; ++i)
            lines << QStringLiteral("w%1\\\\m%1\\\\\\r").arg(i);
        // Damaged: no separator, too short for a mark.
        lines[5] = "kaputt";
        lines[6] = "x\\\\yz";
        lines[7].back() = QLatin1Char('f');
        lines.last().back() = QLatin1Char('f');
        Run run(lines, Direction::GermanToForeign, Selection::WrongOnly, program.path("tmpUxx"),
                [] { return 0.0; });
        QVERIFY(run.next());
        QCOMPARE(run.shown() + "|" + run.expected(), QStringLiteral("m7|w7"));
        run.markAnswer(true);
        QVERIFY(run.next());
        QCOMPARE(run.lineCounter(), 40000);
        run.markAnswer(false);
        QVERIFY(!run.next() && run.atEnd());
        // Every line reaches the run copy once; damaged ones are never asked, only kept.
        lines[7].back() = QLatin1Char('r');
        QCOMPARE(program.bytes("tmpUxx"), TestProgram::plainBytes(lines));
        Run all(lines.mid(5, 3), Direction::ForeignToGerman, Selection::AllWords, program.path("tmpUxx"),
                [] { return 0.0; });
        QVERIFY(all.next());
        QCOMPARE(all.shown(), QStringLiteral("w7"));
    }

    void runsJudgeCountStoreAndGoBack()
    {
        const QStringList lesson{pair("house", "Haus;Gebäude", 'r'), pair("the", "der;die;das", 'r'),
                                 pair("to be", "sein", 'f')};
        DrillScreen d(lesson, {" 10\\\\ 7", "10\\\\7"});
        auto* s = d.open();
        QVERIFY(s);
        QCOMPARE((QStringList{s->findChild<QLabel*>("lblLektion_0")->text(), s->findChild<QLabel*>("lblLektion_1")->text(),
                              s->findChild<QRadioButton*>("optPaukomatLanguage_0")->text(), s->findChild<QRadioButton*>("optPaukomatLanguage_1")->text()}),
                 (QStringList{"Englisch", "Lektion 1", "Englisch -> Deutsch", "Deutsch -> Englisch"}));
        QVERIFY(s->findChild<QRadioButton*>("optPaukomatLanguage_0")->isChecked() && s->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_0")->isChecked());
        QCOMPARE(DrillScreen::column("lblErgebnisGesamt"), (QStringList{" 10", " 7", " 3", " 70 %", "3"}));
        QCOMPARE(DrillScreen::column("lblErgebnisAktuell"), (QStringList{" 0", " 0", " 0", " 0 %", " -"}));
        QCOMPARE(DrillScreen::usable(), Idle);

        // All words in file order; a wrong answer is told with the whole answer side.
        DrillScreen::start(0, 0);
        QCOMPARE(DrillScreen::usable(), QStringLiteral("-+--+-"));
        QCOMPARE(QApplication::focusWidget(), s->findChild<QLineEdit*>("txtLoesung"));
        d.program.messages.queueOk(2);
        DrillScreen::answer("house");
        const auto wrong = d.program.messages.shown.at(0);
        QCOMPARE(wrong.text, QStringLiteral("Die richtige Lösung für  'house'  lautet:\n\nHaus;Gebäude"));
        QVERIFY(wrong.title == "Paukomat V1.1  -  Fehler" && wrong.icon == ui::Icon::Stop);
        DrillScreen::answer("die");
        DrillScreen::answer("sein");
        const auto summary = d.program.messages.shown.at(1);
        QCOMPARE(summary.text, QStringLiteral("Die Übung ist beendet.\n\nFolgendes Ergebnis wurde erzielt:\n\n"
                                              "Anzahl Vokabeln:  3\ndavon richtig:  2\ndavon falsch:  1\n\n"
                                              "Dieses entspricht einer Zensur von: 3"));
        QVERIFY(summary.title == "Paukomat V1.1  -  Ergebnis" && summary.icon == ui::Icon::Exclamation);
        QCOMPARE(DrillScreen::column("lblErgebnisGesamt"), (QStringList{" 13", " 9", " 4", " 69.23 %", "3"}));
        QCOMPARE(DrillScreen::column("lblErgebnisAktuell"), (QStringList{" 0", " 0", " 0", " 66.66 %", " -"}));
        QCOMPARE(DrillScreen::usable(), Idle);
        QCOMPARE(d.program.readScrambled(Lang + "EU1"), (QStringList{" 13\\\\ 9", "10\\\\7", "3\\\\2"}));
        const QStringList marked{pair("house", "Haus;Gebäude", 'f'), lesson[1], pair("to be", "sein", 'r')};
        QCOMPARE(d.program.bytes(Lang + "tmpU1"), TestProgram::plainBytes(marked));

        // Only the word now marked wrong, asked from the German side with one meaning shown.
        d.program.random.queue(0.9);
        DrillScreen::start(1, 1);
        QCOMPARE(s->findChild<QLabel*>("lblVorgabe")->text(), QStringLiteral("Gebäude"));
        d.program.messages.queueOk(2);
        DrillScreen::answer("house");
        QCOMPARE(d.program.readScrambled(Lang + "EU1"),
                 (QStringList{" 14\\\\ 10", "10\\\\7", "3\\\\2", "1\\\\1"}));
        // Now every word is marked right: nothing to ask, nothing stored.
        DrillScreen::start(1, 1);
        const auto none = d.program.messages.shown.last();
        QCOMPARE(none.text, QStringLiteral("Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"));
        QVERIFY(none.title == summary.title && none.icon == ui::Icon::Exclamation);
        QCOMPARE(DrillScreen::usable(), Idle);
        QCOMPARE(d.program.readScrambled(Lang + "EU1").size(), 4);

        // The marks of every completed run are in the lesson as soon as the run ends.
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes({lesson[0], lesson[1], marked[2]}));
        QTest::mouseClick(s->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes({lesson[0], lesson[1], marked[2]}));
    }

    void otherWaysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Übung beenden") << "stop";
        QTest::newRow("frame during a run") << "frame";
        QTest::newRow("frame when idle, as Zurück") << "idle";
        QTest::newRow("Ergebnisse...") << "results";
    }
    void otherWaysOut()
    {
        QFETCH(QString, way);
        // One run completed: its mark is in the lesson at once and stays whichever way the
        // screen is left, a run stopped half way included.
        DrillScreen d({pair("a", "b", 'f')});
        QVERIFY(d.open());
        DrillScreen::start(0, 0);
        d.program.messages.queueOk();
        DrillScreen::answer("b");
        const QByteArray results = d.program.bytes(Lang + "EU1");
        if (way == "results") {
            QTest::mouseClick(DrillScreen::screen()->findChild<QPushButton*>("cmdShowErgebnis"), Qt::LeftButton);
            QVERIFY(!DrillScreen::screen() && TestProgram::shown<frmErgebnis>());
            QCOMPARE(d.program.bytes("tmpErgShow"),
                     TestProgram::plainBytes({d.program.path(Lang), "anna", "Englisch", "Lektion 1",
                                              d.program.path(Lang + "EU1")}));
        } else {
            if (way != "idle")
                DrillScreen::start(0, 0);
            if (way == "stop")
                QTest::mouseClick(DrillScreen::screen()->findChild<QPushButton*>("cmdStopUebung"), Qt::LeftButton);
            else
                DrillScreen::screen()->close();
            QVERIFY(d.leftCleanly());
        }
        QCOMPARE(d.program.bytes(Lang + "EU1"), results);
        QCOMPARE(d.program.readScrambled(Lang + "U1"), QStringList{pair("a", "b", 'r')});
    }

    void badHandOffGivesTheMainScreenBack_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<QString>("named");
        QTest::newRow("no user") << QStringList() << QStringList{"Englisch", "L", "U1"} << "\"tmpUsr\"";
        QTest::newRow("short lesson") << QStringList{"anna"} << QStringList{"Englisch", "L"} << "\"tmpEdit\"";
        QTest::newRow("unsafe") << QStringList{"anna"} << QStringList{"..", "L", "U1"} << "\"..\"";
    }
    void badHandOffGivesTheMainScreenBack()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, lesson);
        QFETCH(QString, named);
        DrillScreen d({}, {}, user, lesson);
        const QStringList before = d.program.entries() + d.program.entries(Lang);
        d.program.messages.queueOk();
        QVERIFY(!d.open() && TestProgram::shown<frmMain>());
        QVERIFY(d.program.messages.shown.value(0).text.contains(named));
        QCOMPARE(d.program.entries() + d.program.entries(Lang), before);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
