#pragma once

#include "ui/Services.h"

#include <QList>
#include <QLocale>

#include <memory>
#include <optional>

class QTextToSpeech;

namespace ui {

// Speaks through Qt's speech module and the engine it finds (speech-dispatcher on Debian). The
// engine is made at the first question, not at start, so a slow or missing speech service
// never holds up the program; an engine that fails to start counts as none.
class QtSpeech final : public Speech
{
public:
    QtSpeech();
    ~QtSpeech() override;

    bool engineAvailable() override { return engine() != nullptr; }
    bool voiceAvailable(const QString& locale) override;
    void say(const QString& text, const QString& locale) override;

private:
    QTextToSpeech* engine();
    // The engine's locale that speaks the locale's language, or none.
    [[nodiscard]] std::optional<QLocale> voiceFor(const QString& locale);

    std::unique_ptr<QTextToSpeech> m_engine;
    QList<QLocale> m_locales;
    bool m_tried = false;
};

} // namespace ui
