// Every save of the program on a file system that is really full: the failure comes from the
// operating system, as a user meets it.
#include "SmallDisk.h"
#include "TestProgram.h"
#include "store/TextRules.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

using testing::SmallDisk;
using testing::TestProgram;

namespace {

// A step on the one visible window, or on the program.
using Step = std::function<void(TestProgram&)>;

QObject* control(const QString& name)
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    QObject* found = windows.size() == 1 ? windows[0]->findChild<QObject*>(name) : nullptr;
    if (!found)
        QTest::qFail(qPrintable("no " + name), __FILE__, __LINE__);
    return found;
}

// Clicks a button, triggers a menu entry or presses Enter in a line edit.
Step press(const QString& name)
{
    return [=](TestProgram&) {
        QObject* found = control(name);
        if (auto* button = qobject_cast<QAbstractButton*>(found))
            button->click();
        else if (auto* action = qobject_cast<QAction*>(found))
            action->trigger();
        else if (auto* box = qobject_cast<QLineEdit*>(found))
            QTest::keyClick(box, Qt::Key_Return);
    };
}

Step type(const QString& name, const QString& text)
{
    return [=](TestProgram&) {
        QObject* found = control(name);
        if (auto* box = qobject_cast<QLineEdit*>(found))
            box->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(found))
            combo->setEditText(text);
    };
}

// The answer to the next input box.
Step answer(const QString& text)
{
    return [=](TestProgram& p) { p.input.queue(text); };
}

Step show(void (app::Screens::*screen)())
{
    return [=](TestProgram& p) { (p.screens().*screen)(); };
}

const Step Login = show(&app::Screens::showLogin), Main = show(&app::Screens::showMain);

// One save: the stored file it writes and how the message names it, its plain lines once the save
// succeeded, the way there, the action that saves, and the message after which the save follows.
struct Save
{
    const char* name;
    QString file;
    QString named;
    QStringList saved;
    QList<Step> prepare;
    QList<Step> act;
    QString armedBy = {};
    QString consequence = "Der bisherige Inhalt der Datei bleibt erhalten.";
};

const QList<Step> AnswerRight = {press("cmdStartUebung"), type("txtLoesung", "Haus"),
                                 press("txtLoesung")};
const QString Users = "\"PK.dat\" (Benutzerliste)";
const QString Languages = "\"Spr.dat\" (Sprachenliste)";
const QString Lessons = "\"LSp1\" (Lektionsliste der Sprache \"Englisch\")";
const QString Lesson = "\"U1\" (Lektion \"Lektion 1\")";

const QList<Save> Saves = {
    // Sign-in copies the list for the screen; without the copy the stored list stays as it is.
    {"sign-in copy",
     "PK.dat",
     "\"tmpPK.dat\" (Arbeitskopie der Benutzerliste)",
     {"anna", "geheim", "bernd", "pw"},
     {},
     {Login},
     {},
     "Die gespeicherte Benutzerliste \"PK.dat\" bleibt unverändert; ihre Benutzer werden "
     "angezeigt, sobald wieder gespeichert werden kann."},
    {"add user",
     "PK.dat",
     Users,
     {"anna", "geheim", "bernd", "pw", "carl", "pw2"},
     {Login},
     {press("cmdNeuerUser"), type("txtBenutzerName", "carl"), type("txtKennwort1", "pw2"),
      type("txtKennwort2", "pw2"), press("cmdNimmNutzer")}},
    {"remove user",
     "PK.dat",
     Users,
     {"anna", "geheim"},
     {Login},
     {type("cboBenutzer", "bernd"), type("txtPassword", "pw"), press("cmdUserLoeschen")}},
    {"new language",
     "anna/Spr.dat",
     Languages,
     {"Englisch\\\\LSp1", "Latein\\\\LSp2", "Französisch\\\\LSp3"},
     {Main},
     {answer("Französisch"), press("mnuNeueSprache")}},
    {"rename language",
     "anna/Spr.dat",
     Languages,
     {"Amerikanisch\\\\LSp1", "Latein\\\\LSp2"},
     {Main},
     {answer("Amerikanisch"), press("mnuTitleSprache")}},
    {"delete language",
     "anna/Spr.dat",
     Languages,
     {"Latein\\\\LSp2"},
     {Main},
     {press("mnuSpracheDelete")}},
    {"new lesson",
     "anna/LSp1",
     Lessons,
     {"Lektion 1\\\\U1", "Lektion 2\\\\U2", "Lektion 3\\\\U3"},
     {Main},
     {answer("Lektion 3"), press("mnuNeueLektion")}},
    {"rename lesson",
     "anna/LSp1",
     Lessons,
     {"Anfang\\\\U1", "Lektion 2\\\\U2"},
     {Main},
     {answer("Anfang"), press("mnuTitleLektion")}},
    {"delete lesson",
     "anna/LSp1",
     Lessons,
     {"Lektion 2\\\\U2"},
     {Main},
     {press("mnuLektionDelete")}},
    {"editor beenden",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"},
     {Main, press("mnuLektionEdit"), type("txtNewVokabelSprache", "tree"),
      type("txtNewVokabelDeutsch", "Baum"), press("cmdVokabelNeu")},
     {press("cmdExit")}},
    {"exercise Zurück",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\r"},
     QList<Step>{Main, press("BtnGo")} + AnswerRight,
     {press("cmdCancel")}},
    // The run cannot go on without its copy; it stops, and the next run goes through.
    {"run copy",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\r"},
     {Main, press("BtnGo")},
     AnswerRight,
     {},
     "Die Übung wird abgebrochen; die Lektion bleibt, wie sie war."},
    // The failed run leaves the totals as they were, so the run saved next counts alone.
    {"result file after a run",
     "anna/Englisch/EU1",
     "\"EU1\" (Ergebnisse der Lektion \"Lektion 1\")",
     {" 11\\\\ 8", "10\\\\7", "1\\\\1"},
     {Main, press("BtnGo")},
     AnswerRight,
     "Die Übung ist beendet."},
};

} // namespace

