#include "Doubles.h"

#include <QTest>

namespace testing {

ui::Answer ScriptedMessages::show(QWidget* parent, const QString& text, const QString& title,
                                  ui::Buttons buttons, ui::Icon icon)
{
    shown.append({text, title, buttons, icon});
    if (onShow)
        onShow(parent);
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box \"%1\" (%2)").arg(text, title)),
                     __FILE__, __LINE__);
        return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
    }
    const ui::Answer answer = m_answers.dequeue();
    const bool fits = buttons == ui::Buttons::YesNo ? answer != ui::Answer::Ok
                                                   : answer == ui::Answer::Ok;
    if (!fits)
        QTest::qFail(qPrintable(QStringLiteral("queued answer does not fit the buttons of \"%1\"")
                                    .arg(text)),
                     __FILE__, __LINE__);
    return answer;
}

void ScriptedMessages::queueOk(int count)
{
    for (int i = 0; i < count; ++i)
        m_answers.enqueue(ui::Answer::Ok);
}

QStringList ScriptedMessages::texts() const
{
    QStringList list;
    for (const RecordedMessage& m : shown)
        list.append(m.text);
    return list;
}

QString ScriptedInput::ask(QWidget*, const QString& prompt, const QString& title)
{
    asked.append({prompt, title});
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box \"%1\"").arg(prompt)),
                     __FILE__, __LINE__);
        return {};
    }
    return m_answers.dequeue();
}

double ScriptedRandom::nextUniform()
{
    ++draws;
    if (!m_values.isEmpty())
        m_last = m_values.dequeue();
    return m_last;
}

} // namespace testing
