#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "exchange/Readers.h"
#include "exchange/XmlScanner.h"

#include "lesson/LanguageLocale.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamWriter>

#include <algorithm>

namespace exchange {
namespace {

// Containers nested deeper than this are read as part of the container at this depth, so that a
// hostile file cannot make every entry reference cost its whole nesting.
constexpr qsizetype MaxLessonDepth = 8;

struct Identifier
{
    int id = 0;
    QString name;
    QString locale;
};

// A translation's grade as the file gives it; a box of 0 is none.
struct Grade
{
    int box = 0;
    QDate date;
    bool boxRead = false;
    bool dateRead = false;
};

struct Entry
{
    QString id;
    QList<std::pair<int, QString>> texts;     // by identifier id, the first text of each
    QList<std::pair<int, Grade>> grades = {}; // by identifier id
};

struct Container
{
    QString name;
    qsizetype parent = -1;  // the container around it
    qsizetype firstRef = 0; // its entry references, its own and those of the containers within
    qsizetype endRef = 0;   // it, are KvtmlParser::refs[firstRef, endRef)
};

// The limits a real word list never reaches, told with their own message before the document is
// read: one pass over the bytes counts the attributes of every tag and the elements open at once,
// and refuses declarations. Comments, CDATA, processing instructions and the document type
// are skipped no further than XML itself lets them reach, so no element escapes the count.
QString shapeProblem(const QByteArray& xml, const QString& fileName)
{
    const QByteArrayView bytes(xml);
    const auto after = [&](qsizetype from, const char* close) {
        const qsizetype at = bytes.indexOf(close, from);
        return at < 0 ? bytes.size() : at + qsizetype(qstrlen(close));
    };
    int depth = 0;
    for (qsizetype at = bytes.indexOf('<'); at >= 0; at = bytes.indexOf('<', at)) {
        const QByteArrayView tag = bytes.sliced(at);
        if (tag.startsWith("<!--")) {
            at = after(at + 4, "-->");
        } else if (tag.startsWith("<![CDATA[")) {
            at = after(at, "]]>");
        } else if (tag.startsWith("<?")) {
            at = after(at, "?>");
        } else if (tag.startsWith("<!")) {
            // A document type may hold declarations in brackets; no word list needs them.
            const qsizetype close = after(at, ">");
            const qsizetype subset = bytes.first(close).indexOf('[', at);
            if (subset < 0) {
                at = close;
                continue;
            }
            const qsizetype end = after(subset, "]");
            const QByteArrayView declarations = bytes.sliced(subset, end - subset);
            if (declarations.contains("<!ENTITY"))
                return message::xmlEntities(fileName);
            if (declarations.contains('<'))
                return message::xmlDeclarations(fileName);
            at = after(end, ">");
        } else if (tag.startsWith("</")) {
            depth = std::max(depth - 1, 0);
            at = after(at, ">");
        } else {
            int attributes = 0;
            qsizetype i = at + 1;
            for (; i < bytes.size() && bytes[i] != '>'; ++i) {
                if (bytes[i] == '"' || bytes[i] == '\'') {
                    i = bytes.indexOf(bytes[i], i + 1);
                    if (i < 0)
                        return {}; // the reader tells the damage
                } else if (bytes[i] == '=' && ++attributes > MaxXmlAttributes) {
                    return message::tooManyAttributes(fileName, bytes.first(at).count('\n') + 1);
                }
            }
            if (bytes[i - 1] != '/' && ++depth > MaxXmlDepth)
                return message::tooDeep(fileName);
            at = i;
        }
    }
    return {};
}

// The document as text in the encoding its declaration names (UTF-8 when it names none); the
// message when its bytes do not fit that encoding, or empty.
QString decodeDocument(const QByteArray& bytes, const QString& fileName, QString* text)
{
    QString encoding = QStringLiteral("UTF-8");
    const QByteArrayView start =
        QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 200));
    const QByteArrayView declaration = start.first(std::max<qsizetype>(start.indexOf("?>"), 0));
    if (const qsizetype at = declaration.indexOf("encoding");
        declaration.startsWith("<?xml") && at > 0) {
        qsizetype open = at + 8;
        while (open < declaration.size() && QByteArrayView("= \t\r\n").contains(declaration[open]))
            ++open;
        const qsizetype close =
            open < declaration.size() ? declaration.indexOf(declaration[open], open + 1) : -1;
        if (close > open)
            encoding = QString::fromLatin1(declaration.sliced(open + 1, close - open - 1));
    }
    if (encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) {
        if (!QByteArrayView(bytes).isValidUtf8())
            return message::wrongEncoding(fileName, encoding);
        *text = QString::fromUtf8(bytes);
        return {};
    }
    QStringDecoder decoder(encoding.toLatin1().constData());
    if (!decoder.isValid())
        return message::unknownEncoding(fileName, encoding);
    *text = decoder.decode(bytes);
    return decoder.hasError() ? message::wrongEncoding(fileName, encoding) : QString();
}

