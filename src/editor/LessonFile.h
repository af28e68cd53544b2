#pragma once

#include "editor/WordPair.h"
#include "store/FileResult.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace editor {

// One lesson while the editor has it open. The stored lesson file is scrambled and is only
// written by storeBack(); every command rewrites the plain working copy "tmp" + lesson file name
// at once, so the working copy always holds the lesson's current lines. The lines are also kept
// in memory, in file order, so that finding a pair needs no pass over the file.
class LessonFile
{
public:
    // languagePath ends in "/"; fileName is the bare lesson file name such as "U4".
    LessonFile(const QString& languagePath, const QString& fileName);

    [[nodiscard]] QString storedPath() const { return m_storedPath; }
    [[nodiscard]] QString workingPath() const { return m_workingPath; }
    [[nodiscard]] QString rebuildPath() const { return m_rebuildPath; }

    // Creates the stored file empty when it is missing and makes the working copy from it.
    [[nodiscard]] store::FileResult open();

    // The pairs in file order; a damaged line is a pair that is not valid.
    [[nodiscard]] const QList<WordPair>& pairs() const { return m_pairs; }
    [[nodiscard]] qsizetype size() const { return m_pairs.size(); }
    // The plain line of a pair, as the working copy holds it.
    [[nodiscard]] QString line(qsizetype index) const;
    // Index of the first pair whose foreign word equals the word exactly, or -1.
    [[nodiscard]] qsizetype find(const QString& foreign) const;

    // Appends the pair with the mark "f".
    [[nodiscard]] store::FileResult add(const QString& foreign, const QString& german);
    // Gives every line of that foreign word the new meanings and the mark "f".
    [[nodiscard]] store::FileResult change(const QString& foreign, const QString& german);
    // Drops every line of that foreign word.
    [[nodiscard]] store::FileResult remove(const QString& foreign);

    // Writes the lines back into the stored file, scrambled, and deletes the working copy.
    // On failure the stored file and the working copy stay as they were.
    [[nodiscard]] store::FileResult storeBack();

    // Empty when the text can be stored as a foreign word, otherwise the message for the user.
    // Besides what no line can hold, a foreign word must not hold two adjacent backslashes or
    // end in one: the line would be split in the wrong place when read back.
    [[nodiscard]] static QString foreignWordProblem(const QString& foreign);

private:
    // Writes the lines to the rebuild file and renames it over the working copy.
    store::FileResult rebuild(const QList<QByteArray>& lines);
    void reindex();

    QString m_storedPath;
    QString m_workingPath;
    QString m_rebuildPath;
    QList<QByteArray> m_lines; // plain lines as stored, byte for byte
    QList<WordPair> m_pairs;   // the same lines, split
    QHash<QString, qsizetype> m_first;
};

} // namespace editor
