#include "boxes/BoxFile.h"
#include "store/Scrambler.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using boxes::Boxes;

class BoxesTest : public QObject
{
    Q_OBJECT

private slots:
    // A pair in a box, last answered on a day (none: never), answered on another: its box, and
    // the first day it is due again. An answer dated after today counts as given today.
    void answersMoveThePairThroughTheBoxes_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QDate>("answered");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("dueBefore");
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("boxAfter");
        QTest::addColumn<QDate>("due");
        const auto row = [](const char* name, int box, QDate answered, QDate today, QDate dueBefore,
                            bool right, int boxAfter, QDate due) {
            QTest::newRow(name) << box << answered << today << dueBefore << right << boxAfter
                                << due;
        };
        row("new, right", 1, {}, {2024, 1, 31}, {2024, 1, 31}, true, 2, {2024, 2, 2});
        row("year end", 4, {2024, 12, 1}, {2024, 12, 20}, {2024, 12, 9}, true, 5, {2025, 1, 5});
        row("last box", 5, {2025, 1, 5}, {2025, 1, 20}, {2025, 1, 21}, true, 5, {2025, 2, 5});
        row("wrong", 4, {2024, 3, 1}, {2024, 3, 31}, {2024, 3, 9}, false, 1, {2024, 4, 1});
        row("clock set back", 3, {2024, 6, 10}, {2024, 6, 3}, {2024, 6, 7}, true, 4, {2024, 6, 11});
    }
    void answersMoveThePairThroughTheBoxes()
    {
        QFETCH(int, box);
        QFETCH(QDate, answered);
        QFETCH(QDate, today);
        QFETCH(QDate, dueBefore);
        QFETCH(bool, right);
        QFETCH(QDate, due);
        Boxes boxes;
        boxes.set("house", {box, answered});
        QCOMPARE(boxes.dueDay("house", today), dueBefore);
        boxes.answer("house", right, today);
        QTEST(boxes.boxOf("house"), "boxAfter");
        QCOMPARE(boxes.dueDay("house", today), due);
        QVERIFY(!boxes.isDue("house", due.addDays(-1)));
        QVERIFY(boxes.isDue("house", due));
    }

    // Written in the lesson's order, one line per placed pair; read back, a damaged line, or a
    // second line of a word, leaves its pair in box 1, due.
    void theFileKeepsGoodLinesOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(".KU1");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const char* line :
             {"5\\\\2024-12-31\\\\the", "0\\\\2024-01-02\\\\x", "6\\\\2024-01-02\\\\x",
              "3\\\\2023-02-29\\\\x", "3\\\\2024-1-02x\\\\x", "3\\2024-01-02\\\\x",
              "3\\\\2024-01-02\\\\", "2\\\\2025-01-02\\\\K\xE4se; a\\b", "4\\\\2024-01-01\\\\the"})
            file.write(store::Scrambler::scramble(QByteArray(line)) + "\r\n");
        file.close();
        Boxes boxes = boxes::readBoxFile(path);
        QVERIFY(!boxes.place("x"));
        QVERIFY(boxes.isDue("x", QDate(2024, 1, 1)));
        boxes.answer("to be", false, QDate(2025, 1, 3));
        QVERIFY(boxes::writeBoxFile(path, boxes, {"to be", "Käse; a\\b", "new", "the", "the"}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray expected;
        for (const char* line : {"1\\\\2025-01-03\\\\to be", "2\\\\2025-01-02\\\\K\xE4se; a\\b",
                                 "5\\\\2024-12-31\\\\the"})
            expected += store::Scrambler::scramble(QByteArray(line)) + "\r\n";
        QCOMPARE(file.readAll(), expected);
    }
};

QTEST_GUILESS_MAIN(BoxesTest)
#include "BoxesTest.moc"
