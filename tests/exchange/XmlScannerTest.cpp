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
        else if (token == Token::StartElement || token == Token::EndElement
                 || token == Token::EntityReference)
            reading.steps.append({token, xml.name().toString()});
        if (token == Token::EntityReference)
            break;
    }
    if (xml.hasError())
        reading.errorLine = xml.lineNumber();
    return reading;
}

Step start(const char* name)
{
    return {Token::StartElement, QString::fromUtf8(name)};
}

Step end(const char* name)
{
    return {Token::EndElement, QString::fromUtf8(name)};
}

Step chars(const QString& text)
{
    return {Token::Characters, text};
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class XmlScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatWordListsUse_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QList<Step>>("steps");
        QTest::newRow("element with text")
            << "<a x=\"1\">t</a>" << QList<Step>{start("a"), chars("t"), end("a")};
        QTest::newRow("empty element")
            << "<a><b/></a>" << QList<Step>{start("a"), start("b"), end("b"), end("a")};
        QTest::newRow("references")
            << "<a>&lt;&#65;&#x42;&amp;&gt;&quot;&apos;&#x1F600;</a>"
            << QList<Step>{start("a"), chars("<AB&>\"'\U0001F600"), end("a")};
        QTest::newRow("line ends")
            << "<a>x\r\ny\rz</a>" << QList<Step>{start("a"), chars("x\ny\nz"), end("a")};
        QTest::newRow("CDATA") << "<a><![CDATA[<b>&x;]]></a>"
                               << QList<Step>{start("a"), chars("<b>&x;"), end("a")};
        QTest::newRow("prolog and comments")
            << "\uFEFF<?xml version=\"1.0\"?>\n<!-- c -->\n<!DOCTYPE kvtml SYSTEM \"a>b\">\n<a/>"
               "<!-- after -->\n"
            << QList<Step>{
                   {Token::DocumentType, "<!DOCTYPE kvtml SYSTEM \"a>b\">"}, start("a"), end("a")};
        QTest::newRow("prefixed names and non-ASCII")
            << "<k:ä-1.x>ü</k:ä-1.x>" << QList<Step>{start("k:ä-1.x"), chars("ü"), end("k:ä-1.x")};
        QTest::newRow("entity of its own")
            << "<a>x&own;</a>" << QList<Step>{start("a"), {Token::EntityReference, "own"}};
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
        QTest::newRow("plain text") << "the;der\n" << 1LL;
        QTest::newRow("end tag of another") << "<a>\n<b>\n</a>" << 3LL;
        QTest::newRow("cut off") << "<a>\n<b>x</b>\n" << 3LL;
        QTest::newRow("text after the root") << "<a/>\nx" << 2LL;
        QTest::newRow("second root") << "<a/>\n<b/>" << 2LL;
        QTest::newRow("end tag first") << "</a>" << 1LL;
        QTest::newRow("unquoted value") << "<a x=1/>" << 1LL;
        QTest::newRow("value never closed") << "<a x=\"1/>\n\n" << 3LL;
        QTest::newRow("same attribute twice") << "<a x='1' x='2'/>" << 1LL;
        QTest::newRow("no blank between attributes") << "<a x='1'y='2'/>" << 1LL;
        QTest::newRow("markup in a value") << "<a x='<'/>" << 1LL;
        QTest::newRow("bare ampersand") << "<a>\nsalt & pepper</a>" << 2LL;
        QTest::newRow("reference to NUL") << "<a>&#0;</a>" << 1LL;
        QTest::newRow("reference to a surrogate") << "<a>&#xD800;</a>" << 1LL;
        QTest::newRow("reference with a sign") << "<a>&#+65;</a>" << 1LL;
        QTest::newRow("control character") << "<a>\x01</a>" << 1LL;
        QTest::newRow("control character in CDATA") << "<a><![CDATA[\x02]]></a>" << 1LL;
        QTest::newRow("CDATA outside the root") << "<![CDATA[x]]><a/>" << 1LL;
        QTest::newRow("document type after the root") << "<a/><!DOCTYPE a>" << 1LL;
        QTest::newRow("comment never closed") << "<a>\n<!-- x" << 2LL;
        QTest::newRow("name starting with a digit") << "<1a/>" << 1LL;
    }
    void refusesDamage()
    {
        QFETCH(QString, document);
        QFETCH(qint64, line);
        QCOMPARE(readAll(document).errorLine, line);
    }

    void attributesAreResolved_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("id");
        QTest::newRow("double quotes") << "<a id=\"7\"/>"
                                       << "7";
        QTest::newRow("single quotes and blanks") << "<a  id = '7' />"
                                                  << "7";
        QTest::newRow("references") << "<a id='&lt;&#x41;&quot;'/>"
                                    << "<A\"";
        QTest::newRow("blanks within") << "<a id='x\ty\r\nz'/>"
                                       << "x y z";
        QTest::newRow("missing") << "<a ids='7'/>"
                                 << "";
    }
    void attributesAreResolved()
    {
        QFETCH(QString, element);
        QFETCH(QString, id);
        XmlScanner xml(element);
        QCOMPARE(xml.readNext(), Token::StartElement);
        QCOMPARE(xml.attribute(u"id"), id);
    }

    // Elements open at once and attributes of one element have a limit that no word list reaches;
    // beyond it the document is damaged, whatever its length.
    void limits_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("read");
        const auto nested = [](int depth) {
            return QString(QStringLiteral("<a>")).repeated(depth)
                + QString(QStringLiteral("</a>")).repeated(depth);
        };
        const auto attributes = [](int count) {
            QString element = QStringLiteral("<a");
            for (int i = 0; i < count; ++i)
                element += QStringLiteral(" x%1='1'").arg(i);
            return element + QStringLiteral("/>");
        };
        QTest::newRow("deepest") << nested(exchange::MaxXmlDepth) << true;
        QTest::newRow("one deeper") << nested(exchange::MaxXmlDepth + 1) << false;
        QTest::newRow("most attributes") << attributes(exchange::MaxXmlAttributes) << true;
        QTest::newRow("one attribute more") << attributes(exchange::MaxXmlAttributes + 1) << false;
    }
    void limits()
    {
        QFETCH(QString, document);
        QFETCH(bool, read);
        QCOMPARE(readAll(document).errorLine == 0, read);
    }
};

QTEST_GUILESS_MAIN(XmlScannerTest)
#include "XmlScannerTest.moc"
