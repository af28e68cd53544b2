#pragma once

#include "results/ResultColumn.h"
#include "store/Outcome.h"

#include <QString>

namespace results {

// The result file of a lesson, every line scrambled: first the totals line (" 15\\ 12", a blank
// before each number), then one record per completed run ("10\\7"), oldest first.
namespace ResultFile {

struct Totals
{
    qint64 words = 0;
    qint64 right = 0;
};

// The totals from the first line; a missing file is created empty first. An empty file, a first
// line without the separator or numbers no run can have produced give totals of 0.
[[nodiscard]] Totals readTotals(const QString& path);

// The two lines a completed run leaves behind.
[[nodiscard]] QString totalsLine(const ResultColumn& totals);
[[nodiscard]] QString runRecord(const ResultColumn& run);

// Rewrites the file as a whole: the new totals line, the stored run records unchanged, the new
// record last. When the write fails the file keeps its old bytes.
[[nodiscard]] store::Outcome storeRun(const QString& path, const ResultColumn& totals,
                                      const ResultColumn& run);

} // namespace ResultFile
} // namespace results
