#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

// A control of the window shown.
template <class T = QWidget>
T* in(const char* name)
{
    QWidget* window = TestProgram::visibleWindows().value(0);
    return window ? window->findChild<T*>(name) : nullptr;
}

} // namespace

// The wiring of the sign-in and the new-user screens; the rules they apply are the user list's.
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
        QCOMPARE(QApplication::focusWidget(), names);
        QCOMPARE(names->count(), 3);
        QCOMPARE(names->itemText(1) + '|' + names->currentText(), "anna|"); // file order, none chosen

        // A user goes only after the name, the password and "Ja"; the list is then reloaded.
        program.messages.queueOk();
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(QApplication::focusWidget(), names);
        names->setEditText("anna");
        in<QLineEdit>("txtPassword")->setText("a1");
        program.messages.queue(ui::Answer::No);
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(names->currentText() + in<QLineEdit>("txtPassword")->text(), "annaa1");
        program.messages.queue(ui::Answer::Yes);
        in<QPushButton>("cmdUserLoeschen")->click();
        QCOMPARE(program.messages.texts(), (QStringList{"Benutzer in der Liste wählen !",
                                                        "Soll der Benutzer anna wirklich gelöscht werden ?",
                                                        "Soll der Benutzer anna wirklich gelöscht werden ?"}));
        QCOMPARE(program.messages.shown.last().buttons, ui::Buttons::YesNo);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes({"Jörg Müller-2", " geh eim", "Anna", "a2"}));
        QVERIFY(!program.exists("anna"));
        QCOMPARE(names->itemText(1) + '|' + names->currentText() + in<QLineEdit>("txtPassword")->text(), "Anna|");

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
            byFrame ? (void)TestProgram::shown<frmNewUser>()->close() : in<QPushButton>("cmdCancel")->click();
            QVERIFY(TestProgram::shown<frmLogin>() && !TestProgram::shown<frmNewUser>());
            for (const char* name : {"tmpUsr", "tmpErgShow", "tmpNotiz.txt", "anna/tmpEdit"})
                program.writePlain(name, {"x"});
            byFrame ? (void)TestProgram::shown<frmLogin>()->close() : QTest::keyClick(in("cboBenutzer"), Qt::Key_Escape);
            QCOMPARE(program.end.requests, 1);
            QCOMPARE(program.entries() + program.entries("anna"), (QStringList{"PK.dat", "anna", "tmpEdit"}));
        }
    }
};

QTEST_MAIN(SignInTest)
#include "SignInTest.moc"
