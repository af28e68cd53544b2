#include "editor/WordListDocument.h"
#include "editor/WordListPrint.h"
#include "store/Scrambler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<editor::WordPair> pairs(const QStringList& plainLines)
{
    QList<editor::WordPair> list;
    for (const QString& line : plainLines)
        list.append(editor::WordPair::parse(line));
    return list;
}

// The rows of a word list as "foreign = meanings".
QStringList rows(const editor::WordList& list)
{
    QStringList out;
    for (const editor::WordListRow& row : list.rows)
        out.append(row.foreign + " = " + row.german);
    return out;
}

} // namespace

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreSortedAsTheEditorListsThem_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("umlauts beside their letter, case ignored")
            << QStringList{"Zug\\\\Zug\\\\\\f", "über\\\\über\\\\\\r", "Ober\\\\oben\\\\\\f",
                           "Arm\\\\Arm\\\\\\f", "Ärger\\\\Ärger\\\\\\r", "apfel\\\\Apfel\\\\\\f",
                           "Äpfel\\\\Äpfel\\\\\\f", "Apfel\\\\Apfel\\\\\\r"}
            << QStringList{"apfel = Apfel", "Apfel = Apfel", "Äpfel = Äpfel", "Ärger = Ärger",
                           "Arm = Arm", "Ober = oben", "über = über", "Zug = Zug"};
        QTest::newRow("equal words keep their order")
            << QStringList{"The\\\\der\\\\\\f", "the\\\\die\\\\\\f", "a\\\\ein\\\\\\f",
                           "THE\\\\das\\\\\\r"}
            << QStringList{"a = ein", "The = der", "the = die", "THE = das"};
        QTest::newRow("damaged lines left out")
            << QStringList{"kaputt", "house\\\\Haus\\\\\\f", "kurz\\\\ab", "\\\\leer\\\\\\f"}
            << QStringList{" = leer", "house = Haus"};
        QTest::newRow("meanings set apart")
            << QStringList{"the\\\\der;die ; das;;\\\\\\f", "nothing\\\\\\\\\\f",
                           "to be\\\\sein;\\\\\\r"}
            << QStringList{"nothing = ", "the = der; die; das", "to be = sein"};
    }

    void rowsAreSortedAsTheEditorListsThem()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, rows);
        QCOMPARE(::rows(editor::wordList("Englisch", "Lektion 1", pairs(lines))), rows);
    }

    void documentHasTitleHeadingsAndPageNumbers()
    {
        const editor::WordList list = editor::wordList(
            "Französisch", "Lektion 3", pairs({"maison\\\\Haus\\\\\\f", "chat\\\\Katze\\\\\\r"}));
        QCOMPARE(list.title, QStringLiteral("Vokabelliste: Französisch – Lektion 3"));
        const ui::PrintDocument document = editor::wordListDocument(list);
        QVERIFY(document.pageNumbers);
        QVERIFY(!document.chart);
        const QString tnr = "Times New Roman";
        QCOMPARE(document.lines,
                 QList<ui::PrintLine>({{"Vokabelliste: Französisch – Lektion 3", tnr, 14, true, true},
                                       {" ", tnr, 12},
                                       {"Französisch", tnr, 12, true, false, "Deutsch"},
                                       {"chat", tnr, 12, false, false, "Katze"},
                                       {"maison", tnr, 12, false, false, "Haus"}}));

        // A lesson of damaged lines only has nothing to list, and says so.
        const ui::PrintDocument empty =
            editor::wordListDocument(editor::wordList("Englisch", "Neu", pairs({"kaputt"})));
        QCOMPARE(empty.lines.size(), 3);
        QCOMPARE(empty.lines.last().text, QStringLiteral("Die Lektion enthält keine Vokabeln."));
        QVERIFY(!empty.lines.last().secondColumn);
    }

    void pairsAreReadFromTheStoredLessonWithoutChangingIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("U1");
        QList<editor::WordPair> read;
        QVERIFY(editor::readStoredPairs(path, read));
        QVERIFY(read.isEmpty());
        QVERIFY(!QFile::exists(path));

        QByteArray bytes;
        for (const QString& line : QStringList{"the\\\\der;die;das\\\\\\f", "Müll", "Bär\\\\bear\\\\\\r"})
            bytes += store::Scrambler::scrambleText(line) + "\r\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(editor::readStoredPairs(path, read));
        QStringList seen;
        for (const editor::WordPair& pair : read)
            seen.append(pair.valid ? pair.foreign + '=' + pair.german : QStringLiteral("damaged"));
        QCOMPARE(seen, QStringList({"the=der;die;das", "damaged", "Bär=bear"}));
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"U1"});

        // Something that cannot be read is a failure, not an empty lesson.
        QVERIFY(QDir(dir.path()).mkdir("U2"));
        QVERIFY(!editor::readStoredPairs(dir.filePath("U2"), read));
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
