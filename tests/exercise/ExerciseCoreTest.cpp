#include "exercise/AnswerCheck.h"
#include "exercise/ResultFile.h"
#include "exercise/Run.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace exercise;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray scrambled(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::Scrambler::scrambleText(line) + "\r\n";
    return data;
}

QByteArray plain(const QStringList& lines)
{
    return lines.isEmpty() ? QByteArray() : (lines.join(QStringLiteral("\r\n")) + "\r\n").toLatin1();
}

} // namespace

class ExerciseCoreTest : public QObject
{
    Q_OBJECT

private slots:
    void answersAreJudgedExactly_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("same") << "Haus" << "Haus" << true;
        QTest::newRow("case") << "Haus" << "haus" << false;
        QTest::newRow("trailing blank") << "Haus" << "Haus " << false;
        QTest::newRow("umlaut") << "Haus" << "Häuser" << false;
        QTest::newRow("first meaning") << "der;die;das" << "der" << true;
        QTest::newRow("middle meaning") << "der;die;das" << "die" << true;
        QTest::newRow("last meaning") << "der;die;das" << "das" << true;
        QTest::newRow("whole side") << "der;die;das" << "der;die;das" << false;
        QTest::newRow("meaning with blank") << "der;die;das" << "die " << false;
        QTest::newRow("a of a; b") << "a; b" << "a" << true;
        QTest::newRow("b of a; b") << "a; b" << "b" << false;
        QTest::newRow("blank b of a; b") << "a; b" << " b" << true;
        QTest::newRow("empty meaning") << "a;;b" << "" << true;
        QTest::newRow("empty answer") << "Haus" << "" << false;
    }
    void answersAreJudgedExactly()
    {
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(expected, typed), right);
    }

    void drawsPickEveryMeaningEvenly()
    {
        QCOMPARE(meaningFor("der;die;das", 0.0), QStringLiteral("der"));
        QCOMPARE(meaningFor("der;die;das", 0.34), QStringLiteral("die"));
        QCOMPARE(meaningFor("der;die;das", 0.67), QStringLiteral("das"));
        QCOMPARE(meaningFor("der;die;das", 0.9999), QStringLiteral("das"));
        QCOMPARE(meaningFor("a; b", 0.5), QStringLiteral(" b"));
        // A stray draw never reaches past the last meaning.
        QCOMPARE(meaningFor("a;b", 1.0), QStringLiteral("b"));
        QCOMPARE(meaningFor("a;b", -0.5), QStringLiteral("a"));
    }

    void columnTexts_data()
    {
        QTest::addColumn<qint64>("words");
        QTest::addColumn<qint64>("right");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("2 of 3") << qint64(3) << qint64(2) << QStringList{" 3", " 2", " 1", " 66.66 %", "3"};
        QTest::newRow("1 of 8") << qint64(8) << qint64(1) << QStringList{" 8", " 1", " 7", " 12.5 %", "6"};
        QTest::newRow("damaged") << qint64(4) << qint64(5) << QStringList{" 4", " 5", "-1", " 125 %", ""};
        QTest::newRow("none") << qint64(0) << qint64(0) << QStringList{" 0", " 0", " 0", " 0 %", " -"};
        QTest::newRow("wide") << qint64(5000000000) << qint64(4000000000)
                              << QStringList{" 5000000000", " 4000000000", " 1000000000", " 80 %", "2"};
    }
    void columnTexts()
    {
        QFETCH(qint64, words);
        QFETCH(qint64, right);
        QFETCH(QStringList, texts);
        ResultColumn column;
        column.setCounts(words, right);
        QCOMPARE((QStringList{column.wordsText(), column.rightText(), column.wrongText(),
                              column.percentText(), column.gradeText()}),
                 texts);
    }

    void resultFileGrowsRunByRun()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("EU1");
        QCOMPARE(ResultFile::readTotals(path).words, 0);
        QVERIFY(QFile::exists(path));
        ResultColumn all, run;
        all.setCounts(10, 7);
        run.setCounts(10, 7);
        QVERIFY(ResultFile::storeRun(path, all, run).ok);
        QCOMPARE(fileBytes(path), scrambled({" 10\\\\ 7", "10\\\\7"}));
        all.setCounts(15, 12);
        run.setCounts(5, 5);
        QVERIFY(ResultFile::storeRun(path, all, run).ok);
        const QByteArray three = scrambled({" 15\\\\ 12", "10\\\\7", "5\\\\5"});
        QCOMPARE(fileBytes(path), three);
        QCOMPARE(ResultFile::readTotals(path).right, 12);

        // A failing disk keeps the old file whole.
        store::TextFile::setWriteFailureAfter(3);
        const auto failed = ResultFile::storeRun(path, all, run);
        store::TextFile::setWriteFailureAfter(-1);
        QVERIFY(!failed.ok);
        QCOMPARE(fileBytes(path), three);

        // Totals no run can have produced count as none; the next run mends the first line.
        for (const char* first : {"Müll", " -5\\\\ 3", " 1E+300\\\\ 2"}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(scrambled({QString::fromUtf8(first), "4\\\\3"}));
            file.close();
            QVERIFY2(ResultFile::readTotals(path).words == 0, first);
        }
        all.setCounts(2, 1);
        run.setCounts(2, 1);
        QVERIFY(ResultFile::storeRun(path, all, run).ok);
        QCOMPARE(fileBytes(path), scrambled({" 2\\\\ 1", "4\\\\3", "2\\\\1"}));
    }

    void longDamagedLessonIsDrilledWhole()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath("tmpUxx");
        QStringList lines;
        for (int i = 0; i < 40000; ++i)
            lines << QStringLiteral("w%1\\\\m%1\\\\\\r").arg(i);
        lines[5] = "kaputt";
        lines[6] = "x\\\\yz";
        lines[7].back() = QLatin1Char('f');
        lines.last().back() = QLatin1Char('f');
        Run run(lines, Direction::GermanToForeign, Selection::Fehler, copy, [] { return 0.0; });
        QVERIFY(run.next());
        QCOMPARE(run.shown(), QStringLiteral("m7"));
        QCOMPARE(run.expected(), QStringLiteral("w7"));
        run.markAnswer(true);
        QVERIFY(run.next());
        QCOMPARE(run.lineCounter(), 40000);
        run.markAnswer(false);
        QVERIFY(!run.next() && run.atEnd());
        // Every line reaches the run copy once; damaged ones are never asked, only kept.
        lines[7].back() = QLatin1Char('r');
        QCOMPARE(run.runCopy(), lines);
        QCOMPARE(fileBytes(copy), plain(lines));

        Run all(lines.mid(4, 4), Direction::ForeignToGerman, Selection::Alle, copy, [] { return 0.0; });
        QVERIFY(all.next());
        QCOMPARE(all.shown(), QStringLiteral("w4"));
        all.markAnswer(true);
        QVERIFY(all.next());
        QCOMPARE(all.shown(), QStringLiteral("w7"));
        QCOMPARE(all.lineCounter(), 4);
    }

    void runGoesOnWhenItsCopyCannotBeWritten()
    {
        QTemporaryDir dir;
        store::TextFile::setWriteFailureAfter(0);
        Run run({"a\\\\b\\\\\\f", "c;e\\\\d\\\\\\f"}, Direction::ForeignToGerman,
                Selection::Alle, dir.filePath("tmpUxx"), [] { return 0.7; });
        QVERIFY(run.next());
        run.markAnswer(true);
        QVERIFY(run.next());
        QCOMPARE(run.shown(), QStringLiteral("e"));
        run.markAnswer(false);
        store::TextFile::setWriteFailureAfter(-1);
        QVERIFY(!run.writeResult().ok);
        QCOMPARE(run.runCopy(), (QStringList{"a\\\\b\\\\\\r", "c;e\\\\d\\\\\\f"}));
    }
};

QTEST_GUILESS_MAIN(ExerciseCoreTest)
#include "ExerciseCoreTest.moc"
