#include "exchange/XmlScanner.h"
#include "exchange/Exchange.h"

#include <QTest>

using exchange::XmlScanner;
using Token = XmlScanner::Token;

namespace {

struct Step
{
    Token token;
    QString value; // the name of an element or reference, the text of characters
};

struct Reading
{
    QList<Step> steps;
    qint64 errorLine = 0; // 0 when the document was read to its end
};

// Every token of the document up to its end or its first error.
Reading readAll(const QString& document)
{
    XmlScanner xml(document);
    Reading reading;
    while (!xml.atEnd()) {
        const Token token = xml.readNext();
        if (token == Token::Characters || token == Token::DocumentType)
            reading.steps.append({token, xml.text()});
        else if (token == Token::StartElement || token == Token::EndElement)
            reading.steps.append({token, xml.name().toString()});
    }
    if (xml.hasError())
        reading.errorLine = xml.lineNumber();
    return reading;
}

Step start(const char* name)
{
    return {Token::StartElement, name};
}

Step end(const char* name)
{
    return {Token::EndElement, name};
}

Step chars(const QString& text)
{
    return {Token::Characters, text};
}

} // namespace

class XmlScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatWordListsUse_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QList<Step>>("steps");
        QTest::newRow("references")
            << "<a>&lt;&#65;&#x42;&amp;&gt;&quot;&apos;&#x1F600;</a>"
            << QList<Step>{start("a"), chars("<AB&>\"'\U0001F600"), end("a")};
        QTest::newRow("CDATA") << "<a><![CDATA[<b>&x;]]></a>"
                               << QList<Step>{start("a"), chars("<b>&x;"), end("a")};
        QTest::newRow("prolog and comments")
            << "\uFEFF<?xml?>\n<!-- c -->\n<!DOCTYPE kvtml SYSTEM \"a>b\">\n<a/>"
               "<!-- after -->\n"
            << QList<Step>{
                   {Token::DocumentType, "<!DOCTYPE kvtml SYSTEM \"a>b\">"}, start("a"), end("a")};
        QTest::newRow("prefixed names and non-ASCII")
            << "<k:ä-1.x>ü</k:ä-1.x>" << QList<Step>{start("k:ä-1.x"), chars("ü"), end("k:ä-1.x")};
    }
    void readsWhatWordListsUse()
    {
        QFETCH(QString, document);
        QFETCH(QList<Step>, steps);
        const Reading reading = readAll(document);
        QCOMPARE(reading.errorLine, 0);
        QCOMPARE(reading.steps.size(), steps.size());
        for (qsizetype i = 0; i < steps.size(); ++i) {
            QCOMPARE(reading.steps[i].token, steps[i].token);
            QCOMPARE(reading.steps[i].value, steps[i].value);
        }
    }

    // Damage is found where it stands; a document that stops early fails on its last line.
    void refusesDamage_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<qint64>("line");
        const auto row = [](const char* tag, const char* document, qint64 line) {
            QTest::newRow(tag) << QString::fromUtf8(document) << line;
        };
        row("text after the root", "<a/>\nx", 2);
        row("end tag first", "</a>", 1);
        row("unquoted value", "<a x=1/>", 1);
        row("value never closed", "<a x=\"1/>\n\n", 3);
        row("same attribute twice", "<a x='1' x='2'/>", 1);
        row("no blank between attributes", "<a x='1'y='2'/>", 1);
        row("markup in a value", "<a x='<'/>", 1);
        row("bare ampersand", "<a>\nsalt & pepper</a>", 2);
        row("reference with a sign", "<a>&#+65;</a>", 1);
        row("control character in CDATA", "<a><![CDATA[\x02]]></a>", 1);
        row("CDATA outside the root", "<![CDATA[x]]><a/>", 1);
        row("document type after the root", "<a/><!DOCTYPE a>", 1);
        row("comment never closed", "<a>\n<!-- x", 2);
        row("name starting with a digit", "<1a/>", 1);
    }
    void refusesDamage()
    {
        QFETCH(QString, document);
        QFETCH(qint64, line);
        QCOMPARE(readAll(document).errorLine, line);
    }

    // References are resolved and blanks within a value are blanks.
    void attributesAreResolved()
    {
        XmlScanner xml(u"<a  id = '&lt;&#x41;&quot;x\ty\r\nz' />");
        QCOMPARE(xml.readNext(), Token::StartElement);
        QCOMPARE(xml.attribute(u"id"), "<A\"x y z");
    }

    // Elements open at once and attributes of one element have a limit that no word list reaches;
    // beyond it the document is damaged, whatever its length.
    void limits()
    {
        QString attributes = "<a";
        for (int i = 0; i <= exchange::MaxXmlAttributes; ++i)
            attributes += QString(" x%1='1'").arg(i);
        QCOMPARE(readAll(attributes + "/>").errorLine, 1);
        const int depth = exchange::MaxXmlDepth + 1;
        QCOMPARE(
            readAll(QString("<a>").repeated(depth) + QString("</a>").repeated(depth)).errorLine, 1);
    }
};

QTEST_GUILESS_MAIN(XmlScannerTest)
#include "XmlScannerTest.moc"
