#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Wrong = QStringLiteral("Ungültiges Kennwort, versuchen Sie es noch einmal!");

frmLogin* start(TestProgram& program, const QStringList& users)
{
    program.writeScrambled("PK.dat", users);
    program.screens().showLogin();
    return TestProgram::shown<frmLogin>();
}

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

} // namespace

class frmLoginTest : public QObject
{
    Q_OBJECT

private slots:
    void screenAsDescribedWithAMissingList()
    {
        TestProgram program;
        program.screens().showLogin();
        auto* login = TestProgram::shown<frmLogin>();
        QVERIFY(login);
        QVERIFY(program.exists("PK.dat"));
        QCOMPARE(program.bytes("PK.dat"), QByteArray());
        QVERIFY(program.exists("tmpPK.dat"));
        QCOMPARE(login->cboBenutzer->count(), 0);
        QCOMPARE(login->windowTitle(), QStringLiteral("Paukomat V1.1 ... Anmelden"));
        QCOMPARE(login->lblLabels[0]->text(), QStringLiteral("&Benutzername:"));
        QCOMPARE(login->lblLabels[1]->text(), QStringLiteral("&Kennwort:"));
        QCOMPARE(login->cmdUserLoeschen->text(), QStringLiteral("&Benutzer löschen"));
        QCOMPARE(login->cmdUserLoeschen->toolTip(),
                 QStringLiteral("Klicken Sie hier, um den gewählten Nutzer zu löschen"));
        QVERIFY(login->cboBenutzer->isEditable());
        QCOMPARE(login->txtPassword->echoMode(), QLineEdit::Password);
        QVERIFY(login->cmdOK->isDefault());

        QList<QWidget*> order = {login->cboBenutzer, login->txtPassword,   login->cmdOK,
                                 login->cmdCancel,   login->cmdNeuerUser, login->cmdUserLoeschen,
                                 login->cmdHelp};
        for (QWidget* expected : order) {
            QCOMPARE(QApplication::focusWidget(), expected);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void signsInWithEnterFromEitherBox()
    {
        TestProgram program;
        program.writePlain("tmpUsr", {"alt", "alt", "drei", "vier"});
        frmLogin* login = start(program, {"zora", "z", "anna", "a1", "Anna", "a2"});
        QCOMPARE(items(login->cboBenutzer), (QStringList{"zora", "anna", "Anna"}));
        QCOMPARE(login->cboBenutzer->currentIndex(), -1);
        QCOMPARE(login->cboBenutzer->currentText(), QString());

        // Typed, not picked; Enter in the password box.
        QTest::keyClicks(login->cboBenutzer, "anna");
        QTest::keyClicks(login->txtPassword, "a1");
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"anna", "a1"}));
        QVERIFY(TestProgram::shown<frmMain>());
        QVERIFY(!TestProgram::shown<frmLogin>());
        QVERIFY(program.messages.shown.isEmpty());

