#include "store/Scrambler.h"

#include "store/Cp1252.h"
#include "store/TextFile.h"

namespace store {
namespace {

constexpr std::array<char, 4> kMask = {
    static_cast<char>(Scrambler::Key1[0] ^ Scrambler::Key2[0]),
    static_cast<char>(Scrambler::Key1[1] ^ Scrambler::Key2[1]),
    static_cast<char>(Scrambler::Key1[2] ^ Scrambler::Key2[2]),
    static_cast<char>(Scrambler::Key1[3] ^ Scrambler::Key2[3])};

static_assert((Scrambler::Key1[0] ^ Scrambler::Key2[0]) >= 1 && (Scrambler::Key1[0] ^ Scrambler::Key2[0]) <= 31);
static_assert((Scrambler::Key1[1] ^ Scrambler::Key2[1]) >= 1 && (Scrambler::Key1[1] ^ Scrambler::Key2[1]) <= 31);
static_assert((Scrambler::Key1[2] ^ Scrambler::Key2[2]) >= 1 && (Scrambler::Key1[2] ^ Scrambler::Key2[2]) <= 31);
static_assert((Scrambler::Key1[3] ^ Scrambler::Key2[3]) >= 1 && (Scrambler::Key1[3] ^ Scrambler::Key2[3]) <= 31);

} // namespace

QByteArray Scrambler::scramble(QByteArray line)
{
    char* p = line.data();
    const qsizetype n = line.size();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        p[i] ^= kMask[0];
        p[i + 1] ^= kMask[1];
        p[i + 2] ^= kMask[2];
        p[i + 3] ^= kMask[3];
    }
    for (int k = 0; i < n; ++i, ++k)
        p[i] ^= kMask[static_cast<std::size_t>(k)];
    return line;
}

QByteArray Scrambler::scrambleText(const QString& plain)
{
    return scramble(toCp1252(plain));
}

QString Scrambler::unscrambleText(const QByteArray& stored)
{
    return fromCp1252(scramble(stored));
}

FileResult Scrambler::passFile(const QString& source, const QString& destination)
{
    QList<QByteArray> lines = TextFile::readRawLines(source);
    for (QByteArray& line : lines)
        line = scramble(std::move(line));
    return TextFile::writeRawLines(destination, lines);
}

} // namespace store
