#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "exchange/Readers.h"

#include <QHash>
#include <QXmlStreamReader>
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

struct Entry
{
    QString id;
    QHash<int, QString> texts; // by identifier id
};

struct Container
{
    QString name;
    qsizetype parent = -1; // the container around it
    QStringList entryIds;  // its own and those of the containers within it
};

// Notes every entity reference that no declaration resolves, and resolves none of them.
class EntityGuard : public QXmlStreamEntityResolver
{
public:
    QString resolveUndeclaredEntity(const QString&) override
    {
        met = true;
        return {};
    }
    bool met = false;
};

// Reads the parts of a KVTML 2.0 document that make word pairs; everything else is skipped.
class KvtmlParser
{
public:
    explicit KvtmlParser(const QByteArray& bytes) : m_xml(bytes)
    {
        m_xml.setEntityResolver(&m_guard);
    }

    // Empty when the document was read, otherwise the message for the user.
    QString run(const QString& fileName);

    QString title;
    QList<Identifier> identifiers;
    QList<Entry> entries;
    QList<Container> containers;

private:
    void start();
    void startLessonPart(const QStringView name);
    QString text() { return m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }
    int id(bool* ok) const { return m_xml.attributes().value(QLatin1String("id")).toInt(ok); }
    bool inside(std::initializer_list<const char*> path) const;

    EntityGuard m_guard;
    QXmlStreamReader m_xml;
    QStringList m_path;           // names of the open elements from the root
    QList<qsizetype> m_open;      // open containers, innermost last, at most MaxLessonDepth
    qsizetype m_identifier = -1;  // the identifier being read, or -1
    int m_translation = -1;       // id of the translation being read, or -1
    bool m_root = false;          // the root element has been seen
};

QString KvtmlParser::run(const QString& fileName)
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            // Entities are never expanded: declaring one is how XML bombs and file reads work.
            if (!m_xml.entityDeclarations().isEmpty()
                || m_xml.text().contains(QLatin1String("<!ENTITY")))
                return message::xmlEntities(fileName);
            break;
        case QXmlStreamReader::EntityReference:
            return message::xmlEntities(fileName);
        case QXmlStreamReader::StartElement:
            if (m_path.isEmpty() && m_xml.name() != QLatin1String("kvtml"))
                return message::notKvtml(fileName);
            if (m_path.isEmpty()
                && m_xml.attributes().value(QLatin1String("version")) != QLatin1String("2.0"))
                return message::kvtmlVersion(fileName);
            m_root = true;
            start();
            break;
        case QXmlStreamReader::EndElement:
            if (!m_open.isEmpty() && m_path.size() == m_open.size() + 2)
                m_open.removeLast();
            m_path.removeLast();
            break;
        default:
            break;
        }
    }
    if (m_guard.met)
        return message::xmlEntities(fileName);
    if (!m_xml.hasError())
        return {};
    if (!m_root)
        return message::notKvtml(fileName);
    return message::xmlDamaged(fileName, m_xml.lineNumber());
}

bool KvtmlParser::inside(std::initializer_list<const char*> path) const
{
    if (m_path.size() != qsizetype(path.size()))
        return false;
    return std::equal(path.begin(), path.end(), m_path.cbegin(),
                      [](const char* a, const QString& b) { return b == QLatin1String(a); });
}

