#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace store {

// A message for the user and the title of its box.
struct Message
{
    QString text;
    QString title;
};

// A read or write that failed; reason is a short German reason for the user.
struct FileFailure
{
    enum class Kind { Write, Read };

    QString path;
    QString reason;
    Kind kind = Kind::Write;
    // What the user knows the file as, e.g. Lektion "Verben"; empty names the file alone.
    QString subject;
    // The message's second line: what the failure means for the user's data.
    QString consequence = QStringLiteral("Der bisherige Inhalt der Datei bleibt erhalten.");
};

// How a command went, for the screen to show: done, done without changing anything (the user
// cancelled, or there was nothing to do), refused with the message the user is to see, or
// failed on a file. A command that stored its change but failed on a later step is done and
// still carries that failure.
struct Outcome
{
    enum class Status { Done, Unchanged, Refused, Failed };

    Status status = Status::Done;
    Message message; // Refused: what to show; Unchanged: why, when the command says so
    std::optional<FileFailure> failure;

    [[nodiscard]] static Outcome done() { return {}; }
    [[nodiscard]] static Outcome done(const Outcome& later)
    {
        return {Status::Done, {}, later.failure};
    }
    [[nodiscard]] static Outcome unchanged(const QString& why = {})
    {
        return {Status::Unchanged, {why, {}}, {}};
    }
    [[nodiscard]] static Outcome refused(const QString& text, const QString& title)
    {
        return {Status::Refused, {text, title}, {}};
    }
    [[nodiscard]] static Outcome failed(FileFailure failure)
    {
        return {Status::Failed, {}, std::move(failure)};
    }
    [[nodiscard]] static Outcome failed(const QString& path, const QString& reason,
                                        FileFailure::Kind kind = FileFailure::Kind::Write)
    {
        FileFailure failure;
        failure.path = path;
        failure.reason = reason;
        failure.kind = kind;
        return failed(std::move(failure));
    }

    [[nodiscard]] bool ok() const { return status == Status::Done; }
    explicit operator bool() const { return ok(); }

    // Names the failed file for the user; any other outcome stays as it is.
    [[nodiscard]] Outcome about(const QString& subject) const
    {
        Outcome named = *this;
        if (named.failure)
            named.failure->subject = subject;
        return named;
    }
    [[nodiscard]] Outcome meaning(const QString& consequence) const
    {
        Outcome named = *this;
        if (named.failure)
            named.failure->consequence = consequence;
        return named;
    }
};

// A value found or made by a command, beside how the command went; the value counts only when
// the outcome is done, unless the command says what it holds after a refusal.
template <class Value> struct Result
{
    Value value{};
    Outcome outcome;

    [[nodiscard]] bool ok() const { return outcome.ok(); }
};

} // namespace store
