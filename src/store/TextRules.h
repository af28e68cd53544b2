#pragma once

#include "store/Outcome.h"

#include <QString>

namespace store {

// What the files can hold. Every check returns an empty text when the input is fine, otherwise
// the German message that tells the user why it is refused.

// Text typed by the user: every character must have a Windows-1252 code, and control characters
// (tab, line breaks, ...) would split a line of a file.
[[nodiscard]] QString unstorableTextMessage(const QString& text);

// A name that becomes a directory name must stay within the file system's 255 bytes.
[[nodiscard]] QString tooLongNameMessage(const QString& name);

// A name read back from a file may only become part of a path when it holds no "/" or NUL and
// is neither "." nor ".." (only a file changed outside the program can hold such a name).
[[nodiscard]] bool isSafePathName(const QString& name);
[[nodiscard]] QString unsafeNameMessage(const QString& name);

// The message for a lesson whose file exists but cannot be opened; its title is ErrorTitle.
[[nodiscard]] QString lessonInaccessibleMessage(const QString& lesson, const QString& path,
                                                const QString& reason);

// The message for a failed read or write, naming the file as the user knows it.
[[nodiscard]] QString failureMessage(const FileFailure& failure);
// The same for the file failure an outcome carries; empty when it carries none.
[[nodiscard]] QString failureMessage(const Outcome& outcome);

// Characters a language or lesson name may not hold. The backslash among them keeps the key
// separator out of every name; "/" and "." keep language directory names inside the tree.
inline const QString ForbiddenListNameCharacters = QStringLiteral("!§$%&/()=?'*+~.:,;<>|{[]}\\#@^");

// How messages name a lesson and its results.
[[nodiscard]] QString lessonSubject(const QString& lesson);
[[nodiscard]] QString resultsSubject(const QString& lesson);

// The titles of the program's messages, and of those that report an error.
inline const QString MessageTitle = QStringLiteral("Paukomat V1.1");
inline const QString ErrorTitle = QStringLiteral("Paukomat V1.1  -  Fehler");

} // namespace store
