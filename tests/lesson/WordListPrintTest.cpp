#include "lesson/WordListPrint.h"
#include "../support/LessonDir.h"
#include "mainwindow/WordListDocument.h"

#include <QTest>

namespace {

// A stored lesson and the lines printed below the title: each line's text, and its second
// column where it has one.
struct PrintCase
{
    QStringList lesson, printed;
    QList<std::optional<QString>> german;
};

} // namespace

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void storedLessonIsPrintedSortedAsTheEditorListsIt_data()
    {
        QTest::addColumn<PrintCase>("row");
        QTest::newRow("umlauts beside their letter, case ignored")
            << PrintCase{{"Zug\\\\x\\\\\\f", "über\\\\x\\\\\\f", "Arm\\\\x\\\\\\f",
                          "Ärger\\\\x\\\\\\f", "Äpfel\\\\x\\\\\\f", "apfel\\\\x\\\\\\f"},
                         {"Latein", "apfel", "Äpfel", "Ärger", "Arm", "über", "Zug"},
                         {"Deutsch", "x", "x", "x", "x", "x", "x"}};
        // A damaged line is left out; meanings are set apart, empty ones dropped.
        QTest::newRow("damaged left out") << PrintCase{
            {"kaputt", "the\\\\der;die ; das;;\\\\\\f", "\\\\leer\\\\\\f", "nothing\\\\\\\\\\f"},
            {"Latein", "", "nothing", "the"},
            {"Deutsch", "leer", "", "der; die; das"}};
        QTest::newRow("no lesson file")
            << PrintCase{{}, {"Die Lektion enthält keine Vokabeln."}, {std::nullopt}};
    }
    void storedLessonIsPrintedSortedAsTheEditorListsIt()
    {
        QFETCH(PrintCase, row);
        LessonDir d;
        if (!row.lesson.isEmpty())
            QVERIFY(d.write("U1", LessonDir::file(row.lesson)));
        QList<lesson::WordPair> pairs;
        QVERIFY(lesson::readStoredPairs(d.path("U1"), pairs));
        QStringList printed;
        QList<std::optional<QString>> german;
        for (const ui::PrintLine& line :
             mainwindow::wordListDocument(lesson::wordList("Latein", "L", pairs)).lines.mid(2)) {
            printed << line.text;
            german << line.secondColumn;
        }
        QCOMPARE(printed, row.printed);
        QCOMPARE(german, row.german);
        // Reading the lesson changes nothing and makes no file.
        QCOMPARE(d.bytes("U1"), row.lesson.isEmpty() ? "missing" : LessonDir::file(row.lesson));
    }

    void unreadableLessonIsAFailure()
    {
        LessonDir d;
        QList<lesson::WordPair> pairs;
        QVERIFY(QDir().mkdir(d.path("U1")));
        QVERIFY(!lesson::readStoredPairs(d.path("U1"), pairs));
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
