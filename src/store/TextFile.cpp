#include "store/TextFile.h"

#include "store/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

std::atomic<unsigned> gScratchCounter{0};
std::atomic<quint64> gSyncs{0};

// Working copies, run copies and hand-off files all have names beginning with "tmp": they are
// made afresh from the stored files at every start and never hold the only copy of anything, so
// waiting for the disk would buy nothing.
bool needsSync(const QString& path)
{
    return !QFileInfo(path).fileName().startsWith(QLatin1String("tmp"));
}

int syncToDisk(int fd)
{
    ++gSyncs;
    return ::fsync(fd);
}

QByteArray joinLines(const QList<QByteArray>& lines)
{
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    QByteArray data;
    data.reserve(size);
    for (const QByteArray& line : lines) {
        data += line;
        data += "\r\n";
    }
    return data;
}

QList<QByteArray> encodeAll(const QStringList& lines)
{
    QList<QByteArray> raw;
    raw.reserve(lines.size());
    for (const QString& line : lines)
        raw.append(toCp1252(line));
    return raw;
}

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

// The system's own calls, so that every failure the system reports reaches us at once: Qt's
// buffered devices can report a full disk only after the file has been renamed into place.
bool writeAll(int fd, const QByteArray& data)
{
    const char* at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        at += written;
        left -= written;
    }
    return true;
}

Outcome systemFailure(const QString& path, int error,
                      FileFailure::Kind kind = FileFailure::Kind::Write)
{
    return Outcome::failed(path, TextFile::reasonFor(error), kind);
}

// Makes the rename itself survive a power cut; a directory that cannot be synced is no failure
// of the save, which has already taken place.
void syncDirectory(const QString& path)
{
    const int fd = ::open(nativePath(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)syncToDisk(fd);
        ::close(fd);
    }
}

// Creates a scratch file beside the target: same directory, so the rename is one step.
int createScratch(const QString& path, Access access, QByteArray& scratch)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        scratch = nativePath(info.absolutePath() + QLatin1String("/.") + info.fileName()
                             + QLatin1Char('.') + QString::number(::getpid()) + QLatin1Char('.')
                             + QString::number(gScratchCounter++));
        const mode_t mode = access == Access::OwnerOnly ? 0600 : 0666;
        const int fd = ::open(scratch.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

Outcome readAll(const QString& path, QByteArray& data)
{
    data.clear();
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(path, errno, FileFailure::Kind::Read);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            data.clear();
            return systemFailure(path, error, FileFailure::Kind::Read);
        }
        if (got == 0)
            break;
        data.append(buffer, got);
    }
    ::close(fd);
    return Outcome::done();
}

QList<QByteArray> splitLines(const QByteArray& data)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = data.size();
        qsizetype stop = end;
        if (!last && stop > start && data[stop - 1] == '\r')
            --stop;
        lines.append(data.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

namespace TextFile {

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Der Datenträger ist voll");
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Berechtigung");
    case EROFS:
        return QStringLiteral("der Datenträger ist schreibgeschützt");
    case EFBIG:
        return QStringLiteral("die Datei wird zu groß");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("das Verzeichnis fehlt");
    case EISDIR:
        return QStringLiteral("an ihrer Stelle steht ein Verzeichnis");
    case ENAMETOOLONG:
        return QStringLiteral("der Name ist zu lang");
    default:
        return QStringLiteral("Systemfehler %1").arg(error);
    }
}

QList<QByteArray> readRawLines(const QString& path)
{
    QList<QByteArray> lines;
    (void)readRawLines(path, lines);
    return lines;
}

Outcome readBytes(const QString& path, QByteArray& data)
{
    data.clear();
    if (!QFileInfo::exists(path))
        return Outcome::done();
    return readAll(path, data);
}

Outcome readRawLines(const QString& path, QList<QByteArray>& lines)
{
    lines.clear();
    QByteArray data;
    Outcome read = readBytes(path, data);
    if (read)
        lines = splitLines(data);
    return read;
}

QStringList readLines(const QString& path)
{
    QStringList lines;
    for (const QByteArray& raw : readRawLines(path))
        lines.append(fromCp1252(raw));
    return lines;
}

QString readFirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line = file.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return fromCp1252(line);
}

Outcome writeRawLines(const QString& path, const QList<QByteArray>& lines, Access access)
{
    return writeBytes(path, joinLines(lines), access);
}

Outcome writeBytes(const QString& path, const QByteArray& data, Access access)
{
    QByteArray scratch;
    const int fd = createScratch(path, access, scratch);
    if (fd < 0)
        return systemFailure(path, errno);
    // A replaced file keeps who may read it; the password files stay private whatever they were.
    struct stat old
    { };
    if (access == Access::Shared && ::stat(nativePath(path).constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    const bool synced = needsSync(path);
    bool done = writeAll(fd, data) && (!synced || syncToDisk(fd) == 0);
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(scratch.constData(), nativePath(path).constData()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(scratch.constData());
        return systemFailure(path, error);
    }
    if (synced)
        syncDirectory(path);
    return Outcome::done();
}

Outcome writeLines(const QString& path, const QStringList& lines, Access access)
{
    return writeRawLines(path, encodeAll(lines), access);
}

Outcome appendRawLines(const QString& path, const QList<QByteArray>& lines)
{
    const int fd =
        ::open(nativePath(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemFailure(path, errno);
    struct stat before
    { };
    const bool sized = ::fstat(fd, &before) == 0;
    if (writeAll(fd, joinLines(lines)) && (!needsSync(path) || syncToDisk(fd) == 0)) {
        // Some file systems (network shares) report a full disk only when the file is closed.
        if (::close(fd) == 0)
            return Outcome::done();
        const int error = errno;
        // The failure already told is what the user needs; a failed cut-back adds nothing.
        if (sized && ::truncate(nativePath(path).constData(), before.st_size) != 0) { }
        return systemFailure(path, error);
    }
    const int error = errno;
    // Never leave half a line behind: cut the file back to what it held.
    if (sized && ::ftruncate(fd, before.st_size) != 0) { }
    ::close(fd);
    return systemFailure(path, error);
}

Outcome appendLines(const QString& path, const QStringList& lines)
{
    return appendRawLines(path, encodeAll(lines));
}

Outcome touch(const QString& path)
{
    const int fd =
        ::open(nativePath(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemFailure(path, errno);
    ::close(fd);
    return Outcome::done();
}

quint64 syncCount()
{
    return gSyncs;
}

bool remove(const QString& path)
{
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace TextFile

bool matchesPattern(const QString& name, const QString& pattern)
{
    QString effective = pattern;
    if (pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')))
        effective.chop(2);
    // Glob match with "*" only; "?" has no special meaning here.
    const auto match = [&](auto&& self, qsizetype n, qsizetype p) -> bool {
        while (p < effective.size()) {
            if (effective[p] == QLatin1Char('*')) {
                for (qsizetype k = n; k <= name.size(); ++k)
                    if (self(self, k, p + 1))
                        return true;
                return false;
            }
            if (n >= name.size() || name[n] != effective[p])
                return false;
            ++n;
            ++p;
        }
        return n == name.size();
    };
    return match(match, 0, 0);
}

int removeMatching(const QString& directory, const QString& pattern)
{
    int removed = 0;
    const QDir dir(directory);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (matchesPattern(name, pattern) && QFile::remove(dir.filePath(name)))
            ++removed;
    return removed;
}

} // namespace store
