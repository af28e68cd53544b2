#include "editor/WordPair.h"
#include "exchange/Exchange.h"

#include <QTemporaryDir>
#include <QTest>

using namespace exchange;

namespace {

// Rows as "line:cell|cell", so a whole source compares as one list.
QStringList rowsOf(const ImportSource& source)
{
    QStringList out;
    for (const Row& row : source.rows)
        out << QString::number(row.number) + ':' + row.cells.join('|');
    return out;
}

QStringList pairsOf(const ImportPlan& plan)
{
    QStringList out;
    for (const Pair& p : plan.pairs)
        out << p.foreign + '=' + p.german;
    return out;
}

// Entries 1 to 4; entry 3 lies in no lesson, entry 4 has no id and a translation of no language.
QByteArray kvtml(const char* first, const char* second)
{
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
 <information><title>Tiere: Teil 1</title></information>
 <identifiers>
  <identifier id="0">)") + first + R"(</identifier>
  <identifier id="1">)" + second + R"(</identifier>
 </identifiers>
 <entries>
  <entry id="7"><translation id="0"><text>the dog</text></translation>
   <translation id="1"><text>der Hund</text></translation></entry>
  <entry id="8"><translation id="1"><comment>c</comment><text>die Katze</text></translation>
   <translation id="0"><text>the cat</text></translation></entry>
  <entry id="9"><translation id="0"><text>the cow</text></translation>
   <translation id="1"><text>die Kuh</text></translation></entry>
  <entry><translation id="0"><text>the pig</text></translation>
   <translation id="5"><text>das Schwein</text></translation></entry>
 </entries>
 <lessons>
  <container><name>Haustiere</name><entry id="8"/>
   <container><name>Hunde</name><entry id="7"/><entry id="42"/></container>
  </container>
  <container><name>Katzen</name><entry id="8"/></container>
 </lessons>
</kvtml>
)";
}

} // namespace

