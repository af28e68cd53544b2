// Every save of the program on a file system that is really full: the failure comes from the
// operating system, as a user meets it.
#include "SmallDisk.h"
#include "TestProgram.h"
#include "store/TextRules.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

using namespace testing;

namespace {

// A step on the one visible window, or on the program.
using Step = std::function<void(TestProgram&)>;

// Clicks a button, triggers a menu entry or presses Enter in a line edit; with a text, types it
// into a line edit or a combo box instead.
Step use(const QString& name, const QString& text = {})
{
    return [=](TestProgram&) {
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        QObject* found = windows.size() == 1 ? windows[0]->findChild<QObject*>(name) : nullptr;
        if (!found)
            QFAIL(qPrintable("no " + name));
        auto* box = qobject_cast<QLineEdit*>(found);
        if (auto* combo = qobject_cast<QComboBox*>(found))
            combo->setEditText(text);
        else if (box && !text.isEmpty())
            box->setText(text);
        else if (box)
            QTest::keyClick(box, Qt::Key_Return);
        else if (auto* action = qobject_cast<QAction*>(found))
            action->trigger();
        else
            QVERIFY(QMetaObject::invokeMethod(found, "click"));
    };
}

// The answer to the next input box.
Step answer(const QString& text)
{
    return [=](TestProgram& p) { p.input.queue(text); };
}

const Step Login = [](TestProgram& p) { p.screens().showLogin(); };
const Step Main = [](TestProgram& p) { p.screens().showMain(); };
const QList<Step> AnswerRight = {use("cmdStartUebung"), use("txtLoesung", "Haus"),
                                 use("txtLoesung")};

// One save: the stored file it writes and how the message names it, the way there, the action
// that saves, and the message after which the save follows.
struct Save
{
    const char* name;
    QString file;
    QString named;
    QList<Step> prepare;
    QList<Step> act;
    QString armedBy = {};
    QString consequence = "Der bisherige Inhalt der Datei bleibt erhalten.";
};

const QString Languages = "\"Spr.dat\" (Sprachenliste)";
const QString Lessons = "\"LSp1\" (Lektionsliste der Sprache \"Englisch\")";
const QString Lesson = "\"U1\" (Lektion \"Lektion 1\")";

const QList<Save> Saves = {
    // Sign-in copies the list for the screen; without the copy the stored list stays as it is.
    {"sign-in copy",
     "PK.dat",
     "\"tmpPK.dat\" (Arbeitskopie der Benutzerliste)",
     {},
     {Login},
     {},
     "Die gespeicherte Benutzerliste \"PK.dat\" bleibt unverändert; ihre Benutzer werden "
     "angezeigt, sobald wieder gespeichert werden kann."},
    {"remove user",
     "PK.dat",
     "\"PK.dat\" (Benutzerliste)",
     {Login},
     {use("cboBenutzer", "bernd"), use("txtPassword", "pw"), use("cmdUserLoeschen")}},
    {"new language", "anna/Spr.dat", Languages, {Main}, {answer("Fr"), use("mnuNeueSprache")}},
    {"rename language", "anna/Spr.dat", Languages, {Main}, {answer("US"), use("mnuTitleSprache")}},
    {"delete language", "anna/Spr.dat", Languages, {Main}, {use("mnuSpracheDelete")}},
    {"new lesson", "anna/LSp1", Lessons, {Main}, {answer("L3"), use("mnuNeueLektion")}},
    {"delete lesson", "anna/LSp1", Lessons, {Main}, {use("mnuLektionDelete")}},
    {"editor beenden",
     "anna/Englisch/U1",
     Lesson,
     {Main, use("mnuLektionEdit"), use("txtNewVokabelSprache", "tree"),
      use("txtNewVokabelDeutsch", "Baum"), use("cmdVokabelNeu")},
     {use("cmdExit")}},
    {"exercise Zurück",
     "anna/Englisch/U1",
     Lesson,
     QList<Step>{Main, use("BtnGo")} + AnswerRight,
     {use("cmdCancel")}},
    // The run cannot go on without its copy; it stops, and the next run goes through.
    {"run copy",
     "anna/Englisch/U1",
     Lesson,
     {Main, use("BtnGo")},
     AnswerRight,
     {},
     "Die Übung wird abgebrochen; die Lektion bleibt, wie sie war."},
    // The failed run leaves the totals as they were, so the run saved next counts alone.
    {"result file after a run",
     "anna/Englisch/EU1",
     "\"EU1\" (Ergebnisse der Lektion \"Lektion 1\")",
     {Main, use("BtnGo")},
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
    // The save is made once on a disk with room, then on one that is full at that moment; after
    // the failure, the same action saves what the first run saved.
    void everySaveKeepsTheOldFileAndCanBeTriedAgain()
    {
        QFETCH(int, index);
        const Save& save = Saves[index];
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        QStringList saved;
        for (const bool full : {false, true}) {
            TestProgram p(disk.path() + "/XXXXXX");
            p.writeScrambled("PK.dat", {"anna", "geheim", "bernd", "pw"});
            p.writePlain("tmpUsr", {"anna", "geheim"});
            p.writeScrambled("anna/Spr.dat", {"Englisch\\\\LSp1", "Latein\\\\LSp2"});
            p.writeScrambled("anna/LSp1", {"Lektion 1\\\\U1", "Lektion 2\\\\U2"});
            p.writeScrambled("anna/Englisch/U1", {"house\\\\Haus\\\\\\f"});
            p.writeScrambled("anna/Englisch/EU1", {" 10\\\\ 7", "10\\\\7"});
            if (save.prepare.isEmpty()) // a stale copy would show users the list no longer has
                p.writePlain("tmpPK.dat", {"alt", "alt"});
            // Every message is answered, a question with yes. The disk fills up before the save
            // and has room again once the failure was reported.
            QStringList errors;
            bool armed = save.armedBy.isEmpty();
            p.messages.onShow = [&](QWidget*) {
                const auto& m = p.messages.shown.last();
                p.messages.queue(m.buttons == ui::Buttons::YesNo ? ui::Answer::Yes
                                                                 : ui::Answer::Ok);
                if (m.title == store::ErrorTitle) {
                    errors << m.text;
                    disk.makeRoom();
                } else if (full && !armed && m.text.startsWith(save.armedBy)) {
                    armed = true;
                    disk.fill();
                }
            };
            for (const Step& step : save.prepare)
                step(p);
            const auto before = storedFiles(p.dir());
            const QWidget* window = TestProgram::visibleWindows().value(0);
            const QString screen = window ? window->objectName() : "frmLogin";
            if (full && armed)
                disk.fill();
            for (const Step& step : save.act)
                step(p);
            disk.makeRoom();
            if (!full) {
                saved = p.readScrambled(save.file);
                QCOMPARE(errors, QStringList());
                continue;
            }

            // Every stored file keeps its bytes, the failure is told once, the screen goes on.
            QCOMPARE(storedFiles(p.dir()), before);
            QCOMPARE(errors,
                     QStringList{"Die Datei " + save.named
                                 + " konnte nicht gespeichert werden (Der Datenträger ist voll).\n"
                                 + save.consequence});
            const QList<QWidget*> windows = TestProgram::visibleWindows();
            QCOMPARE(windows.size(), 1);
            QVERIFY(windows[0]->isEnabled());
            QCOMPARE(windows[0]->objectName(), screen);
            QVERIFY(!p.bytes("tmpPK.dat").startsWith("alt"));
            for (const Step& step : save.act)
                step(p);
            QCOMPARE(errors.size(), 1);
            QCOMPARE(p.readScrambled(save.file), saved);
        }
    }
};

QTEST_MAIN(FailingDiskTest)
#include "FailingDiskTest.moc"
