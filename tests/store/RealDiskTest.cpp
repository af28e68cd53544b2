// Saves on a file system that really is read-only, or beyond the size a process may write: the
// failures come from the operating system, not from a seam of our own.
#include "SmallDisk.h"
#include "TestProgram.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace store;
using testing::readFile;

class RealDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void failedSaveKeepsTheOldBytes_data()
    {
        QTest::addColumn<bool>("tooBig");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << false << "der Datenträger ist schreibgeschützt";
        QTest::newRow("too big") << true << "die Datei wird zu groß";
    }
    void failedSaveKeepsTheOldBytes()
    {
        QFETCH(bool, tooBig);
        QFETCH(QString, reason);
        testing::SmallDisk disk;
        if (!disk.isMounted() && !tooBig)
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        QTemporaryDir fallback;
        const QString dir = disk.isMounted() ? disk.path() : fallback.path();
        const QString path = dir + "/U1", log = dir + "/EU1";
        const QByteArray old = "alt\r\n";
        QVERIFY(TextFile::writeBytes(path, old));
        QVERIFY(TextFile::writeBytes(log, old));
        const QList<QByteArray> lines{"neu"};
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        if (!tooBig)
            disk.setReadOnly(true);
        // Writes beyond the limit fail with EFBIG instead of ending the process; the save gets
        // to write four bytes and the append three, which each has to take back.
        std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = tooBig ? 4 : limit.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome replaced = TextFile::writeRawLines(path, lines);
        limit.rlim_cur = tooBig ? old.size() + 3 : limit.rlim_cur;
        setrlimit(RLIMIT_FSIZE, &limit);
        const Outcome appended = TextFile::appendRawLines(log, lines);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(failureMessage(replaced),
                 "Die Datei \"U1\" konnte nicht gespeichert werden (" + reason
                     + ").\nDer bisherige Inhalt der Datei bleibt erhalten.");
        QVERIFY(!appended.ok());
        QCOMPARE(appended.failure->reason, reason);
        QCOMPARE(readFile(path), old);
        QCOMPARE(readFile(log), old);
        // No scratch file is left beside the stored file.
        QVERIFY(!QDir(dir).entryList(QDir::Files | QDir::Hidden).join(' ').contains("U1."));
    }
};

QTEST_GUILESS_MAIN(RealDiskTest)
#include "RealDiskTest.moc"
