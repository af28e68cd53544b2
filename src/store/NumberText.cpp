#include "store/NumberText.h"

#include <cmath>

namespace store {

QString numberText(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral(" 0");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral(" 1.#INF") : QStringLiteral("-1.#INF");
    // 'g' with 15 digits switches to an exponent below 1E-4 and from 1E15 on, as the number text
    // does; only the spelling of the exponent and the leading zero differ.
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    if (!text.startsWith(QLatin1Char('-')))
        text.prepend(QLatin1Char(' '));
    return text;
}

QString percentText(double value)
{
    QString text = numberText(value);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const qsizetype exponent = text.indexOf(QLatin1Char('E'));
    if (point >= 0 && exponent < 0)
        text.truncate(point + 3);
    return text;
}

double numericValue(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text[j].unicode() < 128 && text[j].isDigit())
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace store