class FailingDiskTest : public QObject
{
    Q_OBJECT

private slots:
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
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        TestProgram p(disk.path() + "/XXXXXX");
        p.writeScrambled("PK.dat", {"anna", "geheim", "bernd", "pw"});
        p.writePlain("tmpUsr", {"anna", "geheim"});
        p.writeScrambled("anna/Spr.dat", {"Englisch\\\\LSp1", "Latein\\\\LSp2"});
        p.writeScrambled("anna/LSp1", {"Lektion 1\\\\U1", "Lektion 2\\\\U2"});
        p.writeScrambled("anna/Englisch/U1", {"house\\\\Haus\\\\\\f"});
        p.writeScrambled("anna/Englisch/EU1", {" 10\\\\ 7", "10\\\\7"});
        if (save.prepare.isEmpty()) // a stale copy would show users the list no longer has
            p.writePlain("tmpPK.dat", {"alt", "alt"});
        // Every message is answered, a question with yes. The disk fills up before the save and
        // has room again once the failure was reported.
        QStringList errors;
        bool armed = save.armedBy.isEmpty();
        p.messages.onShow = [&](QWidget*) {
            const testing::RecordedMessage& m = p.messages.shown.last();
            p.messages.queue(m.buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok);
            if (m.title == store::ErrorTitle) {
                errors << m.text;
                disk.makeRoom();
            } else if (!armed && m.text.startsWith(save.armedBy)) {
                armed = true;
                disk.fill();
            }
        };
        for (const Step& step : save.prepare)
            step(p);
        const auto before = testing::storedFiles(p.dir());
        const QWidget* window = TestProgram::visibleWindows().value(0);
        const QString screen = window ? window->objectName() : "frmLogin";
        if (armed)
            disk.fill();
        for (const Step& step : save.act)
            step(p);
        disk.makeRoom();

        // Every stored file keeps its bytes, the failure is told once, and the screen goes on.
        QCOMPARE(testing::storedFiles(p.dir()), before);
        QCOMPARE(errors,
                 QStringList{"Die Datei " + save.named
                             + " konnte nicht gespeichert werden "
                               "(Der Datenträger ist voll).\n"
                             + save.consequence});
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isEnabled());
        QCOMPARE(windows[0]->objectName(), screen);
        QVERIFY(!p.bytes("tmpPK.dat").startsWith("alt"));
        for (const Step& step : save.act)
            step(p);
        QCOMPARE(p.readScrambled(save.file), save.saved);
        QCOMPARE(errors.size(), 1);
    }
};

QTEST_MAIN(FailingDiskTest)
#include "FailingDiskTest.moc"
