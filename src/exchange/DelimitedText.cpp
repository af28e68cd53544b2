#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "exchange/Readers.h"
#include "lesson/LanguageLocale.h"
#include "store/Cp1252.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <utility>

#include <csv.h>

namespace exchange {
namespace {

// Cells beyond MaxColumns may be there as long as they are empty, up to what a spreadsheet's row
// holds at most.
constexpr qsizetype MaxRowCells = 16384;

// Reads delimited text with libcsv into rows, or only measures how the rows split. Rows are
// numbered as they come; lines, which the messages about a damaged file name, are counted by the
// line feeds libcsv reports between rows (CSV_REPALL_NL) and those inside quoted fields. Reading
// stops at the first limit the text passes.
class CsvReader
{
public:
    enum class Decode { None, Utf8, Cp1252 }; // None keeps no rows, only their widths

    CsvReader(char separator, Decode decode, int firstLine = 1)
        : m_separator(separator)
        , m_decode(decode)
        , m_line(firstLine)
    { }

    void read(QByteArrayView text, const ReadProgress& progress = {});

    QList<Row> rows;
    QHash<qsizetype, qsizetype> widths; // how many rows have how many cells
    qsizetype quoted = 0;               // cells holding a quote
    int openQuoteLine = 0;              // the row whose quoted field never closes, or 0
    int tooWideLine = 0;                // the first row too wide to read
    bool tooManyRows = false;
    bool tooManyCells = false;
    bool cancelled = false;

private:
    [[nodiscard]] bool stopped() const
    {
        return tooWideLine > 0 || tooManyRows || tooManyCells || cancelled;
    }
    static void onField(void* data, size_t size, void* self);
    static void onRowEnd(int c, void* self);
    void stopTooWide()
    {
        tooWideLine = m_rowLine;
        ++widths[m_width]; // still a row that splits, for the separator guess
    }

    char m_separator;
    Decode m_decode;
    int m_line;
    int m_rowLine = 0;     // the line where the row being read began
    qsizetype m_width = 0; // cells of the row being read, the blank ones beyond MaxColumns too
    QStringList m_cells;   // the row's cells kept, at most MaxColumns
    qsizetype m_cellsKept = 0;
};

void CsvReader::onField(void* data, size_t size, void* self)
{
    auto* r = static_cast<CsvReader*>(self);
    if (r->stopped())
        return;
    if (r->m_width++ == 0)
        r->m_rowLine = r->m_line;
    if (r->m_width > MaxRowCells) {
        r->stopTooWide();
        return;
    }
    if (size == 0) {
        if (r->m_width <= MaxColumns && r->m_decode != Decode::None)
            r->m_cells.append(QString());
        return;
    }
    const QByteArrayView field(data ? static_cast<const char*>(data) : "", qsizetype(size));
    r->m_line += int(std::count(field.begin(), field.end(), '\n'));
    r->quoted += field.contains('"') ? 1 : 0;
    // Spreadsheets may add empty cells; only filled ones make a column.
    if (r->m_width > MaxColumns) {
        if (!field.trimmed().isEmpty())
            r->stopTooWide();
        return;
    }
    if (r->m_decode == Decode::Utf8)
        r->m_cells.append(QString::fromUtf8(field));
    else if (r->m_decode == Decode::Cp1252)
        r->m_cells.append(store::fromCp1252(field.toByteArray()));
}

void CsvReader::onRowEnd(int c, void* self)
{
    auto* r = static_cast<CsvReader*>(self);
    if (r->stopped())
        return;
    if (r->m_width > 0) {
        ++r->widths[r->m_width];
        if (r->m_decode != Decode::None) {
            r->m_cellsKept += r->m_cells.size();
            r->tooManyRows = r->rows.size() == MaxRows;
            r->tooManyCells = r->m_cellsKept > MaxCells;
            if (!r->stopped())
                r->rows.append({int(r->rows.size() + 1), std::exchange(r->m_cells, {})});
        }
        r->m_width = 0;
    }
    if (c == '\n')
        ++r->m_line;
}

void CsvReader::read(QByteArrayView text, const ReadProgress& progress)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_REPALL_NL) != 0)
        return;
    csv_set_delim(&parser, static_cast<unsigned char>(m_separator));
    // In pieces, so that a text beyond a limit is left at once.
    constexpr qsizetype Piece = qsizetype(64) * 1024;
    for (qsizetype at = 0; at < text.size() && !stopped(); at += Piece) {
        if (progress && !progress(int(at * 1000 / text.size()))) {
            cancelled = true;
            break;
        }
        const QByteArrayView piece = text.sliced(at, std::min(Piece, text.size() - at));
        csv_parse(&parser, piece.data(), size_t(piece.size()), onField, onRowEnd, this);
    }
    // Lenient while reading, strict at the end: only a quoted field left open fails here.
    csv_set_opts(&parser, CSV_REPALL_NL | CSV_STRICT | CSV_STRICT_FINI);
    if (!stopped() && csv_fini(&parser, onField, onRowEnd, this) != 0)
        openQuoteLine = m_width == 0 ? m_line : m_rowLine;
    csv_free(&parser);
}

