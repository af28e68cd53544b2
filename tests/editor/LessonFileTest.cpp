#include "editor/LessonFile.h"
#include "editor/WordOrder.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using editor::LessonFile;

namespace {

const QString The = QStringLiteral("the\\\\der;die;das\\\\\\f");
const QString There = QStringLiteral("there\\\\dort;da\\\\\\r");

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QByteArray scrambled(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::Scrambler::scrambleText(line) + "\r\n";
    return data;
}

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { store::TextFile::setWriteFailureAfter(-1); }

    void damagedLinesSurviveByteForByte()
    {
        QTemporaryDir dir;
        const QString stored = dir.filePath("U1");
        // No separator, an empty line, too short for a mark, a lone byte, then a proper pair.
        QByteArray data = scrambled({"ohne Trenner", "", "x\\\\ab"});
        data += store::Scrambler::scramble("\x81\x9d") + "\n" + store::Scrambler::scrambleText(The);
        put(stored, data);
        LessonFile lesson(dir.path() + "/", "U1");
        QVERIFY(lesson.open());
        QCOMPARE(lesson.size(), 5);
        QCOMPARE(lesson.find("ohne Trenner"), 0);
        QVERIFY(!lesson.pairs()[0].valid);
        QCOMPARE(lesson.find("the"), 4);
        QVERIFY(lesson.storeBack());
        // Every line comes back as it was, now ended by CR LF.
        QCOMPARE(bytesOf(stored), scrambled({"ohne Trenner", "", "x\\\\ab"})
                                      + store::Scrambler::scramble("\x81\x9d") + "\r\n"
                                      + store::Scrambler::scrambleText(The) + "\r\n");
    }

    void failedWritesChangeNothing()
    {
        QTemporaryDir dir;
        const QString stored = dir.filePath("U1");
        put(stored, scrambled({The, There}));
        LessonFile lesson(dir.path() + "/", "U1");
        QVERIFY(lesson.open());
        const QByteArray working = bytesOf(lesson.workingPath());

        store::TextFile::setWriteFailureAfter(3);
        QVERIFY(!lesson.add("a", "b"));
        QVERIFY(!lesson.change("the", "neu"));
        QVERIFY(!lesson.remove("there"));
        const store::FileResult storing = lesson.storeBack();
        QVERIFY(!storing);
        QCOMPARE(storing.path, stored);
        QCOMPARE(bytesOf(lesson.workingPath()), working);
        QCOMPARE(bytesOf(stored), scrambled({The, There}));
        QCOMPARE(lesson.find("a"), -1);
        QCOMPARE(lesson.line(0), The);
        QVERIFY(!QFile::exists(lesson.rebuildPath()));

        store::TextFile::setWriteFailureAfter(-1);
        QVERIFY(lesson.storeBack());
        QCOMPARE(bytesOf(stored), scrambled({The, There}));
    }

    void lessonThatCannotBeOpenedIsNotTakenForEmpty()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("U1"));
        LessonFile lesson(dir.path() + "/", "U1");
        QVERIFY(!lesson.open());
        QVERIFY(!QFile::exists(lesson.workingPath()));
        LessonFile nowhere(dir.path() + "/fehlt/", "U1");
        QVERIFY(!nowhere.open());
    }

    void listOrderIsGermanIgnoringCase()
    {
        const editor::WordOrder order;
        const QStringList sorted
            = order.sorted({"Zebra", "über", "the", "apple", "The", "Ähre", "Apfel", "ab"});
        QCOMPARE(sorted,
                 (QStringList{"ab", "Ähre", "Apfel", "apple", "the", "The", "über", "Zebra"}));
        const auto at = [&](qsizetype i) { return sorted[i]; };
        QCOMPARE(order.insertPosition(sorted.size(), at, "THE"), 6);
        QCOMPARE(order.insertPosition(sorted.size(), at, "Aal"), 0);
        QCOMPARE(order.insertPosition(sorted.size(), at, "zz"), 8);
        QCOMPARE(order.insertPosition(0, at, "x"), 0);
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
