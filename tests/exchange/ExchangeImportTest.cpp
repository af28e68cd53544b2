#include "exchange/Exchange.h"
#include "exchange/Messages.h"
#include "lesson/LessonFile.h"
#include "store/TextRules.h"

#include <QTest>

using namespace exchange;

namespace {

// Entries 1 to 3; entry 3 has no id, lies in no lesson and has a translation of no language.
QByteArray kvtml()
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0"><information><title> fill_in_the_blank.KVTML </title></information>
 <identifiers><identifier id="0"><locale>en</locale></identifier>
  <identifier id="1"><locale>de</locale></identifier></identifiers>
 <entries><entry id="7"><translation id="0"><text>the dog</text></translation>
   <translation id="1"><text>der Hund</text></translation></entry>
  <entry id="8"><translation id="1"><comment>c</comment><text>die Katze</text></translation>
   <translation id="0"><text>the cat</text></translation></entry>
  <entry><translation id="0"><text>the pig</text></translation>
   <translation id="5"><text>das Schwein</text></translation></entry></entries>
 <lessons><container><name>Haustiere</name><entry id="8"/>
   <container><name>Hunde</name><entry id="7"/><entry id="42"/></container></container>
 </lessons></kvtml>
)";
}

// n numbered copies of a piece, "%1" standing for the number.
QByteArray numbered(const char* piece, int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += QByteArray(piece).replace("%1", QByteArray::number(i));
    return out;
}

// A row of a table whose one column, "c", holds the whole case.
template <class Case> void addRow(const char* tag, const Case& c)
{
    QTest::newRow(tag) << c;
}

struct Read
{
    QByteArray bytes;
    QList<QStringList> rows;
};

struct Refusal
{
    QByteArray bytes;
    QString file;
    QString message;
};

} // namespace

class ExchangeImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The separator is guessed from how the lines split, the encoding from the bytes.
    void readsRows_data()
    {
        QTest::addColumn<Read>("c");
        // A tie, no field quoted: the earlier of tab, ";" and "," wins. Tab, as meanings are
        // listed with ";"; ";" before ",", as German spreadsheets write a decimal comma.
        addRow("semicolon wins a tie with comma", Read{"Preis;1,50\n", {{"Preis", "1,50"}}});
        addRow("tab wins a tie with semicolon",
               Read{"house\t Haus;Bau \n", {{"house", "Haus;Bau"}}});
        // Anki names its separator in a settings line.
        addRow("separator named", Read{"#separator:semicolon\na\tb;c\n", {{"a\tb", "c"}}});
        addRow("Windows-1252", Read{"H\xE4user\t\x80\n", {{"Häuser", "€"}}});
        const QList<QStringList> kvtmlRows = {
            {"the dög", "der Hund"}, {"the cat", "die Katze"}, {"the pig", ""}};
        addRow("encoding declared",
               Read{kvtml().replace("UTF-8", "ISO-8859-1").replace("the dog", "the d\xF6g"),
                    kvtmlRows});
        // A byte order mark outweighs the declaration.
        const QString utf16 =
            QChar(0xFEFF) + QString::fromUtf8(kvtml().replace("dog", "d\xC3\xB6g"));
        addRow("KVTML in UTF-16",
               Read{QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2),
                    kvtmlRows});
    }
    void readsRows()
    {
        QFETCH(const Read, c);
        const ImportSource source = readImportData(c.bytes, "r.txt");
        QCOMPARE(source.outcome.message.text, QString());
        QCOMPARE(source.rows.size(), c.rows.size());
        for (qsizetype i = 0; i < c.rows.size(); ++i)
            QCOMPARE(source.rows[i].cells, c.rows[i]);
    }

    // A file that gives no rows says which fault or limit refuses it, naming the file without its
    // path. Files made to crash, stall or exhaust the reader are refused at once.
    void refuses_data()
    {
        QTest::addColumn<Refusal>("c");
        using namespace message;
        const QString csv = "v.csv";
        const QString kv = "v.kvtml";
        addRow("blanks and BOM", Refusal{"\xEF\xBB\xBF \r\n\t", csv, empty(csv)});
        addRow("NUL bytes", Refusal{QByteArray("a;\0b", 4), csv, notText(csv)});
        addRow("too big", Refusal{QByteArray(MaxImportBytes + 1, 'a'), csv, tooBig(csv)});
        addRow("one column", Refusal{"eins\n", csv, noColumns(csv)});
        addRow("quote never closed",
               Refusal{"a;b\n\nc;\"d\ne;f\n", csv,
                       "Die Datei \"v.csv\" ist beschädigt oder unvollständig: Das "
                       "Anführungszeichen in Zeile 3 wird nicht geschlossen."});
        addRow("101st column filled",
               Refusal{"a" + QByteArray(";b").repeated(100), csv, tooManyColumns(csv, 1)});
        addRow("20 MB of ;",
               Refusal{"house;Haus" + QByteArray(MaxImportBytes - 10, ';'), csv,
                       tooManyColumns(csv, 1)});
        addRow("too many rows",
               Refusal{QByteArray("\tx\n").repeated(MaxImportBytes / 3), "v.txt",
                       tooManyRows("v.txt", false)});
        addRow("cut XML", Refusal{kvtml().left(kvtml().indexOf("the pig")), kv, xmlDamaged(kv, 9)});
        addRow("XML in a .csv", Refusal{"<?xml?><p/>", csv, notKvtml(csv)});
        addRow("KVTML 1", Refusal{"<kvtml version=\"1.0\"/>", kv, kvtmlVersion(kv)});
        addRow("undeclared entity",
               Refusal{"<!DOCTYPE kvtml SYSTEM \"file:///etc/passwd\"><kvtml version=\"2.0\">"
                       "<information><title>&x;",
                       kv, xmlEntities(kv)});
        addRow("declarations",
               Refusal{"<!DOCTYPE kvtml [<!ATTLIST e a CDATA 'x'>]><kvtml/>", kv,
                       xmlDeclarations(kv)});
        addRow("one language", Refusal{kvtml().replace("id=\"1\"", ""), kv, kvtmlLanguages(kv)});
        addRow("no entries", Refusal{kvtml().replace("entry", "x"), kv, noEntries(kv)});
        // Bytes of Windows-1252 in a file that declares UTF-8.
        addRow("wrong encoding",
               Refusal{kvtml().replace("fill", "\xE4"), kv, wrongEncoding(kv, "UTF-8")});
        addRow("unknown encoding",
               Refusal{kvtml().replace("UTF-8", "x-klingonisch"), kv,
                       unknownEncoding(kv, "x-klingonisch")});
        const auto languages = [](int n) {
            return kvtml().replace("<identifiers>",
                                   "<identifiers>" + numbered("<identifier id=\"1%1\"/>", n - 2));
        };
        addRow("too many languages", Refusal{languages(101), kv, tooManyLanguages(kv)});
        addRow("too many attributes",
               Refusal{"\n<kvtml" + numbered(" a%1='='", 150000) + "/>", kv,
                       tooManyAttributes(kv, 2)});
        addRow("too many lessons",
               Refusal{kvtml().replace("<lessons>",
                                       "<lessons>" + QByteArray("<container/>").repeated(1001)),
                       kv, tooManyLessons(kv)});
        addRow("too many cells",
               Refusal{languages(100).replace("<entries>",
                                              "<entries>" + QByteArray("<entry/>").repeated(19998)),
                       kv, tooManyCells(kv, true)});
    }
    void refuses()
    {
        QFETCH(const Refusal, c);
        const ImportSource source = readImportData(c.bytes, "/some/dir/" + c.file);
        QCOMPARE(source.outcome.message.text, c.message);
        QCOMPARE(planImport(source, {}).pairs.size(), 0);
    }

    // The pairs a file gives, and every row left out with its reason.
    void plans()
    {
        using namespace message;
        const ImportPlan plan = planImport(
            readImportData("the\tder;die\n\tleer\nHaus\t ; \nthe\tdas; der\n the \tdie\nEnde\\\tx\n"
                           "a\\b\tsingle\nx\ty\xF0\x9F\x98\x80\n\"a\tb\"\tc\nback\ta\\\\b\\\nnur\n",
                           "p.txt"),
            {});
        QCOMPARE(plan.pairs,
                 (QList<Pair>{{"the", "der;die;das"}, {"a\\b", "single"}, {"back", "a\\\\b\\"}}));
        const QList<LeftOut> leftOut = {{2, " = leer", emptyForeign()},
                                        {3, "Haus = ;", emptyGerman()},
                                        {4, "the = das; der", duplicateMerged(1, false), true},
                                        {5, "the = die", duplicateUnchanged(1, false), true},
                                        {6, "Ende\\ = x", lesson::foreignWordProblem("Ende\\")},
                                        {8, "x = y😀", store::unstorableTextMessage("y😀")},
                                        {9, "a b = c", controlCharacter()},
                                        {11, "nur = ", emptyGerman()}};
        QCOMPARE(plan.leftOut.size(), leftOut.size());
        for (qsizetype i = 0; i < leftOut.size(); ++i) {
            QCOMPARE(plan.leftOut[i].row, leftOut[i].row);
            QCOMPARE(plan.leftOut[i].text, leftOut[i].text);
            QCOMPARE(plan.leftOut[i].reason, leftOut[i].reason);
            QCOMPARE(plan.leftOut[i].merged, leftOut[i].merged);
        }
        QCOMPARE(plan.summary(),
                 "3 Wortpaare werden importiert, 8 Zeilen werden ausgelassen "
                 "(davon 2 doppelte zusammengeführt).");
    }

    // Containers nested ninety deep: those below the eighth level are part of the eighth.
    void deepLessonsJoinTheEighthLevel()
    {
        const ImportSource source = readImportData(
            kvtml()
                .replace("<lessons>", "<lessons>" + QByteArray("<container>").repeated(90))
                .replace("</lessons>", QByteArray("</container>").repeated(90) + "</lessons>"),
            "d.kvtml");
        QCOMPARE(source.lessons.size(), 8);
        QCOMPARE(planImport(source, {0, 1, false, 7}).pairs.size(), 2);
    }

    // The first grade of the foreign word, not of the German one, gives its box, at most the last,
    // where it has a day.
    void kvtmlGradesGiveBoxes()
    {
        const auto grade = [](const char* box, const char* date) {
            return QByteArray("<grade><currentgrade>") + box + "</currentgrade><date>" + date
                + "</date></grade>";
        };
        const QByteArray bytes =
            kvtml()
                .replace("dog</text>",
                         "dog</text>" + grade(" 7 ", "2009-03-05T15:31:53")
                             + grade("4", "2010-01-01"))
                .replace("Hund</text>", "Hund</text>" + grade("3", "2009-03-05"))
                .replace("cat</text>", "cat</text>" + grade("2", "gestern"));
        const ImportSource source = readImportData(bytes, "v.kvtml");
        const QList<Pair> pairs = planImport(source, source.proposed).pairs;
        QCOMPARE(pairs.value(0).place, std::optional(boxes::Place{5, {2009, 3, 5}}));
        QVERIFY(!pairs.value(1).place);
    }

    // Stopping the reading refuses nothing, and says it was stopped.
    void readingStops_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("text") << QByteArray("a\tb\n") << "s.tsv";
        QTest::newRow("KVTML") << exportKvtml(QList<Pair>(3000, {"word", "Wort"}), "Englisch", "L")
                               << "s.kvtml";
    }
    void readingStops()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);
        const ImportSource source = readImportData(bytes, fileName, [](int) { return false; });
        QCOMPARE(source.outcome.status, store::Outcome::Status::Unchanged);
        QCOMPARE(source.outcome.message.text,
                 "Das Lesen der Datei \"" + fileName + "\" wurde abgebrochen.");
    }

    // A first row without the digit that every row below holds in its column names the columns.
    void aNumberedListHasAHeaderRow()
    {
        QVERIFY(readImportData("Nr;Wort\n1;house\n2;tree\n", "a.csv").proposed.headerRow);
    }

    // Anki names the columns in a settings line, the German one among them.
    void ankiNamesItsColumns()
    {
        const ImportSource source = readImportData("#columns:Front;Deutsch\nhouse;Haus\n", "a.txt");
        QCOMPARE(source.columns, QStringList({"Front", "Deutsch"}));
        QCOMPARE(source.germanColumn, 1);
    }

    // A lesson's name comes from the title or file name without its extension, or from the lesson
    // chosen.
    void proposesNames()
    {
        QCOMPARE(readImportData("a;b\n", "/d/Haus und Hof.csv.txt").lessonName, "Haus und Hof");
        const ImportSource source = readImportData(kvtml(), "x.kvtml");
        QCOMPARE(source.lessonName, "fill_in_the_blank");
        QCOMPARE(lessonNameProposal(source, 1), "Haustiere - Hunde");
        QCOMPARE(lessonNameProposal(readImportData("a;b\n", "日本語 ?!.txt"), -1),
                 "Importierte Lektion");
    }

    // A header row with nothing below it leaves an empty preview, and the caption says why.
    void previewOfNothingBelowTheHeader()
    {
        QCOMPARE(message::previewCaption(0, 0, false, message::PreviewOf::BelowHeader),
                 "Unter der Kopfzeile steht keine Zeile.");
    }

    void aMissingFileIsNamed()
    {
        QCOMPARE(readImportFile("/d/fehlt.txt").outcome.message.text,
                 "Die Datei \"fehlt.txt\" kann nicht gelesen werden.");
    }
};

QTEST_GUILESS_MAIN(ExchangeImportTest)
#include "ExchangeImportTest.moc"
