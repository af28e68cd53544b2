#pragma once

#include "ui/Services.h"

#include <QIcon>
#include <QString>

class QToolButton;
class QWidget;

namespace ui {

// The speaker button beside a foreign word. It speaks in the voice of the lesson's language;
// where that cannot be, it is disabled and its tool-tip says why.
class ReadAloud
{
public:
    ReadAloud(ui::Speech& speech, QWidget* parent);

    [[nodiscard]] QToolButton* button() const { return m_button; }
    // Looks for the language's voice, once the lesson is known, and offers the button.
    void setLanguage(const QString& language);
    // Empty when the language can be read aloud, otherwise why not.
    [[nodiscard]] const QString& refusal() const { return m_refusal; }
    // Offers the button, or withholds it for the reason given, which its tool-tip then says.
    void offer(const QString& withheld = {});
    // Speaks a word of the language; nothing when it cannot be read aloud or is empty.
    void say(const QString& text);

private:
    ui::Speech& m_speech;
    QToolButton* m_button;
    QString m_locale;
    QString m_refusal;
};

// A loudspeaker with sound waves: the desktop theme's, or drawn where the theme has none.
[[nodiscard]] QIcon speakerIcon();

} // namespace ui
