#include "FuzzTargets.h"

#include "exchange/XmlScanner.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace fuzz {
namespace {

using exchange::XmlScanner;

// What one reader saw of a document: its elements with their attributes, and the text between
// them, joined as an application reads it.
struct Seen
{
    QStringList items;
    bool read = false;
};

// Qt's reader lets ASCII punctuation pass in names, which XML does not.
bool xmlName(QStringView name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() >= 0x80 || c.isLetterOrNumber() || c == u'_' || c == u':' || c == u'-'
            || c == u'.';
    });
}

Seen qtReads(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    xml.setNamespaceProcessing(false);
    Seen seen;
    QString text;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
            continue;
        }
        if (token != QXmlStreamReader::StartElement && token != QXmlStreamReader::EndElement)
            continue;
        seen.items.append(QLatin1Char('T') + std::exchange(text, QString()));
        seen.items.append((token == QXmlStreamReader::StartElement ? u'S' : u'E')
                          + xml.qualifiedName().toString());
        if (!xmlName(xml.qualifiedName()))
            return seen;
        for (const QXmlStreamAttribute& a : xml.attributes()) {
            seen.items.append(a.qualifiedName().toString() + u'=' + a.value().toString());
            if (!xmlName(a.qualifiedName()))
                return seen;
        }
    }
    seen.read = !xml.hasError();
    return seen;
}

Seen scannerReads(const QString& document, const QByteArray& bytes)
{
    // The attribute names as Qt sees them, so that a value can be asked for by its name.
    QXmlStreamReader names(bytes);
    names.setNamespaceProcessing(false);
    XmlScanner xml(document);
    Seen seen;
    QString text;
    while (!xml.atEnd()) {
        const XmlScanner::Token token = xml.readNext();
        if (token == XmlScanner::Token::Characters) {
            text += xml.text();
            continue;
        }
        if (token != XmlScanner::Token::StartElement && token != XmlScanner::Token::EndElement)
            continue;
        seen.items.append(QLatin1Char('T') + std::exchange(text, QString()));
        seen.items.append((token == XmlScanner::Token::StartElement ? u'S' : u'E')
                          + xml.name().toString());
        while (!names.atEnd() && names.readNext() != QXmlStreamReader::StartElement
               && names.tokenType() != QXmlStreamReader::EndElement) { }
        for (const QXmlStreamAttribute& a : names.attributes())
            seen.items.append(a.qualifiedName().toString() + u'='
                              + xml.attribute(a.qualifiedName()));
    }
    seen.read = !xml.hasError();
    return seen;
}

} // namespace

int fuzzXml(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    // Both read any input without harm; Qt's reader is the measure wherever it reads a plain
    // UTF-8 document to its end. Document types and declared encodings are left to the word list
    // reader, which refuses the one and decodes the other before scanning; Qt spends time that
    // grows with the square of some inputs, so they stay short.
    const QString document = QString::fromUtf8(bytes);
    XmlScanner scanner(document);
    while (!scanner.atEnd())
        scanner.readNext();
    // Qt's reader lets control characters pass in names, which XML forbids.
    const bool control = std::any_of(bytes.cbegin(), bytes.cend(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    if (bytes.size() > 16384 || !QByteArrayView(bytes).isValidUtf8() || bytes.contains("<!DOCTYPE")
        || bytes.contains("encoding") || control)
        return 0;
    const Seen qt = qtReads(bytes);
    if (!qt.read)
        return 0;
    const Seen ours = scannerReads(document, bytes);
    expect(ours.read, "a document Qt reads to its end is read to its end");
    expect(ours.items == qt.items, "elements, attributes and text are those Qt reads");
    return 0;
}

} // namespace fuzz
