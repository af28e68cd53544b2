#include "exercise/AnswerCheck.h"

#include <algorithm>
#include <cmath>

namespace exercise {

QStringList meaningsOf(const QString& side)
{
    return side.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

QString meaningFor(const QString& side, double uniform)
{
    const QStringList meanings = meaningsOf(side);
    const auto count = static_cast<double>(meanings.size());
    // A source that strays outside [0, 1) must not pick a meaning that is not there.
    const double slot = std::isfinite(uniform) ? std::floor(uniform * count) : 0.0;
    const auto index = static_cast<qsizetype>(std::clamp(slot, 0.0, count - 1));
    return meanings[index];
}

bool isRightAnswer(const QString& expected, const QString& typed)
{
    return meaningsOf(expected).contains(typed, Qt::CaseSensitive);
}

} // namespace exercise
