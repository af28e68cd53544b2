#include "boxes/Boxes.h"
#include "boxes/BoxFile.h"
#include "store/Scrambler.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using boxes::Boxes;
using boxes::Place;

namespace {

// One answer: the day it is given on, right or wrong, then the box and the first day the pair is
// due again.
struct Step
{
    QDate day;
    bool right;
    int box;
    QDate due;
};

QDate d(int y, int m, int day)
{
    return {y, m, day};
}

QByteArray stored(const QList<QByteArray>& plain)
{
    QByteArray bytes;
    for (const QByteArray& line : plain)
        bytes += store::Scrambler::scramble(line) + "\r\n";
    return bytes;
}

} // namespace

class BoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void answersMoveThePairThroughTheBoxes_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::newRow("up to the last box and no further")
            << QList<Step>{{d(2024, 1, 2), true, 2, d(2024, 1, 4)},
                           {d(2024, 1, 4), true, 3, d(2024, 1, 8)},
                           {d(2024, 1, 8), true, 4, d(2024, 1, 16)},
                           {d(2024, 1, 16), true, 5, d(2024, 2, 1)},
                           {d(2024, 2, 1), true, 5, d(2024, 2, 17)}};
        QTest::newRow("a wrong answer starts again")
            << QList<Step>{{d(2024, 3, 1), true, 2, d(2024, 3, 3)},
                           {d(2024, 3, 3), true, 3, d(2024, 3, 7)},
                           {d(2024, 3, 7), false, 1, d(2024, 3, 8)},
                           {d(2024, 3, 8), true, 2, d(2024, 3, 10)}};
        QTest::newRow("month end, leap day and year end")
            << QList<Step>{{d(2024, 1, 31), false, 1, d(2024, 2, 1)},
                           {d(2024, 2, 27), true, 2, d(2024, 2, 29)},
                           {d(2024, 2, 29), true, 3, d(2024, 3, 4)},
                           {d(2024, 12, 28), true, 4, d(2025, 1, 5)},
                           {d(2025, 1, 5), true, 5, d(2025, 1, 21)}};
        // An answer given on a later day than the clock now shows counts as given today.
        QTest::newRow("clock set back") << QList<Step>{{d(2024, 6, 10), true, 2, d(2024, 6, 12)},
                                                       {d(2024, 6, 3), true, 3, d(2024, 6, 7)},
                                                       {d(2023, 12, 31), false, 1, d(2024, 1, 1)}};
    }
    void answersMoveThePairThroughTheBoxes()
    {
        QFETCH(QList<Step>, steps);
        Boxes boxes;
        QCOMPARE(boxes.boxOf("house"), 1);
        QVERIFY(boxes.isDue("house", steps.first().day));
        for (const Step& step : steps) {
            boxes.answer("house", step.right, step.day);
            QCOMPARE(boxes.boxOf("house"), step.box);
            QCOMPARE(boxes.dueDay("house", step.day), step.due);
            QVERIFY(!boxes.isDue("house", step.due.addDays(-1)));
            QVERIFY(boxes.isDue("house", step.due));
        }
        // Other pairs are not touched.
        QVERIFY(!boxes.place("home"));
    }

    void aClockSetBackKeepsThePairWaiting()
    {
        Boxes boxes;
        boxes.set("house", {3, d(2024, 5, 20)});
        // Seen from five days before the answer, the pair waits its four days from today.
        QCOMPARE(boxes.dueDay("house", d(2024, 5, 15)), d(2024, 5, 19));
        QVERIFY(!boxes.isDue("house", d(2024, 5, 15)));
        QCOMPARE(boxes.dueDay("house", d(2024, 5, 23)), d(2024, 5, 24));
    }

    void theFileHoldsOneLinePerPlacedPairInLessonOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(".KU1");
        Boxes boxes;
        boxes.set("the", {5, d(2024, 12, 31)});
        boxes.set("Käse; a\\b", {2, d(2025, 1, 2)});
        boxes.set("gone", {4, d(2025, 1, 2)});
        boxes.answer("to be", false, d(2025, 1, 3));
        QVERIFY(boxes::writeBoxFile(path, boxes, {"to be", "Käse; a\\b", "the", "new", "the"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 stored({"1\\\\2025-01-03\\\\to be", "2\\\\2025-01-02\\\\K\xE4se; a\\b",
                         "5\\\\2024-12-31\\\\the"}));
        const Boxes back = boxes::readBoxFile(path);
        QCOMPARE(back.size(), 3);
        QVERIFY(back.place("Käse; a\\b") == Place({2, d(2025, 1, 2)}));
    }

    // Lines the program never writes are passed over: their pairs stand in box 1, due.
    void damagedLinesAreIgnoredForTheirPair_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("box 0") << QByteArray("0\\\\2024-01-02\\\\x");
        QTest::newRow("box 6") << QByteArray("6\\\\2024-01-02\\\\x");
        QTest::newRow("no day") << QByteArray("3\\\\\\\\x");
        QTest::newRow("no such day") << QByteArray("3\\\\2023-02-29\\\\x");
        QTest::newRow("day not in its form") << QByteArray("3\\\\2024-1-02x\\\\x");
        QTest::newRow("sign in the day") << QByteArray("3\\\\+024-01-02\\\\x");
        QTest::newRow("one backslash") << QByteArray("3\\2024-01-02\\\\x");
        QTest::newRow("no word") << QByteArray("3\\\\2024-01-02\\\\");
        QTest::newRow("plain text") << QByteArray("the\\\\der\\\\\\r");
        QTest::newRow("empty") << QByteArray();
    }
    void damagedLinesAreIgnoredForTheirPair()
    {
        QFETCH(QByteArray, line);
        QTemporaryDir dir;
        QFile file(dir.filePath(".KU1"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // The line stands between good ones, which keep their places; a second line of a word
        // does not count, and the last line needs no end.
        file.write(stored({"2\\\\2024-01-01\\\\a", line, "4\\\\2024-01-01\\\\a"}) + "\n"
                   + store::Scrambler::scramble(QByteArray("3\\\\2024-01-01\\\\b")));
        file.close();
        const Boxes boxes = boxes::readBoxFile(file.fileName());
        QVERIFY(!boxes.place("x"));
        QCOMPARE(boxes.boxOf("x"), 1);
        QVERIFY(boxes.isDue("x", d(2024, 1, 1)));
        QCOMPARE(boxes.boxOf("a"), 2);
        QCOMPARE(boxes.boxOf("b"), 3);
    }
};

QTEST_GUILESS_MAIN(BoxesTest)
#include "BoxesTest.moc"
