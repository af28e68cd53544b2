#pragma once

#include "handoff/HandOff.h"
#include "results/RunHistory.h"
#include "store/DataTree.h"
#include "store/Outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace results {

// What a printed line of the results is: the title lines, the totals or a run.
enum class PrintStyle { Title, Totals, Runs };

struct PrintedLine
{
    QString text;
    PrintStyle style = PrintStyle::Runs;

    friend bool operator==(const PrintedLine&, const PrintedLine&) = default;
};

// The stored results of the lesson that the results hand-off names, as the results screen shows and
// prints them. Loading only reads: a missing result file means that no run has been completed,
// and it is not created.
class LessonResults
{
public:
    [[nodiscard]] static LessonResults load(const store::DataTree& tree);

    // Done when the results can be shown; otherwise refused with the message that says why not.
    [[nodiscard]] const store::Outcome& outcome() const { return m_outcome; }
    [[nodiscard]] bool ok() const { return m_outcome.ok(); }

    // User, language, lesson and the totals; then one block per completed run, oldest first.
    [[nodiscard]] const QStringList& totals() const { return m_totals; }
    [[nodiscard]] const QStringList& runs() const { return m_runs; }
    // The same runs as the progress chart draws them.
    [[nodiscard]] const QList<RunScore>& scores() const { return m_scores; }
    // How many of the lesson's pairs stand in each box, boxes 1 to 5; empty for a lesson without
    // pairs. And the same as one line, e.g. "Vokabeln je Kasten:  1: 12  2: 3  3: 0  4: 1  5: 0".
    [[nodiscard]] const QList<qsizetype>& boxCounts() const { return m_boxCounts; }
    [[nodiscard]] QString boxLine() const;

    // The printout: a title, three blank title lines, the totals, the box counts, then the runs.
    [[nodiscard]] QList<PrintedLine> printLines() const;

private:
    store::Outcome m_outcome;
    QStringList m_totals;
    QStringList m_runs;
    QList<RunScore> m_scores;
    QList<qsizetype> m_boxCounts;
};

} // namespace results
