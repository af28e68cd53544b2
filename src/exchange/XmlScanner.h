#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace exchange {

// Reads an XML document token by token, as QXmlStreamReader does, but only as much of XML as word
// lists use: elements, attributes, text, CDATA, comments, processing instructions and a document
// type without declarations (those are refused before). Every step is linear in the text and
// nothing calls itself, so any file is read in one pass; Qt's reader takes about ten times as
// long over a big word list. Names keep their prefix; references other than the five of XML
// and character references are reported as EntityReference.
class XmlScanner
{
public:
    enum class Token {
        None,
        StartElement,
        EndElement,
        Characters,
        DocumentType,
        EntityReference,
        EndDocument,
        Invalid
    };

    // The text must outlive the scanner; a leading byte order mark is skipped.
    explicit XmlScanner(QStringView text);

    Token readNext();
    [[nodiscard]] Token tokenType() const { return m_token; }
    [[nodiscard]] bool atEnd() const { return m_token == Token::EndDocument || hasError(); }
    [[nodiscard]] bool hasError() const { return m_token == Token::Invalid; }

    // The element's name with StartElement and EndElement.
    [[nodiscard]] QStringView name() const { return m_name; }
    // An attribute of the element just started, references resolved; empty when it has none.
    [[nodiscard]] QString attribute(QStringView name) const;
    // The characters of a Characters token, references resolved and line ends made "\n"; the
    // whole text of a DocumentType token.
    [[nodiscard]] QString text() const;
    // Where reading stands, in characters from the start.
    [[nodiscard]] qsizetype characterOffset() const { return m_at; }
    // The line of the current position, counted from 1; with an error, the line of the error.
    [[nodiscard]] qint64 lineNumber() const;

private:
    struct Attribute
    {
        QStringView name;
        QStringView raw; // between the quotes, references unresolved
    };

    Token fail();
    Token startTag();
    Token endTag();
    Token markup();
    Token characters();
    bool skipPast(QLatin1StringView end);
    bool readName(QStringView* name);
    void skipBlanks();
    [[nodiscard]] bool atDocumentLevel() const { return m_open.isEmpty(); }
    // Appends the text of raw with references resolved; false on a damaged reference.
    [[nodiscard]] static bool resolve(QStringView raw, QString* out, bool attribute);
    [[nodiscard]] static bool validReference(QStringView raw);

    QStringView m_text;
    qsizetype m_at = 0;
    Token m_token = Token::None;
    QStringView m_name;
    QStringView m_raw;         // the characters of the token as they stand in the text
    bool m_cdata = false;      // m_raw is the inside of a CDATA section
    bool m_closeEmpty = false; // the element just started was written <name/>
    bool m_rootSeen = false;
    QList<QStringView> m_open; // the open elements, outermost first
    QList<Attribute> m_attributes;
};

} // namespace exchange
