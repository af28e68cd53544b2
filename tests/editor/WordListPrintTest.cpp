#include "LessonDir.h"
#include "editor/WordListDocument.h"
#include "editor/WordListPrint.h"

#include <QTest>

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    // Pairs given as "foreign=meanings" or, without "=", as a stored line; the printed lines
    // below the title likewise.
    void rowsAreSortedAsTheEditorListsThem_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("umlauts beside their letter, case ignored")
            << QStringList{"Zug=Zug", "über=über", "Ober=oben", "Arm=Arm", "Ärger=Ärger", "apfel=Apfel",
                           "Äpfel=Äpfel", "Apfel=Apfel"}
            << QStringList{"Englisch=Deutsch", "apfel=Apfel", "Apfel=Apfel", "Äpfel=Äpfel", "Ärger=Ärger",
                           "Arm=Arm", "Ober=oben", "über=über", "Zug=Zug"};
        QTest::newRow("equal words keep their order") << QStringList{"The=der", "the=die", "a=ein", "THE=das"}
            << QStringList{"Englisch=Deutsch", "a=ein", "The=der", "the=die", "THE=das"};
        QTest::newRow("damaged lines left out, meanings set apart")
            << QStringList{"kaputt", "the=der;die ; das;;", "kurz\\\\ab", "=leer", "nothing="}
            << QStringList{"Englisch=Deutsch", "=leer", "nothing=", "the=der; die; das"};
        QTest::newRow("nothing to list") << QStringList{"kaputt"} << QStringList{"Die Lektion enthält keine Vokabeln."};
    }
    void rowsAreSortedAsTheEditorListsThem()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QStringList, printed);
        QList<editor::WordPair> list;
        for (const QString& p : pairs)
            list << editor::WordPair::parse(p.contains('=') ? QString(p).replace("=", "\\\\") + "\\\\\\f" : p);
        QStringList lines;
        for (const ui::PrintLine& line : editor::wordListDocument(editor::wordList("Englisch", "L", list)).lines.mid(2))
            lines << line.text + (line.secondColumn ? "=" + *line.secondColumn : QString());
        QCOMPARE(lines, printed);
    }

    void pairsAreReadFromTheStoredLessonWithoutChangingIt()
    {
        LessonDir d;
        QList<editor::WordPair> read{editor::WordPair()};
        QVERIFY(editor::readStoredPairs(d.path("U1"), read) && read.isEmpty() && !d.exists("U1"));
        d.write("U1", LessonDir::file({"Bär\\\\bear;Last\\\\\\r", "Müll"}));
        QVERIFY(editor::readStoredPairs(d.path("U1"), read) && read.size() == 2 && !read[1].valid);
        QCOMPARE(read[0].foreign + "=" + read[0].german, QStringLiteral("Bär=bear;Last"));
        QCOMPARE(d.bytes("U1"), LessonDir::file({"Bär\\\\bear;Last\\\\\\r", "Müll"}));
        // Something that cannot be read is a failure, not an empty lesson.
        QVERIFY(QDir().mkdir(d.path("U2")) && !editor::readStoredPairs(d.path("U2"), read));
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
