#pragma once

#include "exchange/Exchange.h"
#include "lesson/WordPair.h"
#include "store/Outcome.h"

#include <QList>
#include <QString>

// Writing a lesson out for spreadsheets and other trainers, and the file choices around it.
namespace exchange {

// The name filters of the file dialogs; the first export filter is the default.
inline const QString ImportFilters =
    QStringLiteral("Wortlisten (*.txt *.tsv *.tab *.csv *.kvtml *.xml);;Alle Dateien (*)");
inline const QString DelimitedFilter = QStringLiteral("Tabulatorgetrennter Text (*.tsv *.txt)");
inline const QString KvtmlFilter = QStringLiteral("KVTML 2.0 für KWordQuiz und Parley (*.kvtml)");
inline const QString ExportFilters = DelimitedFilter + QStringLiteral(";;") + KvtmlFilter;

struct ExportTarget
{
    QString path;
    Format format = Format::Delimited;
};

// The file and format for a name chosen in the save dialog: a ".kvtml" or ".xml" name, or the
// KVTML filter, gives KVTML; a name without extension gets the one of its format.
[[nodiscard]] ExportTarget exportTarget(const QString& chosenPath, const QString& selectedFilter);

// The valid pairs of a lesson in file order, each with its place in the boxes where it has one;
// damaged lines are no pairs.
[[nodiscard]] QList<Pair> pairsOf(const QList<lesson::WordPair>& lesson,
                                  const boxes::Boxes& boxes = {});

// Writes the pairs as a whole (never a half-written file); the failure names the export file.
[[nodiscard]] store::Outcome exportLesson(const ExportTarget& target, const QList<Pair>& pairs,
                                          const QString& language, const QString& lesson);

// What the user is told after a successful export.
[[nodiscard]] QString exportedMessage(const QString& lesson, const ExportTarget& target,
                                      qsizetype pairs);

} // namespace exchange
