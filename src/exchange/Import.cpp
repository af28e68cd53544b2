#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "exchange/Readers.h"
#include "lesson/LanguageLocale.h"
#include "lesson/LessonFile.h"
#include "store/TextRules.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace exchange {

ImportSource readImportFile(const QString& path, const ReadProgress& progress)
{
    const QFileInfo info(path);
    ImportSource source;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        source.outcome = detail::refusal(message::cannotRead(info.fileName()));
        return source;
    }
    // One byte beyond the limit tells a file that grew since it was chosen.
    const QByteArray bytes = file.read(MaxImportBytes + 1);
    if (file.error() != QFileDevice::NoError)
        source.outcome = detail::refusal(message::cannotRead(info.fileName()));
    else if (info.size() > MaxImportBytes || bytes.size() > MaxImportBytes)
        source.outcome = detail::refusal(message::tooBig(info.fileName()));
    return source.outcome.ok() ? readImportData(bytes, path, progress) : source;
}

namespace detail {

ImportSource cancelled(const QString& fileName)
{
    ImportSource source;
    source.outcome = store::Outcome::unchanged(message::cancelled(fileName));
    return source;
}

store::Outcome refusal(const QString& problem)
{
    return problem.isEmpty() ? store::Outcome::done()
                             : store::Outcome::refused(problem, store::MessageTitle);
}

} // namespace detail

ImportSource readImportData(const QByteArray& bytes, const QString& fileName,
                            const ReadProgress& progress)
{
    const QFileInfo info(fileName);
    const QString name = info.fileName();
    ImportSource source;
    if (bytes.size() > MaxImportBytes) {
        source.outcome = detail::refusal(message::tooBig(name));
        return source;
    }
    // Spreadsheets save "Unicode text" as UTF-16 with a byte order mark.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QByteArray text = bytes;
    if (utf16) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        text = QString(decoder(bytes.mid(2))).toUtf8();
    }
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const QByteArrayView trimmed = QByteArrayView(text).trimmed();
    if (trimmed.isEmpty())
        source.outcome = detail::refusal(message::empty(name));
    else if (text.contains('\0'))
        source.outcome = detail::refusal(message::notText(name));
    if (!source.outcome.ok())
        return source;

    // The XML reader follows the document's own encoding, so it gets the bytes as they are. Text
    // that merely begins with "<" is a word list like any other.
    const QString suffix = info.suffix().toLower();
    const QByteArrayView start = trimmed.first(std::min<qsizetype>(trimmed.size(), 64));
    const bool kvtml = suffix == QLatin1String("kvtml") || suffix == QLatin1String("xml")
        || start.startsWith("<?xml") || start.startsWith("<kvtml")
        || start.startsWith("<!DOCTYPE kvtml");
    source = kvtml ? detail::readKvtml(utf16 ? bytes : text, name, progress)
                   : detail::readDelimited(text, name, progress);
    if (source.outcome.ok())
        source.lessonName = lessonNameProposal(source.lessonName.isEmpty() ? info.completeBaseName()
                                                                           : source.lessonName);
    return source;
}

QString lessonNameProposal(const QString& text)
{
    // Titles are often file names; the dot would go below and leave "examplekvtml".
    QStringView title = QStringView(text).trimmed();
    for (bool cut = true; cut;) {
        cut = false;
        for (const char* suffix : {".kvtml", ".csv", ".tsv", ".txt", ".xml"})
            if (title.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
                title = title.chopped(qstrlen(suffix)).trimmed();
                cut = true;
            }
    }
    QString name;
    // Enough characters for a name even after blanks run together; a title may be megabytes.
    for (qsizetype i = 0; i < title.size() && name.size() < 4 * MaxNameLength; ++i)
        if (const QChar c = title[i]; !store::ForbiddenListNameCharacters.contains(c)
            && store::unstorableTextMessage(QString(c)).isEmpty())
            name += c;
    name = name.simplified().left(MaxNameLength).trimmed();
    return name.isEmpty() ? message::fallbackLessonName() : name;
}

