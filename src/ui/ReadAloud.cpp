#include "ui/ReadAloud.h"

#include "lesson/LanguageLocale.h"
#include "ui/DrawnIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace ui {

ReadAloud::ReadAloud(ui::Speech& speech, QWidget* parent)
    : m_speech(speech)
    , m_button(new QToolButton(parent))
{
    m_button->setObjectName(QStringLiteral("cmdVorlesen"));
    m_button->setIcon(speakerIcon());
    m_button->setToolTip(lesson::ReadAloudTip);
    m_button->setAutoRaise(false);
    m_button->setEnabled(false);
}

void ReadAloud::setLanguage(const QString& language)
{
    m_locale = lesson::localeOfLanguage(language);
    const bool engine = m_speech.engineAvailable();
    const bool voice = engine && !m_locale.isEmpty() && m_speech.voiceAvailable(m_locale);
    m_refusal = lesson::readAloudRefusal(language, engine, voice);
    offer();
}

void ReadAloud::offer(const QString& withheld)
{
    const QString why = m_refusal.isEmpty() ? withheld : m_refusal;
    m_button->setEnabled(why.isEmpty());
    m_button->setToolTip(why.isEmpty() ? lesson::ReadAloudTip : why);
}

void ReadAloud::say(const QString& text)
{
    if (m_refusal.isEmpty() && !text.isEmpty())
        m_speech.say(text, m_locale);
}

QIcon speakerIcon()
{
    const QIcon drawn = ui::drawnIcon([](QPainter& p, qreal s) {
        QPainterPath speaker;
        speaker.moveTo(s * 0.08, s * 0.36);
        speaker.lineTo(s * 0.24, s * 0.36);
        speaker.lineTo(s * 0.46, s * 0.14);
        speaker.lineTo(s * 0.46, s * 0.86);
        speaker.lineTo(s * 0.24, s * 0.64);
        speaker.lineTo(s * 0.08, s * 0.64);
        speaker.closeSubpath();
        p.setPen(QPen(QColor(40, 40, 40), s / 32.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(90, 90, 90));
        p.drawPath(speaker);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 100, 190), s * 0.07, Qt::SolidLine, Qt::RoundCap));
        for (const double r : {0.16, 0.3}) {
            const QRectF ring(s * (0.46 - r), s * (0.5 - r), s * 2 * r, s * 2 * r);
            p.drawArc(ring, -45 * 16, 90 * 16);
        }
    });
    return QIcon::fromTheme(QStringLiteral("audio-volume-high"), drawn);
}

} // namespace ui
