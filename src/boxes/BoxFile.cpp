#include "boxes/BoxFile.h"

#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QSet>

namespace boxes {

namespace {

constexpr QByteArrayView Separator("\\\\");
constexpr qsizetype DateSize = 10; // yyyy-MM-dd
constexpr qsizetype WordStart = 1 + Separator.size() + DateSize + Separator.size();

// The number written by the digits, or -1 when one is no digit.
int digits(QByteArrayView text)
{
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The word and place of a plain line, or no word when the line is not one the program writes.
std::pair<QString, Place> parseLine(QByteArrayView line)
{
    if (line.size() <= WordStart || line[0] < '0' + FirstBox || line[0] > '0' + LastBox
        || line.sliced(1, Separator.size()) != Separator
        || line.sliced(WordStart - Separator.size(), Separator.size()) != Separator)
        return {};
    const QByteArrayView day = line.sliced(1 + Separator.size(), DateSize);
    if (day[4] != '-' || day[7] != '-')
        return {};
    const QDate answered(digits(day.first(4)), digits(day.sliced(5, 2)), digits(day.sliced(8)));
    if (!answered.isValid() || answered.year() < 1)
        return {};
    return {store::fromCp1252(line.sliced(WordStart)), Place{line[0] - '0', answered}};
}

} // namespace

QByteArray placeLine(const QString& foreign, const Place& place)
{
    return QByteArray::number(place.box) + Separator.toByteArray()
        + place.answered.toString(Qt::ISODate).toLatin1() + Separator.toByteArray()
        + store::toCp1252(foreign);
}

Boxes readBoxFile(const QString& path)
{
    Boxes boxes;
    for (QByteArray& line : store::TextFile::readRawLines(path)) {
        store::Scrambler::scrambleInPlace(line.data(), line.size());
        const auto [foreign, place] = parseLine(line);
        if (foreign.isEmpty())
            continue;
        // The first line of a word counts; the program never writes a second.
        if (!boxes.place(foreign))
            boxes.set(foreign, place);
    }
    return boxes;
}

store::Outcome writeBoxFile(const QString& path, const Boxes& boxes, const QStringList& words)
{
    QList<QByteArray> lines;
    lines.reserve(std::min(boxes.size(), words.size()));
    QSet<QString> written;
    for (const QString& word : words) {
        const std::optional<Place> place = boxes.place(word);
        if (!place || written.contains(word))
            continue;
        written.insert(word);
        lines.append(store::Scrambler::scramble(placeLine(word, *place)));
    }
    return store::TextFile::writeRawLines(path, lines);
}

} // namespace boxes