// The first lines, up to a size that a sample needs.
QByteArrayView firstLines(QByteArrayView text, int count)
{
    text = text.first(std::min<qsizetype>(text.size(), qsizetype(1024) * 1024));
    qsizetype at = -1;
    for (int i = 0; i < count; ++i)
        if ((at = text.indexOf('\n', at + 1)) < 0)
            return text;
    return text.first(at + 1);
}

// The separator that splits the first lines most alike into two or more fields. Between equals,
// fewer fields holding a quote (a sign of a wrong split) win, then the earlier candidate.
char detectSeparator(QByteArrayView text, const QByteArray& candidates)
{
    const QByteArrayView sample = firstLines(text, 200);
    char best = 0;
    qsizetype bestAgree = 0;
    qsizetype bestQuoted = 0;
    for (const char c : candidates) {
        CsvReader parsed(c, CsvReader::Decode::None);
        parsed.read(sample);
        qsizetype agree = 0;
        for (auto it = parsed.widths.cbegin(); it != parsed.widths.cend(); ++it)
            if (it.key() >= 2)
                agree = std::max(agree, it.value());
        if (agree > bestAgree || (agree == bestAgree && agree > 0 && parsed.quoted < bestQuoted)) {
            best = c;
            bestAgree = agree;
            bestQuoted = parsed.quoted;
        }
    }
    return best;
}

// The separator a "#separator:" header names: Anki's words or the character itself.
char namedSeparator(const QString& value)
{
    static const QHash<QString, char> names = {{QStringLiteral("tab"), '\t'},
                                               {QStringLiteral("comma"), ','},
                                               {QStringLiteral("semicolon"), ';'},
                                               {QStringLiteral("pipe"), '|'},
                                               {QStringLiteral("space"), ' '}};
    if (const auto it = names.constFind(value.toLower()); it != names.cend())
        return *it;
    if (value.size() == 1 && value[0].unicode() > 0x20 && value[0].unicode() < 0x7F
        && value[0] != QLatin1Char('"'))
        return char(value[0].unicode());
    return 0;
}

struct Header
{
    int lines = 0;
    char separator = 0;
    QStringList columns;
};

// The names after "#columns:", as many as a row may have cells.
QStringList columnNames(QStringView value)
{
    QStringList names;
    for (qsizetype from = 0; names.size() < MaxColumns;) {
        qsizetype at = from;
        while (at < value.size() && !QStringView(u"\t;,|").contains(value[at]))
            ++at;
        names.append(value.sliced(from, at - from).toString());
        if (at == value.size())
            break;
        from = at + 1;
    }
    return names;
}

// Leading lines that begin with "#" carry settings (Anki's plain-text export) and are skipped.
Header readHeader(const QByteArray& text)
{
    Header h;
    qsizetype at = 0;
    while (at < text.size() && text[at] == '#') {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        const QString line = QString::fromUtf8(text.mid(at + 1, end - at - 1)).trimmed();
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString key = line.left(colon).trimmed().toLower();
        const QString value = colon < 0 ? QString() : line.mid(colon + 1).trimmed();
        if (key == QLatin1String("separator"))
            h.separator = namedSeparator(value);
        else if (key == QLatin1String("columns"))
            h.columns = columnNames(value);
        ++h.lines;
        at = end + 1;
    }
    return h;
}

qsizetype headerBytes(const QByteArray& text, int lines)
{
    qsizetype at = 0;
    for (int i = 0; i < lines && at < text.size(); ++i) {
        const qsizetype end = text.indexOf('\n', at);
        at = end < 0 ? text.size() : end + 1;
    }
    return at;
}

