#include "editor/LessonFile.h"

#include "handoff/HandOff.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace editor {

using store::FileResult;

namespace {

using Status = EditResult::Status;

QList<QByteArray> scrambled(const QList<QByteArray>& lines)
{
    QList<QByteArray> stored;
    stored.reserve(lines.size());
    for (const QByteArray& line : lines)
        stored.append(store::Scrambler::scramble(line));
    return stored;
}

EditResult saved(const FileResult& result)
{
    return result ? EditResult{} : EditResult{Status::Failed, {}, result};
}

} // namespace

QString foreignWordProblem(const QString& foreign)
{
    if (QString message = store::unstorableTextMessage(foreign); !message.isEmpty())
        return message;
    if (foreign.contains(QStringLiteral("\\\\")) || foreign.endsWith(QLatin1Char('\\')))
        return QStringLiteral("Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes (\\\\) "
                              "enthalten und nicht auf einen Backslash (\\) enden !");
    return {};
}

LessonFile::LessonFile(store::LessonFiles files, QString language, QString name)
    : m_files(std::move(files))
    , m_language(std::move(language))
    , m_name(std::move(name))
{
}

FileResult LessonFile::open()
{
    if (FileResult made = store::TextFile::touch(m_files.stored()); !made)
        return made;
    // The lines are kept as the lesson holds them rather than read back from the working copy:
    // a line of a damaged lesson may hold a line end of its own, which would split it there.
    QList<QByteArray> lines;
    if (FileResult read = store::TextFile::readRawLines(m_files.stored(), lines); !read)
        return read;
    lines = scrambled(lines);
    if (FileResult written = store::TextFile::writeRawLines(m_files.working(), lines); !written)
        return written;
    setLines(std::move(lines));
    return FileResult::success();
}

qsizetype LessonFile::find(const QString& foreign) const
{
    return m_first.value(foreign, -1);
}

QString LessonFile::line(qsizetype index) const
{
    return store::fromCp1252(m_lines.at(index));
}

QStringList LessonFile::lines() const
{
    QStringList plain;
    plain.reserve(m_lines.size());
    for (const QByteArray& line : m_lines)
        plain.append(store::fromCp1252(line));
    return plain;
}

QString LessonFile::entryProblem(const QString& foreign, const QString& german) const
{
    QString problem;
    if (foreign.isEmpty())
        problem = QStringLiteral("Sie haben keine Vokabel der Sprache ") + m_language
            + QStringLiteral(" eingegeben !");
    else if (german.isEmpty())
        problem = QStringLiteral("Sie haben keine Vokabel der Sprache Deutsch eingegeben !");
    else
        problem = foreignWordProblem(foreign);
    return problem.isEmpty() ? store::unstorableTextMessage(german) : problem;
}

EditResult LessonFile::add(const QString& foreign, const QString& german)
{
    if (const QString problem = entryProblem(foreign, german); !problem.isEmpty())
        return EditResult::refused(problem);
    if (find(foreign) >= 0)
        return EditResult::refused(QStringLiteral("Die Vokabel ist bereits vorhanden !\r\r"),
                                   Status::Duplicate);
    const QString line = WordPair::line(foreign, german);
    const QByteArray raw = store::toCp1252(line);
    if (FileResult appended = store::TextFile::appendRawLines(m_files.working(), {raw}); !appended)
        return saved(aboutLesson(appended));
    m_lines.append(raw);
    m_pairs.append(WordPair::parse(line));
    m_first.insert(foreign, m_pairs.size() - 1);
    return {};
}

EditResult LessonFile::change(const QString& foreign, const QString& german)
{
    if (const QString problem = entryProblem(foreign, german); !problem.isEmpty())
        return EditResult::refused(problem);
    if (find(foreign) < 0)
        return EditResult::refused(
            QStringLiteral("Die zu ändernde Vokabel ist nicht vorhanden !\r\r"));
    const QString line = WordPair::line(foreign, german);
    const QByteArray raw = store::toCp1252(line);
    QList<QByteArray> lines = m_lines;
    for (qsizetype i = 0; i < m_pairs.size(); ++i)
        if (m_pairs[i].foreign == foreign)
            lines[i] = raw;
    if (FileResult done = rebuild(lines); !done)
        return saved(aboutLesson(done));
    // The word keeps its places, so the index stands.
    const WordPair pair = WordPair::parse(line);
    for (qsizetype i = 0; i < m_pairs.size(); ++i)
        if (m_pairs[i].foreign == foreign)
            m_pairs[i] = pair;
    m_lines = std::move(lines);
    return {};
}

FileResult LessonFile::remove(const QString& foreign)
{
    if (find(foreign) < 0)
        return FileResult::success();
    QList<QByteArray> lines;
    QList<WordPair> pairs;
    lines.reserve(m_lines.size());
    pairs.reserve(m_pairs.size());
    for (qsizetype i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].foreign == foreign)
            continue;
        lines.append(m_lines[i]);
        pairs.append(m_pairs[i]);
    }
    if (FileResult done = rebuild(lines); !done)
        return aboutLesson(done);
    m_lines = std::move(lines);
    m_pairs = std::move(pairs);
    reindex();
    return FileResult::success();
}

