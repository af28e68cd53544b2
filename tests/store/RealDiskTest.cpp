// Saves on a file system that really is full, read-only or refuses a file's size: the failures
// come from the operating system, not from a seam of our own.
#include "SmallDisk.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace store;
using testing::SmallDisk;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return static_cast<int>(info.st_mode & 0777);
}

enum class Failure { Full, ReadOnly, SizeLimit };

// Lets the process write files of at most limit bytes; writes beyond fail with EFBIG instead
// of ending the process.
struct FileSizeLimit
{
    rlimit old{};
    explicit FileSizeLimit(rlim_t limit)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit next = old;
        next.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &next);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

} // namespace

class RealDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void failedSaveKeepsTheOldBytes_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("reason");
        const QString full = "Der Datenträger ist voll";
        const QString readOnly = "der Datenträger ist schreibgeschützt";
        for (int size : {5, 70000, 1 << 20}) {
            const QByteArray n = QByteArray::number(size);
            QTest::newRow("full, " + n) << Failure::Full << size << full;
            QTest::newRow("read-only, " + n) << Failure::ReadOnly << size << readOnly;
            QTest::newRow("size limit, " + n) << Failure::SizeLimit << size << "die Datei wird zu groß";
        }
    }
    void failedSaveKeepsTheOldBytes()
    {
        QFETCH(Failure, failure);
        QFETCH(int, size);
        QFETCH(QString, reason);
        SmallDisk disk(4 << 20);
        if (!disk.isMounted() && failure != Failure::SizeLimit)
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        const QString dir = disk.isMounted() ? disk.path() : QDir::tempPath();
        const QString path = dir + "/U1", log = dir + "/EU1";
        // The log fills its last page, so that every append needs room the disk does not have.
        const QByteArray old = "alt\r\n", oldLog = QByteArray(4094, 'e') + "\r\n";
        QVERIFY(TextFile::writeBytes(path, old));
        QVERIFY(TextFile::writeBytes(log, oldLog));
        const QList<QByteArray> lines{QByteArray(size, 'n')};
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (failure == Failure::Full)
                disk.fill();
            else if (failure == Failure::ReadOnly)
                disk.setReadOnly(true);
            else
                limit = std::make_unique<FileSizeLimit>(4);
            const FileResult replaced = TextFile::writeRawLines(path, lines);
            QVERIFY(!replaced.ok);
            QCOMPARE(failureMessage(replaced.about("Lektion \"Verben\"")),
                     "Die Datei \"U1\" (Lektion \"Verben\") konnte nicht gespeichert werden (" + reason
                         + ").\nDer bisherige Inhalt der Datei bleibt erhalten.");
            const FileResult appended = TextFile::appendRawLines(log, lines);
            QCOMPARE(appended.error, reason);
        }
        QCOMPARE(bytesOf(path), old);
        QCOMPARE(bytesOf(log), oldLog);
        // Nothing is left beside the stored files but the filler.
        QDir listing(dir);
        listing.setFilter(QDir::Files | QDir::Hidden);
        QVERIFY(!listing.entryList().join(' ').contains("U1."));

        // Once there is room again, the same saves succeed.
        disk.setReadOnly(false);
        disk.makeRoom();
        QVERIFY(TextFile::writeRawLines(path, lines));
        QVERIFY(TextFile::appendRawLines(log, lines));
        QCOMPARE(bytesOf(path).size(), size + 2);
        QCOMPARE(bytesOf(log).size(), oldLog.size() + size + 2);
        if (!disk.isMounted())
            QFile::remove(path), QFile::remove(log);
    }

    void passwordFilesAreTheOwnersAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tmpUsr");
        QVERIFY(TextFile::writeLines(path, {"anna", "geheim"}, Access::OwnerOnly));
        QCOMPARE(modeOf(path), 0600);
        // An ordinary file keeps the permissions it had when it is replaced.
        const QString list = dir.filePath("Spr.dat");
        QVERIFY(TextFile::writeLines(list, {"a"}));
        QFile::setPermissions(list, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(TextFile::writeLines(list, {"b"}));
        QCOMPARE(modeOf(list), 0640);
    }
};

QTEST_GUILESS_MAIN(RealDiskTest)
#include "RealDiskTest.moc"
