#include "lesson/WordListPrint.h"
#include "../support/LessonDir.h"
#include "mainwindow/WordListDocument.h"

#include <QTest>

namespace {

// The texts of the lines printed below the title, or of their second columns ("-" for none).
QStringList printed(const QList<lesson::WordPair>& pairs, bool second = false)
{
    QStringList texts;
    for (const ui::PrintLine& line :
         mainwindow::wordListDocument(lesson::wordList("Latein", "L", pairs)).lines.mid(2))
        texts << (second ? line.secondColumn.value_or("-") : line.text);
    return texts;
}

} // namespace

class WordListPrintTest : public QObject
{
    Q_OBJECT

private slots:
    // Umlauts stand beside their letter and case is ignored; a damaged line is left out,
    // meanings are set apart and empty ones dropped. Reading the lesson changes nothing.
    void storedLessonIsPrintedSortedAsTheEditorListsIt()
    {
        LessonDir d;
        const QByteArray stored =
            LessonDir::file({"Zug\\\\x\\\\\\f", "kaputt", "über\\\\x\\\\\\f", "Arm\\\\x\\\\\\f",
                             "apfel\\\\x\\\\\\f", "the\\\\der;die ; das;;\\\\\\f",
                             "\\\\leer\\\\\\f", "nothing\\\\\\\\\\f"});
        QVERIFY(d.write("U1", stored));
        QList<lesson::WordPair> pairs;
        QVERIFY(lesson::readStoredPairs(d.path("U1"), pairs));
        QCOMPARE(printed(pairs),
                 (QStringList{"Latein", "", "apfel", "Arm", "nothing", "the", "über", "Zug"}));
        QCOMPARE(printed(pairs, true),
                 (QStringList{"Deutsch", "leer", "x", "x", "", "der; die; das", "x", "x"}));
        QCOMPARE(d.bytes("U1"), stored);
    }

    // A lesson without a file is an empty list, and reading it makes none.
    void missingLessonIsEmpty()
    {
        LessonDir d;
        QList<lesson::WordPair> pairs;
        QVERIFY(lesson::readStoredPairs(d.path("U1"), pairs));
        QCOMPARE(printed(pairs), QStringList{"Die Lektion enthält keine Vokabeln."});
        QCOMPARE(d.files(), QStringList());
    }
};

QTEST_MAIN(WordListPrintTest)
#include "WordListPrintTest.moc"
