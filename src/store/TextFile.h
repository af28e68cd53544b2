#pragma once

#include "store/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// Text files of lines ended by CR LF in Windows-1252. Reading accepts CR LF, a lone LF and a
// last line without an end; every line is read whole.
// Who may read a file the program writes: the files that hold passwords in plain text are kept
// to their owner.
enum class Access { Shared, OwnerOnly };

namespace TextFile {

// Lines as stored bytes, without their ends. A missing or unreadable file gives no lines.
[[nodiscard]] QList<QByteArray> readRawLines(const QString& path);
// Lines of a file that is about to be rewritten from them: a file that exists but cannot be read
// is a failure, so a new version is never built from nothing. A missing file has no lines.
[[nodiscard]] Outcome readRawLines(const QString& path, QList<QByteArray>& lines);
// The bytes of a file as stored; a missing file has none. A file that exists but cannot be read
// is a failure.
[[nodiscard]] Outcome readBytes(const QString& path, QByteArray& data);
// Lines decoded from Windows-1252.
[[nodiscard]] QStringList readLines(const QString& path);
// The first line of a file, or an empty text when there is none.
[[nodiscard]] QString readFirstLine(const QString& path);

// Replaces the file as a whole: the new content is written completely and then renamed over the
// old file, so the file is never missing or cut; on failure the old file keeps its bytes.
// Every failure the system reports (open, write, sync, close, rename) is one of the result.
// A stored file is on the disk when this returns; a "tmp" file (working copy, run copy, hand-off
// file) is left to the system's cache, so that editing and drilling never wait for the disk.
[[nodiscard]] Outcome writeRawLines(const QString& path, const QList<QByteArray>& lines,
                                    Access access = Access::Shared);
[[nodiscard]] Outcome writeLines(const QString& path, const QStringList& lines,
                                 Access access = Access::Shared);
[[nodiscard]] Outcome writeBytes(const QString& path, const QByteArray& data,
                                 Access access = Access::Shared);

// Appends lines at the end, creating the file when it is missing; a failed append is cut back.
[[nodiscard]] Outcome appendRawLines(const QString& path, const QList<QByteArray>& lines);
[[nodiscard]] Outcome appendLines(const QString& path, const QStringList& lines);

// Creates the file empty when it is missing; an existing file is left as it is.
Outcome touch(const QString& path);

// How often the program has waited for a file or directory to reach the disk; for measuring.
[[nodiscard]] quint64 syncCount();

// Deletes a file; a missing file counts as deleted.
bool remove(const QString& path);

// The reason of a failure the system reported, in the user's language.
[[nodiscard]] QString reasonFor(int error);

} // namespace TextFile

// Clean-up by pattern: "*" stands for any run of characters, and a trailing ".*" also matches a
// name without any dot ("tmp*.*" matches "tmpX" as well as "tmpX.dat"). Only files are deleted, never directories.
[[nodiscard]] bool matchesPattern(const QString& name, const QString& pattern);
int removeMatching(const QString& directory, const QString& pattern);

} // namespace store
