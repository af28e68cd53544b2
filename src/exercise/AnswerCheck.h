#pragma once

#include <QString>
#include <QStringList>

namespace exercise {

// The meanings of one side of a word pair: the texts between the ";", blanks kept, empty ones
// included. A side without ";" is a single meaning.
[[nodiscard]] QStringList meaningsOf(const QString& side);

// The meaning that a draw uniform in [0, 1) picks; every meaning has the same chance.
[[nodiscard]] QString meaningFor(const QString& side, double uniform);

// An answer is right when it equals the expected side exactly or, when that side holds several
// meanings, any one of them. Case and blanks count; nothing is trimmed or folded.
[[nodiscard]] bool isRightAnswer(const QString& expected, const QString& typed);

} // namespace exercise
