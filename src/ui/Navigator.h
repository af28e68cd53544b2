#pragma once

namespace ui {

// How a screen asks for the next one. The navigation above the screens implements it; a
// screen that cannot load gives way to the screen its show... names.
class Navigator
{
public:
    virtual ~Navigator() = default;
    virtual void showLogin() = 0;
    virtual void showNewUser() = 0;
    virtual void showMain() = 0;
    // Opened from the main screen, which stays in sight until they are painted and then hides;
    // a screen that cannot load falls back to the main screen.
    virtual void showEditor() = 0;
    virtual void showExercise() = 0;
    virtual void showResults() = 0; // falls back to the exercise screen
    // The main screen made visible and enabled again, with its lists as they were.
    virtual void restoreMain() = 0;
};

} // namespace ui