void KvtmlParser::start()
{
    const QString name = m_xml.name().toString();
    bool ok = false;
    if (inside({"kvtml", "information"}) && name == QLatin1String("title")) {
        title = text();
        return; // readElementText() has consumed the end of the element
    }
    if (inside({"kvtml", "identifiers", "identifier"})
        && (name == QLatin1String("name") || name == QLatin1String("locale"))) {
        const QString value = text();
        if (m_identifier >= 0)
            (name == QLatin1String("name") ? identifiers[m_identifier].name
                                           : identifiers[m_identifier].locale) = value;
        return;
    }
    if (inside({"kvtml", "entries", "entry", "translation"}) && name == QLatin1String("text")) {
        const QString value = text();
        if (m_translation >= 0 && !entries.last().texts.contains(m_translation))
            entries.last().texts.insert(m_translation, value);
        return;
    }
    if (m_path.size() >= 2 && m_path[1] == QLatin1String("lessons")) {
        startLessonPart(name);
        if (m_xml.tokenType() == QXmlStreamReader::EndElement)
            return;
    } else if (inside({"kvtml", "identifiers"}) && name == QLatin1String("identifier")) {
        const int value = id(&ok);
        const bool known = std::any_of(identifiers.cbegin(), identifiers.cend(),
                                       [value](const Identifier& i) { return i.id == value; });
        m_identifier = ok && value >= 0 && !known ? identifiers.size() : -1;
        if (m_identifier >= 0)
            identifiers.append({value, {}, {}});
    } else if (inside({"kvtml", "entries"}) && name == QLatin1String("entry")) {
        entries.append({m_xml.attributes().value(QLatin1String("id")).toString(), {}});
    } else if (inside({"kvtml", "entries", "entry"}) && name == QLatin1String("translation")) {
        const int value = id(&ok);
        m_translation = ok && value >= 0 ? value : -1;
    }
    m_path.append(name);
}

// Inside <lessons>: containers, their names and their entry references.
void KvtmlParser::startLessonPart(const QStringView name)
{
    const bool inContainer = m_path.last() == QLatin1String("container");
    if (name == QLatin1String("container")
        && (m_path.size() == 2 || (inContainer && m_path.size() == m_open.size() + 2))) {
        if (m_open.size() < MaxLessonDepth) {
            containers.append({{}, m_open.isEmpty() ? -1 : m_open.last(), {}});
            m_open.append(containers.size() - 1);
        }
        return;
    }
    if (!inContainer)
        return;
    if (name == QLatin1String("name") && m_path.size() == m_open.size() + 2) {
        const QString value = text();
        if (containers[m_open.last()].name.isEmpty())
            containers[m_open.last()].name = value.trimmed();
    } else if (name == QLatin1String("entry")) {
        const QString entry = m_xml.attributes().value(QLatin1String("id")).toString();
        for (const qsizetype c : std::as_const(m_open))
            containers[c].entryIds.append(entry);
    }
}

bool isGerman(const Identifier& i)
{
    const QString locale = i.locale.trimmed().toLower();
    const QString name = i.name.trimmed().toLower();
    return locale == QLatin1String("de") || locale.startsWith(QLatin1String("de_"))
        || locale.startsWith(QLatin1String("de-")) || name == QLatin1String("deutsch")
        || name == QLatin1String("german");
}

} // namespace

namespace detail {

ImportSource readKvtml(const QByteArray& bytes, const QString& fileName)
{
    ImportSource source;
    source.format = Format::Kvtml;
    KvtmlParser parser(bytes);
    if (const QString error = parser.run(fileName); !error.isEmpty()) {
        source.error = error;
        return source;
    }
    if (parser.identifiers.size() < 2) {
        source.error = message::kvtmlLanguages(fileName);
        return source;
    }
    if (parser.entries.isEmpty()) {
        source.error = message::noEntries(fileName);
        return source;
    }
    QHash<int, qsizetype> column;
    for (const Identifier& i : std::as_const(parser.identifiers)) {
        column.insert(i.id, source.columns.size());
        const QString name = i.name.trimmed().isEmpty() ? i.locale.trimmed() : i.name.trimmed();
        source.columns.append(name.isEmpty() ? message::language(i.id) : name);
    }
    QHash<QString, qsizetype> rowOf;
    for (const Entry& e : std::as_const(parser.entries)) {
        Row row{int(source.rows.size() + 1), QStringList(source.columns.size())};
        for (auto it = e.texts.cbegin(); it != e.texts.cend(); ++it)
            if (const auto c = column.constFind(it.key()); c != column.cend())
                row.cells[*c] = it.value();
        if (!e.id.isEmpty() && !rowOf.contains(e.id))
            rowOf.insert(e.id, source.rows.size());
        source.rows.append(std::move(row));
    }
    // Nested containers follow their outer ones; their names carry the outer names.
    for (const Container& c : std::as_const(parser.containers)) {
        QString name = c.name.isEmpty() ? message::unnamedLesson(source.lessons.size() + 1) : c.name;
        if (c.parent >= 0)
            name = source.lessons[c.parent].name + QStringLiteral(" / ") + name;
        KvtmlLesson lesson{name, {}};
        for (const QString& id : c.entryIds)
            if (const auto r = rowOf.constFind(id); r != rowOf.cend())
                lesson.rows.append(*r);
        std::sort(lesson.rows.begin(), lesson.rows.end());
        lesson.rows.erase(std::unique(lesson.rows.begin(), lesson.rows.end()), lesson.rows.end());
        source.lessons.append(std::move(lesson));
    }
    const auto german = std::find_if(parser.identifiers.cbegin(), parser.identifiers.cend(), isGerman);
    source.proposed.germanColumn = german == parser.identifiers.cend()
        ? 1 : int(german - parser.identifiers.cbegin());
    source.proposed.foreignColumn = source.proposed.germanColumn == 0 ? 1 : 0;
    source.lessonName = parser.title.trimmed();
    return source;
}

} // namespace detail