        // Picked from the list; Enter in the name box.
        program.screens().showLogin();
        login = TestProgram::shown<frmLogin>();
        login->cboBenutzer->setCurrentIndex(2);
        login->txtPassword->setText("a2");
        QTest::keyClick(login->cboBenutzer, Qt::Key_Enter);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Anna", "a2"}));
        QVERIFY(!TestProgram::shown<frmLogin>());
    }

    void wrongPasswordsNeverSignIn()
    {
        TestProgram program;
        frmLogin* login = start(program, {"anna", "a1", "Anna", "a2", "rest"});
        const QList<QPair<QString, QString>> attempts = {
            {"ANNA", "a1"}, {"anna", "a2"}, {"anna", "a1 "}, {"", ""}, {"rest", ""}, {"rest", "a1"}};
        for (const auto& [name, password] : attempts) {
            login->cboBenutzer->setEditText(name);
            login->txtPassword->setText(password);
            program.messages.queueOk();
            login->cmdOK->click();
            QCOMPARE(program.messages.shown.last().text, Wrong);
            QCOMPARE(program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
            QCOMPARE(program.messages.shown.last().icon, ui::Icon::None);
            QCOMPARE(QApplication::focusWidget(), login->txtPassword);
            QCOMPARE(login->txtPassword->selectedText(), password);
            QCOMPARE(login->cboBenutzer->currentText(), name);
        }
        QCOMPARE(program.messages.shown.size(), attempts.size());
        QVERIFY(!program.exists("tmpUsr"));
        QCOMPARE(TestProgram::shown<frmLogin>(), login);
    }

    void deletesAUserOnlyAfterPasswordAndQuestion()
    {
        TestProgram program;
        const QStringList users = {"anna", "a", "bert", "b", "cora", "c"};
        frmLogin* login = start(program, users);
        program.writePlain("bert/Spr.dat", {"x"});
        program.writePlain("bert/Englisch/U1", {"x"});

        program.messages.queueOk(3);
        login->cmdUserLoeschen->click();
        login->cboBenutzer->setEditText("bert");
        login->cmdUserLoeschen->click();
        login->txtPassword->setText("a");
        login->cmdUserLoeschen->click();
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", "Kennwort eingeben !", Wrong}));
        QCOMPARE(QApplication::focusWidget(), login->txtPassword);

        login->txtPassword->setText("b");
        program.messages.queue(ui::Answer::No);
        login->cmdUserLoeschen->click();
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Soll der Benutzer bert wirklich gelöscht werden ?"));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.messages.shown.last().icon, ui::Icon::None);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(users));
        QCOMPARE(login->cboBenutzer->currentText(), QStringLiteral("bert"));
        QCOMPARE(login->txtPassword->text(), QStringLiteral("b"));

        program.messages.queue(ui::Answer::Yes);
        login->cmdUserLoeschen->click();
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes({"anna", "a", "cora", "c"}));
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes({"anna", "a", "cora", "c"}));
        QVERIFY(!program.exists("bert"));
        QCOMPARE(items(login->cboBenutzer), (QStringList{"anna", "cora"}));
        QCOMPARE(login->cboBenutzer->currentText(), QString());
        QCOMPARE(login->txtPassword->text(), QString());
        QCOMPARE(program.messages.pending(), 0);
    }

    void escapeAndTheFrameCleanUpAndEnd()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            frmLogin* login = start(program, {"anna", "a"});
            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit", "anna/Spr.dat"})
                program.writePlain(name, {"x"});
            if (byFrame) {
                login->close();
                QVERIFY(!TestProgram::shown<frmLogin>());
            } else {
                QTest::keyClick(login->cboBenutzer, Qt::Key_Escape);
            }
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries(), (QStringList{"PK.dat", "anna"}));
            QCOMPARE(program.entries("anna"), (QStringList{"Spr.dat", "tmpEdit"}));
        }
    }

    void newUserReplacesTheScreen()
    {
        TestProgram program;
        frmLogin* login = start(program, {"anna", "a"});
        login->cmdNeuerUser->click();
        QVERIFY(TestProgram::shown<frmNewUser>());
        QVERIFY(!TestProgram::shown<frmLogin>());
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes({"anna", "a"}));
    }

    void refusesDamagedNamesAndUnsavedHandOff()
    {
        TestProgram program;
        frmLogin* login = start(program, {"..", "p", "anna", "a"});
        login->cboBenutzer->setEditText("..");
        login->txtPassword->setText("p");
        program.messages.queueOk();
        login->cmdOK->click();
        QCOMPARE(program.messages.shown.last().text, store::unsafeNameMessage(".."));
        QVERIFY(!program.exists("tmpUsr"));

        program.writePlain("tmpUsr", {"alt", "alt"});
        login->cboBenutzer->setEditText("anna");
        login->txtPassword->setText("a");
        program.messages.queueOk();
        store::TextFile::setWriteFailureAfter(0);
        login->cmdOK->click();
        store::TextFile::setWriteFailureAfter(-1);
        QCOMPARE(program.messages.shown.last().title, store::ErrorTitle);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"alt", "alt"}));
        QVERIFY(!TestProgram::shown<frmMain>());
        QCOMPARE(TestProgram::shown<frmLogin>(), login);
    }
};

QTEST_MAIN(frmLoginTest)
#include "frmLoginTest.moc"
