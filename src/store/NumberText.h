#pragma once

#include <QString>

namespace store {

// Number text: one blank before a number that is not negative, "." as decimal point, up to 15
// significant digits and no digit before the point below 1 (7 -> " 7", 0.5 -> " .5").
[[nodiscard]] QString numberText(double value);

// Percentage text: the number text cut two characters after the ".", never rounded
// (200/3 -> " 66.66").
[[nodiscard]] QString percentText(double value);

// The number written at the beginning of a text, blanks before it ignored; 0 when the text does
// not begin with a number.
[[nodiscard]] double numericValue(const QString& text);

} // namespace store
