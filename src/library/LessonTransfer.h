#pragma once

#include "exchange/Exchange.h"
#include "lesson/WordPair.h"
#include "library/Library.h"

#include <QList>
#include <QString>

// Lessons brought in from word lists, and the pairs of a lesson taken out for export or print.
namespace library {

// The refusal of a name for an imported lesson: the same checks as "neue Lektion", in its order.
[[nodiscard]] QString importNameProblem(const Library& library, const QString& language,
                                        const QString& name);

// A new lesson of the language holding the pairs, each marked as not yet known, in the boxes the
// pairs bring. The lesson's files are written before the lesson is listed, so a failed save
// leaves no half lesson behind; it is refused naming the lesson by the name the user gave it,
// not by its files.
[[nodiscard]] store::Result<LessonRef> importLesson(Library& library, const QString& language,
                                                    const QString& name,
                                                    const QList<exchange::Pair>& pairs);

// What the user is told after an import.
[[nodiscard]] QString importedMessage(const QString& lesson, const exchange::ImportPlan& plan);

// The pairs of a stored lesson in file order, damaged lines included as pairs that are not
// valid; nothing is created or written.
[[nodiscard]] store::Result<QList<lesson::WordPair>>
lessonPairs(const Library& library, const QString& language, const QString& lesson);
// The boxes of a stored lesson's pairs; a lesson without them has every pair in the first box.
[[nodiscard]] boxes::Boxes lessonBoxes(const Library& library, const QString& language,
                                       const QString& lesson);

} // namespace library