QString lessonNameProposal(const ImportSource& source, int kvtmlLesson)
{
    if (kvtmlLesson < 0 || kvtmlLesson >= source.lessons.size())
        return source.lessonName;
    // "/" parts a nested lesson from the one around it; a lesson name may not hold it.
    QString name = source.lessons[kvtmlLesson].name;
    return lessonNameProposal(name.replace(QStringLiteral(" / "), QStringLiteral(" - ")));
}

ImportColumns importColumns(const ImportSource& source, bool headerRow)
{
    ImportColumns columns;
    columns.names = source.columns;
    columns.german = source.germanColumn;
    if (headerRow && source.format == Format::Delimited && !source.rows.isEmpty()) {
        const QStringList& cells = source.rows.first().cells;
        columns.german = -1;
        for (qsizetype i = 0; i < cells.size() && i < columns.names.size(); ++i) {
            // A cell may be megabytes; a name is its beginning.
            const QString name = cells[i].left(4 * MaxNameLength).simplified().left(MaxNameLength);
            if (!name.isEmpty())
                columns.names[i] = name;
            if (columns.german < 0 && lesson::localeOfLanguage(name) == QLatin1String("de"))
                columns.german = int(i);
        }
    }
    columns.germanMarked = columns.german >= 0;
    if (!columns.germanMarked) {
        columns.german = columns.names.size() > 1 ? 1 : 0;
        columns.foreign = 0;
        return columns;
    }
    // The foreign side is the first column named after another language, else the first other.
    const qsizetype count = columns.names.size();
    columns.foreign = columns.german == 0 ? 1 : 0;
    for (qsizetype i = 0; i < count; ++i)
        if (const QString locale = lesson::localeOfLanguage(columns.names[i]);
            i != columns.german && !locale.isEmpty() && locale != QLatin1String("de")) {
            columns.foreign = int(i);
            break;
        }
    return columns;
}

qsizetype chosenRowCount(const ImportSource& source, const ImportChoice& choice)
{
    if (choice.kvtmlLesson >= 0)
        return choice.kvtmlLesson < source.lessons.size()
            ? source.lessons[choice.kvtmlLesson].rows.size()
            : 0;
    const bool header = choice.headerRow && source.format == Format::Delimited;
    return std::max<qsizetype>(source.rows.size() - (header ? 1 : 0), 0);
}

const Row& chosenRow(const ImportSource& source, const ImportChoice& choice, qsizetype k)
{
    if (choice.kvtmlLesson >= 0)
        return source.rows[source.lessons[choice.kvtmlLesson].rows[k]];
    const bool header = choice.headerRow && source.format == Format::Delimited;
    return source.rows[k + (header ? 1 : 0)];
}

namespace {

// The meanings of a German side: split at ";", trimmed, empty ones dropped.
QStringList meaningsOf(const QString& german)
{
    QStringList meanings;
    for (const QString& m : german.split(QLatin1Char(';')))
        if (const QString t = m.trimmed(); !t.isEmpty())
            meanings.append(t);
    return meanings;
}

// Empty when the pair can be stored, otherwise why not. The German side may hold backslashes:
// a lesson line splits at its first "\\", which lies behind the foreign word, and the mark is
// found from the end of the line.
QString problemOf(const Pair& p)
{
    if (p.foreign.isEmpty())
        return message::emptyForeign();
    // Some meaning is there when anything but separators and blanks is.
    if (std::all_of(p.german.cbegin(), p.german.cend(),
                    [](QChar c) { return c == QLatin1Char(';') || c.isSpace(); }))
        return message::emptyGerman();
    // Control characters are told in words of a file; the editor speaks of what was typed.
    for (const QString* side : {&p.foreign, &p.german})
        if (side->contains(QLatin1Char('\n')) || side->contains(QLatin1Char('\r')))
            return message::lineBreak();
    for (const QString* side : {&p.foreign, &p.german})
        if (std::any_of(side->cbegin(), side->cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; }))
            return message::controlCharacter();
    if (QString m = lesson::foreignWordProblem(p.foreign); !m.isEmpty())
        return m;
    return store::unstorableTextMessage(p.german);
}

