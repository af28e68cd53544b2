#pragma once

#include "store/Outcome.h"
#include "ui/ScreenContext.h"

#include <QWidget>

class QPushButton;

namespace ui {

// Common ground of every screen: the context, the help key and button, and the difference
// between leaving a screen by its own way out and closing its window by the frame.
class ScreenBase : public QWidget
{
    Q_OBJECT

public:
    explicit ScreenBase(const ScreenContext& context, QWidget* parent = nullptr);

    // Loads the screen. Returns false when it cannot be shown; it has then told the user why.
    virtual bool Form_Load() = 0;

    // A push button with its objectName and tool-tip. Enter presses it while it has the focus,
    // as a keyboard user expects of a focused button.
    static QPushButton* createButton(QWidget* parent, const QString& name, const QString& caption,
                                     const QString& toolTip = {});

protected:
    [[nodiscard]] const ScreenContext& context() const { return m_context; }
    [[nodiscard]] const store::DataTree& tree() const { return m_context.tree; }
    [[nodiscard]] Services& services() { return m_context.services; }
    [[nodiscard]] Navigator& screens() { return m_context.screens; }

    // Shorthand for a message box owned by this screen.
    Answer message(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
                   Icon icon = Icon::None);

    // The "Hilfe" button every screen carries; it acts as the F1 key does.
    QPushButton* createHelpButton();
    void cmdHelp_Click();

    // Tells the user how a command went, in the words its model chose: a refusal with its text
    // and title (under the error title with the stop sign, otherwise with refusalIcon), a failed
    // file as that file's error, also after a change that was stored. True when it was done.
    bool report(const store::Outcome& outcome, Icon refusalIcon = Icon::None);

    // Closes the screen as part of its own way out, without the frame-close steps.
    void closeScreen();

    // The steps taken when the user closes the window by its frame. Return true when the window
    // may close now; the steps may also have closed it through closeScreen().
    virtual bool Form_QueryUnload() = 0;

    void closeEvent(QCloseEvent* event) override;

private:
    ScreenContext m_context;
    bool m_closing = false;
};

} // namespace ui
