#include "exercise/ResultLine.h"

#include "store/NumberText.h"

namespace exercise {

ResultLine ResultLine::parse(const QString& line)
{
    ResultLine result;
    for (qsizetype i = line.indexOf(QStringLiteral("\\\\")); i >= 0;
         i = line.indexOf(QStringLiteral("\\\\"), i + 1)) {
        result.words = store::numericValue(line.left(i));
        result.right = store::numericValue(line.mid(i + 2));
        result.hasSeparator = true;
    }
    return result;
}

} // namespace exercise