namespace {

// Locales for the names users give their languages most often; other names get none.
QString localeFor(const QString& language)
{
    static const QHash<QString, QString> locales = {
        {QStringLiteral("englisch"), QStringLiteral("en")},
        {QStringLiteral("französisch"), QStringLiteral("fr")},
        {QStringLiteral("spanisch"), QStringLiteral("es")},
        {QStringLiteral("italienisch"), QStringLiteral("it")},
        {QStringLiteral("latein"), QStringLiteral("la")},
        {QStringLiteral("portugiesisch"), QStringLiteral("pt")},
        {QStringLiteral("niederländisch"), QStringLiteral("nl")},
        {QStringLiteral("russisch"), QStringLiteral("ru")},
        {QStringLiteral("polnisch"), QStringLiteral("pl")},
        {QStringLiteral("schwedisch"), QStringLiteral("sv")},
        {QStringLiteral("türkisch"), QStringLiteral("tr")},
        {QStringLiteral("griechisch"), QStringLiteral("el")}};
    return locales.value(language.trimmed().toLower());
}

void writeIdentifier(QXmlStreamWriter& w, int id, const QString& name, const QString& locale)
{
    w.writeStartElement(QStringLiteral("identifier"));
    w.writeAttribute(QStringLiteral("id"), QString::number(id));
    w.writeTextElement(QStringLiteral("name"), name);
    if (!locale.isEmpty())
        w.writeTextElement(QStringLiteral("locale"), locale);
    w.writeEndElement();
}

void writeTranslation(QXmlStreamWriter& w, int id, const QString& text)
{
    w.writeStartElement(QStringLiteral("translation"));
    w.writeAttribute(QStringLiteral("id"), QString::number(id));
    w.writeTextElement(QStringLiteral("text"), text);
    w.writeEndElement();
}

} // namespace

QByteArray exportKvtml(const QList<Pair>& pairs, const QString& language, const QString& lesson)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("kvtml"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    w.writeStartElement(QStringLiteral("information"));
    w.writeTextElement(QStringLiteral("generator"), QStringLiteral("Paukomat"));
    w.writeTextElement(QStringLiteral("title"), lesson);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("identifiers"));
    writeIdentifier(w, 0, language, localeFor(language));
    writeIdentifier(w, 1, QStringLiteral("Deutsch"), QStringLiteral("de"));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("entries"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        w.writeStartElement(QStringLiteral("entry"));
        w.writeAttribute(QStringLiteral("id"), QString::number(i));
        writeTranslation(w, 0, pairs[i].foreign);
        writeTranslation(w, 1, pairs[i].german);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("lessons"));
    w.writeStartElement(QStringLiteral("container"));
    w.writeTextElement(QStringLiteral("name"), lesson);
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        w.writeEmptyElement(QStringLiteral("entry"));
        w.writeAttribute(QStringLiteral("id"), QString::number(i));
    }
    w.writeEndDocument(); // closes every open element
    return out;
}

} // namespace exchange
