#include "lesson/LessonFile.h"

#include "boxes/BoxFile.h"
#include "handoff/HandOff.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QFile>

#include <cstring>
#include <filesystem>
#include <system_error>

namespace lesson {

using store::Outcome;

namespace {

// The title of the editor's refusals of a pair.
const QString PairTitle = QStringLiteral("Paukomat V1.1  ... neue Vokabel");

Outcome refused(const QString& text)
{
    return Outcome::refused(text, PairTitle);
}

// The bytes before the first two adjacent backslashes; the whole line when there are none.
QByteArrayView foreignPart(QByteArrayView line)
{
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    for (const char* at = begin; at < end; ++at) {
        at = static_cast<const char*>(std::memchr(at, '\\', static_cast<std::size_t>(end - at)));
        if (!at || at + 1 == end)
            break;
        if (at[1] == '\\')
            return line.first(at - begin);
    }
    return line;
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
{ }

void LessonFile::Text::append(QByteArrayView line)
{
    starts.append(bytes.size());
    bytes.append(line);
    bytes.append("\r\n", 2);
}

Outcome LessonFile::open()
{
    if (Outcome made = store::TextFile::touch(m_files.stored()); !made)
        return made;
    // The lines are kept as the lesson holds them rather than read back from the working copy:
    // a line of a damaged lesson may hold a line end of its own, which would split it there.
    QByteArray data;
    if (Outcome read = store::TextFile::readBytes(m_files.stored(), data); !read)
        return read;
    Text text;
    bool everyLineEnded = true;
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (qsizetype start = 0; start < data.size();) {
        const qsizetype newline = data.indexOf('\n', start);
        const qsizetype end = newline < 0 ? data.size() : newline;
        const bool crlf = newline > start && data[newline - 1] == '\r';
        const qsizetype stop = crlf ? end - 1 : end;
        everyLineEnded = everyLineEnded && crlf;
        store::Scrambler::scrambleInPlace(data.data() + start, stop - start);
        spans.append({start, stop});
        start = end + 1;
    }
    // A lesson written by the program ends every line with CR LF, so its plain bytes are the
    // working copy as they stand; any other is rewritten line by line.
    if (everyLineEnded) {
        text.starts.reserve(spans.size());
        for (const auto& span : std::as_const(spans))
            text.starts.append(span.first);
        text.bytes = std::move(data);
    } else {
        for (const auto& [start, stop] : std::as_const(spans))
            text.append(QByteArrayView(data).sliced(start, stop - start));
    }
    if (Outcome written = store::TextFile::writeBytes(m_files.working(), text.bytes); !written)
        return written;
    setText(std::move(text));
    m_boxes = boxes::readBoxFile(m_files.boxes());
    return Outcome::done();
}

void LessonFile::answered(const QString& foreign, bool right, QDate today)
{
    m_boxes.answer(foreign, right, today);
}

qsizetype LessonFile::find(const QString& foreign) const
{
    const QList<qsizetype> all = linesOf(foreign, 1);
    return all.isEmpty() ? -1 : all.first();
}

QList<qsizetype> LessonFile::linesOf(const QString& foreign, qsizetype most) const
{
    // A pass over the words in memory takes well under a millisecond even for a long lesson;
    // an index would have to be built before the editor can show.
    QList<qsizetype> found;
    bool fits = true;
    const QByteArray raw = store::toCp1252(foreign, &fits);
    for (qsizetype i = 0; fits && i < size() && found.size() != most; ++i)
        if (foreignBytes(i) == QByteArrayView(raw))
            found.append(i);
    return found;
}

QByteArrayView LessonFile::foreignBytes(qsizetype index) const
{
    return lineBytes(index).first(m_foreignSize.at(index));
}

bool LessonFile::isPair(qsizetype index) const
{
    // Behind the separator there is room for the mark separator and the mark, as parsing needs.
    const qsizetype foreign = m_foreignSize.at(index);
    return lineBytes(index).size() - foreign >= 2 + 4;
}

QString LessonFile::foreignWord(qsizetype index) const
{
    return store::fromCp1252(foreignBytes(index));
}

QByteArrayView LessonFile::lineBytes(qsizetype index) const
{
    const qsizetype start = m_text.starts.at(index);
    const qsizetype end =
        index + 1 < m_text.starts.size() ? m_text.starts.at(index + 1) : m_text.bytes.size();
    return QByteArrayView(m_text.bytes).sliced(start, end - start - 2);
}

QString LessonFile::line(qsizetype index) const
{
    return store::fromCp1252(lineBytes(index));
}

QStringList LessonFile::lines() const
{
    QStringList plain;
    plain.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        plain.append(line(i));
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

store::Result<Listed> LessonFile::add(const QString& foreign, const QString& german)
{
    if (const QString problem = entryProblem(foreign, german); !problem.isEmpty())
        return {Listed::No, refused(problem)};
    if (find(foreign) >= 0)
        return {Listed::Already,
                refused(QStringLiteral("Die Vokabel ist bereits vorhanden !\r\r"))};
    const QByteArray raw = store::toCp1252(WordPair::line(foreign, german));
    if (Outcome appended = store::TextFile::appendRawLines(m_files.working(), {raw}); !appended)
        return {Listed::No, aboutLesson(appended)};
    m_text.append(raw);
    m_foreignSize.append(foreignPart(raw).size());
    m_boxes.forget(foreign);
    return {Listed::No, Outcome::done()};
}

Outcome LessonFile::change(const QString& foreign, const QString& german)
{
    if (const QString problem = entryProblem(foreign, german); !problem.isEmpty())
        return refused(problem);
    if (find(foreign) < 0)
        return refused(QStringLiteral("Die zu ändernde Vokabel ist nicht vorhanden !\r\r"));
    const QByteArray raw = store::toCp1252(WordPair::line(foreign, german));
    const QList<qsizetype> changed = linesOf(foreign);
    Text text;
    text.bytes.reserve(m_text.bytes.size() + changed.size() * raw.size());
    text.starts.reserve(size());
    for (qsizetype i = 0, next = 0; i < size(); ++i) {
        const bool hit = next < changed.size() && changed[next] == i;
        next += hit ? 1 : 0;
        text.append(hit ? QByteArrayView(raw) : lineBytes(i));
    }
    if (Outcome done = rebuild(text); !done)
        return aboutLesson(done);
    m_text = std::move(text);
    m_boxes.forget(foreign);
    return Outcome::done();
}

Outcome LessonFile::remove(const QString& foreign)
{
    const QList<qsizetype> gone = linesOf(foreign);
    if (gone.isEmpty())
        return Outcome::done();
    Text text;
    QList<qsizetype> foreignSize;
    text.bytes.reserve(m_text.bytes.size());
    text.starts.reserve(size());
    foreignSize.reserve(size());
    for (qsizetype i = 0, next = 0; i < size(); ++i) {
        if (next < gone.size() && gone[next] == i) {
            ++next;
            continue;
        }
        text.append(lineBytes(i));
        foreignSize.append(m_foreignSize[i]);
    }
    if (Outcome done = rebuild(text); !done)
        return aboutLesson(done);
    m_text = std::move(text);
    m_foreignSize = std::move(foreignSize);
    m_boxes.forget(foreign);
    return Outcome::done();
}

Outcome LessonFile::writeStored() const
{
    // The stored file is the working copy with every line scrambled; the line ends stay.
    QByteArray stored = m_text.bytes;
    for (qsizetype i = 0; i < size(); ++i)
        store::Scrambler::scrambleInPlace(stored.data() + m_text.starts[i], lineBytes(i).size());
    return aboutLesson(store::TextFile::writeBytes(m_files.stored(), stored));
}

Outcome LessonFile::writeBoxes() const
{
    // A lesson whose pairs were never answered needs no file of boxes.
    if (m_boxes.isEmpty() && !QFile::exists(m_files.boxes()))
        return Outcome::done();
    QStringList words;
    if (!m_boxes.isEmpty()) {
        words.reserve(size());
        for (qsizetype i = 0; i < size(); ++i)
            words.append(foreignWord(i));
    }
    return aboutLesson(boxes::writeBoxFile(m_files.boxes(), m_boxes, words));
}

Outcome LessonFile::storeBack()
{
    if (Outcome written = writeBoxes(); !written)
        return written;
    if (Outcome written = writeStored(); !written)
        return written;
    store::TextFile::remove(m_files.working());
    return Outcome::done();
}

Outcome LessonFile::takeRunLines(const QStringList& lines)
{
    Text text;
    text.starts.reserve(lines.size());
    for (const QString& line : lines)
        text.append(store::toCp1252(line));
    setText(std::move(text));
    if (Outcome written = writeBoxes(); !written)
        return written;
    if (Outcome written = writeStored(); !written)
        return written;
    if (store::TextFile::writeBytes(m_files.working(), m_text.bytes))
        removeRunCopy();
    return Outcome::done();
}

void LessonFile::removeRunCopy() const
{
    store::TextFile::remove(m_files.runCopy());
}

void LessonFile::removeScratchFiles() const
{
    store::removeMatching(m_files.languagePath(), QStringLiteral("tmp*"));
}

Outcome LessonFile::aboutLesson(Outcome result) const
{
    // The user knows the lesson, not its working or run copy.
    if (result.failure)
        result.failure->path = m_files.stored();
    return result.about(store::lessonSubject(m_name));
}

Outcome LessonFile::rebuild(const Text& text)
{
    if (Outcome written = store::TextFile::writeBytes(m_files.rebuild(), text.bytes); !written)
        return written;
    // rename() replaces the working copy in one step, so it is never missing or half written.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(m_files.rebuild()).toStdString(),
                            QFile::encodeName(m_files.working()).toStdString(), error);
    if (error) {
        store::TextFile::remove(m_files.rebuild());
        return Outcome::failed(m_files.working(), QString::fromLocal8Bit(error.message()));
    }
    return Outcome::done();
}

void LessonFile::setText(Text text)
{
    m_text = std::move(text);
    m_foreignSize.clear();
    m_foreignSize.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        m_foreignSize.append(foreignPart(lineBytes(i)).size());
}

store::Result<HandedOverLesson> openHandedOverLesson(const store::DataTree& tree, LessonUse use)
{
    const bool editing = use == LessonUse::Editing;
    const store::Result<QString> user = handoff::readSignedInUser(
        tree,
        {QStringLiteral("Der angemeldete Benutzer ist nicht bekannt, die Datei \"%1\" fehlt "
                        "oder ist leer. %2")
             .arg(handoff::SignedInFile,
                  editing ? QStringLiteral("Die Lektion kann nicht bearbeitet werden !")
                          : QStringLiteral("Die Übung kann nicht geöffnet werden.")),
         store::ErrorTitle});
    if (!user.ok())
        return {{}, user.outcome};

    // The main screen writes three lines; should the file hold more, the last three count.
    const store::Result<handoff::LessonChoice> choice = handoff::readLessonChoice(
        tree, user.value,
        {(editing ? QStringLiteral("Es ist keine Lektion zum Bearbeiten angegeben, die Datei "
                                   "\"%1\" fehlt oder ist unvollständig. Bitte wählen Sie die "
                                   "Lektion erneut aus !")
                  : QStringLiteral("Die gewählte Lektion ist nicht bekannt, die Datei \"%1\" "
                                   "fehlt oder ist unvollständig. Die Übung kann nicht "
                                   "geöffnet werden."))
             .arg(handoff::LessonChoiceFile),
         store::ErrorTitle});
    if (!choice.ok())
        return {{}, choice.outcome};

    const handoff::LessonChoice& chosen = choice.value;
    LessonFile lesson({tree.languagePath(user.value, chosen.language), chosen.key}, chosen.language,
                      chosen.lesson);
    if (const Outcome opened = lesson.open(); !opened)
        return {{},
                Outcome::refused(store::lessonInaccessibleMessage(
                                     chosen.lesson, opened.failure->path, opened.failure->reason),
                                 store::ErrorTitle)};
    return {{user.value, std::move(lesson)}, Outcome::done()};
}

} // namespace lesson
