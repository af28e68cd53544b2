#include "editor/WordListPrint.h"
#include "../support/EditorLessonDir.h"
#include "editor/WordListDocument.h"

#include <QTest>

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    // The stored lesson's lines, "=" for the separator and "f" added; the printed lines below the
    // title.
    void storedLessonIsPrintedSortedAsTheEditorListsIt_data()
    {
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("umlauts beside their letter, case ignored")
            << QStringList{"Zug=x", "über=x", "Arm=x", "Ärger=x", "Äpfel=x", "apfel=x"}
            << QStringList{"Latein=Deutsch", "apfel=x", "Äpfel=x", "Ärger=x",
                           "Arm=x",          "über=x",  "Zug=x"};
        // A damaged line is left out; meanings are set apart, empty ones dropped.
        QTest::newRow("damaged left out")
            << QStringList{"kaputt", "the=der;die ; das;;", "=leer", "nothing="}
            << QStringList{"Latein=Deutsch", "=leer", "nothing=", "the=der; die; das"};
        QTest::newRow("no lesson file")
            << QStringList() << QStringList{"Die Lektion enthält keine Vokabeln."};
    }
    void storedLessonIsPrintedSortedAsTheEditorListsIt()
    {
        QFETCH(QStringList, lesson);
        QFETCH(QStringList, printed);
        LessonDir d;
        for (QString& line : lesson)
            line = line.contains('=') ? line.replace("=", "\\\\") + "\\\\\\f" : line;
        if (!lesson.isEmpty())
            QVERIFY(d.write("U1", LessonDir::file(lesson)));
        QList<editor::WordPair> pairs;
        QVERIFY(editor::readStoredPairs(d.path("U1"), pairs));
        QStringList lines;
        const ui::PrintDocument document =
            editor::wordListDocument(editor::wordList("Latein", "L", pairs));
        for (const ui::PrintLine& line : document.lines.mid(2))
            lines << line.text + (line.secondColumn ? "=" + *line.secondColumn : QString());
        QCOMPARE(lines, printed);
        // Reading the lesson changes nothing and makes no file; one that cannot be read is a failure.
        QCOMPARE(d.bytes("U1"), lesson.isEmpty() ? "missing" : LessonDir::file(lesson));
        QVERIFY(QDir().mkdir(d.path("U2")) && !editor::readStoredPairs(d.path("U2"), pairs));
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
