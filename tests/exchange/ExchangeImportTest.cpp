#include "exchange/Exchange.h"

#include <QTest>

using namespace exchange;

namespace {

// Entries 1 to 3; entry 3 has no id, lies in no lesson and has a translation of no language.
QByteArray kvtml(const char* first = "<locale>en</locale>", const char* second = "<locale>de</locale>")
{
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0"><information><title>Tiere: Teil 1</title></information>
 <identifiers><identifier id="0">)") + first + R"(</identifier>
  <identifier id="1">)" + second + R"(</identifier></identifiers>
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

} // namespace

class ExchangeImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The rows of a file as "line:cell|cell", or why it gives none, the file named without its path.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* tag, const QByteArray& in, const char* file, const QStringList& rows) {
            QTest::newRow(tag) << in << file << rows;
        };
        const auto bad = [&](const char* tag, const QByteArray& bytes, const char* file, const QString& error) {
            row(tag, bytes, file, {"Die Datei \"" + QString(file) + "\" " + error});
        };
        row("tab", "the\tder;die;das\nhouse\t Haus \n", "a.txt", {"1:the|der;die;das", "2:house|Haus"});
        row("semicolon, quotes, CR LF", "the;\"der;die;das\"\r\n\r\nsay;\"\"\"Hallo\"\" sagen\"\r\n", "b.csv",
            {"1:the|der;die;das", "3:say|\"Hallo\" sagen"});
        row("comma, line break", "a,\"b, c\"\n\"x\ny\",z\nlast,one", "c.csv",
            {"1:a|b, c", "2:x\ny|z", "4:last|one"});
        // Both separators split every line in two; the quoted meaning list decides.
        row("comma beats semicolon", "the,\"der;die\"\na,\"b;c\"\n", "d.txt", {"1:the|der;die", "2:a|b;c"});
        row("UTF-8 with BOM", "\xEF\xBB\xBF\xC3\x84pfel;apples\n", "e.csv", {"1:Äpfel|apples"});
        row("Windows-1252", "H\xE4user\tStra\xDF" "e \x80\n", "f.tsv", {"1:Häuser|Straße €"});
        row("Anki header", "#separator:Comma\n#html:false\nthe,\"der;die\"\n", "g.txt", {"3:the|der;die"});
        row("bare CR", "a;b\rc;d\r", "h.txt", {"1:a|b", "2:c|d"});
        const QString utf16 = QStringLiteral("\uFEFFÖl\tEssig\r\n");
        row("UTF-16 with BOM", QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2),
            "i.txt", {"1:Öl|Essig"});
        const QString entities = "enthält eigene XML-Entitäten (&...;). Solche Dateien werden aus "
                                 "Sicherheitsgründen nicht importiert.";
        bad("blanks and BOM", "\xEF\xBB\xBF \r\n\t", "v.csv", "ist leer.");
        bad("NUL bytes", QByteArray("PK\x03\x04\0\0a;b", 10), "v.csv",
            "ist keine Textdatei. Importiert werden Textdateien, deren Spalten durch Tabulator, "
            "Semikolon oder Komma getrennt sind, und KVTML-Dateien.");
        bad("too big", QByteArray(MaxImportBytes + 1, 'a'), "v.csv",
            "ist zu groß. Importiert werden Dateien bis 20 MB.");
        bad("one column", "eins\nzwei\n", "v.csv",
            "enthält keine Zeile mit zwei Spalten. Die Spalten müssen durch Tabulator, Semikolon oder Komma "
            "getrennt sein.");
        bad("quote never closed", "a;b\n\nc;\"d\ne;f\n", "v.csv",
            "ist beschädigt oder unvollständig: Das Anführungszeichen in Zeile 3 wird nicht geschlossen.");
        bad("cut XML", kvtml().left(kvtml().indexOf("the pig")), "v.kvtml",
            "ist beschädigt oder unvollständig (Fehler in Zeile 9).");
        bad("other XML", "<html><p>a;b</p></html>", "v.xml", "ist keine KVTML-Datei.");
        bad("KVTML 1", "<kvtml version=\"1.0\"><e><o>a</o></e></kvtml>", "v.kvtml",
            "ist nicht im Format KVTML 2.0 gespeichert, nur dieses kann importiert werden.");
        bad("entity bomb", "<?xml version=\"1.0\"?><!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b "
                           "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]><kvtml version=\"2.0\"><information><title>&b;"
                           "</title></information></kvtml>", "v.kvtml", entities);
        bad("undeclared entity", "<!DOCTYPE kvtml SYSTEM \"file:///etc/passwd\"><kvtml version=\"2.0\">"
                                 "<information><title>&x;</title></information></kvtml>", "v.kvtml", entities);
        bad("one language", "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier/>"
                            "</identifiers></kvtml>", "v.kvtml", "enthält keine zwei Sprachen.");
        bad("no entries", kvtml().replace("entry", "x"), "v.kvtml", "enthält keine Vokabeln.");
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, "/some/dir/" + fileName);
        QStringList rows = source.error.isEmpty() ? QStringList() : QStringList{source.error};
        for (const Row& row : source.rows)
            rows << QString::number(row.number) + ':' + row.cells.join('|');
        QTEST(rows, "rows");
        QVERIFY(source.error.isEmpty() ? source.columns.size() == 2 : planImport(source, {}).pairs.isEmpty());
    }

    // The pairs, each row left out as "row text: reason" ("+" when merged into its first occurrence;
    // the reason's first five words), and the summary.
    void plans_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ImportChoice>("choice");
        QTest::addColumn<QStringList>("plan");
        const auto row = [](const char* tag, const QByteArray& in, ImportChoice choice, const QStringList& plan) {
            QTest::newRow(tag) << in << choice << plan;
        };
        row("rows left out and merged",
            "the\tder;die\n\tleer\nHaus\t ; \nthe\tdas; der\n the \tdie\nEnde\\\tx\na\\b\tsingle\n"
            "x\ty\xF0\x9F\x98\x80\n\"a\tb\"\tc\nback\ta\\\\b\\\nnur\n", {},
            {"the=der;die;das", "a\\b=single", "back=a\\\\b\\", "2  = leer: Das fremdsprachige Wort fehlt.",
             "3 Haus = ;: Die deutsche Bedeutung fehlt.", "4+the = das; der: Doppelt (wie Zeile 1): Die",
             "5+the = die: Doppelt (wie Zeile 1), ohne", "6 Ende\\ = x: Die Vokabel darf keine zwei",
             "8 x = y😀: Das Zeichen \"😀\" kann nicht", "9 a b = c: Die Eingabe darf keine Steuerzeichen",
             "11 nur = : Die deutsche Bedeutung fehlt.",
             "3 Wortpaare werden importiert, 2 doppelte Zeilen werden zusammengeführt, 6 Zeilen werden "
             "ausgelassen."});
        row("columns swapped", "a;b;c\n", {2, 0, true}, {"a=c", "1 Wortpaar wird importiert."});
        // Entry 3 has no German text: "das Schwein" is of no language.
        row("KVTML, every entry", kvtml(), {},
            {"the dog=der Hund", "the cat=die Katze", "3 the pig = : Die deutsche Bedeutung fehlt.",
             "2 Wortpaare werden importiert, 1 Eintrag wird ausgelassen."});
        // A lesson takes the entries of the lessons within it, in file order; unknown ids are skipped.
        row("KVTML, outer lesson", kvtml("", "<locale>de</locale>"), {0, 1, false, 0},
            {"the dog=der Hund", "the cat=die Katze", "2 Wortpaare werden importiert."});
        // Containers nested ten thousand deep: those below the eighth level count as part of it.
        QByteArray deep = kvtml().replace("<lessons>", "<lessons>" + QByteArray("<container>").repeated(9999));
        deep.replace("</lessons>", QByteArray("</container>").repeated(9999) + "</lessons>");
        row("lessons nested deep", deep, {0, 1, false, 8}, {"Kein Wortpaar kann importiert werden."});
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
            out << QString::number(l.row) + (l.merged ? "+" : " ") + l.text + ": " + l.reason.section(" ", 0, 4);
        QTEST(out << plan.summary(), "plan");
    }

    // The German language of a KVTML file, known by its locale or its name, is proposed as German.
    void proposalsAndMissingFiles()
    {
        QCOMPARE(readImportData(kvtml("<name>GERMAN</name>", ""), "t.kvtml").proposed.foreignColumn, 1);
        QCOMPARE(lessonNameProposal("日本語 ?!"), "Importierte Lektion");
        QCOMPARE(readImportFile("/d/fehlt.txt").error, "Die Datei \"fehlt.txt\" kann nicht gelesen werden.");
    }
};

QTEST_GUILESS_MAIN(ExchangeImportTest)
#include "ExchangeImportTest.moc"
