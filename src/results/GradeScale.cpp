#include "results/GradeScale.h"

#include <cmath>

namespace results {

int gradeFor(double percent)
{
    if (std::isnan(percent))
        return 0;
    const double whole = std::floor(percent);
    if (whole < 0 || whole > 100)
        return 0;
    if (whole <= 30)
        return 6;
    if (whole <= 49)
        return 5;
    if (whole <= 64)
        return 4;
    if (whole <= 79)
        return 3;
    if (whole <= 94)
        return 2;
    return 1;
}

} // namespace results
