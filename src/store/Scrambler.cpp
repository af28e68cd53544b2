#include "store/Scrambler.h"

#include "store/Cp1252.h"
#include "store/TextFile.h"

#include <bit>
#include <cstring>

namespace store {
namespace {

constexpr std::array<char, 4> kMask = {static_cast<char>(Scrambler::Key1[0] ^ Scrambler::Key2[0]),
                                       static_cast<char>(Scrambler::Key1[1] ^ Scrambler::Key2[1]),
                                       static_cast<char>(Scrambler::Key1[2] ^ Scrambler::Key2[2]),
                                       static_cast<char>(Scrambler::Key1[3] ^ Scrambler::Key2[3])};

static_assert((Scrambler::Key1[0] ^ Scrambler::Key2[0]) >= 1
              && (Scrambler::Key1[0] ^ Scrambler::Key2[0]) <= 31);
static_assert((Scrambler::Key1[1] ^ Scrambler::Key2[1]) >= 1
              && (Scrambler::Key1[1] ^ Scrambler::Key2[1]) <= 31);
static_assert((Scrambler::Key1[2] ^ Scrambler::Key2[2]) >= 1
              && (Scrambler::Key1[2] ^ Scrambler::Key2[2]) <= 31);
static_assert((Scrambler::Key1[3] ^ Scrambler::Key2[3]) >= 1
              && (Scrambler::Key1[3] ^ Scrambler::Key2[3]) <= 31);

// The key repeats every four bytes, so a word of eight takes it twice over, and a block of four
// words four times. A block is read whole before it is written, which keeps the in-place case
// right; the compiler does it as one vector load, XOR and store where the processor has vectors
// that wide, and as two or four otherwise. The last few bytes go one by one.
constexpr std::uint64_t kWordMask = std::bit_cast<std::uint64_t>(std::array<char, 8>{
    kMask[0], kMask[1], kMask[2], kMask[3], kMask[0], kMask[1], kMask[2], kMask[3]});

// Where the processor has wider vector registers than the baseline, a copy of the loop for them
// is chosen when the program starts, as memcpy() itself does.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("avx2", "default")))
#endif
void scrambleInto(char* out, const char* in, qsizetype n)
{
    qsizetype i = 0;
    using Block = std::uint64_t __attribute__((vector_size(32)));
    constexpr Block kBlockMask = {kWordMask, kWordMask, kWordMask, kWordMask};
    // Four blocks a round, as memcpy() itself goes, so that the loop costs little beside them.
    for (; i + 128 <= n; i += 128) {
        Block a;
        Block b;
        Block c;
        Block d;
        std::memcpy(&a, in + i, 32);
        std::memcpy(&b, in + i + 32, 32);
        std::memcpy(&c, in + i + 64, 32);
        std::memcpy(&d, in + i + 96, 32);
        a ^= kBlockMask;
        b ^= kBlockMask;
        c ^= kBlockMask;
        d ^= kBlockMask;
        std::memcpy(out + i, &a, 32);
        std::memcpy(out + i + 32, &b, 32);
        std::memcpy(out + i + 64, &c, 32);
        std::memcpy(out + i + 96, &d, 32);
    }
    for (; i + 32 <= n; i += 32) {
        Block block;
        std::memcpy(&block, in + i, sizeof block);
        block ^= kBlockMask;
        std::memcpy(out + i, &block, sizeof block);
    }
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, sizeof word);
        word ^= kWordMask;
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < n; ++i)
        out[i] = static_cast<char>(in[i] ^ kMask[static_cast<std::size_t>(i % 4)]);
}

} // namespace

QByteArray Scrambler::scramble(const QByteArray& line)
{
    // One pass from the line into a new array; copying first would read the bytes twice.
    QByteArray out(line.size(), Qt::Uninitialized);
    scrambleInto(out.data(), line.constData(), line.size());
    return out;
}

QByteArray Scrambler::scramble(QByteArray&& line)
{
    if (!line.isDetached())
        return scramble(std::as_const(line));
    scrambleInto(line.data(), line.constData(), line.size());
    return std::move(line);
}

void Scrambler::scrambleInPlace(char* line, qsizetype size)
{
    scrambleInto(line, line, size);
}

QByteArray Scrambler::scrambleText(const QString& plain)
{
    return scramble(toCp1252(plain));
}

QString Scrambler::unscrambleText(const QByteArray& stored)
{
    return fromCp1252(scramble(stored));
}

Outcome Scrambler::passFile(const QString& source, const QString& destination, Access access)
{
    QList<QByteArray> lines;
    if (Outcome read = TextFile::readRawLines(source, lines); !read)
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
