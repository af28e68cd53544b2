#pragma once

#include <QString>

namespace results {

// A line of a result file, plain: words answered, "\\", right answers. The totals line carries a
// blank before each number, a run record none.
struct ResultLine
{
    double words = 0;
    double right = 0;
    bool hasSeparator = false;

    // Wherever two backslashes stand side by side, the numbers before and behind them are taken;
    // a line without them leaves hasSeparator false and both numbers 0.
    [[nodiscard]] static ResultLine parse(const QString& line);
};

} // namespace results
