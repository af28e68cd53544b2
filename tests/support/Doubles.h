#pragma once

#include "ui/Services.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// Scripted doubles of the platform services. Every message and every input box needs an answer
// queued beforehand; one that meets an empty queue fails the running test.
namespace testing {

struct RecordedMessage
{
    QString text;
    QString title;
    ui::Buttons buttons = ui::Buttons::Ok;
    ui::Icon icon = ui::Icon::None;
};

struct ScriptedMessages final : ui::MessageBox
{
    ui::Answer show(QWidget* parent, const QString& text, const QString& title, ui::Buttons buttons,
                    ui::Icon icon) override;

    void queue(ui::Answer answer) { answers.enqueue(answer); }
    void queueOk(int count = 1) { answers.append(QList<ui::Answer>(count, ui::Answer::Ok)); }
    // Texts of the shown messages, in order.
    [[nodiscard]] QStringList texts() const;

    QList<RecordedMessage> shown;
    // Called with the screen that owns the box, just before the answer is given.
    std::function<void(QWidget*)> onShow;
    QQueue<ui::Answer> answers;
};

struct RecordedInput
{
    QString prompt;
    QString title;
};

struct ScriptedInput final : ui::InputBox
{
    QString ask(QWidget* parent, const QString& prompt, const QString& title) override;
    void queue(const QString& answer) { answers.enqueue(answer); }

    QList<RecordedInput> asked;
    QQueue<QString> answers;
};

// Recorders of what the screens asked for.
struct RecordingHelp final : ui::HelpViewer
{
    void setHelpFile(const QString& path) override { file = path; }
    [[nodiscard]] QString helpFile() const override { return file; }
    void showHelp(QWidget* parent) override { requests.append(parent); }
    QString file;
    QList<QWidget*> requests;
};

// What a document handed to the printer held: its lines with their columns, whether it had
// page numbers, and whether a chart came along.
struct RecordedDocument
{
    QList<ui::PrintLine> lines;
    bool pageNumbers = false;
    bool chart = false;
};

struct RecordingPrinter final : ui::Printer
{
    bool printDocument(QWidget*, const ui::PrintDocument& document) override
    {
        printedDocuments.append({document.lines, document.pageNumbers, bool(document.chart)});
        return true;
    }
    // The documents in the order printed.
    QList<RecordedDocument> printedDocuments;
};

struct RecordingEnd final : ui::ProgramEnd
{
    void endNow() override { ++requests; }
    int requests = 0;
};

// Gives the queued values, then repeats the last one (0 when none was queued).
struct ScriptedRandom final : ui::RandomSource
{
    double nextUniform() override { return last = values.isEmpty() ? last : values.dequeue(); }
    void queue(double value) { values.enqueue(value); }
    QQueue<double> values;
    double last = 0;
};

// Answers file dialogs from a queue of paths; the filter chosen on saving is the first one,
// unless a filter is queued beside the path.
struct ScriptedFiles final : ui::FileDialogs
{
    QString openFile(QWidget*, const QString& title, const QString& filters) override;
    QString saveFile(QWidget*, const QString& title, const QString& proposedName,
                     const QString& filters, QString* selectedFilter) override;
    void queue(const QString& path, const QString& filter = {}) { answers.enqueue({path, filter}); }

    QQueue<std::pair<QString, QString>> answers;
};

// A speech output with the voices listed; it records what it was asked to say.
struct RecordingSpeech final : ui::Speech
{
    bool engineAvailable() override { return true; }
    bool voiceAvailable(const QString& locale) override { return voices.contains(locale); }
    void say(const QString& text, const QString& locale) override { spoken << locale + ':' + text; }

    QStringList voices{QStringLiteral("en")};
    // "locale:text" for every word spoken, in order.
    QStringList spoken;
};

} // namespace testing