// Appends the meanings of more that german lacks; false when it lacks none. have holds the
// meanings german has, so that merging many duplicates stays linear.
bool merge(QString& german, QSet<QString>& have, const QString& more)
{
    bool changed = false;
    for (const QString& m : meaningsOf(more)) {
        if (have.contains(m))
            continue;
        have.insert(m);
        german += (german.endsWith(QLatin1Char(';')) ? QString() : QStringLiteral(";")) + m;
        changed = true;
    }
    return changed;
}

// The row as a list shows it: on one line and not endlessly long.
QString shown(const Pair& p)
{
    QString text = p.foreign + QStringLiteral(" = ") + p.german;
    for (QChar& c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return text.size() > 200 ? text.left(199) + QChar(0x2026) : text;
}

QString cell(const Row& row, int column)
{
    return column >= 0 && column < row.cells.size() ? row.cells[column].trimmed() : QString();
}

} // namespace

ImportPlan planImport(const ImportSource& source, const ImportChoice& choice)
{
    ImportPlan plan;
    plan.entries = source.format == Format::Kvtml;
    if (!source.outcome.ok())
        return plan;
    int foreign = choice.foreignColumn;
    int german = choice.germanColumn;
    if (choice.swapSides)
        std::swap(foreign, german);
    const qsizetype count = chosenRowCount(source, choice);

    QHash<QString, qsizetype> pairOf;     // foreign word to its pair
    QList<int> firstRow;                  // row number of each pair
    QHash<qsizetype, QSet<QString>> have; // meanings of each pair that took a duplicate
    // Only the rows kept for the list get their text and reason written out.
    const auto leaveOut = [&plan](const Row& row, const Pair& pair, auto reason, bool merged) {
        if (plan.leftOut.size() < MaxLeftOutKept)
            plan.leftOut.append({row.number, shown(pair), reason(), merged});
        ++plan.leftOutTotal;
        plan.mergedTotal += merged ? 1 : 0;
    };
    for (qsizetype k = 0; k < count; ++k) {
        const Row& row = chosenRow(source, choice, k);
        const Pair pair{cell(row, foreign), cell(row, german), row.places.value(foreign)};
        if (const QString reason = problemOf(pair); !reason.isEmpty()) {
            leaveOut(
                row, pair, [&]() -> const QString& { return reason; }, false);
        } else if (const auto it = pairOf.constFind(pair.foreign); it != pairOf.cend()) {
            auto meanings = have.find(*it);
            if (meanings == have.end()) {
                const QStringList known = meaningsOf(plan.pairs[*it].german);
                meanings = have.insert(*it, QSet<QString>(known.cbegin(), known.cend()));
            }
            const bool changed = merge(plan.pairs[*it].german, *meanings, pair.german);
            const int first = firstRow[*it];
            leaveOut(
                row, pair,
                [&] {
                    return changed ? message::duplicateMerged(first, plan.entries)
                                   : message::duplicateUnchanged(first, plan.entries);
                },
                true);
        } else {
            pairOf.insert(pair.foreign, plan.pairs.size());
            plan.pairs.append(pair);
            firstRow.append(row.number);
        }
    }
    return plan;
}

QString ImportPlan::summary() const
{
    return message::summary(pairs.size(), mergedTotal, leftOutTotal, entries, false);
}

QString ImportPlan::importedSummary() const
{
    return message::summary(pairs.size(), mergedTotal, leftOutTotal, entries, true);
}

} // namespace exchange
