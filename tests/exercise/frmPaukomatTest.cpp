#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"
#include "store/TextFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Lang = QStringLiteral("anna/Englisch/");

QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// A signed-in user with one lesson, opened from a hidden main screen as the main screen does.
struct Drill
{
    TestProgram program;

    explicit Drill(const QStringList& lesson, const QStringList& results = {})
    {
        program.writePlain("tmpUsr", {"anna", "geheim"});
        program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
        program.writeScrambled(Lang + "U1", lesson);
        if (!results.isEmpty())
            program.writeScrambled(Lang + "EU1", results);
        program.screens().showMain();
        program.screens().mainScreen()->setEnabled(false);
        program.screens().mainScreen()->hide();
        program.screens().showExercise();
    }

    static frmPaukomat* screen() { return TestProgram::shown<frmPaukomat>(); }

    static void start(int direction, int which)
    {
        screen()->optPaukomatLanguage[direction]->click();
        screen()->optPaukomatWelcheVokabeln[which]->click();
        QTest::mouseClick(screen()->cmdStartUebung, Qt::LeftButton);
    }

    static void answer(const QString& text)
    {
        QTest::keyClicks(screen()->txtLoesung, text);
        QTest::keyClick(screen()->txtLoesung, Qt::Key_Return);
    }

    static QStringList column(const QList<QLabel*>& labels)
    {
        QStringList texts;
        for (int i = 5; i < 10; ++i)
            texts << labels[i]->text();
        return texts;
    }

    // The exercise screen gone, the main screen usable and no hand-off file left beside the lesson.
    bool leftCleanly()
    {
        QWidget* main = program.screens().mainScreen();
        const QStringList left = program.entries(Lang).filter(QRegularExpression("^tmp"));
        return !screen() && main->isVisible() && main->isEnabled() && left.isEmpty();
    }
};

} // namespace

class frmPaukomatTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsTheLastLessonIdle()
    {
        TestProgram program;
        program.writePlain("tmpUsr", {"anna"});
        program.writePlain("anna/tmpEdit", {"Englisch", "Alt", "U1", "Französisch", "Lektion 2", "U2"});
        program.writeScrambled("anna/Französisch/U2", {pair("maison", "Haus", 'f')});
        program.writeScrambled("anna/Französisch/EU2", {" 10\\\\ 7", "10\\\\7"});
        program.screens().showExercise();
        auto* s = Drill::screen();
        QVERIFY(s);
        QCOMPARE(s->lblLektion[1]->text(), QStringLiteral("Lektion 2"));
        QCOMPARE(s->optPaukomatLanguage[0]->text(), QStringLiteral("Französisch -> Deutsch"));
        QCOMPARE(s->optPaukomatLanguage[1]->text(), QStringLiteral("Deutsch -> Französisch"));
        QVERIFY(s->optPaukomatLanguage[0]->isChecked() && s->optPaukomatWelcheVokabeln[0]->isChecked());
        QCOMPARE(Drill::column(s->lblErgebnisGesamt), (QStringList{" 10", " 7", " 3", " 70 %", "3"}));
        QCOMPARE(Drill::column(s->lblErgebnisAktuell), (QStringList{" 0", " 0", " 0", " 0 %", " -"}));
        QVERIFY(!s->fmeLektion->isEnabled() && !s->cmdStopUebung->isEnabled());
        QVERIFY(s->cmdStartUebung->isEnabled() && s->cmdShowErgebnis->isEnabled() && s->cmdCancel->isEnabled());
        QCOMPARE(program.bytes("anna/Französisch/tmpU2"), TestProgram::plainBytes({pair("maison", "Haus", 'f')}));
    }

    void missingOrUnsafeHandOffGivesTheMainScreenBack_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<QString>("named");
        QTest::newRow("no user") << QStringList() << QStringList{"Englisch", "L", "U1"} << "\"tmpUsr\"";
        QTest::newRow("short lesson") << QStringList{"anna"} << QStringList{"Englisch", "L"} << "\"tmpEdit\"";
        QTest::newRow("unsafe") << QStringList{"anna"} << QStringList{"..", "L", "U1"} << "\"..\"";
    }
    void missingOrUnsafeHandOffGivesTheMainScreenBack()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, lesson);
        QFETCH(QString, named);
        TestProgram program;
        // The main screen loads for a signed-in user; the hand-offs go bad only afterwards.
        program.writePlain("tmpUsr", {"anna"});
        program.screens().showMain();
        program.screens().mainScreen()->hide();
        QFile::remove(program.path("tmpUsr"));
        if (!user.isEmpty())
            program.writePlain("tmpUsr", user);
        program.writePlain("anna/tmpEdit", lesson);
        const QStringList before = program.entries("anna");
        program.messages.queueOk();
        program.screens().showExercise();
        QVERIFY(!Drill::screen() && TestProgram::shown<frmMain>());
        QCOMPARE(program.messages.shown.size(), 1);
        QVERIFY(program.messages.shown[0].text.contains(named));
        QCOMPARE(program.entries("anna"), before);
    }

    void runsJudgeCountStoreAndGoBack()
    {
        Drill d({pair("house", "Haus;Gebäude", 'r'), pair("the", "der;die;das", 'r'), pair("to be", "sein", 'f')});
        auto* s = Drill::screen();
        Drill::start(0, 0);
        QVERIFY(!s->fmeSettings->isEnabled() && !s->cmdStartUebung->isEnabled());
        QVERIFY(!s->cmdShowErgebnis->isEnabled() && !s->cmdCancel->isEnabled() && s->cmdStopUebung->isEnabled());
        QCOMPARE(s->lblVorgabe->text(), QStringLiteral("house"));
        QCOMPARE(QApplication::focusWidget(), s->txtLoesung);

        d.program.messages.queueOk(2);
        Drill::answer("house");
        const auto wrong = d.program.messages.shown.at(0);
        QCOMPARE(wrong.text, QStringLiteral("Die richtige Lösung für  'house'  lautet:\n\nHaus;Gebäude"));
        QCOMPARE(wrong.title, QStringLiteral("Paukomat V1.1  -  Fehler"));
        QCOMPARE(wrong.icon, ui::Icon::Stop);
        QCOMPARE(s->lblVorgabe->text(), QStringLiteral("the"));
        QVERIFY(s->txtLoesung->text().isEmpty());
        Drill::answer("die");
        Drill::answer("sein");
        const auto summary = d.program.messages.shown.at(1);
        QCOMPARE(summary.text, QStringLiteral("Die Übung ist beendet.\n\nFolgendes Ergebnis wurde erzielt:\n\n"
                                              "Anzahl Vokabeln:  3\ndavon richtig:  2\ndavon falsch:  1\n\n"
                                              "Dieses entspricht einer Zensur von: 3"));
        QCOMPARE(summary.title, QStringLiteral("Paukomat V1.1  -  Ergebnis"));
        QCOMPARE(summary.icon, ui::Icon::Exclamation);
        QCOMPARE(Drill::column(s->lblErgebnisGesamt), (QStringList{" 3", " 2", " 1", " 66.66 %", "3"}));
        QCOMPARE(Drill::column(s->lblErgebnisAktuell), (QStringList{" 0", " 0", " 0", " 66.66 %", " -"}));
        QVERIFY(!s->fmeLektion->isEnabled() && s->cmdStartUebung->isEnabled() && !s->cmdStopUebung->isEnabled());
        QCOMPARE(d.program.readScrambled(Lang + "EU1"), (QStringList{" 3\\\\ 2", "3\\\\2"}));
        const QStringList marked = {pair("house", "Haus;Gebäude", 'f'), pair("the", "der;die;das", 'r'),
                                    pair("to be", "sein", 'r')};
        QCOMPARE(d.program.bytes(Lang + "tmpU1"), TestProgram::plainBytes(marked));

        // Only the word now marked wrong, asked from the German side with one meaning shown.
        d.program.random.queue(0.9);
        Drill::start(1, 1);
        QCOMPARE(s->lblVorgabe->text(), QStringLiteral("Gebäude"));
        d.program.messages.queueOk();
        Drill::answer("house");
        QCOMPARE(d.program.readScrambled(Lang + "EU1"), (QStringList{" 4\\\\ 3", "3\\\\2", "1\\\\1"}));
        QCOMPARE(d.program.readScrambled(Lang + "U1").at(0), pair("house", "Haus;Gebäude", 'r'));
        QTest::mouseClick(s->cmdCancel, Qt::LeftButton);
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.readScrambled(Lang + "U1"),
                 (QStringList{pair("house", "Haus;Gebäude", 'r'), marked[1], marked[2]}));
    }

    void stoppingDiscardsTheVisit()
    {
        const QStringList lesson = {pair("a", "b", 'f'), pair("c", "d", 'f')};
        Drill d(lesson, {" 2\\\\ 1", "2\\\\1"});
        Drill::start(0, 0);
        d.program.messages.queueOk(2);
        Drill::answer("b");
        Drill::answer("x");
        const QByteArray results = d.program.bytes(Lang + "EU1");
        Drill::start(0, 0);
        Drill::answer("b");
        QCOMPARE(Drill::column(Drill::screen()->lblErgebnisGesamt).at(0), QStringLiteral(" 5"));
        // Closing by the frame during a run is "Übung beenden".
        Drill::screen()->close();
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
        QCOMPARE(d.program.bytes(Lang + "EU1"), results);
    }

    void emptySelectionStoresNothing()
    {
        const QStringList lesson = {pair("a", "b", 'r'), pair("c", "d", 'r')};
        Drill d(lesson);
        d.program.messages.queueOk();
        Drill::start(0, 1);
        QCOMPARE(d.program.messages.texts(), QStringList{"Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"});
        QVERIFY(Drill::screen()->cmdStartUebung->isEnabled() && !Drill::screen()->fmeLektion->isEnabled());
        QCOMPARE(d.program.bytes(Lang + "EU1"), QByteArray());
        // Closing by the frame when idle is "Zurück".
        Drill::screen()->close();
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
    }

    void resultsAreHandedOverWithoutStoringMarks()
    {
        const QStringList lesson = {pair("a", "b", 'f')};
        Drill d(lesson);
        Drill::start(0, 0);
        d.program.messages.queueOk();
        Drill::answer("b");
        QTest::mouseClick(Drill::screen()->cmdShowErgebnis, Qt::LeftButton);
        QVERIFY(!Drill::screen() && TestProgram::shown<frmErgebnis>());
        QCOMPARE(d.program.bytes("tmpErgShow"),
                 TestProgram::plainBytes({d.program.path(Lang), "anna", "Englisch", "Lektion 1",
                                          d.program.path(Lang + "EU1")}));
        QCOMPARE(d.program.bytes(Lang + "U1"), TestProgram::scrambledBytes(lesson));
    }

    void failedWritesKeepTheOldFilesAndTheScreen()
    {
        Drill d({pair("a", "b", 'f')});
        Drill::start(0, 0);
        d.program.messages.queueOk(7);
        Drill::answer("b");
        const QByteArray results = d.program.bytes(Lang + "EU1");
        const QByteArray working = d.program.bytes(Lang + "tmpU1");
        const QStringList totals = Drill::column(Drill::screen()->lblErgebnisGesamt);

        // A run on a failing disk: each failed file is reported once, the old files stay.
        store::TextFile::setWriteFailureAfter(0);
        Drill::start(0, 0);
        Drill::answer("x");
        QStringList titles;
        for (const auto& m : d.program.messages.shown.mid(1))
            titles << m.title.mid(18);
        QCOMPARE(titles, (QStringList{"Fehler", "Fehler", "Ergebnis", "Fehler", "Fehler"}));
        QCOMPARE(d.program.bytes(Lang + "EU1"), results);
        QCOMPARE(d.program.bytes(Lang + "tmpU1"), working);
        QCOMPARE(Drill::column(Drill::screen()->lblErgebnisGesamt), totals);

        QTest::mouseClick(Drill::screen()->cmdCancel, Qt::LeftButton);
        store::TextFile::setWriteFailureAfter(-1);
        QCOMPARE(d.program.messages.shown.size(), 7);
        QVERIFY(Drill::screen() && Drill::screen()->cmdCancel->isEnabled());
        QCOMPARE(d.program.readScrambled(Lang + "U1"), QStringList{pair("a", "b", 'f')});
        QTest::mouseClick(Drill::screen()->cmdCancel, Qt::LeftButton);
        QVERIFY(d.leftCleanly());
        QCOMPARE(d.program.readScrambled(Lang + "U1"), QStringList{pair("a", "b", 'r')});
    }
};

QTEST_MAIN(frmPaukomatTest)
#include "frmPaukomatTest.moc"
