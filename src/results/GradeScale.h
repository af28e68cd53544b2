#pragma once

namespace results {

// German school grade for a percentage of right answers, from the whole-number part of the
// percentage: 0-30 -> 6, 31-49 -> 5, 50-64 -> 4, 65-79 -> 3, 80-94 -> 2, 95-100 -> 1.
// Returns 0 when the percentage lies in no band (below 0 or above 100, or not a number).
// A result of 0 words has no grade at all; each screen words that case itself.
[[nodiscard]] int gradeFor(double percent);

} // namespace results
