#pragma once

#include <QString>

namespace store {

// The key separator: two backslashes side by side. Everywhere, the first two adjacent
// backslashes of a line separate it: a name from its key in the list files, the foreign word
// from the German meanings in a word-pair line.
inline const QString KeySeparator = QStringLiteral("\\\\");

struct KeyLine
{
    QString before; // the whole line when it holds no separator
    QString after;  // everything behind the first separator
    bool hasSeparator = false;
};

[[nodiscard]] KeyLine splitKeyLine(const QString& line);

} // namespace store
