#pragma once

#include "library/ListFile.h"
#include "store/DataTree.h"
#include "store/Outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace library {

// One lesson of one language, with the names of its files.
struct LessonRef
{
    QString language;
    QString lesson;
    store::LessonFiles files{QString(), QString()};
};

// A deletion checked before the user is asked: the list as it was read then, and the keys of the
// lines that go.
struct Removal
{
    QString language;
    QString lesson; // empty when a whole language goes
    QString listFile;
    ListLines lines;
    QStringList keys;
};

// The signed-in user's languages and lessons: the language list "Spr.dat" with its plain copy
// "tmpSpr.dat", one lesson list per language, the language directories with their lesson and
// result files, and the key counters. Each command checks its rules in the order the user meets
// them and gives back the first refusal, or changes the files; when the list cannot be stored,
// whatever was done before it is undone.
class Library
{
public:
    explicit Library(store::DataTree tree);

    // Learns the signed-in user from the sign-in hand-off and makes the user directory when it went missing.
    // The key counters start afresh: the lists are counted again as they are shown.
    [[nodiscard]] store::Outcome open();
    [[nodiscard]] QString user() const { return m_user; }

    // Rebuilds "tmpSpr.dat" from "Spr.dat" and lists the languages in German order, case
    // ignored, raising the language counter. Gives back a copy that failed, for the user to see.
    [[nodiscard]] store::Outcome listLanguages();
    // Lists the lessons of a language in file order, raising the lesson counter; a language
    // whose key is not of the program's form shows none.
    void listLessons(const QString& language);
    [[nodiscard]] const QStringList& languages() const { return m_languages; }
    [[nodiscard]] const QStringList& lessons() const { return m_lessons; }
    // The key of a language in "tmpSpr.dat"; empty when no line carries the name.
    [[nodiscard]] QString languageKey(const QString& language) const;

    // The refusals of commands that need a language, or a lesson, in the lists shown.
    [[nodiscard]] store::Outcome needLanguage() const;
    [[nodiscard]] store::Outcome needLesson() const;

    // A name read from the list may only become part of a path when it is a plain name.
    [[nodiscard]] store::Outcome checkStoredName(const QString& name) const;
    // A language key not of the program's own form comes from a file changed outside the program.
    [[nodiscard]] store::Outcome checkLanguageKey(const QString& language) const;

    // An empty name changes nothing. The new language's key is the value.
    [[nodiscard]] store::Result<QString> createLanguage(const QString& name);
    [[nodiscard]] store::Outcome renameLanguage(const QString& oldName, const QString& newName);
    [[nodiscard]] store::Result<Removal> prepareLanguageRemoval(const QString& language) const;
    // Removes the lines, the lesson list and the directory; a directory that is a link loses
    // the link only, as what it points to lies outside the data tree.
    [[nodiscard]] store::Outcome removeLanguage(const Removal& removal) const;

    // The checks of a new lesson's name that createLesson makes, in its order.
    [[nodiscard]] store::Outcome checkNewLessonName(const QString& language,
                                                    const QString& name) const;
    // Only the lesson list line is made; the editor makes the lesson file when it first opens it.
    // A given fill writes the lesson file first: when it fails nothing is listed, and when the
    // list cannot be saved the file goes again, so a lesson is stored whole or not at all.
    using Fill = std::function<store::Outcome(const store::LessonFiles& files)>;
    [[nodiscard]] store::Result<LessonRef> createLesson(const QString& language,
                                                        const QString& name, const Fill& fill = {});
    [[nodiscard]] store::Outcome renameLesson(const QString& language, const QString& oldName,
                                              const QString& newName) const;
    [[nodiscard]] store::Result<Removal> prepareLessonRemoval(const QString& language,
                                                              const QString& lesson) const;
    // The results go with the lesson, so a later lesson of the same number starts afresh.
    [[nodiscard]] store::Outcome removeLesson(const Removal& removal) const;

    // The lesson's files, when both its names and both keys may become part of a path.
    [[nodiscard]] store::Result<LessonRef> findLesson(const QString& language,
                                                      const QString& lesson) const;
    // Hands the lesson to the editor or the drill through the lesson hand-off.
    [[nodiscard]] store::Outcome handOver(const QString& language, const QString& lesson) const;

    // At the end of the program: the hand-off files and working copies ("tm*") directly in the
    // user directory and the program directory.
    void removeHandOffFiles() const;

private:
    [[nodiscard]] QString userPath() const { return m_tree.userPath(m_user); }
    [[nodiscard]] QString plainListPath() const { return userPath() + PlainLanguageListFile; }
    // The lines of a list about to be rewritten, or the failure to read them.
    [[nodiscard]] store::Result<ListLines> readForRewrite(const QString& listFile,
                                                          const QString& subject) const;
    [[nodiscard]] store::Result<ListLines> readLessonList(const QString& language) const;
    // The lesson list of the language once the new lesson name passed its checks.
    [[nodiscard]] store::Result<ListLines> lessonListFor(const QString& language,
                                                         const QString& name) const;

    store::DataTree m_tree;
    QString m_user;
    QStringList m_languages;
    QStringList m_lessons;
    // The highest numbers seen since open(): raised by every list shown and every key given,
    // never lowered, so a key deleted meanwhile is not given again.
    int m_maxLanguage = 0;
    int m_maxLesson = 0;
};

} // namespace library
