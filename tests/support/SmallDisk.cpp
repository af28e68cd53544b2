#include "SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testing {
namespace {

const char* const FillerName = "/Füller";

bool writeProcFile(const char* path, const char* text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto length = static_cast<ssize_t>(std::strlen(text));
    const bool ok = ::write(fd, text, static_cast<size_t>(length)) == length;
    ::close(fd);
    return ok;
}

// Mounts made here vanish with the process, even when a test crashes. A user without the right
// to mount becomes root of a namespace of its own; that needs a process of one thread, so it
// happens before main().
int enterOwnMountNamespace()
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::geteuid() != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return errno;
        char map[64];
        std::snprintf(map, sizeof map, "0 %u 1", uid);
        writeProcFile("/proc/self/setgroups", "deny");
        if (!writeProcFile("/proc/self/uid_map", map))
            return errno;
        std::snprintf(map, sizeof map, "0 %u 1", gid);
        writeProcFile("/proc/self/gid_map", map);
    } else if (::unshare(CLONE_NEWNS) != 0) {
        return errno;
    }
    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    return 0;
}

const int NamespaceError = enterOwnMountNamespace();

} // namespace

SmallDisk::SmallDisk(qint64 bytes)
    : m_bytes(bytes)
{
    const QByteArray target = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(m_bytes) + ",mode=0777";
    if (NamespaceError != 0)
        m_reason = QString::fromLocal8Bit(std::strerror(NamespaceError));
    else if (::mount("tmpfs", target.constData(), "tmpfs", 0, options.constData()) != 0)
        m_reason = QString::fromLocal8Bit(std::strerror(errno));
    else
        m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    const QByteArray filler = QFile::encodeName(m_dir.path() + FillerName);
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    static const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
    }
    // The last page may still take a few bytes.
    while (::write(fd, "x", 1) > 0) {
    }
    ::close(fd);
}

void SmallDisk::makeRoom()
{
    ::unlink(QFile::encodeName(m_dir.path() + FillerName).constData());
}

void SmallDisk::setReadOnly(bool readOnly)
{
    const QByteArray options = "size=" + QByteArray::number(m_bytes) + ",mode=0777";
    ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
            MS_REMOUNT | (readOnly ? MS_RDONLY : 0), options.constData());
}

} // namespace testing
