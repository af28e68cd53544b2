#include "handoff/HandOff.h"

#include "store/Cp1252.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFileInfo>

namespace handoff {
namespace {

template <class Value> store::Result<Value> refused(const store::Message& message)
{
    return {{}, store::Outcome::refused(message.text, message.title)};
}

template <class Value>
store::Result<Value> unsafe(const QString& name, const store::Message& missing)
{
    return refused<Value>({store::unsafeNameMessage(name), missing.title});
}

// The first name that cannot be part of a path, or an empty text.
QString firstUnsafe(std::initializer_list<QString> names)
{
    for (const QString& name : names)
        if (!store::isSafePathName(name))
            return name;
    return {};
}

} // namespace

store::Outcome writeSignedInUser(const store::DataTree& tree, const QString& name,
                                 const QString& password)
{
    return store::TextFile::writeLines(tree.programFile(SignedInFile), {name, password},
                                       store::Access::OwnerOnly);
}

store::Result<QString> readSignedInUser(const store::DataTree& tree, const store::Message& missing)
{
    const QString name = store::TextFile::readFirstLine(tree.programFile(SignedInFile));
    if (name.isEmpty())
        return refused<QString>(missing);
    if (!store::isSafePathName(name))
        return unsafe<QString>(name, missing);
    return {name, store::Outcome::done()};
}

store::Outcome writeLessonChoice(const store::DataTree& tree, const QString& user,
                                 const LessonChoice& choice)
{
    return store::TextFile::writeLines(tree.userPath(user) + LessonChoiceFile,
                                       {choice.language, choice.lesson, choice.key});
}

store::Result<LessonChoice> readLessonChoice(const store::DataTree& tree, const QString& user,
                                             const store::Message& missing)
{
    const QStringList lines = store::TextFile::readLines(tree.userPath(user) + LessonChoiceFile);
    const qsizetype last = lines.size() / 3 * 3 - 3;
    if (last < 0 || lines[last].isEmpty() || lines[last + 2].isEmpty())
        return refused<LessonChoice>(missing);
    const LessonChoice choice{lines[last], lines[last + 1], lines[last + 2]};
    if (const QString bad = firstUnsafe({choice.language, choice.key}); !bad.isEmpty())
        return unsafe<LessonChoice>(bad, missing);
    return {choice, store::Outcome::done()};
}

void removeLessonChoice(const store::DataTree& tree, const QString& user)
{
    store::TextFile::remove(tree.userPath(user) + LessonChoiceFile);
}

store::Outcome writeResultsRequest(const store::DataTree& tree, const ResultsRequest& request)
{
    return store::TextFile::writeLines(tree.programFile(ResultsRequestFile),
                                       {tree.languagePath(request.user, request.language),
                                        request.user, request.language, request.lesson,
                                        request.resultFile});
}

store::Result<ResultsRequest> readResultsRequest(const store::DataTree& tree,
                                                 const store::Message& missing)
{
    const QStringList lines = store::TextFile::readLines(tree.programFile(ResultsRequestFile));
    if (lines.size() < 5 || lines.at(4).isEmpty())
        return refused<ResultsRequest>(missing);
    // Line 1, the language directory, is implied by the user and the language.
    ResultsRequest request{lines.at(1), lines.at(2), lines.at(3), lines.at(4)};
    if (const QString bad = firstUnsafe({request.user, request.language}); !bad.isEmpty())
        return unsafe<ResultsRequest>(bad, missing);
    // The file carries Windows-1252: a program directory with other letters in its path comes
    // back with "?" in their place, so the path is compared as the file can carry it.
    const QFileInfo file(request.resultFile);
    const QString languageDir = QDir::cleanPath(
        QFileInfo(tree.languagePath(request.user, request.language)).absoluteFilePath());
    if (!store::isSafePathName(file.fileName())
        || QDir::cleanPath(file.absolutePath()) != store::fromCp1252(store::toCp1252(languageDir)))
        return unsafe<ResultsRequest>(request.resultFile, missing);
    request.resultFile = languageDir + QLatin1Char('/') + file.fileName();
    return {std::move(request), store::Outcome::done()};
}

} // namespace handoff
