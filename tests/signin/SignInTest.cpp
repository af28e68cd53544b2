#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/UserList.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

// A control of the window shown.
template <class T = QWidget> T* in(const char* name)
{
    QWidget* window = TestProgram::visibleWindows().value(0);
    return window ? window->findChild<T*>(name) : nullptr;
}

} // namespace

Q_DECLARE_METATYPE(signin::Entry)

// The wiring of the sign-in and new-user screens; then the rules they apply, on the user list
// alone.
class SignInTest : public QObject
{
    Q_OBJECT

private slots:
    void signInListsRemovesAndSignsIn()
    {
        TestProgram program;
        program.writeScrambled("PK.dat", {"Jörg Müller-2", " geh eim", "anna", "a1", "Anna", "a2"});
        program.writePlain("anna/Englisch/U1", {"x"});
        program.screens().showLogin();
        QComboBox* names = in<QComboBox>("cboBenutzer");
        QCOMPARE(names->itemText(1) + '|' + names->currentText(),
                 "anna|"); // file order, none chosen

        // A user goes only after the name, the password and "Ja"; the list is then reloaded.
        program.messages.queueOk();
        in("txtPassword")->setFocus();
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(QApplication::focusWidget(), names);
        names->setEditText("anna");
        in<QLineEdit>("txtPassword")->setText("a1");
        program.messages.queue(ui::Answer::No);
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(names->currentText() + in<QLineEdit>("txtPassword")->text(), "annaa1");
        program.messages.queue(ui::Answer::Yes);
        in<QPushButton>("cmdUserLoeschen")->click();
        const QString question = "Soll der Benutzer anna wirklich gelöscht werden ?";
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", question, question}));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.readScrambled("PK.dat"),
                 (QStringList{"Jörg Müller-2", " geh eim", "Anna", "a2"}));
        QVERIFY(!program.exists("anna"));
        QCOMPARE(names->itemText(1) + '|' + names->currentText()
                     + in<QLineEdit>("txtPassword")->text(),
                 "Anna|");

