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

class ScriptedMessages final : public ui::MessageBox
{
public:
    ui::Answer show(QWidget* parent, const QString& text, const QString& title,
                    ui::Buttons buttons, ui::Icon icon) override;

    void queue(ui::Answer answer) { m_answers.enqueue(answer); }
    void queueOk(int count = 1);

    QList<RecordedMessage> shown;
    // Texts of the shown messages, in order.
    [[nodiscard]] QStringList texts() const;
    [[nodiscard]] int pending() const { return static_cast<int>(m_answers.size()); }
    // Called with the screen that owns the box, just before the answer is given.
    std::function<void(QWidget*)> onShow;

private:
    QQueue<ui::Answer> m_answers;
};

struct RecordedInput
{
    QString prompt;
    QString title;
};

class ScriptedInput final : public ui::InputBox
{
public:
    QString ask(QWidget* parent, const QString& prompt, const QString& title) override;
    void queue(const QString& answer) { m_answers.enqueue(answer); }

    QList<RecordedInput> asked;
    [[nodiscard]] int pending() const { return static_cast<int>(m_answers.size()); }

private:
    QQueue<QString> m_answers;
};

class RecordingHelp final : public ui::HelpViewer
{
public:
    void setHelpFile(const QString& path) override { m_file = path; }
    [[nodiscard]] QString helpFile() const override { return m_file; }
    void showHelp(QWidget* parent) override { requests.append(parent); }

    QList<QWidget*> requests;

private:
    QString m_file;
};

class RecordingPrinter final : public ui::Printer
{
public:
    bool print(QWidget*, const QList<ui::PrintLine>& lines) override
    {
        documents.append(lines);
        return true;
    }

    QList<QList<ui::PrintLine>> documents;
};

class RecordingEnd final : public ui::ProgramEnd
{
public:
    void endNow() override { ++requests; }
    int requests = 0;
};

// Gives the queued values, then repeats the last one (0 when none was queued).
class ScriptedRandom final : public ui::RandomSource
{
public:
    double nextUniform() override;
    void queue(double value) { m_values.enqueue(value); }
    int draws = 0;

private:
    QQueue<double> m_values;
    double m_last = 0;
};

} // namespace testing