// The elements that make word pairs; every other element is Other.
enum class Tag : quint8 {
    Other,
    Kvtml,
    Information,
    Title,
    Identifiers,
    Identifier,
    Name,
    Locale,
    Entries,
    Entry,
    Translation,
    Text,
    Grade,
    CurrentGrade,
    Date,
    Lessons,
    Container
};

Tag tagOf(QStringView name)
{
    static constexpr std::pair<Tag, QLatin1StringView> names[] = {
        {Tag::Kvtml, QLatin1StringView("kvtml")},
        {Tag::Information, QLatin1StringView("information")},
        {Tag::Title, QLatin1StringView("title")},
        {Tag::Identifiers, QLatin1StringView("identifiers")},
        {Tag::Identifier, QLatin1StringView("identifier")},
        {Tag::Name, QLatin1StringView("name")},
        {Tag::Locale, QLatin1StringView("locale")},
        {Tag::Entries, QLatin1StringView("entries")},
        {Tag::Entry, QLatin1StringView("entry")},
        {Tag::Translation, QLatin1StringView("translation")},
        {Tag::Text, QLatin1StringView("text")},
        {Tag::Grade, QLatin1StringView("grade")},
        {Tag::CurrentGrade, QLatin1StringView("currentgrade")},
        {Tag::Date, QLatin1StringView("date")},
        {Tag::Lessons, QLatin1StringView("lessons")},
        {Tag::Container, QLatin1StringView("container")}};
    for (const auto& [tag, text] : names)
        if (name == text)
            return tag;
    return Tag::Other;
}

// Reads the parts of a KVTML 2.0 document that make word pairs; everything else is skipped.
class KvtmlParser
{
public:
    KvtmlParser(QStringView document, const ReadProgress& progress)
        : m_xml(document)
        , m_progress(progress)
        , m_size(std::max<qsizetype>(document.size(), 1))
    { }

    // Empty when the document was read, otherwise the message for the user.
    QString run(const QString& fileName);
    bool cancelled = false;

    QString title;
    QList<Identifier> identifiers;
    QList<Entry> entries;
    QList<Container> containers;
    QStringList refs; // entry ids referenced by containers, in file order

private:
    QString start(Tag tag, const QString& fileName);
    QString startLessonPart(Tag tag, const QString& fileName);
    QString text();
    QString attribute(const char16_t* name) const { return m_xml.attribute(name); }
    void readGrade(bool date);
    int id() const; // the element's id, or -1 when it has none
    bool inside(std::initializer_list<Tag> path) const
    {
        return std::equal(path.begin(), path.end(), m_path.cbegin(), m_path.cend());
    }