        // Picked, Enter in the name box signs in.
        names->setCurrentIndex(0);
        in<QLineEdit>("txtPassword")->setText(" geh eim");
        QTest::keyClick(names, Qt::Key_Enter);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Jörg Müller-2", " geh eim"}));
        QVERIFY(TestProgram::shown<frmMain>() && !TestProgram::shown<frmLogin>());
    }

    // "Abbruch" and the frame of the new-user screen go back to the sign-in, whose Esc and frame
    // end the program after removing the hand-off files.
    void waysOut()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            program.writeScrambled("PK.dat", {"anna", "a"});
            program.screens().showNewUser();
            byFrame ? (void)TestProgram::shown<frmNewUser>()->close()
                    : in<QPushButton>("cmdCancel")->click();
            QVERIFY(TestProgram::shown<frmLogin>() && !TestProgram::shown<frmNewUser>());
            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            byFrame ? (void)TestProgram::shown<frmLogin>()->close()
                    : QTest::keyClick(in("cboBenutzer"), Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries() + program.entries("anna"),
                     (QStringList{"PK.dat", "anna", "tmpEdit"}));
        }
    }

    // A new user ("new") checked, a user signed in ("in") or removed when the question is answered
    // "Ja" or "Nein": the refusal and its title, the entry to correct; then the users, or the
    // sign-in hand-off's lines, each ended by "|".
    void userListChecksInTheirOrder_data()
    {
        for (const char* column :
             {"action", "name", "password", "confirmation", "refusal", "after"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<signin::Entry>("entry");
        using signin::Entry;
        const Entry none = Entry::None, pw = Entry::Password;
        const QString plain = "|Paukomat V1.1", odd = "|PaukomaT V1.1";
        const QString forbidden =
            "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !" + plain;
        const QString own =
            "Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine eigene Datei "
            "dieses Namens verwendet !"
            + plain;
        const QString wrong = "Ungültiges Kennwort, versuchen Sie es noch einmal!" + plain;
        const QString all = "anna|Anna|..|bert|rest|", kept = "alt|alt|drei|", tooLong(256, 'a');
        const auto row = [](const char* tag, const char* action, const QString& name,
                            const QString& password, const QString& confirmation,
                            const QString& refusal, Entry entry, const QString& after) {
            QTest::newRow(tag) << action << name << password << confirmation << refusal << after
                               << entry;
        };
        row("^ in name, before completeness", "new", "an^na", "", "", forbidden, none, all);
        row("§ in password", "new", "neu", "p§", "p§", forbidden, none, all);
        row("empty name first", "new", "", "x", "y", "Ein Benutzername ist erforderlich !" + odd,
            none, all);
        row("mismatch first", "new", "neu", "", "x!", "Das Kennwort ist fehlerhaft !" + odd, none,
            all);
        row("no password", "new", "neu", "", "", "Ein Kennwort ist erforderlich !" + odd, none,
            all);
        row("existing", "new", "anna", "x", "x", "Der Benutzer ist bereits vorhanden !" + odd, none,
            all);
        row("Cyrillic", "new", "Ив", "x", "x", store::unstorableTextMessage("Ив") + plain, none,
            all);
        row("tab", "new", "neu", "a\tb", "a\tb", store::unstorableTextMessage("\t") + plain, none,
            all);
        row("too long", "new", tooLong, "x", "x", store::tooLongNameMessage(tooLong) + plain, none,
            all);
        row("hand-off file", "new", "tmpUsr", "x", "x", own.arg("tmpUsr"), none, all);
        row("program file", "new", "Paukomat", "x", "x", own.arg("Paukomat"), none, all);
        // Before the unpaired last line of a damaged list, so that every record keeps its lines.
        row("created", "new", "ANNA", "x", "x", "", none, "anna|Anna|..|bert|ANNA|rest|");
        row("other case", "in", "ANNA", "a1", "", wrong, pw, kept);
        row("other user's password", "in", "anna", "a2", "", wrong, pw, kept);
        row("trailing blank", "in", "anna", "a1 ", "", wrong, pw, kept);
        row("no password line", "in", "rest", "", "", wrong, pw, kept);
        row("damaged name", "in", "..", "p", "", store::unsafeNameMessage("..") + plain, none,
            kept);
        row("signed in", "in", "anna", "a1", "", "", none, "anna|a1|");
        row("no name", "Ja", "", "", "", "Benutzer in der Liste wählen !" + plain, Entry::Name,
            all);
        row("no password to remove", "Ja", "bert", "", "", "Kennwort eingeben !" + plain, pw, all);
        row("wrong password", "Ja", "bert", "a1", "", wrong, pw, all);
        row("answered no", "Nein", "bert", "b", "", "", none, all);
        row("removed", "Ja", "bert", "b", "", "", none, "anna|Anna|..|rest|");
        // From a damaged list the record goes, but nothing outside the program directory.
        row("removed, damaged name", "Ja", "..", "p", "", "", none, "anna|Anna|bert|rest|");
    }
    void userListChecksInTheirOrder()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, refusal);
        QFETCH(QString, after);
        QFETCH(signin::Entry, entry);
        TestProgram program;
        program.writeScrambled("PK.dat",
                               {"anna", "a1", "Anna", "a2", "..", "p", "bert", "b", "rest"});
        program.writePlain("tmpUsr", {"alt", "alt", "drei"});
        program.writePlain("Paukomat", {"ELF"});
        program.writePlain("bert/Englisch/U1", {"x"});
        const signin::UserList users{store::DataTree(program.dir())};
        (void)users.makePlainCopy();
        const QStringList before = program.entries();
        QString asked;
        const auto confirm = [&](const store::Message& question) {
            asked = question.text + '|' + question.title;
            return action == "Ja";
        };
        const store::Result<signin::Entry> outcome = action == "new"
            ? store::Result<signin::Entry>{signin::Entry::None,
                                           users.createUser(name, password, confirmation)}
            : action == "in" ? users.signIn(name, password)
                             : users.deleteUser(name, password, confirm);
        const bool refused = outcome.outcome.status == store::Outcome::Status::Refused;
        QCOMPARE(refused ? outcome.outcome.message.text + '|' + outcome.outcome.message.title : "",
                 refusal);
        QCOMPARE(outcome.value, entry);
        QVERIFY(!outcome.outcome.failure);
        const bool removal = action == "Ja" || action == "Nein";
        QCOMPARE(asked,
                 removal && !refused
                     ? "Soll der Benutzer " + name + " wirklich gelöscht werden ?|Paukomat V1.1"
                     : "");
        const QStringList now =
            action == "in" ? QString(program.bytes("tmpUsr")).split("\r\n") : users.names() << "";
        QCOMPARE(now.join('|'), after);
        // Nothing is written before every check has passed; a new user gets a directory.
        QStringList added = program.entries();
        for (const QString& entry : before)
            added.removeOne(entry);
        QCOMPARE(added, action == "new" && !refused ? QStringList{name} : QStringList{});
        QCOMPARE(program.exists("bert"), after.contains("bert|") || action != "Ja");
    }
};

QTEST_MAIN(SignInTest)
#include "SignInTest.moc"
