#pragma once

#include <QString>

namespace store {

// Outcome of a file operation that may fail; error holds a short German reason for the user.
struct FileResult
{
    bool ok = true;
    QString path;
    QString error;

    [[nodiscard]] static FileResult success() { return {}; }
    [[nodiscard]] static FileResult failure(const QString& path, const QString& error)
    {
        return {false, path, error};
    }
    explicit operator bool() const { return ok; }
};

} // namespace store
