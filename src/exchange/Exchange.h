#pragma once

#include "boxes/Boxes.h"
#include "store/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Import of word lists from other trainers and export of a lesson for them: delimited text
// (tab, ";" or ",", as spreadsheets and Anki write it) and KVTML 2.0 (KDE's vocabulary trainers).
// Everything works on bytes and values; reading a chosen file is the only file access.
namespace exchange {

struct Pair
{
    QString foreign;
    QString german;
    // The box of the foreign word and the day of its last answer: a KVTML grade, where the file
    // gives both.
    std::optional<boxes::Place> place = {};
    friend bool operator==(const Pair&, const Pair&) = default;
};

// A row of the source that gives no pair of its own.
struct LeftOut
{
    int row = 0;  // the row's number, as Row::number
    QString text; // the row as "foreign = German", as the user sees it
    QString reason;
    bool merged = false; // a duplicate whose meanings went into its first occurrence
};

enum class Format { Delimited, Kvtml };

struct Row
{
    // 1-based: the n-th row of text that holds anything (a spreadsheet's row, even when a quoted
    // field spans lines; "#" lines and blank lines are no rows), or the n-th KVTML entry.
    int number = 0;
    QStringList cells; // as read, trimmed only by the plan; a row may have fewer cells
    // KVTML: the grade of each cell's translation as a box, by column; empty when none has one.
    QList<std::optional<boxes::Place>> places = {};
};

// One lesson (container) of a KVTML file. A nested container is named "outer / inner" and its
// entries also belong to every container around it.
struct KvtmlLesson
{
    QString name;
    QList<qsizetype> rows; // indexes into ImportSource::rows, in file order
};

struct ImportChoice
{
    int foreignColumn = 0;
    int germanColumn = 1;
    bool swapSides = false;
    int kvtmlLesson = -1;   // index into ImportSource::lessons; -1 takes every entry
    bool headerRow = false; // delimited text: the first row names the columns and is no pair
};

// A file read for import. Unless its outcome is done the file gives no rows and no pairs: it is
// refused with the message to show, or unchanged when the user stopped the reading.
struct ImportSource
{
    store::Outcome outcome;
    Format format = Format::Delimited;
    QStringList columns;        // "Spalte 1", ... or the KVTML languages, for the column choice
    int germanColumn = -1;      // the column the file marks as German (a KVTML identifier or
                                // Anki's "#columns:"), or -1
    QList<Row> rows;            // every row, in file order; the first ones serve as preview
    QList<KvtmlLesson> lessons; // KVTML only, in file order, for the lesson choice
    QString lessonName;         // proposal for the new lesson
    QChar separator;            // delimited text only
    // The German column, when the file marks one, is proposed as German side; a first row that
    // looks like column names is proposed as header row.
    ImportChoice proposed;
};

// The names the column choice offers, and the sides proposed for them.
struct ImportColumns
{
    QStringList names;
    int foreign = 0;
    int german = 1;
    bool germanMarked = false; // a name or identifier marks the German column
};

// With headerRow (delimited text only) the first row's cells name the columns.
[[nodiscard]] ImportColumns importColumns(const ImportSource& source, bool headerRow);

// The rows a choice takes, in file order: every row, a KVTML lesson's, or all but a header row.
[[nodiscard]] qsizetype chosenRowCount(const ImportSource& source, const ImportChoice& choice);
[[nodiscard]] const Row& chosenRow(const ImportSource& source, const ImportChoice& choice,
                                   qsizetype k);

// Rows left out that a plan keeps with their text; the others are only counted.
inline constexpr qsizetype MaxLeftOutKept = 1000;

struct ImportPlan
{
    QList<Pair> pairs;
    QList<LeftOut> leftOut;     // the first MaxLeftOutKept rows left out
    qsizetype leftOutTotal = 0; // every row left out, merged duplicates included
    qsizetype mergedTotal = 0;
    bool entries = false; // rows are KVTML entries, not lines
    // E.g. "12 Wortpaare werden importiert, 3 Zeilen werden ausgelassen (davon 1 doppelte
    // zusammengeführt)."; the rows left out are those the left-out list names.
    [[nodiscard]] QString summary() const;
    // The same once the pairs are stored: "12 Wortpaare wurden importiert, ..."
    [[nodiscard]] QString importedSummary() const;
};

// Files above this size are refused before they are read.
inline constexpr qint64 MaxImportBytes = qint64(20) * 1024 * 1024;

// Limits that no real word list reaches. A file beyond one is refused with a message, so that
// neither the time nor the memory reading takes can be driven up by a crafted file.
inline constexpr int MaxColumns = 100;           // cells of a row; languages of a KVTML file
inline constexpr int MaxRows = 200'000;          // lines, or KVTML entries
inline constexpr qsizetype MaxCells = 2'000'000; // rows times their cells
inline constexpr int MaxXmlDepth = 100;          // elements open at once
inline constexpr int MaxXmlAttributes = 50;      // attributes of one element
inline constexpr int MaxLessons = 1000;          // KVTML containers
// Names of lessons and columns are cut to this length, so that every choice fits on one line.
inline constexpr qsizetype MaxNameLength = 100;

// Told now and then how far reading has come, from 0 to 1000; false stops the reading.
using ReadProgress = std::function<bool(int permille)>;

[[nodiscard]] ImportSource readImportFile(const QString& path, const ReadProgress& progress = {});
// The same for bytes already read; fileName gives the extension and the lesson name proposal.
[[nodiscard]] ImportSource readImportData(const QByteArray& bytes, const QString& fileName,
                                          const ReadProgress& progress = {});

// The pairs the chosen columns (and KVTML lesson) give, and every row that gives none.
[[nodiscard]] ImportPlan planImport(const ImportSource& source, const ImportChoice& choice);

// A text trimmed, without an extension such as ".kvtml" or ".csv", and cleared of what a lesson
// name may not hold; never empty.
[[nodiscard]] QString lessonNameProposal(const QString& text);
// The name proposed for the lesson a choice takes: the file's, or that of its KVTML lesson.
[[nodiscard]] QString lessonNameProposal(const ImportSource& source, int kvtmlLesson);

// UTF-8 without BOM, lines ended by "\n", no header lines: plain tab-separated text.
[[nodiscard]] QByteArray exportDelimited(const QList<Pair>& pairs);
// Identifier 0 is the language (with a locale when its name is a common one), 1 is German.
[[nodiscard]] QByteArray exportKvtml(const QList<Pair>& pairs, const QString& language,
                                     const QString& lesson);

} // namespace exchange
