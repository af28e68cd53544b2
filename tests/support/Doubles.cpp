#include "Doubles.h"

#include <QTest>

namespace testing {

static void fail(const QString& what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

ui::Answer ScriptedMessages::show(QWidget* parent, const QString& text, const QString& title,
                                  ui::Buttons buttons, ui::Icon icon)
{
    shown.append({text, title, buttons, icon});
    if (onShow)
        onShow(parent);
    const bool yesNo = buttons == ui::Buttons::YesNo;
    if (answers.isEmpty())
        fail(QStringLiteral("unexpected message box \"%1\" (%2)").arg(text, title));
    else if (yesNo == (answers.head() == ui::Answer::Ok))
        fail(QStringLiteral("queued answer does not fit the buttons of \"%1\"").arg(text));
    return answers.isEmpty() ? (yesNo ? ui::Answer::No : ui::Answer::Ok) : answers.dequeue();
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
    if (answers.isEmpty())
        fail(QStringLiteral("unexpected input box \"%1\"").arg(prompt));
    return answers.isEmpty() ? QString() : answers.dequeue();
}

QString ScriptedFiles::openFile(QWidget*, const QString& title, const QString&)
{
    if (answers.isEmpty())
        fail(QStringLiteral("unexpected file dialog \"%1\"").arg(title));
    return answers.isEmpty() ? QString() : answers.dequeue().first;
}

QString ScriptedFiles::saveFile(QWidget*, const QString& title, const QString&,
                                const QString& filters, QString* selectedFilter)
{
    if (answers.isEmpty())
        return openFile(nullptr, title, filters);
    const auto [path, filter] = answers.dequeue();
    if (selectedFilter)
        *selectedFilter = filter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : filter;
    return path;
}

} // namespace testing