FileResult LessonFile::storeBack()
{
    if (FileResult written = store::TextFile::writeRawLines(m_files.stored(), scrambled(m_lines));
        !written)
        return aboutLesson(written);
    store::TextFile::remove(m_files.working());
    return FileResult::success();
}

FileResult LessonFile::takeRunLines(const QStringList& lines)
{
    QList<QByteArray> raw;
    raw.reserve(lines.size());
    for (const QString& line : lines)
        raw.append(store::toCp1252(line));
    setLines(std::move(raw));
    if (FileResult written = store::TextFile::writeRawLines(m_files.stored(), scrambled(m_lines));
        !written)
        return aboutLesson(written);
    if (store::TextFile::writeRawLines(m_files.working(), m_lines))
        removeRunCopy();
    return FileResult::success();
}

void LessonFile::removeRunCopy() const
{
    store::TextFile::remove(m_files.runCopy());
}

void LessonFile::removeScratchFiles() const
{
    store::removeMatching(m_files.languagePath(), QStringLiteral("tmp*"));
}

FileResult LessonFile::aboutLesson(FileResult result) const
{
    // The user knows the lesson, not its working or run copy.
    result.path = m_files.stored();
    return result.about(store::lessonSubject(m_name));
}

FileResult LessonFile::rebuild(const QList<QByteArray>& lines)
{
    if (FileResult written = store::TextFile::writeRawLines(m_files.rebuild(), lines); !written)
        return written;
    // rename() replaces the working copy in one step, so it is never missing or half written.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(m_files.rebuild()).toStdString(),
                            QFile::encodeName(m_files.working()).toStdString(), error);
    if (error) {
        store::TextFile::remove(m_files.rebuild());
        return FileResult::failure(m_files.working(), QString::fromLocal8Bit(error.message()));
    }
    return FileResult::success();
}

void LessonFile::setLines(QList<QByteArray> lines)
{
    m_lines = std::move(lines);
    m_pairs.clear();
    m_pairs.reserve(m_lines.size());
    for (const QByteArray& line : std::as_const(m_lines))
        m_pairs.append(WordPair::parse(store::fromCp1252(line)));
    reindex();
}

void LessonFile::reindex()
{
    m_first.clear();
    m_first.reserve(m_pairs.size());
    // Walking backwards leaves the first line of each word in the index.
    for (qsizetype i = m_pairs.size() - 1; i >= 0; --i)
        m_first.insert(m_pairs[i].foreign, i);
}

HandedOverLesson openHandedOverLesson(const store::DataTree& tree, LessonUse use)
{
    const bool editing = use == LessonUse::Editing;
    HandedOverLesson handed;
    const handoff::Read<QString> user = handoff::readSignedInUser(tree);
    if (!user.ok()) {
        handed.refusal = user.problem == handoff::Problem::Unsafe
            ? store::unsafeNameMessage(user.unsafeName)
            : QStringLiteral("Der angemeldete Benutzer ist nicht bekannt, die Datei \"%1\" fehlt "
                             "oder ist leer. %2")
                  .arg(handoff::SignedInFile,
                       editing ? QStringLiteral("Die Lektion kann nicht bearbeitet werden !")
                               : QStringLiteral("Die Übung kann nicht geöffnet werden."));
        return handed;
    }
    handed.user = user.value;

    // The main screen writes three lines; should the file hold more, the last three count.
    const handoff::Read<handoff::LessonChoice> choice = handoff::readLessonChoice(tree, user.value);
    if (!choice.ok()) {
        handed.refusal = choice.problem == handoff::Problem::Unsafe
            ? store::unsafeNameMessage(choice.unsafeName)
            : (editing ? QStringLiteral("Es ist keine Lektion zum Bearbeiten angegeben, die Datei "
                                        "\"%1\" fehlt oder ist unvollständig. Bitte wählen Sie die "
                                        "Lektion erneut aus !")
                       : QStringLiteral("Die gewählte Lektion ist nicht bekannt, die Datei \"%1\" "
                                        "fehlt oder ist unvollständig. Die Übung kann nicht "
                                        "geöffnet werden."))
                  .arg(handoff::LessonChoiceFile);
        return handed;
    }

    const handoff::LessonChoice& chosen = choice.value;
    LessonFile lesson({tree.languagePath(user.value, chosen.language), chosen.key},
                      chosen.language, chosen.lesson);
    if (const FileResult opened = lesson.open(); !opened)
        handed.refusal = store::lessonInaccessibleMessage(chosen.lesson, opened.path, opened.error);
    else
        handed.lesson.emplace(std::move(lesson));
    return handed;
}

} // namespace editor
