#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Wrong = QStringLiteral("Ungültiges Kennwort, versuchen Sie es noch einmal!");
const QStringList Anna = {"anna", "a"};

// The sign-in screen over a user list of these plain lines; without lines there is no list.
frmLogin* login(TestProgram& program, const QStringList& users = {})
{
    if (!users.isEmpty())
        program.writeScrambled("PK.dat", users);
    program.screens().showLogin();
    return TestProgram::shown<frmLogin>();
}

frmNewUser* newUser(frmLogin* from, const QString& name, const QString& p1, const QString& p2)
{
    from->findChild<QPushButton*>("cmdNeuerUser")->click();
    auto* screen = TestProgram::shown<frmNewUser>();
    screen->findChild<QLineEdit*>("txtBenutzerName")->setText(name);
    screen->findChild<QLineEdit*>("txtKennwort1")->setText(p1);
    screen->findChild<QLineEdit*>("txtKennwort2")->setText(p2);
    return screen;
}

void enter(frmLogin* screen, const QString& name, const QString& password)
{
    screen->findChild<QComboBox*>("cboBenutzer")->setEditText(name);
    screen->findChild<QLineEdit*>("txtPassword")->setText(password);
}

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

} // namespace

class SignInTest : public QObject
{
    Q_OBJECT

private slots:
    void newUsersSignInAtOnceWithEnterFromEitherBox()
    {
        TestProgram program;
        frmLogin* screen = login(program); // no list yet: made empty
        QVERIFY(program.exists("PK.dat") && program.exists("tmpPK.dat"));
        QCOMPARE(program.bytes("PK.dat"), QByteArray());
        QCOMPARE(screen->findChild<QComboBox*>("cboBenutzer")->count(), 0);
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QComboBox*>("cboBenutzer"));

        program.writePlain("Anna/Spr.dat", {"alt"}); // left over, reused
        const QStringList users = {"Jörg Müller-2", " geh eim", "anna", "a1", "Anna", "a2"};
        for (qsizetype i = 0; i < users.size(); i += 2) {
            frmNewUser* form = newUser(TestProgram::shown<frmLogin>(), users[i], users[i + 1], users[i + 1]);
            form->findChild<QPushButton*>("cmdNimmNutzer")->click();
        }
        screen = TestProgram::shown<frmLogin>();
        QVERIFY(screen && !TestProgram::shown<frmNewUser>());
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(users));
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes(users));
        QCOMPARE(program.bytes("Anna/Spr.dat"), TestProgram::plainBytes({"alt"}));
        QCOMPARE(items(screen->findChild<QComboBox*>("cboBenutzer")), (QStringList{"Jörg Müller-2", "anna", "Anna"}));
        QVERIFY(screen->findChild<QComboBox*>("cboBenutzer")->currentIndex() == -1 && screen->findChild<QComboBox*>("cboBenutzer")->currentText().isEmpty());

        // Picked, Enter in the name box; the wrong password is selected, so typing replaces it.
        program.writePlain("tmpUsr", {"alt", "alt", "drei", "vier"});
        screen->findChild<QComboBox*>("cboBenutzer")->setCurrentIndex(0);
        screen->findChild<QLineEdit*>("txtPassword")->setText("geh eim");
        program.messages.queueOk();
        QTest::keyClick(screen->findChild<QComboBox*>("cboBenutzer"), Qt::Key_Enter);
        QCOMPARE(program.messages.texts(), QStringList{Wrong});
        QCOMPARE(program.messages.shown[0].title, QStringLiteral("Paukomat V1.1"));
        QTest::keyClicks(screen->findChild<QLineEdit*>("txtPassword"), " geh eim");
        QTest::keyClick(screen->findChild<QLineEdit*>("txtPassword"), Qt::Key_Return);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Jörg Müller-2", " geh eim"}));
        QVERIFY(TestProgram::shown<frmMain>() && !TestProgram::shown<frmLogin>());

        screen = login(program);
        QTest::keyClicks(screen->findChild<QComboBox*>("cboBenutzer"), "anna"); // typed, not picked
        QTest::keyClicks(screen->findChild<QLineEdit*>("txtPassword"), "a1");
        QTest::keyClick(screen->findChild<QLineEdit*>("txtPassword"), Qt::Key_Return);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"anna", "a1"}));
        QVERIFY(!TestProgram::shown<frmLogin>());
    }

    void deletesAUserOnlyAfterPasswordAndQuestion()
    {
        TestProgram program;
        const QStringList users = {"anna", "a", "bert", "b", "cora", "c"};
        frmLogin* screen = login(program, users);
        program.writePlain("bert/Englisch/U1", {"x"});
        program.messages.queueOk();
        program.messages.queue(ui::Answer::No);
        enter(screen, "", "");
        screen->findChild<QPushButton*>("cmdUserLoeschen")->click();
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QComboBox*>("cboBenutzer"));
        enter(screen, "bert", "b");
        screen->findChild<QPushButton*>("cmdUserLoeschen")->click();
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", "Soll der Benutzer bert wirklich gelöscht werden ?"}));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(users));
        QCOMPARE(screen->findChild<QComboBox*>("cboBenutzer")->currentText() + screen->findChild<QLineEdit*>("txtPassword")->text(), QStringLiteral("bertb"));

        program.messages.queue(ui::Answer::Yes);
        screen->findChild<QPushButton*>("cmdUserLoeschen")->click();
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes({"anna", "a", "cora", "c"}));
        QVERIFY(!program.exists("bert"));
        QCOMPARE(items(screen->findChild<QComboBox*>("cboBenutzer")), (QStringList{"anna", "cora"}));
        QCOMPARE(screen->findChild<QComboBox*>("cboBenutzer")->currentText() + screen->findChild<QLineEdit*>("txtPassword")->text(), QString());
    }

    void newUserRefusalLeavesTheEntriesAndTheFiles()
    {
        TestProgram program;
        frmNewUser* screen = newUser(login(program, Anna), "neu", "", "x!");
        const QStringList before = program.entries();
        program.messages.queueOk();
        screen->findChild<QPushButton*>("cmdNimmNutzer")->click();
        QCOMPARE(program.messages.texts(), QStringList{"Das Kennwort ist fehlerhaft !"});
        QCOMPARE(program.messages.shown[0].title, QStringLiteral("PaukomaT V1.1"));
        QCOMPARE(TestProgram::shown<frmNewUser>(), screen);
        QCOMPARE(QApplication::focusWidget(), screen->findChild<QPushButton*>("cmdNimmNutzer"));
        QCOMPARE(screen->findChild<QLineEdit*>("txtBenutzerName")->text() + screen->findChild<QLineEdit*>("txtKennwort2")->text(), QStringLiteral("neux!"));
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Anna));
        QCOMPARE(program.entries(), before);
    }

    void cancelReturnsUnchangedAndEscapeEndsAfterTheCleanUp()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            frmNewUser* form = newUser(login(program, Anna), "neu", "x", "x");
            byFrame ? (void)form->close() : form->findChild<QPushButton*>("cmdCancel")->click();
            frmLogin* screen = TestProgram::shown<frmLogin>();
            QVERIFY(screen && !TestProgram::shown<frmNewUser>());
            QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Anna));

            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            byFrame ? (void)screen->close() : QTest::keyClick(screen->findChild<QComboBox*>("cboBenutzer"), Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries(), (QStringList{"PK.dat", "anna"}));
            QCOMPARE(program.entries("anna"), QStringList{"tmpEdit"});
        }
    }
};

QTEST_MAIN(SignInTest)
#include "SignInTest.moc"
