// Saves on a file system that really is full, read-only or refuses a file's size: the failures
// come from the operating system, not from a seam of our own.
#include "SmallDisk.h"
#include "TestProgram.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace store;

enum Failure { Full, ReadOnly, TooBig };

class RealDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void failedSaveKeepsTheOldBytes_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("name"); // working and run copies are not synced
        QTest::addColumn<QString>("reason");
        const QList<std::pair<Failure, QString>> failures = {
            {Full, "Der Datenträger ist voll"},
            {ReadOnly, "der Datenträger ist schreibgeschützt"},
            {TooBig, "die Datei wird zu groß"}};
        for (const auto& [failure, reason] : failures)
            for (const auto& [size, name] : {std::pair{5, "U1"}, {1 << 20, "U1"}, {70000, "tmpU1"}})
                QTest::addRow("%s, %s, %d", qPrintable(reason), name, size)
                    << failure << size << QString(name) << reason;
    }
    void failedSaveKeepsTheOldBytes()
    {
        QFETCH(Failure, failure);
        QFETCH(int, size);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        testing::SmallDisk disk(4 << 20);
        if (!disk.isMounted() && failure != TooBig)
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        QTemporaryDir fallback;
        const QString dir = disk.isMounted() ? disk.path() : fallback.path();
        const QString path = dir + "/" + name, log = path + "x";
        // The log fills its last page, so that every append needs room the disk does not have.
        const QByteArray old = "alt\r\n", oldLog = QByteArray(4094, 'e') + "\r\n";
        QVERIFY(TextFile::writeBytes(path, old) && TextFile::writeBytes(log, oldLog));
        const QList<QByteArray> lines{QByteArray(size, 'n')};
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        if (failure == Full)
            disk.fill();
        else if (failure == ReadOnly)
            disk.setReadOnly(true);
        // Writes beyond the limit fail with EFBIG instead of ending the process; the append gets
        // to write three bytes, which it has to take back.
        std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = failure == TooBig ? 4 : limit.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome replaced = TextFile::writeRawLines(path, lines);
        limit.rlim_cur = failure == TooBig ? oldLog.size() + 3 : limit.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome appended = TextFile::appendRawLines(log, lines);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(failureMessage(replaced.about("Lektion \"Verben\"")),
                 "Die Datei \"" + name + "\" (Lektion \"Verben\") konnte nicht gespeichert werden ("
                     + reason + ").\nDer bisherige Inhalt der Datei bleibt erhalten.");
        QVERIFY(!appended.ok());
        QCOMPARE(appended.failure->reason, reason);
        QCOMPARE(testing::readFile(path), old);
        QCOMPARE(testing::readFile(log), oldLog);
        // Nothing is left beside the stored files but the filler.
        QVERIFY(!QDir(dir).entryList(QDir::Files | QDir::Hidden).join(' ').contains(name + "."));
        // Once there is room again, the same saves succeed.
        disk.setReadOnly(false);
        disk.makeRoom();
        QVERIFY(TextFile::writeRawLines(path, lines) && TextFile::appendRawLines(log, lines));
        QCOMPARE(testing::readFile(path).size(), size + 2);
        QCOMPARE(testing::readFile(log).size(), oldLog.size() + size + 2);
    }
};

QTEST_GUILESS_MAIN(RealDiskTest)
#include "RealDiskTest.moc"
