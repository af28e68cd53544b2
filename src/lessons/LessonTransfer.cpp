#include "lessons/LessonTransfer.h"

#include "boxes/BoxFile.h"
#include "editor/WordListPrint.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

namespace lessons {

QString importNameProblem(const Library& library, const QString& language, const QString& name)
{
    const Outcome checked = library.checkNewLessonName(language, name);
    if (checked.status == Outcome::Status::Unchanged)
        return QStringLiteral("Geben Sie der neuen Lektion einen Namen !");
    if (!checked.refusal.isEmpty())
        return checked.refusal;
    return checked.file ? QString() : store::failureMessage(checked.file);
}

Result<LessonRef> importLesson(Library& library, const QString& language, const QString& name,
                               const QList<exchange::Pair>& pairs)
{
    // The lesson file goes into the language directory, which a damaged list must not name
    // outside the data tree.
    if (Outcome safe = library.checkStoredName(language); !safe.isDone())
        return {{}, safe};
    QList<QByteArray> lines;
    lines.reserve(pairs.size());
    boxes::Boxes places;
    QStringList placed;
    for (const exchange::Pair& pair : pairs) {
        lines.append(
            store::Scrambler::scrambleText(editor::WordPair::line(pair.foreign, pair.german)));
        if (pair.place) {
            places.set(pair.foreign, *pair.place);
            placed.append(pair.foreign);
        }
    }
    return library.createLesson(language, name, [&](const store::LessonFiles& files) {
        store::FileResult written = store::TextFile::writeRawLines(files.stored(), lines);
        // A lesson whose pairs bring no boxes needs no file of them.
        if (written && !placed.isEmpty()) {
            written = boxes::writeBoxFile(files.boxes(), places, placed);
            if (!written)
                store::TextFile::remove(files.stored());
        }
        return written.about(store::lessonSubject(name))
            .meaning(QStringLiteral("Die Lektion wurde nicht angelegt."));
    });
}

QString importFailedMessage(const QString& lesson, const Outcome& outcome)
{
    if (outcome.file || outcome.file.kind != store::FileResult::Kind::Write)
        return {};
    return QStringLiteral("Die Lektion \"%1\" konnte nicht gespeichert werden (%2).\nSie wurde "
                          "nicht angelegt.")
        .arg(lesson, outcome.file.error);
}

QString importedMessage(const QString& lesson, const exchange::ImportPlan& plan)
{
    return QStringLiteral("Die Lektion \"%1\" wurde angelegt.\n%2")
        .arg(lesson, plan.importedSummary());
}

Result<QList<editor::WordPair>> lessonPairs(const Library& library, const QString& language,
                                            const QString& lesson)
{
    const Result<LessonRef> found = library.findLesson(language, lesson);
    if (!found.ok())
        return {{}, found.outcome};
    QList<editor::WordPair> pairs;
    if (const store::FileResult read = editor::readStoredPairs(found.value.files.stored(), pairs);
        !read)
        return {{},
                Outcome::failed(read.about(store::lessonSubject(lesson))
                                    .meaning(QStringLiteral("Paukomat verändert sie nicht.")))};
    return {pairs, Outcome::done()};
}

boxes::Boxes lessonBoxes(const Library& library, const QString& language, const QString& lesson)
{
    const Result<LessonRef> found = library.findLesson(language, lesson);
    return found.ok() ? boxes::readBoxFile(found.value.files.boxes()) : boxes::Boxes();
}

} // namespace lessons
