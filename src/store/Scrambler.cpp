#include "store/Scrambler.h"

#include "store/Cp1252.h"
#include "store/TextFile.h"

#include <cstring>

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

// The key repeats every four bytes, so eight bytes at a time take it twice over.
void scrambleInto(char* out, const char* in, qsizetype n)
{
    const std::array<char, 8> wideMask = {kMask[0], kMask[1], kMask[2], kMask[3],
                                          kMask[0], kMask[1], kMask[2], kMask[3]};
    std::uint64_t wide = 0;
    std::memcpy(&wide, wideMask.data(), sizeof wide);
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, in + i, sizeof word);
        word ^= wide;
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < n; ++i)
        out[i] = static_cast<char>(in[i] ^ kMask[static_cast<std::size_t>(i % 4)]);
}

} // namespace

QByteArray Scrambler::scramble(QByteArray line)
{
    if (line.isEmpty())
        return line;
    // A shared line would be copied first and then changed; one pass into a new array instead.
    if (!line.isDetached()) {
        QByteArray out(line.size(), Qt::Uninitialized);
        scrambleInto(out.data(), line.constData(), line.size());
        return out;
    }
    scrambleInto(line.data(), line.constData(), line.size());
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

FileResult Scrambler::passFile(const QString& source, const QString& destination, Access access)
{
    QList<QByteArray> lines;
    if (FileResult read = TextFile::readRawLines(source, lines); !read)
        return read;
    for (QByteArray& line : lines) {
        line = scramble(std::move(line));
        // Only a damaged line can hold a line end once transformed; written as it is, it would
        // split into two and shift every line after it (a user list would pair names with the
        // wrong passwords). The copy keeps one line for each line of the source.
        line.replace('\n', '?').replace('\r', '?');
    }
    return TextFile::writeRawLines(destination, lines, access);
}

} // namespace store
