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

using testing::SmallDisk;
using testing::TestProgram;

namespace {

// Carries out the steps on the one visible window: "login" and "main" show that screen, "yes" and
// "ok" answer the next question, "?text" the next input box; "name=text" puts the text into a box,
// and a name alone presses that button, menu entry or Enter in that box.
void perform(TestProgram& p, const QStringList& steps)
{
    for (const QString& step : steps) {
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        QWidget none;
        const auto find = [&]<class T>(T*) {
            return (windows.size() == 1 ? windows[0] : &none)
                ->findChild<T*>(step.section('=', 0, 0));
        };
        if (step == "login" || step == "main")
            step == "login" ? p.screens().showLogin() : p.screens().showMain();
        else if (step == "yes" || step == "ok")
            p.messages.queue(step == "yes" ? ui::Answer::Yes : ui::Answer::Ok);
        else if (step.startsWith('?'))
            p.input.queue(step.mid(1));
        else if (auto* box = find(static_cast<QLineEdit*>(nullptr)))
            step.contains('=') ? box->setText(step.section('=', 1))
                               : QTest::keyClick(box, Qt::Key_Return);
        else if (auto* combo = find(static_cast<QComboBox*>(nullptr)))
            combo->setEditText(step.section('=', 1));
        else if (auto* button = find(static_cast<QAbstractButton*>(nullptr)))
            button->click();
        else if (auto* action = find(static_cast<QAction*>(nullptr)))
            action->trigger();
        else
            QFAIL(qPrintable("no " + step));
    }
}

// One save: the stored file it writes and how the message names it, its plain lines once the save
// succeeded, the way there, the action that saves, and the message after which the save follows.
struct Save
{
    const char* name;
    QString file;
    QString named;
    QStringList saved;
    QStringList prepare;
    QStringList act;
    QString armedBy = {};
    QString consequence = "Der bisherige Inhalt der Datei bleibt erhalten.";
};

const QStringList AnswerRight = {"ok", "cmdStartUebung", "txtLoesung=Haus", "txtLoesung"};
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
     {"login"},
     {},
     "Die gespeicherte Benutzerliste \"PK.dat\" bleibt unverändert; ihre Benutzer werden "
     "angezeigt, sobald wieder gespeichert werden kann."},
    {"add user",
     "PK.dat",
     Users,
     {"anna", "geheim", "bernd", "pw", "carl", "pw2"},
     {"login"},
     {"cmdNeuerUser", "txtBenutzerName=carl", "txtKennwort1=pw2", "txtKennwort2=pw2",
      "cmdNimmNutzer"}},
    {"remove user",
     "PK.dat",
     Users,
     {"anna", "geheim"},
     {"login"},
     {"cboBenutzer=bernd", "txtPassword=pw", "yes", "cmdUserLoeschen"}},
    {"new language",
     "anna/Spr.dat",
     Languages,
     {"Englisch\\\\LSp1", "Latein\\\\LSp2", "Französisch\\\\LSp3"},
     {"main"},
     {"?Französisch", "mnuNeueSprache"}},
    {"rename language",
     "anna/Spr.dat",
     Languages,
     {"Amerikanisch\\\\LSp1", "Latein\\\\LSp2"},
     {"main"},
     {"?Amerikanisch", "mnuTitleSprache"}},
    {"delete language",
     "anna/Spr.dat",
     Languages,
     {"Latein\\\\LSp2"},
     {"main"},
     {"yes", "mnuSpracheDelete"}},
    {"new lesson",
     "anna/LSp1",
     Lessons,
     {"Lektion 1\\\\U1", "Lektion 2\\\\U2", "Lektion 3\\\\U3"},
     {"main"},
     {"?Lektion 3", "mnuNeueLektion"}},
    {"rename lesson",
     "anna/LSp1",
     Lessons,
     {"Anfang\\\\U1", "Lektion 2\\\\U2"},
     {"main"},
     {"?Anfang", "mnuTitleLektion"}},
    {"delete lesson",
     "anna/LSp1",
     Lessons,
     {"Lektion 2\\\\U2"},
     {"main"},
     {"yes", "mnuLektionDelete"}},
    {"editor beenden",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"},
     {"main", "mnuLektionEdit", "txtNewVokabelSprache=tree", "txtNewVokabelDeutsch=Baum",
      "cmdVokabelNeu"},
     {"cmdExit"}},
    {"exercise Zurück",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\r"},
     QStringList{"main", "BtnGo"} + AnswerRight,
     {"cmdCancel"}},
    // The run cannot go on without its copy; it stops, and the next run goes through.
    {"run copy",
     "anna/Englisch/U1",
     Lesson,
     {"house\\\\Haus\\\\\\r"},
     {"main", "BtnGo"},
     AnswerRight,
     {},
     "Die Übung wird abgebrochen; die Lektion bleibt, wie sie war."},
    // The failed run leaves the totals as they were, so the run saved next counts alone.
    {"result file after a run",
     "anna/Englisch/EU1",
     "\"EU1\" (Ergebnisse der Lektion \"Lektion 1\")",
     {" 11\\\\ 8", "10\\\\7", "1\\\\1"},
     {"main", "BtnGo"},
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
        perform(p, save.prepare);
        const auto before = testing::storedFiles(p.dir());
        const QWidget* window = TestProgram::visibleWindows().value(0);
        const QString screen = window ? window->objectName() : "frmLogin";

        // The disk fills up before the save and has room again once the failure was reported.
        QStringList errors;
        bool armed = save.armedBy.isEmpty();
        p.messages.onShow = [&](QWidget*) {
            const testing::RecordedMessage& m = p.messages.shown.last();
            if (m.title == store::ErrorTitle) {
                errors << m.text;
                p.messages.answers.prepend(ui::Answer::Ok);
                disk.makeRoom();
            } else if (!armed && m.text.startsWith(save.armedBy)) {
                armed = true;
                disk.fill();
            }
        };
        if (armed)
            disk.fill();
        perform(p, save.act);
        disk.makeRoom();

        // Every stored file keeps its bytes, the failure is told once, and the screen goes on.
        QCOMPARE(testing::storedFiles(p.dir()), before);
        QCOMPARE(errors,
                 QStringList{"Die Datei " + save.named
                             + " konnte nicht gespeichert werden "
                               "(Der Datenträger ist voll).\n"
                             + save.consequence});
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        QVERIFY(windows.size() == 1 && windows[0]->isEnabled()
                && windows[0]->objectName() == screen);
        QVERIFY(!p.bytes("tmpPK.dat").startsWith("alt"));
        perform(p, save.act);
        QCOMPARE(p.readScrambled(save.file), save.saved);
        QCOMPARE(errors.size(), 1);
    }
};

QTEST_MAIN(FailingDiskTest)
#include "FailingDiskTest.moc"
