#include "lesson/WordPair.h"

#include "store/KeyLine.h"

namespace lesson {

WordPair WordPair::parse(const QString& line)
{
    const store::KeyLine parts = store::splitKeyLine(line);
    WordPair pair;
    pair.foreign = parts.before;
    if (!parts.hasSeparator || parts.after.size() < 4)
        return pair;
    pair.german = parts.after.chopped(4);
    pair.mark = line.back();
    pair.valid = true;
    return pair;
}

QString WordPair::line(const QString& foreign, const QString& german, QChar mark)
{
    return foreign + QStringLiteral("\\\\") + german + QStringLiteral("\\\\\\") + mark;
}

} // namespace lesson
