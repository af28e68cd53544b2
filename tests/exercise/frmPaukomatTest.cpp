#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");
const QString Idle = QStringLiteral("+-++-+"); // see Drill::usable()

QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// A signed-in user with one lesson; the main screen loads, hides and disables itself, and the
// hand-off files are then as given. open() shows the exercise screen as the main screen does.
struct Drill
{
    TestProgram program;

    explicit Drill(const QStringList& lesson, const QStringList& results = {},
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
    void runsJudgeCountStoreAndGoBack()
    {
        const QStringList lesson{pair("house", "Haus;Gebäude", 'r'), pair("to be", "sein", 'f')};
        Drill d(lesson, {" 10\\\\ 7", "10\\\\7"});
        auto* s = d.open();
        QVERIFY(s);
        QCOMPARE((QStringList{s->findChild<QLabel*>("lblLektion_0")->text(), s->findChild<QLabel*>("lblLektion_1")->text(),
                              s->findChild<QRadioButton*>("optPaukomatLanguage_0")->text(), s->findChild<QRadioButton*>("optPaukomatLanguage_1")->text()}),
                 (QStringList{"Englisch", "Lektion 1", "Englisch -> Deutsch", "Deutsch -> Englisch"}));
        QVERIFY(s->findChild<QRadioButton*>("optPaukomatLanguage_0")->isChecked() && s->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_0")->isChecked());
        QCOMPARE(Drill::column("lblErgebnisGesamt"), (QStringList{" 10", " 7", " 3", " 70 %", "3"}));
        QCOMPARE(Drill::column("lblErgebnisAktuell"), (QStringList{" 0", " 0", " 0", " 0 %", " -"}));
        QCOMPARE(Drill::usable(), Idle);

        // The chosen direction and selection reach the run: the German side, one meaning drawn.
        d.program.random.queue(0.9);
        Drill::start(1, 0);
        QCOMPARE(Drill::usable(), QStringLiteral("-+--+-"));
        QCOMPARE(QApplication::focusWidget(), s->findChild<QLineEdit*>("txtLoesung"));
        QCOMPARE(s->findChild<QLabel*>("lblVorgabe")->text(), QStringLiteral("Gebäude"));
        d.program.messages.queueOk(2);
        Drill::answer("Haus");
        const auto wrong = d.program.messages.shown.at(0);
        QCOMPARE(wrong.text, QStringLiteral("Die richtige Lösung für  'Gebäude'  lautet:\n\nhouse"));
        QVERIFY(wrong.title == "Paukomat V1.1  -  Fehler" && wrong.icon == ui::Icon::Stop);
        QCOMPARE(Drill::column("lblErgebnisAktuell"), (QStringList{" 1", " 0", " 1", " 0 %", "6"}));
        Drill::answer("to be");
        const auto summary = d.program.messages.shown.at(1);
        QVERIFY(summary.text.startsWith("Die Übung ist beendet.") && summary.title == "Paukomat V1.1  -  Ergebnis"
                && summary.icon == ui::Icon::Exclamation);
        QCOMPARE(Drill::column("lblErgebnisGesamt"), (QStringList{" 12", " 8", " 4", " 66.66 %", "3"}));
        QCOMPARE(Drill::column("lblErgebnisAktuell"), (QStringList{" 0", " 0", " 0", " 50 %", " -"}));
        QCOMPARE(Drill::usable(), Idle);
        QCOMPARE(d.program.readScrambled(Lang + "EU1"), (QStringList{" 12\\\\ 8", "10\\\\7", "2\\\\1"}));
        const QStringList marked{pair("house", "Haus;Gebäude", 'f'), pair("to be", "sein", 'r')};
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes(marked));

        // Once the wrong word is answered right, nothing is left to ask; that is told the same way.
        d.program.messages.queueOk(2);
        Drill::start(0, 1);
        Drill::answer("Haus");
        Drill::start(0, 1);
        const auto none = d.program.messages.shown.last();
        QCOMPARE(none.text, QStringLiteral("Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"));
        QVERIFY(none.title == summary.title && none.icon == ui::Icon::Exclamation);
        QCOMPARE(Drill::usable(), Idle);

        QTest::mouseClick(s->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.readScrambled(Lang + "U1"), (QStringList{lesson[0], marked[1]}));
        QCOMPARE(d.program.readScrambled(Lang + "EU1").size(), 4);
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
        Drill d({pair("a", "b", 'f')});
        QVERIFY(d.open());
        Drill::start(0, 0);
        d.program.messages.queueOk();
        Drill::answer("b");
        const QByteArray results = d.program.bytes(Lang + "EU1");
        if (way == "results") {
            QTest::mouseClick(Drill::screen()->findChild<QPushButton*>("cmdShowErgebnis"), Qt::LeftButton);
            QVERIFY(!Drill::screen() && TestProgram::shown<frmErgebnis>());
            QCOMPARE(d.program.bytes("tmpErgShow"),
                     TestProgram::plainBytes({d.program.path(Lang), "anna", "Englisch", "Lektion 1",
                                              d.program.path(Lang + "EU1")}));
        } else {
            if (way != "idle")
                Drill::start(0, 0);
            if (way == "stop")
                QTest::mouseClick(Drill::screen()->findChild<QPushButton*>("cmdStopUebung"), Qt::LeftButton);
            else
                Drill::screen()->close();
            QVERIFY(d.leftCleanly());
        }
        QCOMPARE(d.program.bytes(Lang + "EU1"), results);
        QCOMPARE(d.program.readScrambled(Lang + "U1"), QStringList{pair("a", "b", 'r')});
    }

    void refusedLoadGivesTheMainScreenBack()
    {
        Drill d({}, {}, {"anna"}, {"..", "L", "U1"});
        const QStringList before = d.program.entries() + d.program.entries(Lang);
        d.program.messages.queueOk();
        QVERIFY(!d.open() && TestProgram::shown<frmMain>());
        const auto refused = d.program.messages.shown.value(0);
        QVERIFY(refused.text.contains("\"..\"") && refused.title == "Paukomat V1.1  -  Fehler");
        QCOMPARE(d.program.entries() + d.program.entries(Lang), before);
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
