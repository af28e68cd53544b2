#include "store/Scrambler.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr qint64 RunsAtStart = 2000;

QByteArray scrambled(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::Scrambler::scrambleText(line) + "\r\n";
    return data;
}

// The two versions of the lesson differ in the first pair's meanings, so neither is a beginning
// of the other and a cut file matches neither; the other pairs make a save take a while.
QByteArray lesson(const QString& firstMeanings)
{
    const QStringList first{"Wort0\\\\" + firstMeanings + "\\\\\\f"};
    return scrambled(first + QStringList(2999, "Wort\\\\Bedeutung;noch eine\\\\\\r"));
}

// The result file after the given number of runs of 3 words with 2 right.
QByteArray results(qint64 runs)
{
    return scrambled(QStringList{QStringLiteral(" %1\\\\ %2").arg(3 * runs).arg(2 * runs)}
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
        const auto stored = [&dir](const char* name) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray versions[] = {lesson("eins"), lesson("zwei;drei")};
        for (const auto& [name, data] : {std::pair{"U1", versions[0]}, {"EU1", results(RunsAtStart)}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
        }

        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int changes = 0;
        qint64 runs = RunsAtStart;
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
            const QString after = QStringLiteral(" after kill %1").arg(++kills);

            const QByteArray now = stored("U1");
            QVERIFY2(now == versions[0] || now == versions[1], qPrintable("lesson cut" + after));
            changes += now != lastLesson ? 1 : 0;
            lastLesson = now;
            const QByteArray result = stored("EU1");
            const qint64 nowRuns = result.count("\r\n") - 1;
            QVERIFY2(nowRuns >= runs && result == results(nowRuns), qPrintable("result file cut" + after));
            runs = nowRuns;
        }
        qInfo("%d kills in %lld ms; the lesson changed %d times, %lld runs were stored", kills,
              static_cast<long long>(clock.elapsed()), changes, static_cast<long long>(runs - RunsAtStart));
        // The checks above prove nothing unless the driver got to save between the kills; each
        // save is synced to disk, so a slow or busy machine manages fewer of them.
        QVERIFY(kills >= 100 && changes >= 10 && runs - RunsAtStart >= 10);
    }
};

QTEST_GUILESS_MAIN(CrashSaveTest)
#include "CrashSaveTest.moc"
