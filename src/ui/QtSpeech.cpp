#include "ui/QtSpeech.h"

#include <QTextToSpeech>

namespace ui {

QtSpeech::QtSpeech() = default;
QtSpeech::~QtSpeech() = default;

QTextToSpeech* QtSpeech::engine()
{
    if (m_tried)
        return m_engine.get();
    m_tried = true;
    if (QTextToSpeech::availableEngines().isEmpty())
        return nullptr;
    m_engine = std::make_unique<QTextToSpeech>();
    if (m_engine->state() == QTextToSpeech::Error) {
        m_engine.reset();
        return nullptr;
    }
    m_locales = m_engine->availableLocales();
    return m_engine.get();
}

std::optional<QLocale> QtSpeech::voiceFor(const QString& locale)
{
    if (locale.isEmpty() || !engine())
        return std::nullopt;
    // "en" asks for the language only; any country's voice of it will do.
    const QLocale::Language language = QLocale(locale).language();
    if (language == QLocale::C || language == QLocale::AnyLanguage)
        return std::nullopt;
    for (const QLocale& l : std::as_const(m_locales))
        if (l.language() == language)
            return l;
    return std::nullopt;
}

bool QtSpeech::voiceAvailable(const QString& locale)
{
    return voiceFor(locale).has_value();
}

void QtSpeech::say(const QString& text, const QString& locale)
{
    const std::optional<QLocale> voice = voiceFor(locale);
    if (!voice || text.isEmpty())
        return;
    if (m_engine->locale() != *voice)
        m_engine->setLocale(*voice);
    m_engine->stop();
    m_engine->say(text);
}

} // namespace ui
