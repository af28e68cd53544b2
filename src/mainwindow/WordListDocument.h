#pragma once

#include "lesson/WordListPrint.h"
#include "ui/Services.h"

namespace mainwindow {

// The word list as the printer gets it: the title, a row of column headings, then one row per
// pair, foreign word beside meanings, with page numbers. An empty lesson says so in a line.
[[nodiscard]] ui::PrintDocument wordListDocument(const lesson::WordList& list);

} // namespace mainwindow
