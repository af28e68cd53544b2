#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using testing::TestProgram;

namespace {

QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// Two users; anna signed in, with two languages, the first holding two lessons.
void setUp(TestProgram& p)
{
    p.writeScrambled("PK.dat", {"anna", "geheim", "bernd", "pw"});
    p.writePlain("tmpUsr", {"anna", "geheim"});
    p.writeScrambled("anna/Spr.dat", {"Englisch\\\\LSp1", "Latein\\\\LSp2"});
    p.writeScrambled("anna/LSp1", {"Lektion 1\\\\U1", "Lektion 2\\\\U2"});
    p.writeScrambled("anna/Englisch/U1", {pair("house", "Haus", 'f')});
    p.writeScrambled("anna/Englisch/EU1", {" 10\\\\ 7", "10\\\\7"});
    QDir().mkpath(p.path("anna/Latein"));
}

frmMain* main() { return TestProgram::shown<frmMain>(); }
frmPaukomat* drill() { return TestProgram::shown<frmPaukomat>(); }
void showLogin(TestProgram& p) { p.screens().showLogin(); }
void showMain(TestProgram& p) { p.screens().showMain(); }
void startDrill(TestProgram& p)
{
    p.screens().showMain();
    main()->BtnGo->click();
}

// A run of the one word, answered right.
void runOnce(TestProgram& p)
{
    p.messages.queueOk(); // the end-of-run summary
    drill()->cmdStartUebung->click();
    QTest::keyClicks(drill()->txtLoesung, "Haus");
    QTest::keyClick(drill()->txtLoesung, Qt::Key_Return);
}

// A command of the main screen that asks for a name, or for a yes when no name is given.
std::function<void(TestProgram&)> command(QAction* frmMain::*action, const QString& name = {})
{
    return [=](TestProgram& p) {
        name.isEmpty() ? p.messages.queue(ui::Answer::Yes) : p.input.queue(name);
        (main()->*action)->trigger();
    };
}

// One save: the stored file it writes, the plain lines that file holds once the save succeeded,
// the window left to go on with when it failed, and the way there.
struct Save
{
    const char* name;
    QString file;
    QStringList saved;
    QString screen;
    std::function<void(TestProgram&)> prepare;
    std::function<void(TestProgram&)> act;
    QString armedBy = {}; // the save follows this message rather than the action itself
};

const QList<Save> Saves = {
    {"add user", "PK.dat", {"anna", "geheim", "bernd", "pw", "carl", "pw2"}, "frmLogin", showLogin,
     [](TestProgram&) {
         TestProgram::shown<frmLogin>()->cmdNeuerUser->click();
         auto* s = TestProgram::shown<frmNewUser>();
         for (QLineEdit* field : {s->txtBenutzerName, s->txtKennwort1, s->txtKennwort2})
             field->setText(field == s->txtBenutzerName ? "carl" : "pw2");
         s->cmdNimmNutzer->click();
     }},
    {"remove user", "PK.dat", {"anna", "geheim"}, "frmLogin", showLogin,
     [](TestProgram& p) {
         auto* s = TestProgram::shown<frmLogin>();
         s->cboBenutzer->setEditText("bernd");
         s->txtPassword->setText("pw");
         p.messages.queue(ui::Answer::Yes);
         s->cmdUserLoeschen->click();
     }},
    {"new language", "anna/Spr.dat", {"Englisch\\\\LSp1", "Latein\\\\LSp2", "Französisch\\\\LSp3"}, "frmMain",
     showMain,
     command(&frmMain::mnuNeueSprache, "Französisch")},
    {"rename language", "anna/Spr.dat", {"Amerikanisch\\\\LSp1", "Latein\\\\LSp2"}, "frmMain", showMain,
     command(&frmMain::mnuTitleSprache, "Amerikanisch")},
    {"delete language", "anna/Spr.dat", {"Latein\\\\LSp2"}, "frmMain", showMain, command(&frmMain::mnuSpracheDelete)},
    {"new lesson", "anna/LSp1", {"Lektion 1\\\\U1", "Lektion 2\\\\U2", "Lektion 3\\\\U3"}, "frmMain", showMain,
     command(&frmMain::mnuNeueLektion, "Lektion 3")},
    {"rename lesson", "anna/LSp1", {"Anfang\\\\U1", "Lektion 2\\\\U2"}, "frmMain", showMain,
     command(&frmMain::mnuTitleLektion, "Anfang")},
    {"delete lesson", "anna/LSp1", {"Lektion 2\\\\U2"}, "frmMain", showMain, command(&frmMain::mnuLektionDelete)},
    {"editor beenden", "anna/Englisch/U1", {pair("house", "Haus", 'f'), pair("tree", "Baum", 'f')}, "frmEditUnit",
     [](TestProgram& p) {
         showMain(p);
         main()->mnuLektionEdit->trigger();
         TestProgram::shown<frmEditUnit>()->txtNewVokabelSprache->setText("tree");
         TestProgram::shown<frmEditUnit>()->txtNewVokabelDeutsch->setText("Baum");
         TestProgram::shown<frmEditUnit>()->cmdVokabelNeu->click();
     },
     [](TestProgram&) { TestProgram::shown<frmEditUnit>()->cmdExit->click(); }},
    {"exercise Zurück", "anna/Englisch/U1", {pair("house", "Haus", 'r')}, "frmPaukomat",
     [](TestProgram& p) {
         startDrill(p);
         runOnce(p);
     },
     [](TestProgram&) { drill()->cmdCancel->click(); }},
    // The failed run leaves the totals as they were, so the run saved next counts alone.
    {"result file after a run", "anna/Englisch/EU1", {" 11\\\\ 8", "10\\\\7", "1\\\\1"}, "frmPaukomat", startDrill,
     runOnce, "Die Übung ist beendet."},
};

} // namespace

class FailingDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { store::TextFile::setWriteFailureAfter(-1); }

    void everySaveKeepsTheOldFileAndCanBeTriedAgain_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < Saves.size(); ++i)
            QTest::newRow(Saves[i].name) << i;
    }
    void everySaveKeepsTheOldFileAndCanBeTriedAgain()
    {
        QFETCH(int, index);
        const Save& save = Saves[index];
        TestProgram p;
        setUp(p);
        save.prepare(p);
        const QByteArray old = p.bytes(save.file);

        // The disk fails part-way through the save and recovers once the failure was reported.
        QStringList errors;
        bool armed = save.armedBy.isEmpty();
        p.messages.onShow = [&](QWidget*) {
            const testing::RecordedMessage& m = p.messages.shown.last();
            if (m.title == store::ErrorTitle) {
                errors << m.text;
                p.messages.queueOk();
                store::TextFile::setWriteFailureAfter(-1);
            } else if (!armed && m.text.startsWith(save.armedBy)) {
                armed = true;
                store::TextFile::setWriteFailureAfter(5);
            }
        };
        store::TextFile::setWriteFailureAfter(armed ? 5 : -1);
        save.act(p);
        store::TextFile::setWriteFailureAfter(-1);

        QCOMPARE(p.bytes(save.file), old);
        const QString reason = QStringLiteral("Schreibfehler, eventuell ist der Datenträger voll");
        QCOMPARE(errors, QStringList{store::writeFailedMessage(p.path(save.file), reason)});
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        QVERIFY(windows.size() == 1 && windows.first()->isEnabled());
        QCOMPARE(windows.first()->objectName(), save.screen);

        // With the disk sound again, the same action saves.
        save.act(p);
        QCOMPARE(p.readScrambled(save.file), save.saved);
        QCOMPARE(errors.size(), 1);
    }
};

QTEST_MAIN(FailingDiskTest)
#include "FailingDiskTest.moc"
