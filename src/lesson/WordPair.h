#pragma once

#include <QString>

namespace lesson {

// One word-pair line: foreign word, "\\", German meanings, "\\\" and the mark "f" or "r".
struct WordPair
{
    QString foreign;
    QString german;
    QChar mark;
    // False for a line of a damaged file: no pair separator, or too short behind it to hold
    // the mark separator and the mark. Such a line is kept as it stands, never drilled.
    bool valid = false;

    // Splits a line at its first two adjacent backslashes.
    [[nodiscard]] static WordPair parse(const QString& line);
    // The line of a pair; new and changed pairs carry the mark "f".
    [[nodiscard]] static QString line(const QString& foreign, const QString& german,
                                      QChar mark = QLatin1Char('f'));
};

} // namespace lesson
