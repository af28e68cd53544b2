#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "exchange/Readers.h"
#include "store/Cp1252.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

#include <csv.h>

namespace exchange {
namespace {

// The rows libcsv finds, with the line each row starts on. Lines are counted by the line
// feeds libcsv reports between rows (CSV_REPALL_NL) and those inside quoted fields.
struct CsvRows
{
    struct Raw
    {
        int line = 0;
        QList<QByteArray> fields;
    };
    QList<Raw> rows;
    QList<QByteArray> fields; // of the row being read
    int rowLine = 1;
    int line = 1;
    int openQuoteLine = 0;    // the row whose quoted field never closes; 0 when there is none

    static void onField(void* data, size_t size, void* self)
    {
        auto* r = static_cast<CsvRows*>(self);
        const QByteArray field(data ? static_cast<const char*>(data) : "", qsizetype(size));
        if (r->fields.isEmpty())
            r->rowLine = r->line;
        r->line += int(field.count('\n'));
        r->fields.append(field);
    }

    static void onRowEnd(int c, void* self)
    {
        auto* r = static_cast<CsvRows*>(self);
        if (!r->fields.isEmpty())
            r->rows.append({r->rowLine, std::exchange(r->fields, {})});
        if (c == '\n')
            ++r->line;
    }
};

CsvRows parseCsv(const QByteArray& text, char separator)
{
    CsvRows out;
    csv_parser parser;
    if (csv_init(&parser, CSV_REPALL_NL) != 0)
        return out;
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_parse(&parser, text.constData(), size_t(text.size()), CsvRows::onField, CsvRows::onRowEnd,
              &out);
    // Lenient while reading, strict at the end: only a quoted field left open fails here.
    csv_set_opts(&parser, CSV_REPALL_NL | CSV_STRICT | CSV_STRICT_FINI);
    if (csv_fini(&parser, CsvRows::onField, CsvRows::onRowEnd, &out) != 0)
        out.openQuoteLine = out.fields.isEmpty() ? out.line : out.rowLine;
    csv_free(&parser);
    return out;
}

QByteArray firstLines(const QByteArray& text, int count)
{
    qsizetype at = -1;
    for (int i = 0; i < count; ++i)
        if ((at = text.indexOf('\n', at + 1)) < 0)
            return text;
    return text.left(at + 1);
}

// The separator that splits the first lines most alike into two or more fields. Between equals,
// fewer fields holding a quote (a sign of a wrong split) win, then the earlier candidate.
char detectSeparator(const QByteArray& text, const QByteArray& candidates)
{
    const QByteArray sample = firstLines(text, 200);
    char best = 0;
    qsizetype bestAgree = 0;
    qsizetype bestQuoted = 0;
    for (const char c : candidates) {
        const CsvRows parsed = parseCsv(sample, c);
        QHash<qsizetype, qsizetype> counts;
        qsizetype quoted = 0;
        for (const CsvRows::Raw& row : parsed.rows) {
            ++counts[row.fields.size()];
            for (const QByteArray& f : row.fields)
                quoted += f.contains('"') ? 1 : 0;
        }
        qsizetype agree = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.key() >= 2)
                agree = std::max(agree, it.value());
        if (agree > bestAgree || (agree == bestAgree && agree > 0 && quoted < bestQuoted)) {
            best = c;
            bestAgree = agree;
            bestQuoted = quoted;
        }
    }
    return best;
}

// The separator a "#separator:" header names: Anki's words or the character itself.
char namedSeparator(const QString& value)
{
    static const QHash<QString, char> names = {
        {QStringLiteral("tab"), '\t'},       {QStringLiteral("comma"), ','},
        {QStringLiteral("semicolon"), ';'},  {QStringLiteral("pipe"), '|'},
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
            h.columns = value.split(QRegularExpression(QStringLiteral("[\t;,|]")));
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

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

namespace detail {

ImportSource readDelimited(const QByteArray& bytes, const QString& fileName)
{
    ImportSource source;
    // Files with bare CR line ends are read as if they had line feeds.
    QByteArray text = bytes;
    if (!text.contains('\n'))
        text.replace('\r', '\n');
    const Header header = readHeader(text);
    const QByteArray body = text.mid(headerBytes(text, header.lines));
    const QString suffix = QFileInfo(fileName).suffix().toLower();

    char separator = header.separator;
    if (separator == 0 && (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab")))
        separator = '\t';
    if (separator == 0)
        separator = detectSeparator(body, suffix == QLatin1String("csv") ? ";," : "\t;,");
    if (separator == 0) {
        source.error = message::noColumns(fileName);
        return source;
    }
    const CsvRows parsed = parseCsv(body, separator);
    if (parsed.openQuoteLine > 0) {
        source.error = message::openQuote(fileName, parsed.openQuoteLine + header.lines);
        return source;
    }
    // Bytes that are not valid UTF-8 come from Windows, in its Western European code page.
    const bool utf8 = isUtf8(body);
    qsizetype columns = 0;
    for (const CsvRows::Raw& raw : parsed.rows) {
        Row row{raw.line + header.lines, {}};
        for (const QByteArray& field : raw.fields)
            row.cells.append(utf8 ? QString::fromUtf8(field) : store::fromCp1252(field));
        columns = std::max(columns, row.cells.size());
        source.rows.append(std::move(row));
    }
    if (columns < 2) {
        source.rows.clear();
        source.error = message::noColumns(fileName);
        return source;
    }
    for (int i = 0; i < columns; ++i)
        source.columns.append(i < header.columns.size() && !header.columns[i].trimmed().isEmpty()
                                  ? header.columns[i].trimmed()
                                  : message::column(i + 1));
    source.separator = QLatin1Char(separator);
    return source;
}

} // namespace detail

namespace {

// Fields holding a separator, quote or line break are quoted, and so is a first field that
// begins with "#", which would otherwise read as a header line.
QByteArray field(const QString& text, bool first)
{
    QByteArray bytes = text.toUtf8();
    static const QByteArray special("\t\"\r\n");
    const bool quote = std::any_of(bytes.cbegin(), bytes.cend(),
                                   [](char c) { return special.contains(c); })
                    || (first && bytes.startsWith('#'));
    if (!quote)
        return bytes;
    return '"' + bytes.replace('"', "\"\"") + '"';
}

} // namespace

QByteArray exportDelimited(const QList<Pair>& pairs)
{
    QByteArray out("#separator:tab\n#html:false\n");
    for (const Pair& p : pairs)
        out += field(p.foreign, true) + '\t' + field(p.german, false) + '\n';
    return out;
}

} // namespace exchange
