#include "exchange/Exchange.h"

#include <QTest>

using namespace exchange;

class ExchangeExportTest : public QObject
{
    Q_OBJECT

private slots:
    void delimitedBytes()
    {
        const QList<Pair> pairs = {{"the", "der;die;das"},
                                   {"say \"hi\"", "\"Hallo\" sagen"},
                                   {"#tag", "Etikett, Schild"},
                                   {"Käse", "cheese €"}};
        QCOMPARE(exportDelimited(pairs), QByteArray("#separator:tab\n"
                                                    "#html:false\n"
                                                    "the\tder;die;das\n"
                                                    "\"say \"\"hi\"\"\"\t\"\"\"Hallo\"\" sagen\"\n"
                                                    "\"#tag\"\tEtikett, Schild\n"
                                                    "K\xC3\xA4se\tcheese \xE2\x82\xAC\n"));
    }

    void kvtmlBytes()
    {
        const QList<Pair> pairs = {{"Tom & Jerry", "\"Käse\";<Kä>"}};
        QCOMPARE(exportKvtml(pairs, "Englisch", "Lektion 1"),
                 QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
    <information>
        <generator>Paukomat</generator>
        <title>Lektion 1</title>
    </information>
    <identifiers>
        <identifier id="0">
            <name>Englisch</name>
            <locale>en</locale>
        </identifier>
        <identifier id="1">
            <name>Deutsch</name>
            <locale>de</locale>
        </identifier>
    </identifiers>
    <entries>
        <entry id="0">
            <translation id="0">
                <text>Tom &amp; Jerry</text>
            </translation>
            <translation id="1">
                <text>&quot;K)" "\xC3\xA4" R"(se&quot;;&lt;K)" "\xC3\xA4" R"(&gt;</text>
            </translation>
        </entry>
    </entries>
    <lessons>
        <container>
            <name>Lektion 1</name>
            <entry id="0"/>
        </container>
    </lessons>
</kvtml>
)"));
        // Only common language names get a locale.
        QVERIFY(exportKvtml({}, "Klingonisch", "L").contains("<name>Klingonisch</name>\n        </"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("tab-separated") << "Englisch - Lektion 1.txt";
        QTest::newRow("KVTML") << "export.kvtml";
    }

    // What a lesson can hold comes back unchanged and in its order, under the lesson's name.
    void roundTrip()
    {
        QFETCH(QString, fileName);
        const QList<Pair> pairs = {{"Käse", "cheese"},
                                   {"Straße", "street; road"},
                                   {"€uro", "Euro"},
                                   {"say \"hi\"", "\"Hallo\" sagen"},
                                   {"the", "der;die;das"},
                                   {"Komma, bitte", "comma, please"},
                                   {"#tag", "Etikett"},
                                   {"back", "a\\\\b\\"},
                                   {"Œuvre", "Werk – Arbeit"}};
        const bool kvtml = fileName.endsWith("kvtml");
        const QByteArray bytes = kvtml ? exportKvtml(pairs, "Englisch", "Lektion 1")
                                       : exportDelimited(pairs);
        const ImportSource source = readImportData(bytes, fileName);
        QCOMPARE(source.error, QString());
        const ImportPlan plan = planImport(source, source.proposed);
        QCOMPARE(plan.pairs, pairs);
        QVERIFY(plan.leftOut.isEmpty());
        QCOMPARE(source.lessonName, kvtml ? "Lektion 1" : "Englisch - Lektion 1");
    }
};

QTEST_GUILESS_MAIN(ExchangeExportTest)
#include "ExchangeExportTest.moc"
