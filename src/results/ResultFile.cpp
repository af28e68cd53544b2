#include "results/ResultFile.h"

#include "results/ResultLine.h"
#include "store/KeyLine.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <cmath>

namespace results::ResultFile {
namespace {

// Counts stay exact in a double up to 2^53; anything beyond, negative or not a number can only
// come from a file changed outside the program.
qint64 countFrom(double value)
{
    constexpr double Largest = 9007199254740992.0;
    if (!std::isfinite(value) || value < 0 || value > Largest)
        return 0;
    return static_cast<qint64>(value);
}

} // namespace

Totals readTotals(const QString& path)
{
    // A file that cannot be created shows up when the first run is stored.
    store::TextFile::touch(path);
    const QList<QByteArray> lines = store::TextFile::readRawLines(path);
    if (lines.isEmpty())
        return {};
    const ResultLine line = ResultLine::parse(store::Scrambler::unscrambleText(lines.first()));
    if (!line.hasSeparator)
        return {};
    return {countFrom(line.words), countFrom(line.right)};
}

QString totalsLine(const ResultColumn& totals)
{
    return totals.wordsText() + store::KeySeparator + totals.rightText();
}

QString runRecord(const ResultColumn& run)
{
    return QString::number(run.words()) + store::KeySeparator + QString::number(run.right());
}

store::Outcome storeRun(const QString& path, const ResultColumn& totals, const ResultColumn& run)
{
    // The records are kept as stored; an unreadable file is never rebuilt from nothing.
    QList<QByteArray> lines;
    if (store::Outcome read = store::TextFile::readRawLines(path, lines); !read)
        return read;
    if (lines.isEmpty())
        lines.append(QByteArray());
    lines.first() = store::Scrambler::scrambleText(totalsLine(totals));
    lines.append(store::Scrambler::scrambleText(runRecord(run)));
    return store::TextFile::writeRawLines(path, lines);
}

} // namespace results::ResultFile