class ExchangeImportTest : public QObject
{
    Q_OBJECT

private slots:
    void delimitedText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("tab") << QByteArray("the\tder;die;das\nhouse\t Haus \n") << "a.txt" << "\t"
                             << QStringList{"1:the|der;die;das", "2:house|Haus"};
        QTest::newRow("semicolon, quotes, CR LF")
            << QByteArray("the;\"der;die;das\"\r\n\r\nsay;\"\"\"Hallo\"\" sagen\"\r\n") << "b.csv"
            << ";" << QStringList{"1:the|der;die;das", "3:say|\"Hallo\" sagen"};
        QTest::newRow("comma, line break in a field")
            << QByteArray("a,\"b, c\"\n\"x\ny\",z\nlast,one") << "c.csv" << ","
            << QStringList{"1:a|b, c", "2:x\ny|z", "4:last|one"};
        // Both separators split every line in two; the quoted meaning list decides.
        QTest::newRow("comma beats semicolon") << QByteArray("the,\"der;die\"\na,\"b;c\"\n")
                                               << "d.txt" << "," << QStringList{"1:the|der;die", "2:a|b;c"};
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xC3\x84pfel;apples\n")
                                        << "e.csv" << ";" << QStringList{"1:Äpfel|apples"};
        QTest::newRow("Windows-1252") << QByteArray("H\xE4user\tStra\xDF" "e \x80\n") << "f.tsv"
                                      << "\t" << QStringList{"1:Häuser|Straße €"};
        QTest::newRow("Anki header") << QByteArray("#separator:Comma\n#html:false\nthe,\"der;die\"\n")
                                     << "g.txt" << "," << QStringList{"3:the|der;die"};
        QTest::newRow("bare CR") << QByteArray("a;b\rc;d\r") << "h.txt" << ";"
                                 << QStringList{"1:a|b", "2:c|d"};
        const QString utf16 = QStringLiteral("\uFEFFÖl\tEssig\r\n");
        QTest::newRow("UTF-16 with BOM")
            << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << "i.txt" << "\t" << QStringList{"1:Öl|Essig"};
    }

    void delimitedText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        QFETCH(QString, separator);
        QFETCH(QStringList, rows);
        const ImportSource source = readImportData(bytes, fileName);
        QCOMPARE(source.error, QString());
        QCOMPARE(source.format, Format::Delimited);
        QCOMPARE(QString(source.separator), separator);
        QCOMPARE(rowsOf(source), rows);
        QCOMPARE(source.columns, (QStringList{"Spalte 1", "Spalte 2"}));
        QCOMPARE(source.lessonName, fileName.left(1));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* tag, const QByteArray& bytes, const char* name,
                            const QString& error) {
            QTest::newRow(tag) << bytes << name << "Die Datei \"" + QString(name) + "\" " + error;
        };
        const QString entities = "enthält eigene XML-Entitäten (&...;). Solche Dateien werden aus "
                                 "Sicherheitsgründen nicht importiert.";
        const QString noColumns = "enthält keine Zeile mit zwei Spalten. Die Spalten müssen durch "
                                  "Tabulator, Semikolon oder Komma getrennt sein.";
        row("0 bytes", {}, "v.csv", "ist leer.");
        row("blanks and BOM", "\xEF\xBB\xBF \r\n\t", "v.csv", "ist leer.");
        row("NUL bytes", QByteArray("PK\x03\x04\0\0a;b", 10), "v.csv",
            "ist keine Textdatei. Importiert werden Textdateien, deren Spalten durch Tabulator, "
            "Semikolon oder Komma getrennt sind, und KVTML-Dateien.");
        row("too big", QByteArray(MaxImportBytes + 1, 'a'), "v.csv",
            "ist zu groß. Importiert werden Dateien bis 20 MB.");
        row("one column", "eins\nzwei\n", "v.csv", noColumns);
        row("quote never closed", "a;b\n\nc;\"d\ne;f\n", "v.csv",
            "ist beschädigt oder unvollständig: Das Anführungszeichen in Zeile 3 wird nicht "
            "geschlossen.");
        row("cut XML", kvtml("", "").left(kvtml("", "").indexOf("the cow")), "v.kvtml",
            "ist beschädigt oder unvollständig (Fehler in Zeile 13).");
        row("other XML", "<html><p>a;b</p></html>", "v.xml", "ist keine KVTML-Datei.");
        row("KVTML 1", "<kvtml version=\"1.0\"><e><o>a</o></e></kvtml>", "v.kvtml",
            "ist nicht im Format KVTML 2.0 gespeichert, nur dieses kann importiert werden.");
        row("entity bomb",
            "<?xml version=\"1.0\"?><!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b "
            "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]><kvtml version=\"2.0\"><information><title>&b;"
            "</title></information></kvtml>",
            "v.kvtml", entities);
        row("undeclared entity",
            "<!DOCTYPE kvtml SYSTEM \"file:///etc/passwd\"><kvtml version=\"2.0\"><information>"
            "<title>&x;</title></information></kvtml>",
            "v.kvtml", entities);
        row("one language",
            "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier/></identifiers>"
            "</kvtml>",
            "v.kvtml", "enthält keine zwei Sprachen.");
        row("no entries", kvtml("", "").replace("entry", "x"), "v.kvtml", "enthält keine Vokabeln.");
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, "/some/dir/" + fileName);
        QTEST(source.error, "error");
        QVERIFY(source.rows.isEmpty() && source.lessons.isEmpty());
        QVERIFY(planImport(source, {}).pairs.isEmpty());
    }

    void filesOnDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Unit 1: Tiere (neu).csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("dog;Hund\n") > 0);
        file.close();
        const ImportSource source = readImportFile(path);
        QCOMPARE(rowsOf(source), QStringList{"1:dog|Hund"});
        QCOMPARE(source.lessonName, "Unit 1 Tiere neu");
        QCOMPARE(readImportFile(dir.filePath("fehlt.txt")).error,
                 "Die Datei \"fehlt.txt\" kann nicht gelesen werden.");
        QCOMPARE(readImportFile(dir.path()).error.left(10), "Die Datei ");
    }

    void kvtmlFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<int>("german");
        QTest::newRow("en, de") << kvtml("<name>English</name><locale>en</locale>",
                                         "<name>Deutsch</name><locale>de_DE</locale>")
                                << QStringList{"English", "Deutsch"} << 1;
        QTest::newRow("de, en") << kvtml("<locale>de</locale>", "<name>Englisch</name>")
                                << QStringList{"de", "Englisch"} << 0;
        QTest::newRow("named German") << kvtml("<name>GERMAN</name>", "<name>Français</name>")
                                      << QStringList{"GERMAN", "Français"} << 0;
        QTest::newRow("no German") << kvtml("<name>A</name>", "") << QStringList{"A", "Sprache 1"}
                                   << 1;
    }

    void kvtmlFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, german);
        const ImportSource source = readImportData(bytes, "tiere.kvtml");
        QCOMPARE(source.error, QString());
        QCOMPARE(source.format, Format::Kvtml);
        QTEST(source.columns, "columns");
        QCOMPARE(source.proposed.germanColumn, german);
        QCOMPARE(source.proposed.foreignColumn, 1 - german);
        QCOMPARE(source.lessonName, "Tiere Teil 1");
        const ImportPlan all = planImport(source, source.proposed);
        const QStringList english{"the dog=der Hund", "the cat=die Katze", "the cow=die Kuh"};
        const QStringList germanFirst{"der Hund=the dog", "die Katze=the cat", "die Kuh=the cow"};
        QCOMPARE(pairsOf(all), german == 1 ? english : germanFirst);
        // Entry 4 has no text in the German or the foreign language: "das Schwein" has no language.
        QCOMPARE(all.leftOut.size(), 1);
        QCOMPARE(all.leftOut[0].row, 4);
        QCOMPARE(all.leftOut[0].reason, german == 1 ? "Die deutsche Bedeutung fehlt."
                                                    : "Das fremdsprachige Wort fehlt.");
        QCOMPARE(all.summary(), "3 Wortpaare werden importiert, 1 Eintrag wird ausgelassen.");

        // A lesson takes the entries of the lessons within it; unknown entry ids are skipped.
        QStringList lessons;
        for (const KvtmlLesson& l : source.lessons)
            lessons << l.name + ':' + QString::number(l.rows.value(0)) + QString::number(l.rows.size());
        QCOMPARE(lessons, (QStringList{"Haustiere:02", "Haustiere / Hunde:01", "Katzen:11"}));
        ImportChoice cats = source.proposed;
        cats.kvtmlLesson = 2;
        cats.swapSides = true;
        const ImportPlan swapped = planImport(source, cats);
        QCOMPARE(swapped.pairs.size(), 1);
        QCOMPARE(swapped.pairs[0].german, german == 1 ? "the cat" : "die Katze");
        QVERIFY(swapped.leftOut.isEmpty());
    }

    void hostileKvtml()
    {
        // Missing ids, unknown ids and containers nested ten thousand deep never crash.
        QByteArray deep = R"(<kvtml version="2.0"><identifiers><identifier id="x"/>
            <identifier id="0"/><identifier id="0"/><identifier id="1"/></identifiers><entries>
            <entry id="e"><translation><text>lost</text></translation>
            <translation id="1"><text>b</text></translation>
            <translation id="0"><text>a</text></translation></entry></entries><lessons>)";
        for (int i = 0; i < 10000; ++i)
            deep += "<container><name>n</name><entry id=\"e\"/>";
        deep += QByteArray("</container>").repeated(10000) + "</lessons></kvtml>";
        const ImportSource source = readImportData(deep, "d.kvtml");
        QCOMPARE(rowsOf(source), QStringList{"1:a|b"});
        QCOMPARE(source.lessons.size(), 8);
        QCOMPARE(source.lessons.last().rows, QList<qsizetype>{0});
        QCOMPARE(source.lessonName, "d");
    }

    void leftOutRowsAndMerges()
    {
        const QByteArray text = "the\tder;die\n"
                                "\tleer\n"
                                "Haus\t ; \n"
                                "the\tdas; der\n"
                                " the \tdie\n"
                                "a\\\\b\tx\n"
                                "Ende\\\tx\n"
                                "a\\b\tsingle\n"
                                "\xD0\xB6uk\tK\xC3\xA4" "fer\n"
                                "x\ty\xF0\x9F\x98\x80\n"
                                "\"a\tb\"\tc\n"
                                "back\ta\\\\b\\\n";
        const ImportPlan plan = planImport(readImportData(text, "p.txt"), {});
        QCOMPARE(pairsOf(plan), (QStringList{"the=der;die;das", "a\\b=single", "back=a\\\\b\\"}));
        QStringList leftOut;
        for (const LeftOut& l : plan.leftOut)
            leftOut << QString::number(l.row) + (l.merged ? "+" : " ") + l.reason;
        const QString backslashes = " Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes "
                                    "(\\\\) enthalten und nicht auf einen Backslash (\\) enden !";
        const QString unstorable = " Das Zeichen \"%1\" kann nicht gespeichert werden. Erlaubt "
                                   "sind nur Buchstaben, Ziffern und Zeichen der westeuropäischen "
                                   "Schrift !";
        QCOMPARE(leftOut,
                 (QStringList{"2 Das fremdsprachige Wort fehlt.",
                              "3 Die deutsche Bedeutung fehlt.",
                              "4+Doppelt (wie Zeile 1): Die neuen Bedeutungen werden dort angefügt.",
                              "5+Doppelt (wie Zeile 1), ohne neue Bedeutung.",
                              "6" + backslashes, "7" + backslashes,
                              "9" + unstorable.arg("ж"), "10" + unstorable.arg("😀"),
                              "11 Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder "
                              "Zeilenumbrüche enthalten !"}));
        QCOMPARE(plan.leftOut[8].text, "a b = c");
        QCOMPARE(plan.summary(), "3 Wortpaare werden importiert, 2 doppelte Zeilen werden "
                                 "zusammengeführt, 7 Zeilen werden ausgelassen.");
        // Backslashes in the meanings survive the lesson line.
        const auto line = editor::WordPair::parse(editor::WordPair::line("back", "a\\\\b\\"));
        QVERIFY(line.valid && line.foreign == "back" && line.german == "a\\\\b\\");
    }

    void summaries()
    {
        const auto summary = [](const QByteArray& text) {
            return planImport(readImportData(text, "s.tsv"), {}).summary();
        };
        QCOMPARE(summary("dog\tHund\n\tx\n"), "1 Wortpaar wird importiert, 1 Zeile wird ausgelassen.");
        QCOMPARE(summary("a\tb\na\tc\n"),
                 "1 Wortpaar wird importiert, 1 doppelte Zeile wird zusammengeführt.");
        QCOMPARE(summary("\tx\n\ty\n"),
                 "Kein Wortpaar kann importiert werden, 2 Zeilen werden ausgelassen.");
    }

    void columnChoice()
    {
        const ImportSource source = readImportData("a;b;c\n", "c.csv");
        QCOMPARE(pairsOf(planImport(source, {2, 0})), QStringList{"c=a"});
        QCOMPARE(pairsOf(planImport(source, {2, 0, true})), QStringList{"a=c"});
        QCOMPARE(planImport(source, {0, 5}).leftOut.size(), 1);
    }

    void lessonNames()
    {
        QCOMPARE(lessonNameProposal("Kapitel 3: (neu) [B1] a/b.c!"), "Kapitel 3 neu B1 abc");
        QCOMPARE(lessonNameProposal("  Über \t Straße  "), "Über Straße");
        QCOMPARE(lessonNameProposal("日本語 ?!"), "Importierte Lektion");
    }
};

QTEST_GUILESS_MAIN(ExchangeImportTest)
#include "ExchangeImportTest.moc"