    bool m_entity = false; // an entity reference was met; none is ever resolved
    XmlScanner m_xml;
    const ReadProgress& m_progress;
    qsizetype m_size;
    QList<Tag> m_path;       // the open elements from the root
    QList<qsizetype> m_open; // open containers, innermost last, at most MaxLessonDepth
    QSet<int> m_identifierIds;
    qsizetype m_identifier = -1; // the identifier being read, or -1
    int m_translation = -1;      // id of the translation being read, or -1
    bool m_root = false;         // the root element has been seen
};

QString KvtmlParser::run(const QString& fileName)
{
    for (quint32 token = 1; !m_xml.atEnd(); ++token) {
        if (m_progress && token % 4096 == 0
            && !m_progress(int(std::min<qint64>(m_xml.characterOffset() * 1000 / m_size, 1000)))) {
            cancelled = true;
            return message::cancelled(fileName);
        }
        switch (m_xml.readNext()) {
        case XmlScanner::Token::DocumentType:
            // Entities are never expanded: declaring one is how XML bombs and file reads work.
            if (m_xml.text().contains(QLatin1String("<!ENTITY")))
                return message::xmlEntities(fileName);
            break;
        case XmlScanner::Token::EntityReference:
            return message::xmlEntities(fileName);
        case XmlScanner::Token::StartElement: {
            const Tag tag = tagOf(m_xml.name());
            if (m_path.isEmpty() && tag != Tag::Kvtml)
                return message::notKvtml(fileName);
            if (m_path.isEmpty() && attribute(u"version") != QLatin1String("2.0"))
                return message::kvtmlVersion(fileName);
            m_root = true;
            if (QString error = start(tag, fileName); !error.isEmpty())
                return error;
            // A text cut short by a reference leaves its element open; the file is refused.
            if (m_entity)
                return message::xmlEntities(fileName);
            break;
        }
        case XmlScanner::Token::EndElement:
            if (!m_open.isEmpty() && m_path.size() == m_open.size() + 2)
                containers[m_open.takeLast()].endRef = refs.size();
            m_path.removeLast();
            break;
        default:
            break;
        }
    }
    if (m_entity)
        return message::xmlEntities(fileName);
    if (!m_xml.hasError())
        return {};
    if (!m_root)
        return message::notKvtml(fileName);
    return message::xmlDamaged(fileName, m_xml.lineNumber());
}

// The text of the element just started, that of elements within it included, up to its end.
// Read token by token, so that the nesting costs no stack.
QString KvtmlParser::text()
{
    QString value;
    for (int depth = 1; depth > 0 && !m_xml.atEnd();) {
        switch (m_xml.readNext()) {
        case XmlScanner::Token::Characters:
            value += m_xml.text();
            break;
        case XmlScanner::Token::StartElement:
            ++depth;
            break;
        case XmlScanner::Token::EndElement:
            --depth;
            break;
        case XmlScanner::Token::EntityReference:
            m_entity = true;
            return value;
        default:
            break;
        }
    }
    return value;
}

// The first box and the first date of a translation's grade count.
void KvtmlParser::readGrade(bool date)
{
    const QString value = text().trimmed();
    auto& grades = entries.last().grades;
    const auto it = std::find_if(grades.cbegin(), grades.cend(),
                                 [this](const auto& g) { return g.first == m_translation; });
    qsizetype at = it - grades.cbegin();
    if (m_translation < 0 || (it == grades.cend() && grades.size() >= MaxColumns))
        return;
    if (it == grades.cend())
        grades.append({m_translation, Grade{}});
    Grade& grade = grades[at].second;
    if (date && !grade.dateRead) {
        // KVTML dates carry the time of day as well: "2024-03-15T18:30:00".
        grade.date = QDate::fromString(value.left(10), Qt::ISODate);
        grade.dateRead = true;
    } else if (!date && !grade.boxRead) {
        grade.box = std::max(value.toInt(), 0);
        grade.boxRead = true;
    }
}

