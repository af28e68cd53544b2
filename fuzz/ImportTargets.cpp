#include "FuzzTargets.h"

#include "exchange/Exchange.h"
#include "lesson/LessonFile.h"
#include "library/ListFile.h"
#include "store/Cp1252.h"
#include "store/TextRules.h"

#include <QSet>

#include <algorithm>

namespace fuzz {
namespace {

using namespace exchange;

// A pair as the import takes it into a lesson: trimmed, a foreign word a lesson line can hold
// and at least one meaning.
bool storable(const Pair& p)
{
    const QStringList meanings = p.german.split(QLatin1Char(';'));
    return !p.foreign.isEmpty() && p.foreign == p.foreign.trimmed()
        && p.german == p.german.trimmed()
        && std::any_of(meanings.cbegin(), meanings.cend(),
                       [](const QString& m) { return !m.trimmed().isEmpty(); })
        && lesson::foreignWordProblem(p.foreign).isEmpty()
        && store::unstorableTextMessage(p.german).isEmpty();
}

void checkPlan(const ImportSource& source, const ImportChoice& choice)
{
    const ImportPlan plan = planImport(source, choice);
    QList<qsizetype> picked;
    const bool header = choice.headerRow && source.format == Format::Delimited;
    if (choice.kvtmlLesson < 0)
        for (qsizetype i = header ? 1 : 0; i < source.rows.size(); ++i)
            picked.append(i);
    else if (choice.kvtmlLesson < source.lessons.size())
        picked = source.lessons[choice.kvtmlLesson].rows;
    expect(plan.pairs.size() + plan.leftOutTotal == picked.size(),
           "every row taken gives a pair or a reason");
    expect(plan.leftOut.size() == std::min(plan.leftOutTotal, MaxLeftOutKept),
           "the left-out list keeps the first rows left out, and only those");

    QSet<QString> words;
    for (const Pair& pair : plan.pairs) {
        expect(storable(pair), "every planned pair can be stored as it is");
        words.insert(pair.foreign);
    }
    expect(words.size() == plan.pairs.size(), "no foreign word is planned twice");

    QSet<int> numbers;
    for (const qsizetype i : std::as_const(picked))
        numbers.insert(source.rows[i].number);
    QSet<int> named;
    for (const LeftOut& left : plan.leftOut) {
        expect(numbers.contains(left.row), "a left-out row is one of the rows taken");
        expect(!left.reason.isEmpty(), "a left-out row has its reason");
        named.insert(left.row);
    }
    expect(named.size() == plan.leftOut.size(), "the left-out list names each row once");
}

int checkImport(const QByteArray& bytes, const QString& fileName)
{
    const ImportSource source = readImportData(bytes, fileName);
    if (!source.outcome.ok()) {
        expect(source.rows.isEmpty() && source.columns.isEmpty(), "a refused file gives no rows");
        return 0;
    }
    const qsizetype columns = source.columns.size();
    expect(columns >= 2, "a file read has two columns to choose from");
    expect(!source.rows.isEmpty(), "a file read has rows");
    int previous = 0;
    for (const Row& row : source.rows) {
        expect(row.cells.size() <= columns, "no row has a cell beyond the columns");
        expect(row.number > previous, "each row starts on a line or entry of its own");
        previous = row.number;
    }
    for (const KvtmlLesson& lesson : source.lessons)
        for (qsizetype i = 0; i < lesson.rows.size(); ++i)
            expect(lesson.rows[i] >= 0 && lesson.rows[i] < source.rows.size()
                       && (i == 0 || lesson.rows[i - 1] < lesson.rows[i]),
                   "a lesson of the file takes its rows once each, in file order");
    const ImportChoice& proposed = source.proposed;
    expect(proposed.foreignColumn >= 0 && proposed.foreignColumn < columns
               && proposed.germanColumn >= 0 && proposed.germanColumn < columns
               && proposed.foreignColumn != proposed.germanColumn,
           "the proposed sides are two columns of the file");
    for (const bool header : {false, true}) {
        const ImportColumns named = importColumns(source, header);
        expect(named.names.size() == columns && named.foreign >= 0 && named.foreign < columns
                   && named.german >= 0 && named.german < columns && named.foreign != named.german,
               "with or without a header row, the sides are two of the columns, each named");
    }
    expect(!source.lessonName.isEmpty()
               && lessonNameProposal(source.lessonName) == source.lessonName,
           "the proposed lesson name is one a lesson can have");

    ImportChoice swapped = proposed;
    swapped.swapSides = true;
    swapped.headerRow = !proposed.headerRow;
    QList<ImportChoice> choices = {
        proposed, swapped, {int(columns - 1), 0, false, -1}, {0, int(columns), false, -1}};
    for (int i = 0; i < std::min<qsizetype>(source.lessons.size(), 3); ++i) {
        choices.append(proposed);
        choices.last().kvtmlLesson = i;
    }
    for (const ImportChoice& choice : std::as_const(choices))
        checkPlan(source, choice);
    return 0;
}

int importWithName(const std::uint8_t* data, std::size_t size, const char* const (&names)[4])
{
    if (size == 0)
        return 0;
    return checkImport(bytesOf(data + 1, size - 1), QString::fromLatin1(names[data[0] % 4]));
}

// A name the user could have given a language or lesson.
bool listName(const QString& name)
{
    return !name.isEmpty() && name == name.trimmed() && name.size() <= 100
        && library::forbiddenCharacterMessage(name).isEmpty()
        && store::unstorableTextMessage(name).isEmpty();
}

} // namespace

// Mostly KVTML names; a text name tells whether the content alone decides the reader.
int fuzzKvtml(const std::uint8_t* data, std::size_t size)
{
    static const char* const names[4] = {"Wortliste.kvtml", "Wortliste.KVTML", "Wortliste.xml",
                                         "Wortliste.txt"};
    return importWithName(data, size, names);
}

int fuzzDelimited(const std::uint8_t* data, std::size_t size)
{
    static const char* const names[4] = {"Wortliste.csv", "Wortliste.txt", "Wortliste.tsv",
                                         "Wortliste.kvtml"};
    return importWithName(data, size, names);
}

// Windows-1252 lines: the language, the lesson, then foreign word and meanings by turns. Pairs a
// lesson cannot hold, and repeated foreign words, are dropped before the export.
int fuzzRoundTrip(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = store::fromCp1252(bytesOf(data, size)).split(QLatin1Char('\n'));
    const QString language = listName(lines.value(0)) ? lines.value(0) : QStringLiteral("Englisch");
    const QString lesson = listName(lines.value(1)) ? lines.value(1) : QStringLiteral("Verben");
    QList<Pair> pairs;
    QSet<QString> words;
    for (qsizetype i = 2; i + 1 < lines.size(); i += 2) {
        const Pair pair{lines[i], lines[i + 1]};
        if (storable(pair) && !words.contains(pair.foreign)) {
            words.insert(pair.foreign);
            pairs.append(pair);
        }
    }
    if (pairs.isEmpty())
        return 0;

    for (const bool kvtml : {false, true}) {
        const QByteArray file =
            kvtml ? exportKvtml(pairs, language, lesson) : exportDelimited(pairs);
        const ImportSource source = readImportData(
            file, lesson + (kvtml ? QStringLiteral(".kvtml") : QStringLiteral(".tsv")));
        expect(source.outcome.ok(), "an exported lesson can be read");
        expect(source.lessonName == lessonNameProposal(lesson),
               "an exported lesson is proposed under its name");
        // A first pair that looks like column names is proposed as header row; the user unticks it,
        // and the sides are proposed afresh.
        const ImportColumns named = importColumns(source, false);
        const ImportChoice asPairs{named.foreign, named.german, false, -1, false};
        const ImportPlan plan = planImport(source, asPairs);
        expect(plan.leftOut.isEmpty(), "no exported pair is left out");
        expect(plan.pairs == pairs, "the exported pairs come back in their order and sides");
        if (kvtml) {
            ImportChoice whole = asPairs;
            whole.kvtmlLesson = 0;
            expect(source.lessons.size() == 1 && planImport(source, whole).pairs == pairs,
                   "the one lesson of an exported KVTML file holds every pair");
        }
    }
    return 0;
}

} // namespace fuzz
