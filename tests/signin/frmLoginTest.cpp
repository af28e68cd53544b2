#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QComboBox>
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

void enter(frmLogin* login, const QString& name, const QString& password)
{
    login->cboBenutzer->setEditText(name);
    login->txtPassword->setText(password);
}

} // namespace

class frmLoginTest : public QObject
{
    Q_OBJECT

private slots:
    void missingListMeansNoUsers()
    {
        TestProgram program;
        program.screens().showLogin();
        auto* login = TestProgram::shown<frmLogin>();
        QVERIFY(login);
        QCOMPARE(program.bytes("PK.dat"), QByteArray());
        QVERIFY(program.exists("PK.dat") && program.exists("tmpPK.dat"));
        QCOMPARE(login->cboBenutzer->count(), 0);
        QCOMPARE(QApplication::focusWidget(), login->cboBenutzer);
    }

    void signsInWithEnterFromEitherBox()
    {
        TestProgram program;
        program.writePlain("tmpUsr", {"alt", "alt", "drei", "vier"});
        frmLogin* login = start(program, {"zora", "z", "anna", "a1", "Anna", "a2"});
        QCOMPARE(items(login->cboBenutzer), (QStringList{"zora", "anna", "Anna"}));
        QCOMPARE(login->cboBenutzer->currentIndex(), -1);
        QCOMPARE(login->cboBenutzer->currentText(), QString());

        QTest::keyClicks(login->cboBenutzer, "anna"); // typed, not picked
        QTest::keyClicks(login->txtPassword, "a1");
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"anna", "a1"}));
        QVERIFY(TestProgram::shown<frmMain>());
        QVERIFY(!TestProgram::shown<frmLogin>());

        program.screens().showLogin();
        login = TestProgram::shown<frmLogin>();
        login->cboBenutzer->setCurrentIndex(2);
        login->txtPassword->setText("a2");
        QTest::keyClick(login->cboBenutzer, Qt::Key_Enter);
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Anna", "a2"}));
        QVERIFY(!TestProgram::shown<frmLogin>());
        QVERIFY(program.messages.shown.isEmpty());
    }

    void wrongPasswordsNeverSignIn()
    {
        TestProgram program;
        frmLogin* login = start(program, {"anna", "a1", "Anna", "a2", "rest"});
        const QList<QPair<QString, QString>> attempts = {
            {"ANNA", "a1"}, {"anna", "a2"}, {"anna", "a1 "}, {"", ""}, {"rest", ""}};
        for (const auto& [name, password] : attempts) {
            enter(login, name, password);
            program.messages.queueOk();
            login->cmdOK->click();
            QCOMPARE(program.messages.shown.last().text, Wrong);
            QCOMPARE(program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
            QCOMPARE(QApplication::focusWidget(), login->txtPassword);
            QCOMPARE(login->txtPassword->selectedText(), password);
            QCOMPARE(login->cboBenutzer->currentText(), name);
        }
        QVERIFY(!program.exists("tmpUsr"));
        QCOMPARE(TestProgram::shown<frmLogin>(), login);
    }

    void deletesAUserOnlyAfterPasswordAndQuestion()
    {
        TestProgram program;
        const QStringList users = {"anna", "a", "bert", "b", "cora", "c"};
        frmLogin* login = start(program, users);
        program.writePlain("bert/Englisch/U1", {"x"});
        program.messages.queueOk(3);
        login->cmdUserLoeschen->click();
        enter(login, "bert", "");
        login->cmdUserLoeschen->click();
        enter(login, "bert", "a");
        login->cmdUserLoeschen->click();
        QCOMPARE(program.messages.texts(),
                 (QStringList{"Benutzer in der Liste wählen !", "Kennwort eingeben !", Wrong}));

        enter(login, "bert", "b");
        program.messages.queue(ui::Answer::No);
        login->cmdUserLoeschen->click();
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Soll der Benutzer bert wirklich gelöscht werden ?"));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(users));
        QCOMPARE(login->txtPassword->text(), QStringLiteral("b"));

        program.messages.queue(ui::Answer::Yes);
        login->cmdUserLoeschen->click();
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes({"anna", "a", "cora", "c"}));
        QVERIFY(!program.exists("bert"));
        QCOMPARE(items(login->cboBenutzer), (QStringList{"anna", "cora"}));
        QCOMPARE(login->cboBenutzer->currentText() + login->txtPassword->text(), QString());
    }

    void escapeAndTheFrameCleanUpAndEnd()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            frmLogin* login = start(program, {"anna", "a"});
            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            if (byFrame)
                login->close();
            else
                QTest::keyClick(login->cboBenutzer, Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries(), (QStringList{"PK.dat", "anna"}));
            QCOMPARE(program.entries("anna"), QStringList{"tmpEdit"});
        }
    }

    void refusesDamagedNamesAndAnUnsavedHandOff()
    {
        TestProgram program;
        frmLogin* login = start(program, {"..", "p", "anna", "a"});
        enter(login, "..", "p");
        program.messages.queueOk(2);
        login->cmdOK->click();
        QCOMPARE(program.messages.shown.last().text, store::unsafeNameMessage(".."));
        QVERIFY(!program.exists("tmpUsr"));

        enter(login, "anna", "a");
        store::TextFile::setWriteFailureAfter(0);
        login->cmdOK->click();
        store::TextFile::setWriteFailureAfter(-1);
        QCOMPARE(program.messages.shown.last().title, store::ErrorTitle);
        QVERIFY(!TestProgram::shown<frmMain>());
        QCOMPARE(TestProgram::shown<frmLogin>(), login);
    }
};

QTEST_MAIN(frmLoginTest)
#include "frmLoginTest.moc"
