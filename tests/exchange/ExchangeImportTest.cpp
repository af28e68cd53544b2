#include "exchange/Exchange.h"
#include "exchange/LessonExport.h"
#include "exchange/Messages.h"

#include <QTest>

using namespace exchange;

namespace {

// Entries 1 to 3; entry 3 has no id, lies in no lesson and has a translation of no language.
QByteArray kvtml(const char* first = "<locale>en</locale>",
                 const char* second = "<locale>de</locale>")
{
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0"><information><title>Tiere: Teil 1</title></information>
 <identifiers><identifier id="0">)")
        + first + R"(</identifier>
  <identifier id="1">)"
        + second + R"(</identifier></identifiers>
 <entries><entry id="7"><translation id="0"><text>the dog</text></translation>
   <translation id="1"><text>der Hund</text></translation></entry>
  <entry id="8"><translation id="1"><comment>c</comment><text>die Katze</text></translation>
   <translation id="0"><text>the cat</text></translation></entry>
  <entry><translation id="0"><text>the pig</text></translation>
   <translation id="5"><text>das Schwein</text></translation></entry></entries>
 <lessons><container><name>Haustiere</name><entry id="8"/>
   <container><name>Hunde</name><entry id="7"/><entry id="42"/></container></container>
  <container><name>Katzen</name><entry id="8"/></container></lessons></kvtml>
)";
}

// Elements nested as deep as a crafted file nests them, around a word.
QByteArray nested(const char* word)
{
    return QByteArray("<a>").repeated(60000) + word + QByteArray("</a>").repeated(60000);
}

// n numbered copies of a piece, "%1" standing for the number.
QByteArray numbered(const char* piece, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray(piece).replace("%1", QByteArray::number(i));
    return out;
}

} // namespace

class ExchangeImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The rows of a file as "row:cell|cell", or why it gives none, the file named without its path. Rows
    // are counted as a spreadsheet counts them, whatever lines their fields span.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* tag, const QByteArray& in, const char* file,
                            const QStringList& rows) { QTest::newRow(tag) << in << file << rows; };
        const auto bad = [&](const char* tag, const QByteArray& bytes, const char* file,
                             const QString& error) {
            row(tag, bytes, file, {"Die Datei \"" + QString(file) + "\" " + error});
        };
        row("tab", "the\tder;die;das\nhouse\t Haus \n", "a.txt",
            {"1:the|der;die;das", "2:house|Haus"});
        row("semicolon, quotes, CR LF",
            "the;\"der;die;das\"\r\n\r\nsay;\"\"\"Hallo\"\" sagen\"\r\n", "b.csv",
            {"1:the|der;die;das", "2:say|\"Hallo\" sagen"});
        row("comma, line break", "a,\"b, c\"\n\"x\ny\",z\nlast,one", "c.csv",
            {"1:a|b, c", "2:x\ny|z", "3:last|one"});
        // Both separators split every line in two; the quoted meaning list decides.
        row("comma beats semicolon", "the,\"der;die\"\na,\"b;c\"\n", "d.txt",
            {"1:the|der;die", "2:a|b;c"});
        // A tie, every line split in two and no field quoted: the earlier of tab, ";" and ","
        // wins. Tab, as meanings are listed with ";"; ";" before ",", as German spreadsheets
        // write numbers with a decimal comma.
        row("semicolon wins a tie with comma", "Preis;1,50 Euro\nMenge;2,5 kg\n", "j.txt",
            {"1:Preis|1,50 Euro", "2:Menge|2,5 kg"});
        row("semicolon wins a tie with comma in .csv", "Preis;1,50 Euro\n", "k.csv",
            {"1:Preis|1,50 Euro"});
        row("tab wins a tie with semicolon", "house\tHaus;Gebäude\n", "l.txt",
            {"1:house|Haus;Gebäude"});
        row("UTF-8 with BOM", "\xEF\xBB\xBF\xC3\x84pfel;apples\n", "e.csv", {"1:Äpfel|apples"});
        row("Windows-1252",
            "H\xE4user\tStra\xDF"
            "e \x80\n",
            "f.tsv", {"1:Häuser|Straße €"});
        row("Anki header", "#separator:Comma\n#html:false\nthe,\"der;die\"\n", "g.txt",
            {"1:the|der;die"});
        row("bare CR", "a;b\rc;d\r", "h.txt", {"1:a|b", "2:c|d"});
        const QString utf16 = QStringLiteral("\uFEFFÖl\tEssig\r\n");
        row("UTF-16 with BOM",
            QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2), "i.txt",
            {"1:Öl|Essig"});
        const QString entities = "enthält eigene XML-Entitäten (&...;). Solche Dateien werden aus "
                                 "Sicherheitsgründen nicht importiert.";
        bad("blanks and BOM", "\xEF\xBB\xBF \r\n\t", "v.csv", "ist leer.");
        bad("NUL bytes", QByteArray("PK\x03\x04\0\0a;b", 10), "v.csv",
            "ist keine Textdatei. Importiert werden Textdateien, deren Spalten durch Tabulator, "
            "Semikolon oder Komma getrennt sind, und KVTML-Dateien.");
        bad("too big", QByteArray(MaxImportBytes + 1, 'a'), "v.csv",
            "ist zu groß. Importiert werden Dateien bis 20 MB.");
        bad("one column", "eins\nzwei\n", "v.csv",
            "enthält keine Zeile mit zwei Spalten. Die Spalten müssen durch Tabulator, Semikolon "
            "oder Komma "
            "getrennt sein.");
        bad("quote never closed", "a;b\n\nc;\"d\ne;f\n", "v.csv",
            "ist beschädigt oder unvollständig: Das Anführungszeichen in Zeile 3 wird nicht "
            "geschlossen.");
        bad("cut XML", kvtml().left(kvtml().indexOf("the pig")), "v.kvtml",
            "ist beschädigt oder unvollständig (Fehler in Zeile 9).");
        bad("other XML", "<html><p>a;b</p></html>", "v.xml", "ist keine KVTML-Datei.");
        bad("KVTML 1", "<kvtml version=\"1.0\"><e><o>a</o></e></kvtml>", "v.kvtml",
            "ist nicht im Format KVTML 2.0 gespeichert, nur dieses kann importiert werden.");
        bad("entity bomb",
            "<?xml version=\"1.0\"?><!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b "
            "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]><kvtml version=\"2.0\"><information><title>&b;"
            "</title></information></kvtml>",
            "v.kvtml", entities);
        bad("undeclared entity",
            "<!DOCTYPE kvtml SYSTEM \"file:///etc/passwd\"><kvtml version=\"2.0\">"
            "<information><title>&x;</title></information></kvtml>",
            "v.kvtml", entities);
        bad("one language",
            "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier/>"
            "</identifiers></kvtml>",
            "v.kvtml", "enthält keine zwei Sprachen.");
        bad("no entries", kvtml().replace("entry", "x"), "v.kvtml", "enthält keine Vokabeln.");
        // Bytes of Windows-1252 in a file that declares UTF-8, or declares nothing and so is UTF-8.
        bad("wrong encoding", kvtml().replace("Tiere", "Tiere \xE4"), "v.kvtml",
            "ist nicht in der angegebenen Zeichenkodierung (UTF-8) gespeichert.");
        bad("unknown encoding", kvtml().replace("UTF-8", "x-klingonisch"), "v.kvtml",
            "ist in einer Zeichenkodierung (x-klingonisch) gespeichert, die Paukomat nicht lesen "
            "kann.");
        row("encoding declared",
            kvtml().replace("UTF-8", "ISO-8859-1").replace("the dog", "the d\xF6g"), "v.kvtml",
            {"1:the d\u00F6g|der Hund", "2:the cat|die Katze", "3:the pig|"});
        // A byte order mark outweighs the declaration.
        const QString kvtml16 = QString::fromUtf8(kvtml().replace("the dog", "the d\xC3\xB6g"));
        row("KVTML in UTF-16",
            "\xFF\xFE"
                + QByteArray(reinterpret_cast<const char*>(kvtml16.utf16()), kvtml16.size() * 2),
            "w.kvtml", {"1:the d\u00F6g|der Hund", "2:the cat|die Katze", "3:the pig|"});
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, "/some/dir/" + fileName);
        QStringList rows =
            source.outcome.ok() ? QStringList() : QStringList{source.outcome.message.text};
        for (const Row& row : source.rows)
            rows << QString::number(row.number) + ':' + row.cells.join('|');
        QTEST(rows, "rows");
        QVERIFY(source.outcome.ok() ? source.columns.size() == 2
                                    : planImport(source, {}).pairs.isEmpty());
    }

    // The pairs, each row left out as "row text: reason" ("+" when merged into its first occurrence;
    // the reason's first five words), and the summary.
    void plans_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ImportChoice>("choice");
        QTest::addColumn<QStringList>("plan");
        const auto row = [](const char* tag, const QByteArray& in, ImportChoice choice,
                            const QStringList& plan) {
            QTest::newRow(tag) << in << choice << plan;
        };
        row("rows left out and merged",
            "the\tder;die\n\tleer\nHaus\t ; \nthe\tdas; der\n the \tdie\nEnde\\\tx\na\\b\tsingle\n"
            "x\ty\xF0\x9F\x98\x80\n\"a\tb\"\tc\nback\ta\\\\b\\\nnur\n",
            {},
            {"the=der;die;das", "a\\b=single", "back=a\\\\b\\",
             "2  = leer: Das fremdsprachige Wort fehlt.",
             "3 Haus = ;: Die deutsche Bedeutung fehlt.",
             "4+the = das; der: Doppelt (wie Zeile 1), zusammengeführt:",
             "5+the = die: Doppelt (wie Zeile 1), zusammengeführt:",
             "6 Ende\\ = x: Die Vokabel darf keine zwei", "8 x = y😀: Das Zeichen \"😀\" kann nicht",
             "9 a b = c: Das Feld enthält ein Steuerzeichen",
             "11 nur = : Die deutsche Bedeutung fehlt.",
             "3 Wortpaare werden importiert, 8 Zeilen werden ausgelassen (davon 2 doppelte "
             "zusammengeführt)."});
        // A line break in a field is told as such; the next row keeps the next number.
        row("line break in a field", "a;\"b\nc\"\nd;e\n", {},
            {"d=e", "1 a = b c: Das Feld enthält einen Zeilenumbruch;",
             "1 Wortpaar wird importiert, 1 Zeile wird ausgelassen."});
        row("header row taken", "Englisch;Deutsch\nhouse;Haus\n", {0, 1, false, -1, true},
            {"house=Haus", "1 Wortpaar wird importiert."});
        row("header row as a pair", "Englisch;Deutsch\nhouse;Haus\n", {0, 1, false, -1, false},
            {"Englisch=Deutsch", "house=Haus", "2 Wortpaare werden importiert."});
        row("columns swapped", "a;b;c\n", {2, 0, true}, {"a=c", "1 Wortpaar wird importiert."});
        // Entry 3 has no German text: "das Schwein" is of no language.
        row("KVTML, every entry", kvtml(), {},
            {"the dog=der Hund", "the cat=die Katze", "3 the pig = : Die deutsche Bedeutung fehlt.",
             "2 Wortpaare werden importiert, 1 Eintrag wird ausgelassen."});
        row("KVTML, a word twice", kvtml().replace("the dog", "the cat"), {},
            {"the cat=der Hund;die Katze",
             "2+the cat = die Katze: Doppelt (wie Eintrag 1), zusammengeführt:",
             "3 the pig = : Die deutsche Bedeutung fehlt.",
             "1 Wortpaar wird importiert, 2 Einträge werden ausgelassen (davon 1 doppelter "
             "zusammengeführt)."});
        // A lesson takes the entries of the lessons within it, in file order; unknown ids are skipped.
        row("KVTML, outer lesson", kvtml("", "<locale>de</locale>"), {0, 1, false, 0},
            {"the dog=der Hund", "the cat=die Katze", "2 Wortpaare werden importiert."});
        // Containers nested ninety deep: those below the eighth level count as part of the eighth.
        QByteArray deep =
            kvtml().replace("<lessons>", "<lessons>" + QByteArray("<container>").repeated(90));
        deep.replace("</lessons>", QByteArray("</container>").repeated(90) + "</lessons>");
        row("lessons nested deep", deep, {0, 1, false, 7},
            {"the dog=der Hund", "the cat=die Katze", "2 Wortpaare werden importiert."});
        // A bare CR among line feeds ends a line of its own.
        row("line ends mixed", "a;\rb;\r\nc;\n", {},
            {"1 a = : Die deutsche Bedeutung fehlt.", "2 b = : Die deutsche Bedeutung fehlt.",
             "3 c = : Die deutsche Bedeutung fehlt.",
             "Kein Wortpaar kann importiert werden, 3 Zeilen werden "
             "ausgelassen."});
    }
    void plans()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ImportChoice, choice);
        const ImportPlan plan = planImport(readImportData(bytes, "p.txt"), choice);
        QStringList out;
        for (const Pair& p : plan.pairs)
            out << p.foreign + '=' + p.german;
        for (const LeftOut& l : plan.leftOut)
            out << QString::number(l.row) + (l.merged ? "+" : " ") + l.text + ": "
                    + l.reason.section(" ", 0, 4);
        QTEST(out << plan.summary(), "plan");
    }

    // Files made to crash, stall or exhaust the reader are refused with a message or read whole,
    // each at once; the plan keeps a bounded list of rows left out.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("outcome"); // the message, or else the plan's summary
        const auto row = [](const char* tag, const QByteArray& in, const char* file,
                            const QString& outcome) {
            QTest::newRow(tag) << in << file << outcome;
        };
        const QString deep =
            "Die Datei \"v.kvtml\" ist zu tief verschachtelt. Importiert werden KVTML-Dateien mit "
            "bis zu 100 Ebenen.";
        row("nested in text", kvtml().replace("the dog", nested("the dog")), "v.kvtml", deep);
        row("nested in title", kvtml().replace("Tiere: Teil 1", nested("T")), "v.kvtml", deep);
        row("nested in name", kvtml("<name>" + nested("en") + "</name>"), "v.kvtml", deep);
        row("nested in locale", kvtml("<locale>" + nested("en") + "</locale>"), "v.kvtml", deep);
        row("nested in lesson name", kvtml().replace("Haustiere", nested("H")), "v.kvtml", deep);
        row("text beginning with <", nested("a"), "v.csv",
            "Die Datei \"v.csv\" enthält keine Zeile mit zwei Spalten. Die Spalten müssen durch "
            "Tabulator, "
            "Semikolon oder Komma getrennt sein.");
        row("markup in a word list", "<b>the</b>;<i>der</i>\n", "v.txt",
            "1 Wortpaar wird importiert.");
        row("XML in a .csv", "<?xml version=\"1.0\"?>" + nested("a"), "v.csv",
            "Die Datei \"v.csv\" ist zu tief verschachtelt. Importiert werden KVTML-Dateien mit "
            "bis zu 100 Ebenen.");
        row("100,000 languages",
            kvtml().replace("<identifiers>",
                            "<identifiers>" + numbered("<identifier id=\"1%1\"/>", 100000)),
            "v.kvtml",
            "Die Datei \"v.kvtml\" enthält zu viele Sprachen. Importiert werden KVTML-Dateien mit "
            "bis "
            "zu 100 Sprachen.");
        row("150,000 attributes",
            "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"" + numbered(" a%1='='", 150000) + "/>",
            "v.kvtml",
            "Die Datei \"v.kvtml\" enthält in Zeile 2 ein Element mit zu vielen Attributen. "
            "Importiert werden KVTML-Dateien mit bis zu 50 Attributen je Element.");
        const QByteArray declarations =
            "<!DOCTYPE kvtml [" + numbered("<!ATTLIST e%1 a CDATA 'x'>", 20000) + "]>";
        row("20,000 attribute declarations",
            kvtml()
                .replace("<kvtml ", declarations + "<kvtml ")
                .replace("<entries>", "<entries>" + QByteArray("<entry/>").repeated(200000)),
            "v.kvtml",
            "Die Datei \"v.kvtml\" enthält eine eigene Dokumenttypdefinition (<!DOCTYPE … [ … ]>). "
            "Solche Dateien "
            "werden aus Sicherheitsgründen nicht importiert.");
        row("1,001 lessons",
            kvtml().replace("<lessons>", "<lessons>" + QByteArray("<container/>").repeated(1001)),
            "v.kvtml",
            "Die Datei \"v.kvtml\" enthält zu viele Lektionen. Importiert werden KVTML-Dateien mit "
            "bis "
            "zu 1.000 Lektionen.");
        row("100 languages, 20,001 entries",
            kvtml()
                .replace("<identifiers>",
                         "<identifiers>" + numbered("<identifier id=\"1%1\"/>", 98))
                .replace("<entries>", "<entries>" + QByteArray("<entry/>").repeated(19998)),
            "v.kvtml",
            "Die Datei \"v.kvtml\" enthält zu viele Felder. Importiert werden Dateien mit bis zu "
            "2.000.000 Feldern (Einträge mal Sprachen).");
        row("20,000 rows of one word", numbered("w\tm%1\n", 20000), "v.txt",
            "1 Wortpaar wird importiert, 19.999 Zeilen werden ausgelassen (davon 19.999 doppelte "
            "zusammengeführt).");
        row("20 MB of ;", "house;Haus" + QByteArray(MaxImportBytes - 10, ';'), "v.csv",
            "Die Datei \"v.csv\" enthält in Zeile 1 zu viele Spalten. Importiert werden Dateien "
            "mit bis zu 100 "
            "Spalten.");
        row("empty cells after the last column", "house;Haus" + QByteArray(16000, ';'), "v.csv",
            "1 Wortpaar wird importiert.");
        row("a filled 101st column", "a" + QByteArray(";b").repeated(100), "v.csv",
            "Die Datei \"v.csv\" enthält in Zeile 1 zu viele Spalten. Importiert werden Dateien "
            "mit bis zu 100 "
            "Spalten.");
        row("20 MB of rows left out", QByteArray("\tx\n").repeated(MaxImportBytes / 3), "v.txt",
            "Die Datei \"v.txt\" enthält zu viele Zeilen. Importiert werden Dateien mit bis zu "
            "200.000 Zeilen.");
        row("5,000 rows left out", QByteArray("\tx\n").repeated(5000), "v.txt",
            "Kein Wortpaar kann importiert werden, 5.000 Zeilen werden ausgelassen.");
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, fileName);
        const ImportPlan plan = planImport(source, source.proposed);
        QTEST(source.outcome.ok() ? plan.summary() : source.outcome.message.text, "outcome");
        QCOMPARE(plan.leftOut.size(), std::min(plan.leftOutTotal, MaxLeftOutKept));
    }

    // The grade of the foreign word's translation gives its box, where it has a box and a day.
    void kvtmlGradesGiveBoxes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("grade");
        QTest::addColumn<std::optional<boxes::Place>>("place");
        const QByteArray dog = "<text>the dog</text>";
        const auto grade = [](const char* box, const char* date) {
            return QByteArray("<grade><currentgrade>") + box + "</currentgrade><date>" + date
                + "</date></grade>";
        };
        const std::optional<boxes::Place> none;
        QTest::newRow("box and day") << dog << grade(" 3 ", "2009-03-05T15:31:53")
                                     << std::optional(boxes::Place{3, {2009, 3, 5}});
        QTest::newRow("above 5, first grade")
            << dog << grade("7", "2009-03-05") + grade("4", "2010-01-01")
            << std::optional(boxes::Place{5, {2009, 3, 5}});
        QTest::newRow("never asked") << dog << grade("0", "2009-03-05") << none;
        QTest::newRow("no day") << dog << grade("2", "gestern") << none;
        QTest::newRow("German side")
            << QByteArray("<text>der Hund</text>") << grade("3", "2009-03-05") << none;
    }
    void kvtmlGradesGiveBoxes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, grade);
        const ImportSource source = readImportData(kvtml().replace(text, text + grade), "v.kvtml");
        const ImportPlan plan = planImport(source, source.proposed);
        QCOMPARE(plan.pairs.value(0).foreign, "the dog");
        QTEST(plan.pairs.value(0).place, "place");
        QVERIFY(!plan.pairs.value(1).place);
    }

    // A lesson exported to KVTML comes back with its sides whatever its language is called.
    void roundTripKeepsTheSides_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* name :
             {"Deutsch", "deutsch ", "GERMAN", "German", "de", "Englisch", "Sprache 1"})
            QTest::newRow(name) << name;
    }
    void roundTripKeepsTheSides()
    {
        QFETCH(QString, language);
        const QList<Pair> pairs = {{"der Hund", "the dog"}, {"die Katze", "the cat"}};
        const ImportSource source = readImportData(exportKvtml(pairs, language, "L"), "L.kvtml");
        QVERIFY(planImport(source, source.proposed).pairs == pairs);
    }

    // Stopping the reading gives no rows, and says so.
    void readingStops_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        const QList<Pair> pairs(3000, {"word", "Wort"});
        QTest::newRow("text") << exportDelimited(pairs).repeated(20) << "s.tsv";
        QTest::newRow("KVTML") << exportKvtml(pairs, "Englisch", "L") << "s.kvtml";
    }
    void readingStops()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, fileName, [](int) { return false; });
        QVERIFY(source.outcome.status == store::Outcome::Status::Unchanged
                && source.rows.isEmpty());
        QCOMPARE(source.outcome.message.text,
                 "Das Lesen der Datei \"" + fileName + "\" wurde abgebrochen.");
    }

    // Once stored, the pairs were imported.
    void theSummaryAfterTheImport()
    {
        const ImportPlan plan = planImport(readImportData("a\tb\na\tc\n\td\nx\ty\n", "x.txt"), {});
        QCOMPARE(plan.importedSummary(),
                 "2 Wortpaare wurden importiert, 2 Zeilen wurden ausgelassen (davon 1 doppelte "
                 "zusammengeführt).");
    }

    // What a file proposes, as "header|pairs foreign>german German|unmarked: column names": whether its
    // first row names the columns, the sides, and whether a column is known to be German (else the
    // dialog asks the user to check).
    void proposesHeaderAndSides_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("proposal");
        const auto row = [](const char* tag, const QByteArray& in, const char* file,
                            const char* proposal) { QTest::newRow(tag) << in << file << proposal; };
        row("language names", "Englisch;Deutsch\nhouse;Haus\n", "a.csv",
            "header 0>1 German: Englisch|Deutsch");
        row("German first, in English", "German,English,Notes\nHaus,house,\n", "a.csv",
            "header 1>0 German: German|English|Notes");
        row("German after a number", "Nr\tFranzösisch\tDeutsch\n1\tla maison\tdas Haus\n", "a.txt",
            "header 1>2 German: Nr|Französisch|Deutsch");
        row("numbered rows", "Nr;Wort;Bedeutung\n1;house;Haus\n2;tree;Baum\n", "a.csv",
            "header 0>1 unmarked: Nr|Wort|Bedeutung");
        row("meaning lists", "Wort\tBedeutungen\nthe\t\"der;die;das\"\na\t\"ein;eine\"\n", "a.txt",
            "header 0>1 unmarked: Wort|Bedeutungen");
        row("one row without a list", "Wort\tBedeutungen\nthe\t\"der;die\"\nhouse\tHaus\n", "a.txt",
            "pairs 0>1 unmarked: Spalte 1|Spalte 2");
        row("Anki's column names", "#columns:Front;Deutsch\nhouse;Haus\n", "a.txt",
            "pairs 0>1 German: Front|Deutsch");
        row("KVTML without German", kvtml("<locale>fr</locale>", "<name>Capital</name>"), "a.kvtml",
            "pairs 0>1 unmarked: fr|Capital");
        row("KVTML, German by name", kvtml("<name>GERMAN</name>", ""), "a.kvtml",
            "pairs 1>0 German: GERMAN|Sprache 1");
    }
    void proposesHeaderAndSides()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, fileName);
        const ImportColumns columns = importColumns(source, source.proposed.headerRow);
        QTEST(QString("%1 %2>%3 %4: %5")
                  .arg(source.proposed.headerRow ? "header" : "pairs")
                  .arg(source.proposed.foreignColumn)
                  .arg(source.proposed.germanColumn)
                  .arg(columns.germanMarked ? "German" : "unmarked", columns.names.join('|')),
              "proposal");
    }

    // A lesson's name comes from the title or file name without its extension, or from the lesson chosen.
    void proposesNames_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<QString>("name");
        const QByteArray titled = kvtml().replace("Tiere: Teil 1", " fill_in_the_blank.KVTML ");
        QTest::newRow("file name")
            << QByteArray("a;b\n") << "/d/Haus und Hof.csv.txt" << -1 << "Haus und Hof";
        QTest::newRow("title") << titled << "x.kvtml" << -1 << "fill_in_the_blank";
        QTest::newRow("no title") << kvtml().replace("Tiere: Teil 1", "") << "/d/example.kvtml"
                                  << -1 << "example";
        QTest::newRow("a lesson") << titled << "x.kvtml" << 2 << "Katzen";
        QTest::newRow("a lesson within") << kvtml() << "x.kvtml" << 1 << "Haustiere - Hunde";
        QTest::newRow("nothing left")
            << QByteArray("a;b\n") << "日本語 ?!.txt" << -1 << "Importierte Lektion";
    }
    void proposesNames()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        QFETCH(int, lesson);
        QTEST(lessonNameProposal(readImportData(bytes, fileName), lesson), "name");
    }

    // The caption above the preview counts what the table shows, after "von" in the dative.
    void previewCaptions_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("entries");
        QTest::addColumn<message::PreviewOf>("of");
        QTest::addColumn<QString>("caption");
        using enum message::PreviewOf;
        QTest::newRow("first entries")
            << 20 << 35 << true << File << "Die ersten 20 von 35 Einträgen der Datei:";
        QTest::newRow("first rows") << 20 << 12345 << false << BelowHeader
                                    << "Die ersten 20 von 12.345 Zeilen unter der Kopfzeile:";
        QTest::newRow("nothing below")
            << 0 << 0 << false << BelowHeader << "Unter der Kopfzeile steht keine Zeile.";
    }
    void previewCaptions()
    {
        QFETCH(int, shown);
        QFETCH(int, total);
        QFETCH(bool, entries);
        QFETCH(message::PreviewOf, of);
        QTEST(message::previewCaption(shown, total, entries, of), "caption");
    }

    void aMissingFileIsNamed()
    {
        QCOMPARE(readImportFile("/d/fehlt.txt").outcome.message.text,
                 "Die Datei \"fehlt.txt\" kann nicht gelesen werden.");
    }
};

QTEST_GUILESS_MAIN(ExchangeImportTest)
#include "ExchangeImportTest.moc"
