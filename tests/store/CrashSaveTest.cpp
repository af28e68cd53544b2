#include "store/Scrambler.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int Pairs = 3000;
constexpr qint64 RunsAtStart = 2000;

QByteArray scrambled(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::Scrambler::scrambleText(line) + "\r\n";
    return data;
}

// The two versions of the lesson differ in the first pair's meanings, so neither is a beginning
// of the other and a cut file matches neither.
QByteArray lesson(const QString& firstMeanings)
{
    QStringList lines{QStringLiteral("Wort0\\\\") + firstMeanings + QStringLiteral("\\\\\\f")};
    for (int i = 1; i < Pairs; ++i)
        lines << QStringLiteral("Wort%1\\\\Bedeutung %1;noch eine\\\\\\r").arg(i);
    return scrambled(lines);
}

// The result file after the given number of runs of 3 words with 2 right.
QByteArray results(qint64 runs)
{
    QByteArray data = scrambled({QStringLiteral(" %1\\\\ %2").arg(3 * runs).arg(2 * runs)});
    const QByteArray record = scrambled({QStringLiteral("3\\\\2")});
    for (qint64 i = 0; i < runs; ++i)
        data += record;
    return data;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CrashSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void killedMidSaveLeavesWholeFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray first = lesson(QStringLiteral("eins"));
        const QByteArray second = lesson(QStringLiteral("zwei;drei"));
        for (const auto& [name, data] : {std::pair{"U1", first}, {"EU1", results(RunsAtStart)}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
        }

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int changes = 0;
        qint64 runs = RunsAtStart;
        QByteArray lastLesson = first;
        while (kills < 200 && clock.elapsed() < 60000) {
            QProcess driver;
            driver.start(QStringLiteral(SAVE_DRIVER), {dir.path()});
            QVERIFY2(driver.waitForReadyRead(10000), qPrintable(driver.errorString()));
            QThread::usleep(random.bounded(100000));
            driver.kill();
            QVERIFY(driver.waitForFinished(10000));
            // A driver that ended by itself has failed to save.
            QVERIFY2(driver.exitStatus() == QProcess::CrashExit,
                     driver.readAllStandardError().constData());
            ++kills;

            const QByteArray stored = bytesOf(dir.filePath("U1"));
            QVERIFY2(stored == first || stored == second,
                     qPrintable(QStringLiteral("lesson of %1 bytes after kill %2")
                                    .arg(stored.size()).arg(kills)));
            changes += stored != lastLesson ? 1 : 0;
            lastLesson = stored;

            const QByteArray result = bytesOf(dir.filePath("EU1"));
            const qint64 now = result.count("\r\n") - 1;
            QVERIFY2(now >= runs && result == results(now),
                     qPrintable(QStringLiteral("result file of %1 bytes after kill %2")
                                    .arg(result.size()).arg(kills)));
            runs = now;
        }
        qInfo("%d kills in %lld ms; the lesson changed %d times, %lld runs were stored", kills,
              static_cast<long long>(clock.elapsed()), changes,
              static_cast<long long>(runs - RunsAtStart));
        // The checks above prove nothing unless the driver got to save between the kills.
        QVERIFY(kills >= 100);
        QVERIFY(changes >= kills / 10);
        QVERIFY(runs - RunsAtStart >= kills / 4);
    }
};

QTEST_GUILESS_MAIN(CrashSaveTest)
#include "CrashSaveTest.moc"