int KvtmlParser::id() const
{
    bool ok = false;
    const int value = m_xml.attribute(u"id").toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

// Empty, or the message that refuses the file.
QString KvtmlParser::start(Tag tag, const QString& fileName)
{
    if (inside({Tag::Kvtml, Tag::Information}) && tag == Tag::Title) {
        title = text();
        return {}; // text() has consumed the end of the element
    }
    if (inside({Tag::Kvtml, Tag::Identifiers, Tag::Identifier})
        && (tag == Tag::Name || tag == Tag::Locale)) {
        const QString value = text();
        if (m_identifier >= 0)
            (tag == Tag::Name ? identifiers[m_identifier].name : identifiers[m_identifier].locale) =
                value;
        return {};
    }
    if (inside({Tag::Kvtml, Tag::Entries, Tag::Entry, Tag::Translation}) && tag == Tag::Text) {
        const QString value = text();
        auto& texts = entries.last().texts;
        const bool known = std::any_of(texts.cbegin(), texts.cend(),
                                       [this](const auto& t) { return t.first == m_translation; });
        // An entry has a text for each language at most; more ids than languages are no language.
        if (m_translation >= 0 && !known && texts.size() < MaxColumns)
            texts.append({m_translation, value});
        return {};
    }
    if (inside({Tag::Kvtml, Tag::Entries, Tag::Entry, Tag::Translation, Tag::Grade})
        && (tag == Tag::CurrentGrade || tag == Tag::Date)) {
        readGrade(tag == Tag::Date);
        return {};
    }
    if (m_path.size() >= 2 && m_path[1] == Tag::Lessons) {
        if (QString error = startLessonPart(tag, fileName); !error.isEmpty())
            return error;
        if (m_xml.tokenType() == XmlScanner::Token::EndElement)
            return {};
    } else if (inside({Tag::Kvtml, Tag::Identifiers}) && tag == Tag::Identifier) {
        const int value = id();
        m_identifier = value >= 0 && !m_identifierIds.contains(value) ? identifiers.size() : -1;
        if (m_identifier >= 0) {
            if (identifiers.size() == MaxColumns)
                return message::tooManyLanguages(fileName);
            m_identifierIds.insert(value);
            identifiers.append({value, {}, {}});
        }
    } else if (inside({Tag::Kvtml, Tag::Entries}) && tag == Tag::Entry) {
        if (entries.size() == MaxRows)
            return message::tooManyRows(fileName, true);
        entries.append({attribute(u"id"), {}});
    } else if (inside({Tag::Kvtml, Tag::Entries, Tag::Entry}) && tag == Tag::Translation) {
        m_translation = id();
    }
    m_path.append(tag);
    return {};
}

// Inside <lessons>: containers, their names and their entry references.
QString KvtmlParser::startLessonPart(Tag tag, const QString& fileName)
{
    const bool inContainer = m_path.last() == Tag::Container;
    if (tag == Tag::Container
        && (m_path.size() == 2 || (inContainer && m_path.size() == m_open.size() + 2))) {
        if (m_open.size() < MaxLessonDepth) {
            if (containers.size() == MaxLessons)
                return message::tooManyLessons(fileName);
            containers.append({{}, m_open.isEmpty() ? -1 : m_open.last(), refs.size()});
            m_open.append(containers.size() - 1);
        }
        return {};
    }
    if (!inContainer)
        return {};
    if (tag == Tag::Name && m_path.size() == m_open.size() + 2) {
        const QString value = text();
        if (containers[m_open.last()].name.isEmpty())
            containers[m_open.last()].name = value.trimmed();
    } else if (tag == Tag::Entry) {
        refs.append(attribute(u"id"));
    }
    return {};
}

// The identifier marked German, or -1. Our own export marks German by its locale alone and names
// the other language freely, even "Deutsch"; so a German locale outweighs a German name.
int germanColumn(const QList<Identifier>& identifiers)
{
    const auto index = [&](auto german) {
        const auto it = std::find_if(identifiers.cbegin(), identifiers.cend(), german);
        return it == identifiers.cend() ? -1 : int(it - identifiers.cbegin());
    };
    const int byLocale = index([](const Identifier& i) {
        const QString locale = i.locale.trimmed().toLower();
        return locale == QLatin1String("de") || locale.startsWith(QLatin1String("de_"))
            || locale.startsWith(QLatin1String("de-"));
    });
    const int byName = index([](const Identifier& i) {
        return lesson::localeOfLanguage(i.name) == QLatin1String("de");
    });
    return byLocale >= 0 ? byLocale : byName;
}

} // namespace

