#include "exchange/Exchange.h"
#include "exchange/LessonExport.h"
#include "exchange/Messages.h"
#include "lesson/LessonFile.h"
#include "store/TextRules.h"

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

// The file above with its lessons within ninety containers nested one in another.
QByteArray deepLessons()
{
    return kvtml()
        .replace("<lessons>", "<lessons>" + QByteArray("<container>").repeated(90))
        .replace("</lessons>", QByteArray("</container>").repeated(90) + "</lessons>");
}

// n numbered copies of a piece, "%1" standing for the number.
QByteArray numbered(const char* piece, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray(piece).replace("%1", QByteArray::number(i));
    return out;
}

QByteArray utf16WithByteOrderMark(const QString& text)
{
    return "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// The rows of the KVTML file above, with "the dog" spelt "the dög".
const QList<QStringList> KvtmlRows = {
    {"the d\u00F6g", "der Hund"}, {"the cat", "die Katze"}, {"the pig", ""}};

} // namespace

class ExchangeImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The separator is guessed from how the lines split, the encoding from the bytes.
    void readsRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QList<QStringList>>("rows");
        const auto row = [](const char* tag, const QByteArray& in, const char* file,
                            const QList<QStringList>& rows) {
            QTest::newRow(tag) << in << file << rows;
        };
        row("tab", "the\tder;die;das\nhouse\t Haus \n", "a.txt",
            {{"the", "der;die;das"}, {"house", "Haus"}});
        row("semicolon, quotes, CR LF", "the;\"der;die\"\r\n\r\nsay;\"\"\"Hi\"\" sagen\"\r\n",
            "b.csv", {{"the", "der;die"}, {"say", "\"Hi\" sagen"}});
        // Both separators split every line in two; the quoted meaning list decides.
        row("comma beats semicolon", "the,\"der;die\"\na,\"b;c\"\n", "d.txt",
            {{"the", "der;die"}, {"a", "b;c"}});
        // A tie, every line split in two and no field quoted: the earlier of tab, ";" and ","
        // wins. Tab, as meanings are listed with ";"; ";" before ",", as German spreadsheets
        // write numbers with a decimal comma.
        row("semicolon wins a tie with comma", "Preis;1,50 Euro\nMenge;2,5 kg\n", "j.txt",
            {{"Preis", "1,50 Euro"}, {"Menge", "2,5 kg"}});
        row("semicolon wins a tie with comma in .csv", "Preis;1,50 Euro\n", "k.csv",
            {{"Preis", "1,50 Euro"}});
        row("tab wins a tie with semicolon", "house\tHaus;Gebäude\n", "l.txt",
            {{"house", "Haus;Gebäude"}});
        row("markup in a word list", "<b>the</b>;<i>der</i>\n", "m.txt",
            {{"<b>the</b>", "<i>der</i>"}});
        row("Windows-1252",
            "H\xE4user\tStra\xDF"
            "e \x80\n",
            "f.tsv", {{"Häuser", "Straße €"}});
        row("UTF-16 with BOM", utf16WithByteOrderMark("Öl\tEssig\r\n"), "i.txt", {{"Öl", "Essig"}});
        row("encoding declared",
            kvtml().replace("UTF-8", "ISO-8859-1").replace("the dog", "the d\xF6g"), "v.kvtml",
            KvtmlRows);
        // A byte order mark outweighs the declaration.
        row("KVTML in UTF-16",
            utf16WithByteOrderMark(QString::fromUtf8(kvtml().replace("dog", "d\xC3\xB6g"))),
            "w.kvtml", KvtmlRows);
    }
    void readsRows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        QFETCH(QList<QStringList>, rows);
        const ImportSource source = readImportData(bytes, fileName);
        QCOMPARE(source.outcome.message.text, QString());
        QCOMPARE(source.rows.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            QCOMPARE(source.rows[i].cells, rows[i]);
        QCOMPARE(source.columns.size(), 2);
    }

    // A file that gives no rows says which fault or limit refuses it, naming the file without its
    // path. Files made to crash, stall or exhaust the reader are refused at once.
    void refuses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("message");
        using namespace message;
        const QString csv = "v.csv";
        const QString kv = "v.kvtml";
        const auto row = [](const char* tag, const QByteArray& in, const QString& file,
                            const QString& error) { QTest::newRow(tag) << in << file << error; };
        row("blanks and BOM", "\xEF\xBB\xBF \r\n\t", csv, empty(csv));
        row("NUL bytes", QByteArray("PK\x03\x04\0\0a;b", 10), csv, notText(csv));
        row("too big", QByteArray(MaxImportBytes + 1, 'a'), csv, tooBig(csv));
        row("one column", "eins\nzwei\n", csv, noColumns(csv));
        row("quote never closed", "a;b\n\nc;\"d\ne;f\n", csv,
            "Die Datei \"v.csv\" ist beschädigt oder unvollständig: Das Anführungszeichen in "
            "Zeile 3 wird nicht geschlossen.");
        row("a filled 101st column", "a" + QByteArray(";b").repeated(100), csv,
            tooManyColumns(csv, 1));
        row("20 MB of ;", "house;Haus" + QByteArray(MaxImportBytes - 10, ';'), csv,
            tooManyColumns(csv, 1));
        row("20 MB of rows left out", QByteArray("\tx\n").repeated(MaxImportBytes / 3), "v.txt",
            tooManyRows("v.txt", false));
        row("cut XML", kvtml().left(kvtml().indexOf("the pig")), kv, xmlDamaged(kv, 9));
        row("other XML", "<html><p>a;b</p></html>", "v.xml", notKvtml("v.xml"));
        row("XML in a .csv", "<?xml version=\"1.0\"?><p>a;b</p>", csv, notKvtml(csv));
        row("KVTML 1", "<kvtml version=\"1.0\"><e><o>a</o></e></kvtml>", kv, kvtmlVersion(kv));
        row("entity bomb",
            "<!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
            "<kvtml version=\"2.0\"><information><title>&b;</title></information></kvtml>",
            kv, xmlEntities(kv));
        row("undeclared entity",
            "<!DOCTYPE kvtml SYSTEM \"file:///etc/passwd\"><kvtml version=\"2.0\">"
            "<information><title>&x;</title></information></kvtml>",
            kv, xmlEntities(kv));
        row("attribute declarations",
            kvtml().replace("<kvtml ", "<!DOCTYPE kvtml [<!ATTLIST e a CDATA 'x'>]><kvtml "), kv,
            xmlDeclarations(kv));
        row("one language",
            "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier/>"
            "</identifiers></kvtml>",
            kv, kvtmlLanguages(kv));
        row("no entries", kvtml().replace("entry", "x"), kv, noEntries(kv));
        // Bytes of Windows-1252 in a file that declares UTF-8, or declares nothing and so is UTF-8.
        row("wrong encoding", kvtml().replace("Tiere", "Tiere \xE4"), kv,
            wrongEncoding(kv, "UTF-8"));
        row("unknown encoding", kvtml().replace("UTF-8", "x-klingonisch"), kv,
            unknownEncoding(kv, "x-klingonisch"));
        row("nested too deep",
            kvtml().replace("dog",
                            QByteArray("<a>").repeated(60000) + QByteArray("</a>").repeated(60000)),
            kv, tooDeep(kv));
        const auto languages = [](int n) {
            return kvtml().replace("<identifiers>",
                                   "<identifiers>" + numbered("<identifier id=\"1%1\"/>", n - 2));
        };
        row("101 languages", languages(101), kv, tooManyLanguages(kv));
        row("150,000 attributes",
            "<?xml version=\"1.0\"?>\n<kvtml version=\"2.0\"" + numbered(" a%1='='", 150000) + "/>",
            kv, tooManyAttributes(kv, 2));
        row("1,001 lessons",
            kvtml().replace("<lessons>", "<lessons>" + QByteArray("<container/>").repeated(1001)),
            kv, tooManyLessons(kv));
        row("100 languages, 20,001 entries",
            languages(100).replace("<entries>",
                                   "<entries>" + QByteArray("<entry/>").repeated(19998)),
            kv, tooManyCells(kv, true));
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, "/some/dir/" + fileName);
        QTEST(source.outcome.message.text, "message");
        QCOMPARE(planImport(source, {}).pairs.size(), 0);
    }

    // The pairs a choice gives, and every row left out with its reason.
    void plans_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ImportChoice>("choice");
        QTest::addColumn<QList<Pair>>("pairs");
        QTest::addColumn<QList<LeftOut>>("leftOut");
        QTest::addColumn<QString>("summary");
        using namespace message;
        using Pairs = QList<Pair>;
        using LeftOuts = QList<LeftOut>;
        const QString noGerman = emptyGerman();
        QTest::newRow("rows left out and merged")
            << QByteArray("the\tder;die\n\tleer\nHaus\t ; \nthe\tdas; der\n the \tdie\nEnde\\\tx\n"
                          "a\\b\tsingle\nx\ty\xF0\x9F\x98\x80\n\"a\tb\"\tc\nback\ta\\\\b\\\nnur\n")
            << ImportChoice{}
            << Pairs{{"the", "der;die;das"}, {"a\\b", "single"}, {"back", "a\\\\b\\"}}
            << LeftOuts{{2, " = leer", emptyForeign()},
                        {3, "Haus = ;", noGerman},
                        {4, "the = das; der", duplicateMerged(1, false), true},
                        {5, "the = die", duplicateUnchanged(1, false), true},
                        {6, "Ende\\ = x", lesson::foreignWordProblem("Ende\\")},
                        {8, "x = y😀", store::unstorableTextMessage("y😀")},
                        {9, "a b = c", controlCharacter()},
                        {11, "nur = ", noGerman}}
            << "3 Wortpaare werden importiert, 8 Zeilen werden ausgelassen (davon 2 doppelte "
               "zusammengeführt).";
        // The next row keeps the next number.
        QTest::newRow("line break in a field")
            << QByteArray("a;\"b\nc\"\nd;e\n") << ImportChoice{} << Pairs{{"d", "e"}}
            << LeftOuts{{1, "a = b c", lineBreak()}}
            << "1 Wortpaar wird importiert, 1 Zeile wird ausgelassen.";
        // A bare CR among line feeds ends a line of its own.
        QTest::newRow("line ends mixed")
            << QByteArray("a;\rb;\r\n") << ImportChoice{} << Pairs{}
            << LeftOuts{{1, "a = ", noGerman}, {2, "b = ", noGerman}}
            << "Kein Wortpaar kann importiert werden, 2 Zeilen werden ausgelassen.";
        QTest::newRow("columns swapped")
            << QByteArray("a;b;c\n") << ImportChoice{2, 0, true} << Pairs{{"a", "c"}} << LeftOuts{}
            << "1 Wortpaar wird importiert.";
        QTest::newRow("empty cells after the last column")
            << "house;Haus" + QByteArray(16000, ';') << ImportChoice{} << Pairs{{"house", "Haus"}}
            << LeftOuts{} << "1 Wortpaar wird importiert.";
        // Entry 3 has no German text: "das Schwein" is of no language.
        const Pairs dogAndCat = {{"the dog", "der Hund"}, {"the cat", "die Katze"}};
        QTest::newRow("KVTML, every entry")
            << kvtml() << ImportChoice{} << dogAndCat << LeftOuts{{3, "the pig = ", noGerman}}
            << "2 Wortpaare werden importiert, 1 Eintrag wird ausgelassen.";
        QTest::newRow("KVTML, a word twice")
            << kvtml().replace("the dog", "the cat") << ImportChoice{}
            << Pairs{{"the cat", "der Hund;die Katze"}}
            << LeftOuts{{2, "the cat = die Katze", duplicateMerged(1, true), true},
                        {3, "the pig = ", noGerman}}
            << "1 Wortpaar wird importiert, 2 Einträge werden ausgelassen (davon 1 doppelter "
               "zusammengeführt).";
        // A lesson takes the entries of the lessons within it, in file order; unknown ids are
        // skipped. Containers nested ninety deep: those below the eighth level count as part of
        // the eighth.
        QTest::newRow("KVTML, outer lesson") << kvtml() << ImportChoice{0, 1, false, 0} << dogAndCat
                                             << LeftOuts{} << "2 Wortpaare werden importiert.";
        QTest::newRow("lessons nested deep")
            << deepLessons() << ImportChoice{0, 1, false, 7} << dogAndCat << LeftOuts{}
            << "2 Wortpaare werden importiert.";
    }
    void plans()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ImportChoice, choice);
        QFETCH(QList<LeftOut>, leftOut);
        const ImportPlan plan = planImport(readImportData(bytes, "p.txt"), choice);
        QTEST(plan.pairs, "pairs");
        QCOMPARE(plan.leftOut.size(), leftOut.size());
        for (qsizetype i = 0; i < leftOut.size(); ++i) {
            QCOMPARE(plan.leftOut[i].row, leftOut[i].row);
            QCOMPARE(plan.leftOut[i].text, leftOut[i].text);
            QCOMPARE(plan.leftOut[i].reason, leftOut[i].reason);
            QCOMPARE(plan.leftOut[i].merged, leftOut[i].merged);
        }
        QTEST(plan.summary(), "summary");
    }

    // Containers below the eighth level are no lessons of their own.
    void deepLessonsJoinTheEighthLevel()
    {
        QCOMPARE(readImportData(deepLessons(), "d.kvtml").lessons.size(), 8);
    }

    // Rows beyond those the list shows are only counted.
    void theRowsLeftOutListedAreBounded()
    {
        const ImportPlan plan =
            planImport(readImportData(numbered("w\tm%1\n", 20000), "v.txt"), {});
        QCOMPARE(plan.leftOut.size(), MaxLeftOutKept);
        QCOMPARE(plan.summary(),
                 "1 Wortpaar wird importiert, 19.999 Zeilen werden ausgelassen "
                 "(davon 19.999 doppelte zusammengeführt).");
    }

    // Once stored, the pairs were imported.
    void theSummaryAfterTheImport()
    {
        const ImportPlan plan = planImport(readImportData("a\tb\na\tc\n\td\nx\ty\n", "x.txt"), {});
        QCOMPARE(plan.importedSummary(),
                 "2 Wortpaare wurden importiert, 2 Zeilen wurden ausgelassen (davon 1 doppelte "
                 "zusammengeführt).");
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
        QTEST(plan.pairs.value(0).place, "place");
        QVERIFY(!plan.pairs.value(1).place);
    }

    // A lesson exported to KVTML comes back with its sides whatever its language is called.
    void roundTripKeepsTheSides_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* name : {"deutsch ", "GERMAN", "de", "Englisch", "Sprache 1"})
            QTest::newRow(name) << name;
    }
    void roundTripKeepsTheSides()
    {
        QFETCH(QString, language);
        const QList<Pair> pairs = {{"der Hund", "the dog"}, {"die Katze", "the cat"}};
        const ImportSource source = readImportData(exportKvtml(pairs, language, "L"), "L.kvtml");
        QCOMPARE(planImport(source, source.proposed).pairs, pairs);
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
        QCOMPARE(source.outcome.status, store::Outcome::Status::Unchanged);
        QCOMPARE(source.rows.size(), 0);
        QCOMPARE(source.outcome.message.text,
                 "Das Lesen der Datei \"" + fileName + "\" wurde abgebrochen.");
    }

    // Whether a file's first row names the columns, the sides, and whether a column is known to be
    // German (else the dialog asks the user to check).
    void proposesHeaderAndSides_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("headerRow");
        QTest::addColumn<int>("foreign");
        QTest::addColumn<int>("german");
        QTest::addColumn<bool>("germanMarked");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("language names")
            << QByteArray("Englisch;Deutsch\nhouse;Haus\n") << "a.csv" << true << 0 << 1 << true
            << QStringList{"Englisch", "Deutsch"};
        QTest::newRow("German after a number")
            << QByteArray("Nr\tFranzösisch\tDeutsch\n1\tla maison\tdas Haus\n") << "a.txt" << true
            << 1 << 2 << true << QStringList{"Nr", "Französisch", "Deutsch"};
        QTest::newRow("numbered rows")
            << QByteArray("Nr;Wort;Bedeutung\n1;house;Haus\n2;tree;Baum\n") << "a.csv" << true << 0
            << 1 << false << QStringList{"Nr", "Wort", "Bedeutung"};
        QTest::newRow("meaning lists")
            << QByteArray("Wort\tBedeutungen\nthe\t\"der;die;das\"\na\t\"ein;eine\"\n") << "a.txt"
            << true << 0 << 1 << false << QStringList{"Wort", "Bedeutungen"};
        QTest::newRow("Anki's column names")
            << QByteArray("#columns:Front;Deutsch\nhouse;Haus\n") << "a.txt" << false << 0 << 1
            << true << QStringList{"Front", "Deutsch"};
        QTest::newRow("KVTML without German")
            << kvtml("<locale>fr</locale>", "<name>Capital</name>") << "a.kvtml" << false << 0 << 1
            << false << QStringList{"fr", "Capital"};
        QTest::newRow("KVTML, German by name")
            << kvtml("<name>GERMAN</name>", "") << "a.kvtml" << false << 1 << 0 << true
            << QStringList{"GERMAN", "Sprache 1"};
    }
    void proposesHeaderAndSides()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, fileName);
        const ImportColumns columns = importColumns(source, source.proposed.headerRow);
        QTEST(source.proposed.headerRow, "headerRow");
        QTEST(source.proposed.foreignColumn, "foreign");
        QTEST(source.proposed.germanColumn, "german");
        QTEST(columns.germanMarked, "germanMarked");
        QTEST(columns.names, "columns");
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
