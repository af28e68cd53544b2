#include "TestProgram.h"
#include "mainwindow/frmMain.h"
#include "signin/UserList.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using testing::TestProgram;

namespace {

// A control of the window shown.
template <class T = QWidget> T* in(const char* name)
{
    QWidget* window = TestProgram::visibleWindows().value(0);
    return window ? window->findChild<T*>(name) : nullptr;
}

const QString Plain = "Paukomat V1.1", Odd = "PaukomaT V1.1";

enum class Action { Create, SignIn, RemoveYes, RemoveNo };

// The refusal expected; no text when there is none.
struct Refusal
{
    QString text;
    QString title = Plain;
};

struct Row
{
    Action action;
    QString name, password, confirmation;
    Refusal refusal;
    signin::Entry entry;
    QStringList after;
};

using signin::Entry;

} // namespace

Q_DECLARE_METATYPE(Row)

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
        QCOMPARE(names->itemText(1), "anna"); // file order
        QCOMPARE(names->currentText(), "");   // none chosen

        // A user goes only after the name, the password and "Ja"; the list is then reloaded.
        program.messages.queueOk();
        in("txtPassword")->setFocus();
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(QApplication::focusWidget(), names);
        names->setEditText("anna");
        in<QLineEdit>("txtPassword")->setText("a1");
        program.messages.queue(ui::Answer::No);
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(names->currentText(), "anna");
        QCOMPARE(in<QLineEdit>("txtPassword")->text(), "a1");
        program.messages.queue(ui::Answer::Yes);
        in<QPushButton>("cmdUserLoeschen")->click();
        const QString question = "Soll der Benutzer anna wirklich gelöscht werden ?";
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", question, question}));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.readScrambled("PK.dat"),
                 (QStringList{"Jörg Müller-2", " geh eim", "Anna", "a2"}));
        QVERIFY(!program.exists("anna"));
        QCOMPARE(names->itemText(1), "Anna");
        QCOMPARE(names->currentText(), "");
        QCOMPARE(in<QLineEdit>("txtPassword")->text(), "");

        // Picked, Enter in the name box signs in.
        names->setCurrentIndex(0);
        in<QLineEdit>("txtPassword")->setText(" geh eim");
        QTest::keyClick(names, Qt::Key_Enter);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Jörg Müller-2", " geh eim"}));
        QVERIFY(TestProgram::shown<mainwindow::frmMain>());
        QVERIFY(!TestProgram::shown<signin::frmLogin>());
    }

    // "Abbruch" and the frame of the new-user screen go back to the sign-in, whose Esc and frame
    // end the program after removing the hand-off files.
    void waysOut()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            program.writeScrambled("PK.dat", {"anna", "a"});
            program.screens().showNewUser();
            byFrame ? (void)TestProgram::shown<signin::frmNewUser>()->close()
                    : in<QPushButton>("cmdCancel")->click();
            QVERIFY(TestProgram::shown<signin::frmLogin>());
            QVERIFY(!TestProgram::shown<signin::frmNewUser>());
            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            byFrame ? (void)TestProgram::shown<signin::frmLogin>()->close()
                    : QTest::keyClick(in("cboBenutzer"), Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries() + program.entries("anna"),
                     (QStringList{"PK.dat", "anna", "tmpEdit"}));
        }
    }

    // A new user checked, a user signed in or removed when the question is answered "Ja" or
    // "Nein": the refusal, the entry to correct; then the users, or the sign-in hand-off's lines.
    void userListChecksInTheirOrder_data()
    {
        QTest::addColumn<Row>("row");
        const QString forbidden =
            "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !";
        const QString own = "Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine eigene "
                            "Datei dieses Namens verwendet !";
        const QString wrong = "Ungültiges Kennwort, versuchen Sie es noch einmal!";
        const QStringList all{"anna", "Anna", "..", "bert", "rest"}, kept{"alt", "alt", "drei"};
        const QString tooLong(256, 'a');
        const auto add = [](const char* tag, const Row& row) { QTest::newRow(tag) << row; };
        using enum Action;
        const Entry none = Entry::None, pw = Entry::Password;
        add("^ in name, before completeness", {Create, "an^na", "", "", {forbidden}, none, all});
        add("§ in password", {Create, "neu", "p§", "p§", {forbidden}, none, all});
        add("empty name first",
            {Create, "", "x", "y", {"Ein Benutzername ist erforderlich !", Odd}, none, all});
        add("mismatch first",
            {Create, "neu", "", "x!", {"Das Kennwort ist fehlerhaft !", Odd}, none, all});
        add("no password",
            {Create, "neu", "", "", {"Ein Kennwort ist erforderlich !", Odd}, none, all});
        add("existing",
            {Create, "anna", "x", "x", {"Der Benutzer ist bereits vorhanden !", Odd}, none, all});
        add("Cyrillic", {Create, "Ив", "x", "x", {store::unstorableTextMessage("Ив")}, none, all});
        add("tab",
            {Create, "neu", "a\tb", "a\tb", {store::unstorableTextMessage("\t")}, none, all});
        add("too long",
            {Create, tooLong, "x", "x", {store::tooLongNameMessage(tooLong)}, none, all});
        add("hand-off file", {Create, "tmpUsr", "x", "x", {own.arg("tmpUsr")}, none, all});
        add("program file", {Create, "Paukomat", "x", "x", {own.arg("Paukomat")}, none, all});
        // Before the unpaired last line of a damaged list, so that every record keeps its lines.
        add("created",
            {Create, "ANNA", "x", "x", {}, none, {"anna", "Anna", "..", "bert", "ANNA", "rest"}});
        add("other case", {SignIn, "ANNA", "a1", "", {wrong}, pw, kept});
        add("other user's password", {SignIn, "anna", "a2", "", {wrong}, pw, kept});
        add("trailing blank", {SignIn, "anna", "a1 ", "", {wrong}, pw, kept});
        add("no password line", {SignIn, "rest", "", "", {wrong}, pw, kept});
        add("damaged name", {SignIn, "..", "p", "", {store::unsafeNameMessage("..")}, none, kept});
        add("signed in", {SignIn, "anna", "a1", "", {}, none, {"anna", "a1"}});
        add("no name",
            {RemoveYes, "", "", "", {"Benutzer in der Liste wählen !"}, Entry::Name, all});
        add("no password to remove", {RemoveYes, "bert", "", "", {"Kennwort eingeben !"}, pw, all});
        add("wrong password", {RemoveYes, "bert", "a1", "", {wrong}, pw, all});
        add("answered no", {RemoveNo, "bert", "b", "", {}, none, all});
        add("removed", {RemoveYes, "bert", "b", "", {}, none, {"anna", "Anna", "..", "rest"}});
        // From a damaged list the record goes, but nothing outside the program directory.
        add("removed, damaged name",
            {RemoveYes, "..", "p", "", {}, none, {"anna", "Anna", "bert", "rest"}});
    }
    void userListChecksInTheirOrder()
    {
        QFETCH(Row, row);
        TestProgram program;
        program.writeScrambled("PK.dat",
                               {"anna", "a1", "Anna", "a2", "..", "p", "bert", "b", "rest"});
        program.writePlain("tmpUsr", {"alt", "alt", "drei"});
        program.writePlain("Paukomat", {"ELF"});
        program.writePlain("bert/Englisch/U1", {"x"});
        const signin::UserList users{store::DataTree(program.dir())};
        (void)users.makePlainCopy();
        const QStringList before = program.entries();
        std::optional<store::Message> asked;
        const auto confirm = [&](const store::Message& question) {
            asked = question;
            return row.action == Action::RemoveYes;
        };
        const store::Result<signin::Entry> outcome = row.action == Action::Create
            ? store::Result<signin::Entry>{signin::Entry::None,
                                           users.createUser(row.name, row.password,
                                                            row.confirmation)}
            : row.action == Action::SignIn ? users.signIn(row.name, row.password)
                                           : users.deleteUser(row.name, row.password, confirm);
        const bool refused = outcome.outcome.status == store::Outcome::Status::Refused;
        QCOMPARE(refused ? outcome.outcome.message.text : "", row.refusal.text);
        if (refused)
            QCOMPARE(outcome.outcome.message.title, row.refusal.title);
        QCOMPARE(outcome.value, row.entry);
        QVERIFY(!outcome.outcome.failure);
        const bool removal = row.action == Action::RemoveYes || row.action == Action::RemoveNo;
        QCOMPARE(asked.has_value(), removal && !refused);
        if (asked) {
            QCOMPARE(asked->text, "Soll der Benutzer " + row.name + " wirklich gelöscht werden ?");
            QCOMPARE(asked->title, Plain);
        }
        if (row.action == Action::SignIn)
            QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes(row.after));
        else
            QCOMPARE(users.names(), row.after);
        // Nothing is written before every check has passed; a new user gets a directory.
        QStringList added = program.entries();
        for (const QString& entry : before)
            added.removeOne(entry);
        QCOMPARE(added,
                 row.action == Action::Create && !refused ? QStringList{row.name} : QStringList{});
        QCOMPARE(program.exists("bert"),
                 row.after.contains("bert") || row.action != Action::RemoveYes);
    }
};

QTEST_MAIN(SignInTest)
#include "SignInTest.moc"
