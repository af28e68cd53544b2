#pragma once

#include "boxes/Boxes.h"
#include "lesson/WordPair.h"
#include "store/DataTree.h"
#include "store/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lesson {

// Whether a pair to add has a word the lesson lists already; add() then refuses it.
enum class Listed { No, Already };

// Empty when the text can be stored as a foreign word, otherwise the message for the user.
// Besides what no line can hold, a foreign word must not hold two adjacent backslashes or end in
// one: the line would be split in the wrong place when read back.
[[nodiscard]] QString foreignWordProblem(const QString& foreign);

// One open lesson, for the editor and the drill alike. The stored lesson file is scrambled and
// is only written by storeBack() and takeRunLines(); every command rewrites the plain working
// copy at once, so the working copy always holds the lesson's current lines. The working copy's
// bytes are also kept in memory, with where each line begins, so that opening a long lesson
// costs a few passes over one buffer and finding a pair needs no pass over the file. Every
// failure given back from a command names the lesson as the user knows it. The pairs' boxes are
// kept beside the lines and stored with them.
class LessonFile
{
public:
    // The language and the lesson as the user knows them, for messages.
    LessonFile(store::LessonFiles files, QString language, QString name);

    [[nodiscard]] const store::LessonFiles& files() const { return m_files; }
    [[nodiscard]] QString language() const { return m_language; }
    [[nodiscard]] QString name() const { return m_name; }

    // Creates the stored file empty when it is missing and makes the working copy from it. A file
    // that exists but cannot be read is a failure, never an empty lesson: storing it back would
    // wipe it. The failure names the file that failed.
    [[nodiscard]] store::Outcome open();

    [[nodiscard]] qsizetype size() const { return m_text.starts.size(); }
    // The foreign word of a line, as stored and as text; a line without separator is its own word.
    [[nodiscard]] QByteArrayView foreignBytes(qsizetype index) const;
    [[nodiscard]] QString foreignWord(qsizetype index) const;
    // Whether a line splits into a valid pair, without splitting it.
    [[nodiscard]] bool isPair(qsizetype index) const;
    // A line split into its pair; a damaged line is a pair that is not valid.
    [[nodiscard]] WordPair pair(qsizetype index) const { return WordPair::parse(line(index)); }
    // The plain line of a pair, as the working copy holds it, and every line.
    [[nodiscard]] QString line(qsizetype index) const;
    [[nodiscard]] QStringList lines() const;
    // Index of the first pair whose foreign word equals the word exactly, or -1; and the indexes
    // of the first most (all when negative) such pairs, in file order.
    [[nodiscard]] qsizetype find(const QString& foreign) const;
    [[nodiscard]] QList<qsizetype> linesOf(const QString& foreign, qsizetype most = -1) const;

    // The boxes of the pairs, read when the lesson is opened.
    [[nodiscard]] const boxes::Boxes& boxes() const { return m_boxes; }
    // An answer of a completed run moves the pair through the boxes; stored with the lines.
    void answered(const QString& foreign, bool right, QDate today);

    // Appends the pair with the mark "f"; a word already there is refused as Listed::Already. A
    // refusal leaves the lesson as it was; a failed save of the working copy names the lesson.
    [[nodiscard]] store::Result<Listed> add(const QString& foreign, const QString& german);
    // Gives every line of that foreign word the new meanings and the mark "f", and sends the pair
    // back to the first box: it is a new question.
    [[nodiscard]] store::Outcome change(const QString& foreign, const QString& german);
    // Drops every line of that foreign word; a word not there leaves the lesson as it is.
    [[nodiscard]] store::Outcome remove(const QString& foreign);

    // Writes the lines back into the stored file, scrambled, and deletes the working copy; the
    // boxes go into their own file first. On failure the stored file and the working copy stay
    // as they were.
    [[nodiscard]] store::Outcome storeBack();

    // The lines of a completed run become the lesson's lines and are stored at once; then the
    // working copy takes them and the run copy goes. On failure the lines are still kept here,
    // so that storeBack() can store them later.
    [[nodiscard]] store::Outcome takeRunLines(const QStringList& lines);
    void removeRunCopy() const;
    // Deletes every "tmp" file of the language directory, as the drill does when it is left.
    void removeScratchFiles() const;

    // A failure of any of the lesson's files, named as the user knows the lesson.
    [[nodiscard]] store::Outcome aboutLesson(store::Outcome result) const;

private:
    // The working copy's bytes: every line followed by CR LF. A line of a damaged lesson may hold
    // a line end of its own, so where each line begins is kept beside them.
    struct Text
    {
        QByteArray bytes;
        QList<qsizetype> starts;

        void append(QByteArrayView line);
    };

    [[nodiscard]] QByteArrayView lineBytes(qsizetype index) const;
    // The lines scrambled into the stored file, which is replaced as a whole.
    [[nodiscard]] store::Outcome writeStored() const;
    [[nodiscard]] store::Outcome writeBoxes() const;
    // Empty when the pair may join the lesson, otherwise the message for the user.
    [[nodiscard]] QString entryProblem(const QString& foreign, const QString& german) const;
    // Writes the text to the rebuild file and renames it over the working copy.
    store::Outcome rebuild(const Text& text);
    void setText(Text text);

    store::LessonFiles m_files;
    QString m_language;
    QString m_name;
    Text m_text;
    QList<qsizetype> m_foreignSize; // bytes of each line's foreign word
    boxes::Boxes m_boxes;
};

// Who opens the lesson handed over; the refusals say what cannot be done.
enum class LessonUse { Editing, Drilling };

// The lesson the main screen handed over (signed-in user and lesson choice), opened.
struct HandedOverLesson
{
    QString user;
    std::optional<LessonFile> lesson;
};
// When the lesson cannot be opened, the refusal to show, under the error title.
[[nodiscard]] store::Result<HandedOverLesson> openHandedOverLesson(const store::DataTree& tree,
                                                                   LessonUse use);

} // namespace lesson
