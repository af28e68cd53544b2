#include "LessonDir.h"
#include "editor/WordListDocument.h"
#include "editor/WordListPrint.h"

#include <QTest>

namespace {

// Pairs from "foreign=meanings"; a text without "=" is taken as a stored line.
QList<editor::WordPair> pairs(const QStringList& texts)
{
    QList<editor::WordPair> list;
    for (const QString& t : texts)
        list << editor::WordPair::parse(t.contains('=') ? LessonDir::pair(t.section('=', 0, 0), t.section('=', 1))
                                                        : t);
    return list;
}

} // namespace

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    // The printed rows below the title: "foreign=meanings", the headings first.
    void rowsAreSortedAsTheEditorListsThem_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("umlauts beside their letter, case ignored")
            << QStringList{"Zug=Zug", "über=über", "Ober=oben", "Arm=Arm", "Ärger=Ärger", "apfel=Apfel",
                           "Äpfel=Äpfel", "Apfel=Apfel"}
            << QStringList{"Englisch=Deutsch", "apfel=Apfel", "Apfel=Apfel", "Äpfel=Äpfel", "Ärger=Ärger",
                           "Arm=Arm", "Ober=oben", "über=über", "Zug=Zug"};
        QTest::newRow("equal words keep their order") << QStringList{"The=der", "the=die", "a=ein", "THE=das"}
            << QStringList{"Englisch=Deutsch", "a=ein", "The=der", "the=die", "THE=das"};
        QTest::newRow("damaged lines left out") << QStringList{"kaputt", "house=Haus", "kurz\\\\ab", "=leer"}
                                                << QStringList{"Englisch=Deutsch", "=leer", "house=Haus"};
        QTest::newRow("meanings set apart") << QStringList{"the=der;die ; das;;", "nothing=", "to be=sein;"}
            << QStringList{"Englisch=Deutsch", "nothing=", "the=der; die; das", "to be=sein"};
        QTest::newRow("nothing to list") << QStringList{"kaputt"}
                                         << QStringList{"Die Lektion enthält keine Vokabeln."};
    }
    void rowsAreSortedAsTheEditorListsThem()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QStringList, rows);
        const ui::PrintDocument document = editor::wordListDocument(editor::wordList("Englisch", "L", ::pairs(pairs)));
        QStringList printed;
        for (const ui::PrintLine& line : document.lines.mid(2))
            printed << line.text + (line.secondColumn ? "=" + *line.secondColumn : QString());
        QCOMPARE(printed, rows);
    }

    void pairsAreReadFromTheStoredLessonWithoutChangingIt()
    {
        LessonDir d;
        QList<editor::WordPair> read;
        QVERIFY(editor::readStoredPairs(d.path("U1"), read) && read.isEmpty() && !d.exists("U1"));
        const QByteArray bytes = LessonDir::file({"the\\\\der;die;das\\\\\\f", "Müll", "Bär\\\\bear\\\\\\r"});
        d.write("U1", bytes);
        QVERIFY(editor::readStoredPairs(d.path("U1"), read));
        QStringList seen;
        for (const editor::WordPair& pair : read)
            seen << (pair.valid ? pair.foreign + '=' + pair.german : "damaged");
        QCOMPARE(seen, QStringList({"the=der;die;das", "damaged", "Bär=bear"}));
        QCOMPARE(d.bytes("U1"), bytes);
        QCOMPARE(d.files(), QStringList{"U1"});
        // Something that cannot be read is a failure, not an empty lesson.
        QVERIFY(QDir().mkdir(d.path("U2")) && !editor::readStoredPairs(d.path("U2"), read));
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
