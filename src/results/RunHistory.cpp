#include "results/RunHistory.h"

#include "results/GradeScale.h"
#include "results/ResultLine.h"
#include "store/Scrambler.h"

namespace results {

QList<RunScore> readRunHistory(const QList<QByteArray>& storedLines)
{
    QList<RunScore> runs;
    if (storedLines.size() < 2)
        return runs;
    runs.reserve(storedLines.size() - 1);
    for (qsizetype k = 1; k < storedLines.size(); ++k) {
        const results::ResultLine line =
            results::ResultLine::parse(store::Scrambler::unscrambleText(storedLines.at(k)));
        RunScore run;
        // Unlike the results list, a damaged record does not repeat the run before it: a bar of
        // made-up height would tell the user something that never happened.
        if (line.hasSeparator && line.words > 0) {
            const double percent = line.right * 100 / line.words;
            // Outside 0 to 100 % there is no grade; only a damaged file gets there.
            if (const int grade = gradeFor(percent); grade != 0)
                run = {percent, grade};
        }
        runs.append(run);
    }
    return runs;
}

} // namespace results
