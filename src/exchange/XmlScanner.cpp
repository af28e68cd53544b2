#include "exchange/XmlScanner.h"

#include "exchange/Exchange.h"

#include <algorithm>

namespace exchange {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Control characters other than the three line and tab ones cannot stand in an XML document.
bool isForbidden(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
}

// Names are mostly ASCII; beyond it, anything but a blank may stand in a name.
bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x80)
        return !c.isSpace();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_' || u == u':';
}

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return isNameStart(c) || (u >= u'0' && u <= u'9') || u == u'-' || u == u'.';
}

// The character a reference stands for ("lt", "#65", "#x41"), or 0 when it stands for none of
// them. Beyond U+FFFF the value is returned as is.
char32_t referenced(QStringView name)
{
    if (name == u"lt")
        return U'<';
    if (name == u"gt")
        return U'>';
    if (name == u"amp")
        return U'&';
    if (name == u"quot")
        return U'"';
    if (name == u"apos")
        return U'\'';
    if (name.size() < 2 || name.front() != u'#' || name.size() > 10)
        return 0;
    const bool hex = name[1] == u'x';
    bool ok = false;
    const uint value = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    const bool allowed = value == 0x9 || value == 0xA || value == 0xD
        || (value >= 0x20 && value <= 0xD7FF) || (value >= 0xE000 && value <= 0xFFFD)
        || (value >= 0x10000 && value <= 0x10FFFF);
    // toUInt takes signs and blanks; a reference has digits only.
    const bool digitsOnly = std::all_of(name.begin() + (hex ? 2 : 1), name.end(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
    });
    return ok && allowed && digitsOnly ? char32_t(value) : 0;
}

// The name of the reference that starts at text[at] ("&…;"), without "&" and ";"; null when no
// ";" ends it within a reference's length.
QStringView referenceAt(QStringView text, qsizetype at)
{
    constexpr qsizetype Longest = 64;
    const qsizetype end = text.sliced(at, std::min(text.size() - at, Longest)).indexOf(u';');
    return end < 2 ? QStringView() : text.sliced(at + 1, end - 1);
}

} // namespace

XmlScanner::XmlScanner(QStringView text)
    : m_text(text)
{
    if (m_text.startsWith(QChar(0xFEFF)))
        m_at = 1;
}

XmlScanner::Token XmlScanner::fail()
{
    m_token = Token::Invalid;
    return m_token;
}

XmlScanner::Token XmlScanner::readNext()
{
    if (atEnd())
        return m_token;
    m_cdata = false;
    if (m_closeEmpty) {
        m_closeEmpty = false;
        m_open.removeLast();
        m_token = Token::EndElement;
        return m_token;
    }
    while (m_at < m_text.size()) {
        if (m_text[m_at] != u'<') {
            if (!atDocumentLevel())
                return characters();
            // Between the markup of the document level only blanks may stand.
            while (m_at < m_text.size() && isBlank(m_text[m_at]))
                ++m_at;
            if (m_at < m_text.size() && m_text[m_at] != u'<')
                return fail();
            continue;
        }
        const QStringView rest = m_text.sliced(m_at);
        if (rest.startsWith(u"</"))
            return endTag();
        if (rest.startsWith(u"<!--")) {
            m_at += 4;
            if (!skipPast(QLatin1StringView("-->")))
                return fail();
            continue;
        }
        if (rest.startsWith(u"<?")) {
            m_at += 2;
            if (!skipPast(QLatin1StringView("?>")))
                return fail();
            continue;
        }
        if (rest.startsWith(u"<!"))
            return markup();
        return startTag();
    }
    if (!m_rootSeen || !m_open.isEmpty())
        return fail();
    m_token = Token::EndDocument;
    return m_token;
}

bool XmlScanner::skipPast(QLatin1StringView end)
{
    const qsizetype found = m_text.indexOf(end, m_at);
    if (found < 0) {
        m_at = m_text.size();
        return false;
    }
    m_at = found + end.size();
    return true;
}

void XmlScanner::skipBlanks()
{
    while (m_at < m_text.size() && isBlank(m_text[m_at]))
        ++m_at;
}

bool XmlScanner::readName(QStringView* name)
{
    const qsizetype start = m_at;
    if (m_at >= m_text.size() || !isNameStart(m_text[m_at]))
        return false;
    while (m_at < m_text.size() && isNameChar(m_text[m_at]))
        ++m_at;
    *name = m_text.sliced(start, m_at - start);
    return true;
}

XmlScanner::Token XmlScanner::startTag()
{
    ++m_at;
    if ((atDocumentLevel() && m_rootSeen) || !readName(&m_name))
        return fail();
    m_attributes.clear();
    for (;;) {
        const qsizetype before = m_at;
        skipBlanks();
        if (m_at >= m_text.size())
            return fail();
        if (m_text[m_at] == u'>') {
            ++m_at;
            break;
        }
        if (m_text.sliced(m_at).startsWith(u"/>")) {
            m_at += 2;
            m_closeEmpty = true;
            break;
        }
        Attribute attribute;
        if (m_at == before || !readName(&attribute.name))
            return fail();
        skipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] != u'=')
            return fail();
        ++m_at;
        skipBlanks();
        if (m_at >= m_text.size() || (m_text[m_at] != u'"' && m_text[m_at] != u'\''))
            return fail();
        const qsizetype close = m_text.indexOf(m_text[m_at], m_at + 1);
        if (close < 0) {
            m_at = m_text.size();
            return fail();
        }
        attribute.raw = m_text.sliced(m_at + 1, close - m_at - 1);
        if (attribute.raw.contains(u'<') || !validReference(attribute.raw))
            return fail();
        for (const Attribute& other : std::as_const(m_attributes))
            if (other.name == attribute.name)
                return fail();
        if (m_attributes.size() == MaxXmlAttributes)
            return fail();
        m_attributes.append(attribute);
        m_at = close + 1;
    }
    if (m_open.size() == MaxXmlDepth)
        return fail();
    m_open.append(m_name);
    m_rootSeen = true;
    m_token = Token::StartElement;
    return m_token;
}

