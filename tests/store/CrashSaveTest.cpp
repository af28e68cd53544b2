#include "TestProgram.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

using namespace testing;

namespace {

// The two versions of the lesson differ in the first pair's meanings, so neither is a beginning
// of the other and a cut file matches neither; the other pairs make a save take a while.
QByteArray lesson(const QString& firstMeanings)
{
    return TestProgram::scrambledBytes(QStringList{"Wort0\\\\" + firstMeanings + "\\\\\\f"}
                                       + QStringList(2999, "Wort\\\\Bedeutung;noch eine\\\\\\r"));
}

// The result file after the given number of runs of 3 words with 2 right.
QByteArray results(qint64 runs)
{
    return TestProgram::scrambledBytes(
        QStringList{QStringLiteral(" %1\\\\ %2").arg(3 * runs).arg(2 * runs)}
        + QStringList(runs, "3\\\\2"));
}

} // namespace

class CrashSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void killedMidSaveLeavesWholeFiles()
    {
        QTemporaryDir dir;
        const QString lessonPath = dir.filePath("U1"), resultPath = dir.filePath("EU1");
        const QByteArray versions[] = {lesson("eins"), lesson("zwei;drei")};
        qint64 runs = 2000;
        writeFile(lessonPath, versions[0]);
        writeFile(resultPath, results(runs));
        QElapsedTimer clock;
        clock.start();
        int kills = 0, changes = 0;
        for (QByteArray last = versions[0]; kills < 200 && !clock.hasExpired(60000); ++kills) {
            QProcess driver;
            driver.start(SAVE_DRIVER, {dir.path()});
            QVERIFY2(driver.waitForReadyRead(10000), qPrintable(driver.errorString()));
            QThread::usleep(QRandomGenerator::global()->bounded(100000));
            driver.kill();
            QVERIFY(driver.waitForFinished(10000));
            QVERIFY2(driver.exitStatus() == QProcess::CrashExit,
                     driver.readAllStandardError().constData());
            const QByteArray now = readFile(lessonPath), result = readFile(resultPath);
            const qint64 nowRuns = result.count("\r\n") - 1;
            QVERIFY2(now == versions[0] || now == versions[1], "lesson cut");
            QCOMPARE(result, results(nowRuns));
            QCOMPARE_GE(nowRuns, runs);
            changes += now != last;
            last = now;
            runs = nowRuns;
        }
        // The checks above prove nothing unless the driver got to save between the kills; each
        // save is synced to disk, so a slow or busy machine manages fewer of them.
        QCOMPARE_GE(kills, 100);
        QCOMPARE_GE(changes, 10);
        QCOMPARE_GE(runs, 2003);
    }
};

QTEST_GUILESS_MAIN(CrashSaveTest)
#include "CrashSaveTest.moc"
