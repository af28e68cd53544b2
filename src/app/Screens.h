#pragma once

#include "ui/Navigator.h"
#include "ui/ScreenContext.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace ui {
class ScreenBase;
}

namespace app {

// The one place that creates screens. Each show... loads a fresh screen and shows it as an
// ordinary window; a screen that cannot load gives way to the screen named with it. It knows
// the main screen, so the editor and the exercise screen can hand control back to it.
class Screens final : public ui::Navigator
{
public:
    // A program directory that holds the data tree and the help file side by side.
    Screens(const QString& programDir, const ui::Services& services);
    // The data tree at dataRoot; the help file where the program is installed.
    Screens(const QString& dataRoot, const QString& helpFile, const ui::Services& services);
    ~Screens() override;
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    [[nodiscard]] const ui::ScreenContext& context() const { return m_context; }

    void showIntro();
    void showLogin() override;
    void showNewUser() override;
    void showMain() override;
    void showEditor() override;
    void showExercise() override;
    void showResults() override;

    void restoreMain() override;
    [[nodiscard]] QWidget* mainScreen() const { return m_main; }

private:
    bool present(ui::ScreenBase* screen);
    // Shows a screen opened from the main screen, which is hidden once that screen is painted.
    void takeOverFromMain(ui::ScreenBase* screen);

    ui::ScreenContext m_context;
    QPointer<QWidget> m_main;
    bool m_loginLoaded = false;
};

} // namespace app
