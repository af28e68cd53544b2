#include "library/LessonTransfer.h"

#include "boxes/BoxFile.h"
#include "lesson/WordListPrint.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

namespace library {

using store::Outcome;
using store::Result;

QString importNameProblem(const Library& library, const QString& language, const QString& name)
{
    const Outcome checked = library.checkNewLessonName(language, name);
    if (checked.status == Outcome::Status::Unchanged)
        return QStringLiteral("Geben Sie der neuen Lektion einen Namen !");
    if (checked.status == Outcome::Status::Refused)
        return checked.message.text;
    return store::failureMessage(checked);
}

Result<LessonRef> importLesson(Library& library, const QString& language, const QString& name,
                               const QList<exchange::Pair>& pairs)
{
    // The lesson file goes into the language directory, which a damaged list must not name
    // outside the data tree.
    if (Outcome safe = library.checkStoredName(language); !safe.ok())
        return {{}, safe};
    QList<QByteArray> lines;
    lines.reserve(pairs.size());
    boxes::Boxes places;
    QStringList placed;
    for (const exchange::Pair& pair : pairs) {
        lines.append(
            store::Scrambler::scrambleText(lesson::WordPair::line(pair.foreign, pair.german)));
        if (pair.place) {
            places.set(pair.foreign, *pair.place);
            placed.append(pair.foreign);
        }
    }
    Result<LessonRef> created =
        library.createLesson(language, name, [&](const store::LessonFiles& files) {
            Outcome written = store::TextFile::writeRawLines(files.stored(), lines);
            // A lesson whose pairs bring no boxes needs no file of them.
            if (written && !placed.isEmpty()) {
                written = boxes::writeBoxFile(files.boxes(), places, placed);
                if (!written)
                    store::TextFile::remove(files.stored());
            }
            return written.about(store::lessonSubject(name))
                .meaning(QStringLiteral("Die Lektion wurde nicht angelegt."));
        });
    const Outcome& outcome = created.outcome;
    if (outcome.status == Outcome::Status::Failed
        && outcome.failure->kind == store::FileFailure::Kind::Write)
        created.outcome = Outcome::refused(
            QStringLiteral("Die Lektion \"%1\" konnte nicht gespeichert werden (%2).\nSie wurde "
                           "nicht angelegt.")
                .arg(name, outcome.failure->reason),
            store::ErrorTitle);
    return created;
}

QString importedMessage(const QString& lesson, const exchange::ImportPlan& plan)
{
    return QStringLiteral("Die Lektion \"%1\" wurde angelegt.\n%2")
        .arg(lesson, plan.importedSummary());
}

Result<QList<lesson::WordPair>> lessonPairs(const Library& library, const QString& language,
                                            const QString& lesson)
{
    const Result<LessonRef> found = library.findLesson(language, lesson);
    if (!found.ok())
        return {{}, found.outcome};
    QList<lesson::WordPair> pairs;
    if (const Outcome read = lesson::readStoredPairs(found.value.files.stored(), pairs); !read)
        return {{},
                read.about(store::lessonSubject(lesson))
                    .meaning(QStringLiteral("Paukomat verändert sie nicht."))};
    return {pairs, Outcome::done()};
}

boxes::Boxes lessonBoxes(const Library& library, const QString& language, const QString& lesson)
{
    const Result<LessonRef> found = library.findLesson(language, lesson);
    return found.ok() ? boxes::readBoxFile(found.value.files.boxes()) : boxes::Boxes();
}

} // namespace library
