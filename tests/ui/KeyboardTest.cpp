#include "Drive.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

using namespace drive;

namespace {

// Makes the window the active one, as the window manager would; returns its focus widget.
QWidget* focusIn(QWidget* window)
{
    if (!window)
        return nullptr;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window) ? QApplication::focusWidget() : nullptr;
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// Tab walks through the widgets in this order, from the first round to the first again.
bool tabsThrough(const QList<QWidget*>& order)
{
    for (int i = 1; i <= order.size(); ++i) {
        press(Qt::Key_Tab);
        if (QApplication::focusWidget() != order[i % order.size()])
            return false;
    }
    return true;
}

// Alt and the menu's access key, then the entry's access key.
void menu(int menuKey, QMenu* expected, int entryKey)
{
    press(menuKey, Qt::AltModifier);
    QCOMPARE(QApplication::activePopupWidget(), expected);
    QTest::keyClick(expected, Qt::Key(entryKey));
    QVERIFY(!QApplication::activePopupWidget());
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void signUpAndSignInByKeys()
    {
        TestProgram p;
        p.writeScrambled("PK.dat", {"anna", "geheim"});
        p.screens().showLogin();
        auto* login = only<frmLogin>();
        QCOMPARE(focusIn(login), login->cboBenutzer);
        QVERIFY(tabsThrough({login->cboBenutzer, login->txtPassword, login->cmdOK, login->cmdCancel,
                             login->cmdNeuerUser, login->cmdUserLoeschen, login->cmdHelp}));

        // Alt+N; a button's access key clicks it a moment later, as a click is animated.
        press(Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(only<frmNewUser>());
        auto* newUser = only<frmNewUser>();
        QCOMPARE(focusIn(newUser), newUser->txtBenutzerName);
        QVERIFY(tabsThrough({newUser->txtBenutzerName, newUser->txtKennwort1, newUser->txtKennwort2,
                             newUser->cmdNimmNutzer, newUser->cmdCancel, newUser->cmdHelp}));
        for (const QString text : {"Jürgen", "pw", "pw"}) {
            type(QApplication::focusWidget(), text);
            press(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), newUser->cmdNimmNutzer);
        press(Qt::Key_Return);

        // The name typed, Alt+K to the password, Enter signs in.
        login = only<frmLogin>();
        QCOMPARE(focusIn(login), login->cboBenutzer);
        type(login->cboBenutzer, "Jürgen");
        press(Qt::Key_K, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), login->txtPassword);
        type(login->txtPassword, "pw");
        press(Qt::Key_Return);
        QVERIFY(only<frmMain>());
        QCOMPARE(p.bytes("tmpUsr"), TestProgram::plainBytes({"Jürgen", "pw"}));
    }

    void menusAndOneDrillByKeys()
    {
        TestProgram p;
        p.writePlain("tmpUsr", {"anna"});
        p.screens().showMain();
        auto* main = only<frmMain>();
        QCOMPARE(focusIn(main), main->lstSprachen);
        p.input.queue("Englisch");
        menu(Qt::Key_S, main->mnuSprache, Qt::Key_N);
        p.input.queue("Lektion 1");
        menu(Qt::Key_L, main->mnuLektionen, Qt::Key_N);
        QCOMPARE(p.input.asked.size(), 2);
        QCOMPARE(p.input.asked[1].prompt, "Geben Sie den Namen der Lektion ein...");

        p.writeScrambled("anna/Englisch/U1", {pair("the", "der;die;das", 'f')});

        // Tab order round the screen; Shift+Tab from the first widget reaches the start button.
        QVERIFY(tabsThrough({main->lstSprachen, main->lstLektionen, main->btnEnd, main->cmdHelp,
                             main->BtnGo}));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), main->BtnGo);
        press(Qt::Key_Space);

        // One run: Space starts it, the answer is typed and Enter judges it.
        auto* drill = only<frmPaukomat>();
        QCOMPARE(focusIn(drill), drill->cmdStartUebung);
        press(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), drill->txtLoesung);
        QCOMPARE(drill->lblVorgabe->text(), "the");
        type(drill->txtLoesung, "die");
        p.messages.queueOk();
        press(Qt::Key_Return);
        QCOMPARE(drill->lblErgebnisGesamt[6]->text(), " 1");
        QCOMPARE(QApplication::focusWidget(), drill->cmdStartUebung);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), drill->cmdCancel);
        press(Qt::Key_Space);
        QCOMPARE(p.readScrambled("anna/Englisch/U1"), QStringList{pair("the", "der;die;das", 'r')});

        // And out through the end button.
        QCOMPARE(focusIn(only<frmMain>()), main->lstSprachen);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main->btnEnd);
        p.messages.queue(ui::Answer::Yes);
        press(Qt::Key_Space);
        QCOMPARE(p.end.requests, 1);
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
