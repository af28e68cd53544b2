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
        const QByteArray versions[] = {lesson("eins"), lesson("zwei;drei")};
        qint64 runs = 2000;
        writeFile(dir.filePath("U1"), versions[0]);
        writeFile(dir.filePath("EU1"), results(runs));
        QElapsedTimer clock;
        clock.start();
        int kills = 0, changes = 0;
        QByteArray lastLesson = versions[0];
        while (kills < 200 && !clock.hasExpired(60000)) {
            QProcess driver;
            driver.start(SAVE_DRIVER, {dir.path()});
            QVERIFY2(driver.waitForReadyRead(10000), qPrintable(driver.errorString()));
            QThread::usleep(QRandomGenerator::global()->bounded(100000));
            driver.kill();
            // A driver that ended by itself has failed to save.
            QVERIFY2(driver.waitForFinished(10000) && driver.exitStatus() == QProcess::CrashExit,
                     driver.readAllStandardError().constData());
            const QByteArray now = readFile(dir.filePath("U1")),
                             result = readFile(dir.filePath("EU1"));
            const qint64 nowRuns = result.count("\r\n") - 1;
            const QByteArray after = " after kill " + QByteArray::number(++kills);
            QVERIFY2(now == versions[0] || now == versions[1], ("lesson cut" + after).constData());
            QVERIFY2(nowRuns >= runs && result == results(nowRuns),
                     ("result file cut" + after).constData());
            changes += now != lastLesson ? 1 : 0;
            lastLesson = now;
            runs = nowRuns;
        }
        // The checks above prove nothing unless the driver got to save between the kills; each
        // save is synced to disk, so a slow or busy machine manages fewer of them.
        QVERIFY2(
            kills >= 100 && changes >= 10 && runs >= 2003,
            qPrintable(QString("%1 kills, %2 changes, %3 runs").arg(kills).arg(changes).arg(runs)));
    }
};

QTEST_GUILESS_MAIN(CrashSaveTest)
#include "CrashSaveTest.moc"
