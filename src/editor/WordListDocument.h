#pragma once

#include "editor/WordListPrint.h"
#include "ui/Services.h"

namespace editor {

// The word list as the printer gets it: the title, a row of column headings, then one row per
// pair, foreign word beside meanings, with page numbers. An empty lesson says so in a line.
[[nodiscard]] ui::PrintDocument wordListDocument(const WordList& list);

} // namespace editor
