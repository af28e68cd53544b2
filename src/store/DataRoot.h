#pragma once

#include "store/Outcome.h"

#include <QString>

namespace store {

// Chooses the root of the data tree at start-up, or refuses with the message that says why there
// is none (then the program cannot run):
// - givenDir (from --data-dir) wins; it is made when missing and must take files;
// - else programDir, when files can be made there (a build tree, a portable copy); an empty
//   programDir stands for a program installed for the whole system, which keeps nothing beside
//   itself;
// - else $XDG_DATA_HOME/Paukomat (~/.local/share/Paukomat), made on the first start for its
//   owner alone, since the user list holds passwords.
// A root other than the program directory gets an empty user list when it has none.
[[nodiscard]] Result<QString> chooseDataRoot(const QString& givenDir, const QString& programDir);

// The help file of a program in programDir: beside it (a build tree, a portable copy), else in
// share/paukomat of its installation prefix. Named beside the program when neither exists.
[[nodiscard]] QString installedHelpFile(const QString& programDir);

} // namespace store
