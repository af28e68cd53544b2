#include "editor/LessonFile.h"

#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace editor {

using store::FileResult;
using store::TextFile::readRawLines;

LessonFile::LessonFile(const QString& languagePath, const QString& fileName)
    : m_storedPath(languagePath + fileName)
    , m_workingPath(languagePath + QStringLiteral("tmp") + fileName)
    , m_rebuildPath(languagePath + QStringLiteral("tmpU"))
{
}

FileResult LessonFile::open()
{
    if (FileResult made = store::TextFile::touch(m_storedPath); !made)
        return made;
    // An unreadable lesson must not pass for an empty one: storing it back would wipe it.
    QList<QByteArray> lines;
    if (FileResult read = readRawLines(m_storedPath, lines); !read)
        return read;
    for (QByteArray& line : lines)
        line = store::Scrambler::scramble(std::move(line));
    if (FileResult written = store::TextFile::writeRawLines(m_workingPath, lines); !written)
        return written;

    m_lines = std::move(lines);
    m_pairs.clear();
    m_pairs.reserve(m_lines.size());
    for (const QByteArray& line : std::as_const(m_lines))
        m_pairs.append(WordPair::parse(store::fromCp1252(line)));
    reindex();
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

FileResult LessonFile::add(const QString& foreign, const QString& german)
{
    const QString line = WordPair::line(foreign, german);
    const QByteArray raw = store::toCp1252(line);
    if (FileResult appended = store::TextFile::appendRawLines(m_workingPath, {raw}); !appended)
        return appended;
    m_lines.append(raw);
    m_pairs.append(WordPair::parse(line));
    if (!m_first.contains(m_pairs.constLast().foreign))
        m_first.insert(m_pairs.constLast().foreign, m_pairs.size() - 1);
    return FileResult::success();
}

FileResult LessonFile::change(const QString& foreign, const QString& german)
{
    if (find(foreign) < 0)
        return FileResult::success();
    const QString line = WordPair::line(foreign, german);
    const QByteArray raw = store::toCp1252(line);
    QList<QByteArray> lines = m_lines;
    for (qsizetype i = 0; i < m_pairs.size(); ++i)
        if (m_pairs[i].foreign == foreign)
            lines[i] = raw;
    if (FileResult done = rebuild(lines); !done)
        return done;
    const WordPair pair = WordPair::parse(line);
    for (qsizetype i = 0; i < m_pairs.size(); ++i)
        if (m_pairs[i].foreign == foreign)
            m_pairs[i] = pair;
    m_lines = std::move(lines);
    reindex();
    return FileResult::success();
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
        return done;
    m_lines = std::move(lines);
    m_pairs = std::move(pairs);
    reindex();
    return FileResult::success();
}

FileResult LessonFile::storeBack()
{
    QList<QByteArray> stored;
    stored.reserve(m_lines.size());
    for (const QByteArray& line : std::as_const(m_lines))
        stored.append(store::Scrambler::scramble(line));
    if (FileResult written = store::TextFile::writeRawLines(m_storedPath, stored); !written)
        return written;
    store::TextFile::remove(m_workingPath);
    return FileResult::success();
}

QString LessonFile::foreignWordProblem(const QString& foreign)
{
    if (QString message = store::unstorableTextMessage(foreign); !message.isEmpty())
        return message;
    if (foreign.contains(QStringLiteral("\\\\")) || foreign.endsWith(QLatin1Char('\\')))
        return QStringLiteral("Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes (\\\\) "
                              "enthalten und nicht auf einen Backslash (\\) enden !");
    return {};
}

FileResult LessonFile::rebuild(const QList<QByteArray>& lines)
{
    if (FileResult written = store::TextFile::writeRawLines(m_rebuildPath, lines); !written)
        return written;
    // rename() replaces the working copy in one step, so it is never missing or half written.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(m_rebuildPath).toStdString(),
                            QFile::encodeName(m_workingPath).toStdString(), error);
    if (error) {
        store::TextFile::remove(m_rebuildPath);
        return FileResult::failure(m_workingPath, QString::fromLocal8Bit(error.message()));
    }
    return FileResult::success();
}

void LessonFile::reindex()
{
    m_first.clear();
    m_first.reserve(m_pairs.size());
    // Walking backwards leaves the first line of each word in the index.
    for (qsizetype i = m_pairs.size() - 1; i >= 0; --i)
        m_first.insert(m_pairs[i].foreign, i);
}

} // namespace editor
