#include "results/ResultLine.h"

#include "store/NumberText.h"

namespace results {

ResultLine ResultLine::parse(const QString& line)
{
    // Each separator sets both numbers anew, so the last one decides. Taking only that one keeps
    // a damaged line full of backslashes from costing a copy of the line for each of them.
    ResultLine result;
    const qsizetype i = line.lastIndexOf(QStringLiteral("\\\\"));
    if (i < 0)
        return result;
    result.words = store::numericValue(line.left(i));
    result.right = store::numericValue(line.mid(i + 2));
    result.hasSeparator = true;
    return result;
}

} // namespace results
