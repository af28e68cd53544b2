#include "app/Screens.h"

#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "mainwindow/frmMain.h"
#include "results/frmErgebnis.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"

#include <QDir>
#include <QEvent>
#include <QPointer>

namespace app {
namespace {

// Hides the main screen once the screen that takes over from it has been painted, so that the
// user sees the main screen until then and never an empty desktop. It lives as long as that
// screen, and does nothing when the main screen has been given back meanwhile.
class HandOver final : public QObject
{
public:
    HandOver(QWidget* next, QWidget* main)
        : QObject(next)
        , m_next(next)
        , m_main(main)
    {
        next->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_next && event->type() == QEvent::Paint) {
            m_next->removeEventFilter(this);
            // The painted screen reaches the display at the end of this paint, so the main
            // screen goes in the next pass of the event loop.
            QMetaObject::invokeMethod(this, &HandOver::hideMain, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void hideMain()
    {
        if (m_main && !m_main->isEnabled() && m_next->isVisible())
            m_main->hide();
        deleteLater();
    }

    QWidget* m_next;
    QPointer<QWidget> m_main;
};

} // namespace

Screens::Screens(const QString& programDir, const ui::Services& services)
    : Screens(programDir, QDir(programDir).filePath(store::DataTree::HelpFile), services)
{ }

Screens::Screens(const QString& dataRoot, const QString& helpFile, const ui::Services& services)
    : m_context{store::DataTree(dataRoot), helpFile, services, *this}
{ }

Screens::~Screens()
{
    // The sign-in screen's own clean-up when its object goes at the end of the program.
    if (m_loginLoaded)
        signin::frmLogin::Form_Terminate(m_context.tree);
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
    present(new signin::frmIntro(m_context));
}

void Screens::showLogin()
{
    m_loginLoaded = true;
    present(new signin::frmLogin(m_context));
}

void Screens::showNewUser()
{
    present(new signin::frmNewUser(m_context));
}

void Screens::showMain()
{
    auto* screen = new mainwindow::frmMain(m_context);
    m_main = screen;
    if (!present(screen))
        showLogin();
}

void Screens::showEditor()
{
    takeOverFromMain(new editor::frmEditUnit(m_context));
}

void Screens::showExercise()
{
    takeOverFromMain(new exercise::frmPaukomat(m_context));
}

void Screens::takeOverFromMain(ui::ScreenBase* screen)
{
    // The main screen disabled itself and is still in sight while the lesson loads.
    if (!present(screen))
        restoreMain();
    else if (m_main && m_main->isVisible())
        new HandOver(screen, m_main);
}

void Screens::showResults()
{
    if (!present(new results::frmErgebnis(m_context)))
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
