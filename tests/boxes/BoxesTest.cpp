#include "../support/LessonDir.h"
#include "boxes/BoxFile.h"

#include <QTest>

using boxes::Boxes;

namespace {

// A pair in a box, last answered on a day (none: never), answered on another: the first day it is
// due before the answer, its box and the first day it is due after.
struct Answer
{
    int box;
    QDate answered, today, dueBefore;
    bool right;
    int boxAfter;
    QDate due;
};

} // namespace

Q_DECLARE_METATYPE(Answer)

class BoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void answersMoveThePairThroughTheBoxes_data()
    {
        QTest::addColumn<Answer>("c");
        QTest::newRow("new, right")
            << Answer{1, {}, {2024, 1, 31}, {2024, 1, 31}, true, 2, {2024, 2, 2}};
        QTest::newRow("last box") << Answer{5, {2024, 12, 20}, {2025, 1, 20}, {2025, 1, 5}, true,
                                            5, {2025, 2, 5}};
        QTest::newRow("wrong") << Answer{4, {2024, 3, 1}, {2024, 3, 31}, {2024, 3, 9}, false,
                                         1, {2024, 4, 1}};
        // An answer dated after today counts as given today.
        QTest::newRow("clock set back")
            << Answer{3, {2024, 6, 10}, {2024, 6, 3}, {2024, 6, 7}, true, 4, {2024, 6, 11}};
    }
    void answersMoveThePairThroughTheBoxes()
    {
        QFETCH(const Answer, c);
        Boxes boxes;
        boxes.set("house", {c.box, c.answered});
        QCOMPARE(boxes.dueDay("house", c.today), c.dueBefore);
        boxes.answer("house", c.right, c.today);
        QCOMPARE(boxes.boxOf("house"), c.boxAfter);
        QCOMPARE(boxes.dueDay("house", c.today), c.due);
        QVERIFY(!boxes.isDue("house", c.due.addDays(-1)));
        QVERIFY(boxes.isDue("house", c.due));
    }

    // Written in the lesson's order, one line per placed pair; read back, a damaged line, or a
    // second line of a word, leaves its pair in box 1, due.
    void theFileKeepsGoodLinesOnly()
    {
        LessonDir dir;
        QVERIFY(dir.write(
            ".KU1",
            LessonDir::file({"5\\\\2024-12-31\\\\the", "0\\\\2024-01-02\\\\x",
                             "6\\\\2024-01-02\\\\x", "3\\\\2023-02-29\\\\x", "3\\\\2024-1-02x\\\\x",
                             "3\\2024-01-02\\\\x", "3\\\\2024-01-02\\\\",
                             "2\\\\2025-01-02\\\\Käse; a\\b", "4\\\\2024-01-01\\\\the"})));
        Boxes boxes = boxes::readBoxFile(dir.path(".KU1"));
        QVERIFY(!boxes.place("x"));
        QVERIFY(boxes.isDue("x", QDate(2024, 1, 1)));
        boxes.answer("to be", false, QDate(2025, 1, 3));
        QVERIFY(boxes::writeBoxFile(dir.path(".KU1"), boxes,
                                    {"to be", "Käse; a\\b", "new", "the", "the"}));
        QCOMPARE(dir.bytes(".KU1"),
                 LessonDir::file({"1\\\\2025-01-03\\\\to be", "2\\\\2025-01-02\\\\Käse; a\\b",
                                  "5\\\\2024-12-31\\\\the"}));
    }
};

QTEST_GUILESS_MAIN(BoxesTest)
#include "BoxesTest.moc"