XmlScanner::Token XmlScanner::endTag()
{
    m_at += 2;
    if (!readName(&m_name))
        return fail();
    skipBlanks();
    if (m_at >= m_text.size() || m_text[m_at] != u'>' || m_open.isEmpty()
        || m_open.last() != m_name)
        return fail();
    ++m_at;
    m_open.removeLast();
    m_token = Token::EndElement;
    return m_token;
}

// "<!" that is not a comment: a CDATA section within an element, or the document type before it.
XmlScanner::Token XmlScanner::markup()
{
    const qsizetype start = m_at;
    if (m_text.sliced(m_at).startsWith(u"<![CDATA[")) {
        if (atDocumentLevel())
            return fail();
        m_at += 9;
        const qsizetype begin = m_at;
        if (!skipPast(QLatin1StringView("]]>")))
            return fail();
        m_raw = m_text.sliced(begin, m_at - 3 - begin);
        if (std::any_of(m_raw.begin(), m_raw.end(), isForbidden))
            return fail();
        m_cdata = true;
        m_token = Token::Characters;
        return m_token;
    }
    if (!m_text.sliced(m_at).startsWith(u"<!DOCTYPE") || m_rootSeen)
        return fail();
    // Quoted identifiers may hold ">"; a bracketed subset holds no markup, as that is refused
    // before reading.
    QChar quote;
    for (m_at += 9; m_at < m_text.size(); ++m_at) {
        const QChar c = m_text[m_at];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_at);
            if (close < 0)
                break;
            m_at = close;
        } else if (c == u'>') {
            ++m_at;
            m_raw = m_text.sliced(start, m_at - start);
            m_token = Token::DocumentType;
            return m_token;
        }
    }
    m_at = m_text.size();
    return fail();
}

XmlScanner::Token XmlScanner::characters()
{
    const qsizetype start = m_at;
    for (; m_at < m_text.size(); ++m_at) {
        const QChar c = m_text[m_at];
        if (c == u'<')
            break;
        if (isForbidden(c))
            return fail();
        if (c != u'&')
            continue;
        const QStringView reference = referenceAt(m_text, m_at);
        if (reference.isNull() || (!isNameStart(reference.front()) && reference.front() != u'#'))
            return fail();
        if (referenced(reference) == 0) {
            if (reference.front() == u'#')
                return fail();
            m_name = reference;
            m_at += reference.size() + 2;
            m_token = Token::EntityReference;
            return m_token;
        }
        m_at += reference.size() + 1;
    }
    m_raw = m_text.sliced(start, m_at - start);
    m_token = Token::Characters;
    return m_token;
}

bool XmlScanner::validReference(QStringView raw)
{
    for (qsizetype at = raw.indexOf(u'&'); at >= 0; at = raw.indexOf(u'&', at + 1))
        if (referenced(referenceAt(raw, at)) == 0)
            return false;
    return std::none_of(raw.begin(), raw.end(), isForbidden);
}

bool XmlScanner::resolve(QStringView raw, QString* out, bool attribute)
{
    out->reserve(out->size() + raw.size());
    qsizetype from = 0;
    for (qsizetype at = 0; at < raw.size(); ++at) {
        const QChar c = raw[at];
        if (c != u'&' && c != u'\r' && !(attribute && (c == u'\n' || c == u'\t')))
            continue;
        out->append(raw.sliced(from, at - from));
        if (c == u'&') {
            const QStringView reference = referenceAt(raw, at);
            const char32_t value = referenced(reference);
            if (value == 0)
                return false;
            out->append(QChar::fromUcs4(value));
            at += reference.size() + 1;
        } else {
            // A line ends in "\n", whatever ended it in the file; in a value it is a blank.
            if (c == u'\r' && at + 1 < raw.size() && raw[at + 1] == u'\n')
                ++at;
            out->append(attribute ? u' ' : u'\n');
        }
        from = at + 1;
    }
    out->append(raw.sliced(from));
    return true;
}

QString XmlScanner::attribute(QStringView name) const
{
    for (const Attribute& a : m_attributes)
        if (a.name == name) {
            QString value;
            return resolve(a.raw, &value, true) ? value : QString();
        }
    return {};
}

QString XmlScanner::text() const
{
    if (m_token == Token::DocumentType)
        return m_raw.toString();
    if (m_token != Token::Characters)
        return {};
    QString value;
    if (m_cdata) {
        for (qsizetype at = 0; at < m_raw.size(); ++at) {
            if (m_raw[at] != u'\r')
                value.append(m_raw[at]);
            else if (at + 1 == m_raw.size() || m_raw[at + 1] != u'\n')
                value.append(u'\n');
        }
        return value;
    }
    return resolve(m_raw, &value, false) ? value : QString();
}

qint64 XmlScanner::lineNumber() const
{
    const QStringView read = m_text.first(std::min(m_at, m_text.size()));
    return read.count(u'\n') + 1;
}

} // namespace exchange
