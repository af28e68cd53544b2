#include "store/KeyLine.h"

namespace store {

KeyLine splitKeyLine(const QString& line)
{
    const qsizetype at = line.indexOf(KeySeparator);
    if (at < 0)
        return {line, {}, false};
    return {line.left(at), line.mid(at + 2), true};
}

} // namespace store
