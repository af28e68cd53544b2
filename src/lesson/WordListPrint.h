#pragma once

#include "lesson/WordPair.h"
#include "store/Outcome.h"

#include <QList>
#include <QString>

namespace lesson {

// One row of a printed word list: the foreign word beside its German meanings.
struct WordListRow
{
    QString foreign;
    QString german;

    friend bool operator==(const WordListRow&, const WordListRow&) = default;
};

// What a printed word list holds, before it meets fonts and paper.
struct WordList
{
    QString title;
    // The headings of the two columns: the language name and "Deutsch".
    QString foreignHeading;
    QString germanHeading;
    // Sorted as the editor lists the pairs; damaged lines are left out.
    QList<WordListRow> rows;
};

// The word list of a lesson. The meanings, stored as "der;die;das", read "der; die; das".
[[nodiscard]] WordList wordList(const QString& language, const QString& lesson,
                                const QList<WordPair>& pairs);

// The pairs of a stored (scrambled) lesson file in file order, damaged lines included as pairs
// that are not valid. A missing file is an empty lesson; one that cannot be read is a failure.
// Nothing is created or written.
[[nodiscard]] store::Outcome readStoredPairs(const QString& storedPath, QList<WordPair>& pairs);

} // namespace lesson
