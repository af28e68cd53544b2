#pragma once

#include "store/Outcome.h"
#include "store/TextFile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace store {

// The symmetric line scrambling of every data file: each byte of a line is combined by XOR with
// one element of each key table, the position running 0, 1, 2, 3, 0, ... from the line's start.
// Applying it twice gives the line back.
class Scrambler
{
public:
    // The XOR of the two elements at each position lies between 1 and 31, so every byte from 32
    // upwards stays at 32 or above and no typed character can turn into a line end.
    static constexpr std::array<std::uint8_t, 4> Key1 = {0x5A, 0x3C, 0x71, 0x2E};
    static constexpr std::array<std::uint8_t, 4> Key2 = {0x47, 0x2B, 0x65, 0x39};

    // One value: the same operation scrambles and unscrambles. A line handed over whole is
    // changed in place.
    [[nodiscard]] static QByteArray scramble(const QByteArray& line);
    [[nodiscard]] static QByteArray scramble(QByteArray&& line);
    // The bytes of one line, where they stand.
    static void scrambleInPlace(char* line, qsizetype size);
    // Plain text to its stored bytes, and stored bytes back to plain text.
    [[nodiscard]] static QByteArray scrambleText(const QString& plain);
    [[nodiscard]] static QString unscrambleText(const QByteArray& stored);

    // Whole-file pass: every line of source transformed into destination, which is replaced as a
    // whole (it never exists half written). A missing source gives an empty destination. The
    // destination has exactly as many lines as the source, even for a damaged source. A source
    // that exists but cannot be read is reported and the destination left alone.
    [[nodiscard]] static Outcome passFile(const QString& source, const QString& destination,
                                          Access access = Access::Shared);
};

} // namespace store