// Whether the first row looks like column names: a cell of it names a language, or in some column
// every other row holds a digit (or a ";" list) where the first row holds none. Only the first
// rows are looked at.
bool looksLikeHeader(const QList<Row>& rows)
{
    if (rows.size() < 2)
        return false;
    const QStringList& first = rows.first().cells;
    if (std::any_of(first.cbegin(), first.cend(),
                    [](const QString& cell) { return !lesson::localeOfLanguage(cell).isEmpty(); }))
        return true;
    using Kind = bool (*)(const QString&);
    const Kind kinds[] = {[](const QString& text) {
                              return std::any_of(text.cbegin(), text.cend(),
                                                 [](QChar c) { return c.isDigit(); });
                          },
                          [](const QString& text) { return text.contains(QLatin1Char(';')); }};
    const qsizetype sample = std::min<qsizetype>(rows.size(), 100);
    for (qsizetype c = 0; c < first.size() && sample > 2; ++c)
        for (const Kind kind : kinds) {
            if (first[c].trimmed().isEmpty() || kind(first[c]))
                continue;
            qsizetype r = 1;
            while (r < sample && c < rows[r].cells.size() && kind(rows[r].cells[c]))
                ++r;
            if (r == sample)
                return true;
        }
    return false;
}

} // namespace

namespace detail {

ImportSource readDelimited(const QByteArray& bytes, const QString& fileName,
                           const ReadProgress& progress)
{
    ImportSource source;
    // A bare CR ends a line as CR LF does (old Mac files, or line ends mixed), so that every row
    // is counted on a line of its own.
    QByteArray text = bytes;
    if (text.contains('\r'))
        text.replace("\r\n", "\n").replace('\r', '\n');
    const Header header = readHeader(text);
    const QByteArrayView body = QByteArrayView(text).sliced(headerBytes(text, header.lines));
    const QString suffix = QFileInfo(fileName).suffix().toLower();

    char separator = header.separator;
    if (separator == 0 && (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab")))
        separator = '\t';
    if (separator == 0)
        separator = detectSeparator(body, suffix == QLatin1String("csv") ? ";," : "\t;,");
    if (separator == 0) {
        source.outcome = refusal(message::noColumns(fileName));
        return source;
    }
    // Bytes that are not valid UTF-8 come from Windows, in its Western European code page.
    CsvReader parsed(separator,
                     body.isValidUtf8() ? CsvReader::Decode::Utf8 : CsvReader::Decode::Cp1252,
                     header.lines + 1);
    parsed.read(body, progress);
    if (parsed.cancelled)
        return cancelled(fileName);
    if (parsed.tooWideLine > 0)
        source.outcome = refusal(message::tooManyColumns(fileName, parsed.tooWideLine));
    else if (parsed.tooManyRows)
        source.outcome = refusal(message::tooManyRows(fileName, false));
    else if (parsed.tooManyCells)
        source.outcome = refusal(message::tooManyCells(fileName, false));
    else if (parsed.openQuoteLine > 0)
        source.outcome = refusal(message::openQuote(fileName, parsed.openQuoteLine));
    if (!source.outcome.ok())
        return source;
    qsizetype columns = 0;
    for (const Row& row : std::as_const(parsed.rows))
        columns = std::max(columns, row.cells.size());
    if (columns < 2) {
        source.outcome = refusal(message::noColumns(fileName));
        return source;
    }
    source.rows = std::move(parsed.rows);
    for (int i = 0; i < columns; ++i) {
        const QString name = header.columns.value(i).trimmed().left(MaxNameLength);
        source.columns.append(name.isEmpty() ? message::column(i + 1) : name);
        if (source.germanColumn < 0 && lesson::localeOfLanguage(name) == QLatin1String("de"))
            source.germanColumn = i;
    }
    source.separator = QLatin1Char(separator);
    // Columns named in a "#columns:" line need no header row.
    source.proposed.headerRow = header.columns.isEmpty() && looksLikeHeader(source.rows);
    const ImportColumns proposed = importColumns(source, source.proposed.headerRow);
    source.proposed.foreignColumn = proposed.foreign;
    source.proposed.germanColumn = proposed.german;
    return source;
}

} // namespace detail

namespace {

// Fields holding a separator, quote or line break are quoted, and so is a first field that
// begins with "#" or "<", which would otherwise read as a settings line such as Anki's or, at
// the start of the file, as XML.
QByteArray field(const QString& text, bool first)
{
    QByteArray bytes = text.toUtf8();
    static const QByteArray special("\t\"\r\n");
    const bool quote =
        std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return special.contains(c); })
        || (first && (bytes.startsWith('#') || bytes.startsWith('<')));
    if (!quote)
        return bytes;
    return '"' + bytes.replace('"', "\"\"") + '"';
}

} // namespace

QByteArray exportDelimited(const QList<Pair>& pairs)
{
    QByteArray out;
    for (const Pair& p : pairs)
        out += field(p.foreign, true) + '\t' + field(p.german, false) + '\n';
    return out;
}

} // namespace exchange