namespace detail {

ImportSource readKvtml(const QByteArray& bytes, const QString& fileName,
                       const ReadProgress& progress)
{
    ImportSource source;
    source.format = Format::Kvtml;
    // UTF-16, told by its byte order mark, is decoded once and looked over in UTF-8, where the
    // markup has the same shape.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QString document = utf16 ? QString(QStringDecoder(QStringDecoder::Utf16)(bytes)) : QString();
    source.outcome = refusal(shapeProblem(utf16 ? document.toUtf8() : bytes, fileName));
    if (source.outcome.ok() && !utf16)
        source.outcome = refusal(decodeDocument(bytes, fileName, &document));
    if (!source.outcome.ok())
        return source;
    KvtmlParser parser(document, progress);
    if (const QString error = parser.run(fileName); !error.isEmpty()) {
        if (parser.cancelled)
            return cancelled(fileName);
        source.outcome = refusal(error);
        return source;
    }
    if (parser.identifiers.size() < 2) {
        source.outcome = refusal(message::kvtmlLanguages(fileName));
        return source;
    }
    if (parser.entries.isEmpty()) {
        source.outcome = refusal(message::noEntries(fileName));
        return source;
    }
    if (parser.entries.size() * parser.identifiers.size() > MaxCells) {
        source.outcome = refusal(message::tooManyCells(fileName, true));
        return source;
    }
    QHash<int, qsizetype> column;
    for (const Identifier& i : std::as_const(parser.identifiers)) {
        column.insert(i.id, source.columns.size());
        const QString name = i.name.trimmed().isEmpty() ? i.locale.trimmed() : i.name.trimmed();
        source.columns.append(name.isEmpty() ? message::language(i.id) : name.left(MaxNameLength));
    }
    QHash<QString, qsizetype> rowOf;
    source.rows.reserve(parser.entries.size());
    for (const Entry& e : std::as_const(parser.entries)) {
        Row row{int(source.rows.size() + 1), QStringList(source.columns.size())};
        for (const auto& [id, text] : e.texts)
            if (const auto c = column.constFind(id); c != column.cend())
                row.cells[*c] = text;
        // A grade of 0 has never been asked; a grade without its day cannot say when it is due.
        for (const auto& [id, grade] : e.grades) {
            const auto c = column.constFind(id);
            if (c == column.cend() || grade.box < 1 || !grade.date.isValid())
                continue;
            row.places.resize(source.columns.size());
            row.places[*c] = boxes::Place{std::min(grade.box, boxes::LastBox), grade.date};
        }
        if (!e.id.isEmpty() && !rowOf.contains(e.id))
            rowOf.insert(e.id, source.rows.size());
        source.rows.append(std::move(row));
    }
    // Nested containers follow their outer ones; their names carry the outer names.
    for (const Container& c : std::as_const(parser.containers)) {
        QString name = c.name.isEmpty() ? message::unnamedLesson(source.lessons.size() + 1)
                                        : c.name.left(MaxNameLength);
        if (c.parent >= 0)
            name = source.lessons[c.parent].name + QStringLiteral(" / ") + name;
        KvtmlLesson lesson{name, {}};
        for (qsizetype r = c.firstRef; r < c.endRef; ++r)
            if (const auto row = rowOf.constFind(parser.refs[r]); row != rowOf.cend())
                lesson.rows.append(*row);
        std::sort(lesson.rows.begin(), lesson.rows.end());
        lesson.rows.erase(std::unique(lesson.rows.begin(), lesson.rows.end()), lesson.rows.end());
        source.lessons.append(std::move(lesson));
    }
    source.germanColumn = germanColumn(parser.identifiers);
    const ImportColumns proposed = importColumns(source, false);
    source.proposed.foreignColumn = proposed.foreign;
    source.proposed.germanColumn = proposed.german;
    source.lessonName = parser.title.trimmed();
    return source;
}

} // namespace detail

