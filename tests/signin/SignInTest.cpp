#include "TestProgram.h"
#include "signin/UserList.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;
using namespace signin;
using namespace store;

namespace {

// A control of the window shown.
template <class T = QWidget> T* in(const char* name)
{
    QWidget* window = TestProgram::visibleWindows().value(0);
    return window ? window->findChild<T*>(name) : nullptr;
}

const QString Plain = "Paukomat V1.1";

enum class Action { Create, SignIn, Remove };

// The refusal expected, its title and the entry to correct.
struct Row
{
    const char* tag;
    Action action;
    QString name, password, confirmation, refusal;
    Entry entry = Entry::None;
    QString title = Plain;
};

} // namespace

// The wiring of the sign-in and new-user screens; then the rules they apply, on the user list
// alone.
class SignInTest : public QObject
{
    Q_OBJECT

private slots:
    void signInListsAndRemoves()
    {
        TestProgram program;
        program.writeScrambled("PK.dat", {"Jörg Müller-2", " geh eim", "anna", "a1", "Anna", "a2"});
        program.screens().showLogin();
        auto* names = in<QComboBox>("cboBenutzer");
        auto* password = in<QLineEdit>("txtPassword");
        auto* remove = in<QPushButton>("cmdUserLoeschen");
        // A user goes only after the name, the password and "Ja"; the list is then reloaded in
        // file order, none chosen.
        program.messages.queueOk();
        password->setFocus();
        remove->click();
        QCOMPARE(QApplication::focusWidget(), names);
        names->setEditText("anna");
        password->setText("a1");
        program.messages.queue(ui::Answer::No); // keeps the entries for the next try
        remove->click();
        program.messages.queue(ui::Answer::Yes);
        remove->click();
        const QString question = "Soll der Benutzer anna wirklich gelöscht werden ?";
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", question, question}));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.messages.shown.last().title, Plain);
        QCOMPARE(program.readScrambled("PK.dat"),
                 (QStringList{"Jörg Müller-2", " geh eim", "Anna", "a2"}));
        QCOMPARE(names->itemText(1), "Anna");
        QCOMPARE(names->currentText(), "");
        QCOMPARE(password->text(), "");
    }

    // "Abbruch" and the frame of the new-user screen go back to the sign-in, whose Esc and frame
    // end the program after removing the hand-off files.
    void waysOut()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            program.screens().showNewUser();
            byFrame ? (void)TestProgram::shown<frmNewUser>()->close()
                    : in<QPushButton>("cmdCancel")->click();
            QVERIFY(TestProgram::shown<frmLogin>());
            QVERIFY(!TestProgram::shown<frmNewUser>());
            for (const char* name : {"tmpUsr", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            byFrame ? (void)TestProgram::shown<frmLogin>()->close()
                    : QTest::keyClick(in("cboBenutzer"), Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries() + program.entries("anna"),
                     (QStringList{"PK.dat", "anna", "tmpEdit"}));
        }
    }

    // A new user checked, a user signed in or removed: each check in its turn refuses with its
    // message and the entry to correct.
    void userListChecksInTheirOrder_data()
    {
        QTest::addColumn<Row>("row");
        const QString wrong = "Ungültiges Kennwort, versuchen Sie es noch einmal!",
                      odd = "PaukomaT V1.1";
        using enum Action;
        using enum Entry;
        const auto add = [](const Row& row) { QTest::newRow(row.tag) << row; };
        add({"forbidden character, before completeness", Create, "an^na", "", "",
             "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !"});
        add({"empty name first", Create, "", "x", "y", "Ein Benutzername ist erforderlich !", None,
             odd});
        add({"mismatch first", Create, "neu", "", "x!", "Das Kennwort ist fehlerhaft !", None,
             odd});
        add({"no password", Create, "neu", "", "", "Ein Kennwort ist erforderlich !", None, odd});
        add({"existing", Create, "anna", "x", "x", "Der Benutzer ist bereits vorhanden !", None,
             odd});
        add({"hand-off file", Create, "tmpUsr", "x", "x",
             "Der Benutzername \"tmpUsr\" ist nicht möglich, weil Paukomat eine eigene "
             "Datei dieses Namens verwendet !"});
        add({"other case", SignIn, "ANNA", "a1", "", wrong, Password});
        add({"damaged name", SignIn, "..", "p", "", unsafeNameMessage("..")});
        add({"no password to remove", Remove, "anna", "", "", "Kennwort eingeben !", Password});
        add({"wrong password to remove", Remove, "anna", "a2", "", wrong, Password});
    }
    void userListChecksInTheirOrder()
    {
        QFETCH(const Row, row);
        TestProgram program;
        program.writeScrambled("PK.dat", {"anna", "a1", "Anna", "a2", "..", "p"});
        program.writePlain("tmpUsr", {"alt"});
        const UserList users{DataTree(program.dir())};
        (void)users.makePlainCopy();
        const auto files = [&program] {
            QByteArrayList all;
            for (const QString& entry : program.entries())
                all << entry.toUtf8() << program.bytes(entry);
            return all;
        };
        const QByteArrayList before = files();
        // A removal asked too early goes ahead and so is not refused.
        const auto yes = [](const Message&) { return true; };
        const Result<Entry> outcome = row.action == Action::Create
            ? Result<Entry>{Entry::None, users.createUser(row.name, row.password, row.confirmation)}
            : row.action == Action::SignIn ? users.signIn(row.name, row.password)
                                           : users.deleteUser(row.name, row.password, yes);
        QCOMPARE(outcome.outcome.status, Outcome::Status::Refused);
        QCOMPARE(outcome.outcome.message.text, row.refusal);
        QCOMPARE(outcome.outcome.message.title, row.title);
        QCOMPARE(outcome.value, row.entry);
        // Nothing is written before every check has passed.
        QCOMPARE(files(), before);
    }

    // Behind the unpaired last line of a damaged list the new user goes in front of it, so that
    // every record keeps its lines; a name in another case is another user, with a directory.
    void newUserKeepsTheRecordsApart()
    {
        TestProgram program;
        program.writeScrambled("PK.dat", {"anna", "a1", "rest"});
        const UserList users{DataTree(program.dir())};
        (void)users.makePlainCopy();
        QVERIFY(users.createUser("ANNA", "x", "x"));
        QCOMPARE(program.readScrambled("PK.dat"), (QStringList{"anna", "a1", "ANNA", "x", "rest"}));
        QCOMPARE(users.names(), (QStringList{"anna", "ANNA", "rest"}));
        QVERIFY(program.exists("ANNA"));
    }
};

QTEST_MAIN(SignInTest)
#include "SignInTest.moc"
