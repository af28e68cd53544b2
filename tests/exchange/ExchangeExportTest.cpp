#include "exchange/LessonExport.h"
#include "store/TextRules.h"

#include <QTest>

using namespace exchange;

namespace {

// Quotes, a leading "#", markup characters, separators and backslashes, none of them special in
// a lesson.
const QList<Pair> Pairs = {{"#say, hi", "\"Käse\"; <Kä> & €, a\\\\b\\"}};

} // namespace

class ExchangeExportTest : public QObject
{
    Q_OBJECT

private slots:
    // The file name, or else the filter, gives the format; both are written as UTF-8 and come
    // back unchanged, under the lesson's name.
    void bothFormatsComeBack_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("bytes");
        // Compact: one line per entry, so that a lesson of 100,000 pairs stays within the import
        // limit.
        const QByteArray kvtml = R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
 <information>
  <generator>Paukomat</generator>
  <title>L</title>
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
  <entry id="0"><translation id="0"><text>#say, hi</text></translation><translation id="1"><text>&quot;Käse&quot;; &lt;Kä&gt; &amp; €, a\\b\</text></translation></entry>
 </entries>
 <lessons>
  <container>
   <name>L</name>
   <entry id="0"/>
  </container>
 </lessons>
</kvtml>
)";
        // Plain tab-separated text: no settings lines that a spreadsheet would show as rows.
        QTest::newRow("text") << "Englisch - L.txt" << KvtmlFilter
                              << QByteArray("\"#say, hi\"\t\"\"\"Käse\"\"; <Kä> & €, a\\\\b\\\"\n");
        QTest::newRow("KVTML") << "export.KVTML" << DelimitedFilter << kvtml;
    }
    void bothFormatsComeBack()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, filter);
        const ExportTarget target = exportTarget(fileName, filter);
        QCOMPARE(target.path, fileName);
        const QByteArray bytes = target.format == Format::Kvtml
            ? exportKvtml(Pairs, "Englisch", "L")
            : exportDelimited(Pairs);
        QTEST(bytes, "bytes");
        const ImportSource source = readImportData(bytes, fileName);
        QCOMPARE(planImport(source, source.proposed).pairs, Pairs);
    }

    // A name without extension gets the one of the first filter; a failed export names its file.
    void aFailedExportNamesItsFile()
    {
        const ExportTarget target = exportTarget("/nirgends/Haus", DelimitedFilter);
        QCOMPARE(
            store::failureMessage(exportLesson(target, {{"house", "Haus"}}, "Englisch", "Haus")),
            "Die Datei \"Haus.tsv\" (Export der Lektion \"Haus\") konnte nicht gespeichert werden "
            "(das Verzeichnis fehlt).\nDie Lektion selbst bleibt unverändert.");
    }

    // A pair's box and the day of its last answer go out as the grade of its foreign word; a pair
    // never answered has no grade.
    void kvtmlCarriesTheBoxes()
    {
        const QByteArray bytes =
            exportKvtml({{"house", "Haus", boxes::Place{4, {2025, 12, 31}}}, {"tree", "Baum"}},
                        "Englisch", "L");
        QVERIFY(bytes.contains("<translation id=\"0\"><text>house</text><grade><currentgrade>4"
                               "</currentgrade><date>2025-12-31T00:00:00</date></grade>"));
        QCOMPARE(bytes.count("<grade>"), 1);
    }
};

QTEST_GUILESS_MAIN(ExchangeExportTest)
#include "ExchangeExportTest.moc"