namespace {

// Lines of their own and an indentation of one blank per level, written by hand: the writer's own
// formatting would put every element of an entry on a line of its own, deeply indented, and a
// lesson of 100,000 pairs would no longer fit within the import limit.
class CompactWriter
{
public:
    explicit CompactWriter(QByteArray* out)
        : w(out)
    { }
    void line(int level)
    {
        w.writeCharacters(QLatin1Char('\n') + QString(level, QLatin1Char(' ')));
    }
    void open(int level, const QString& name, int id = -1)
    {
        line(level);
        w.writeStartElement(name);
        if (id >= 0)
            w.writeAttribute(QStringLiteral("id"), QString::number(id));
    }
    void close(int level)
    {
        line(level);
        w.writeEndElement();
    }
    void text(int level, const QString& name, const QString& value)
    {
        line(level);
        w.writeTextElement(name, value);
    }
    void translation(int id, const QString& value,
                     const std::optional<boxes::Place>& place = std::nullopt)
    {
        w.writeStartElement(QStringLiteral("translation"));
        w.writeAttribute(QStringLiteral("id"), QString::number(id));
        w.writeTextElement(QStringLiteral("text"), value);
        if (place) {
            w.writeStartElement(QStringLiteral("grade"));
            w.writeTextElement(QStringLiteral("currentgrade"), QString::number(place->box));
            w.writeTextElement(QStringLiteral("date"),
                               place->answered.startOfDay().toString(Qt::ISODate));
            w.writeEndElement();
        }
        w.writeEndElement();
    }

    QXmlStreamWriter w;
};

} // namespace

QByteArray exportKvtml(const QList<Pair>& pairs, const QString& language, const QString& lesson)
{
    QByteArray out;
    CompactWriter c(&out);
    QXmlStreamWriter& w = c.w;
    w.writeStartDocument();
    c.open(0, QStringLiteral("kvtml"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    c.open(1, QStringLiteral("information"));
    c.text(2, QStringLiteral("generator"), QStringLiteral("Paukomat"));
    c.text(2, QStringLiteral("title"), lesson);
    c.close(1);
    c.open(1, QStringLiteral("identifiers"));
    // German is identifier 1 alone, whatever the language is called.
    const QString locale = lesson::localeOfLanguage(language);
    int id = 0;
    for (const auto& [name, code] :
         {std::pair(language, locale == QLatin1String("de") ? QString() : locale),
          std::pair(QStringLiteral("Deutsch"), QStringLiteral("de"))}) {
        c.open(2, QStringLiteral("identifier"), id++);
        c.text(3, QStringLiteral("name"), name);
        if (!code.isEmpty())
            c.text(3, QStringLiteral("locale"), code);
        c.close(2);
    }
    c.close(1);
    c.open(1, QStringLiteral("entries"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        c.open(2, QStringLiteral("entry"), int(i));
        c.translation(0, pairs[i].foreign, pairs[i].place);
        c.translation(1, pairs[i].german);
        w.writeEndElement();
    }
    c.close(1);
    c.open(1, QStringLiteral("lessons"));
    c.open(2, QStringLiteral("container"));
    c.text(3, QStringLiteral("name"), lesson);
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        c.line(3);
        w.writeEmptyElement(QStringLiteral("entry"));
        w.writeAttribute(QStringLiteral("id"), QString::number(i));
    }
    c.close(2);
    c.close(1);
    c.close(0);
    w.writeEndDocument(); // ends the last line
    return out;
}

} // namespace exchange
