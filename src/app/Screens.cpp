#include "app/Screens.h"

#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"

#include <QDir>

namespace app {

Screens::Screens(const QString& programDir, const ui::Services& services)
    : Screens(programDir, QDir(programDir).filePath(store::DataTree::HelpFile), services)
{
}

Screens::Screens(const QString& dataRoot, const QString& helpFile, const ui::Services& services)
    : m_context{store::DataTree(dataRoot), helpFile, services, *this}
{
}

Screens::~Screens()
{
    // The sign-in screen's own clean-up when its object goes at the end of the program.
    if (m_loginLoaded)
        frmLogin::Form_Terminate(m_context.tree);
}

bool Screens::present(ui::ScreenBase* screen)
{
    if (!screen->Form_Load()) {
        delete screen;
        return false;
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
    return true;
}

void Screens::showIntro()
{
    present(new frmIntro(m_context));
}

void Screens::showLogin()
{
    m_loginLoaded = true;
    present(new frmLogin(m_context));
}

void Screens::showNewUser()
{
    present(new frmNewUser(m_context));
}

void Screens::showMain()
{
    auto* screen = new frmMain(m_context);
    m_main = screen;
    if (!present(screen))
        showLogin();
}

void Screens::showEditor()
{
    if (!present(new frmEditUnit(m_context)))
        restoreMain();
}

void Screens::showExercise()
{
    if (!present(new frmPaukomat(m_context)))
        restoreMain();
}

void Screens::showResults()
{
    if (!present(new frmErgebnis(m_context)))
        showExercise();
}

void Screens::restoreMain()
{
    if (!m_main)
        return;
    m_main->setVisible(true);
    m_main->setEnabled(true);
    m_main->raise();
    m_main->activateWindow();
}

} // namespace app
