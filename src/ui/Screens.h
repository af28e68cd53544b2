#pragma once

#include "ui/ScreenContext.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace ui {

class ScreenBase;

// The one place that creates screens. Each show... loads a fresh screen and shows it as an
// ordinary window; a screen that cannot load gives way to the screen named with it. It knows
// the main screen, so the editor and the exercise screen can hand control back to it.
class Screens
{
public:
    Screens(const QString& programDir, const Services& services);
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    [[nodiscard]] const ScreenContext& context() const { return m_context; }

    void showIntro();
    void showLogin();
    void showNewUser();
    void showMain();
    void showEditor();   // falls back to the main screen
    void showExercise(); // falls back to the main screen
    void showResults();  // falls back to the exercise screen

    // The main screen made visible and enabled again, with its lists as they were.
    void restoreMain();
    [[nodiscard]] QWidget* mainScreen() const { return m_main; }

private:
    bool present(ScreenBase* screen);

    ScreenContext m_context;
    QPointer<QWidget> m_main;
    bool m_loginLoaded = false;
};

} // namespace ui
