#pragma once

#include <QString>

namespace store {

// Outcome of a file operation that may fail; error holds a short German reason for the user.
struct FileResult
{
    enum class Kind { Write, Read };

    bool ok = true;
    QString path;
    QString error;
    Kind kind = Kind::Write;
    // What the user knows the file as, e.g. Lektion "Verben"; empty names the file alone.
    QString subject;
    // The message's second line: what the failure means for the user's data.
    QString consequence = QStringLiteral("Der bisherige Inhalt der Datei bleibt erhalten.");

    [[nodiscard]] static FileResult success() { return {}; }
    [[nodiscard]] static FileResult failure(const QString& path, const QString& error,
                                            Kind kind = Kind::Write)
    {
        FileResult result;
        result.ok = false;
        result.path = path;
        result.error = error;
        result.kind = kind;
        return result;
    }
    // Names the file for the user; a success stays a success.
    [[nodiscard]] FileResult about(const QString& what) const
    {
        FileResult named = *this;
        named.subject = what;
        return named;
    }
    [[nodiscard]] FileResult meaning(const QString& text) const
    {
        FileResult named = *this;
        named.consequence = text;
        return named;
    }
    explicit operator bool() const { return ok; }
};

} // namespace store
