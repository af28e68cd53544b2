#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace results {

// One completed run as the progress chart shows it. A damaged record (no separator, no words,
// more right answers than words) has neither percentage nor grade and gets no bar.
struct RunScore
{
    std::optional<double> percent;
    // 1 (best) to 6; 0 when the record has no percentage.
    int grade = 0;

    [[nodiscard]] bool hasBar() const { return percent.has_value(); }
    friend bool operator==(const RunScore&, const RunScore&) = default;
};

// The runs of a lesson, oldest first, from its result file's lines as stored (scrambled): the
// totals line, which is skipped, then one record per run. Every record gives one entry, so the
// k-th entry is the run listed as number k beside the chart.
[[nodiscard]] QList<RunScore> readRunHistory(const QList<QByteArray>& storedLines);

} // namespace results
