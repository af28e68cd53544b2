#include "SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testing {
namespace {

const char* const FillerName = "/Füller";

bool writeProcFile(const char* path, const QByteArray& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    const bool ok =
        fd >= 0 && ::write(fd, text.constData(), static_cast<size_t>(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// Mounts made here vanish with the process, even when a test crashes. A user without the right
// to mount becomes root of a namespace of its own; that needs a process of one thread, so it
// happens before main().
int enterOwnMountNamespace()
{
    const QByteArray uid = "0 " + QByteArray::number(::getuid()) + " 1";
    const QByteArray gid = "0 " + QByteArray::number(::getgid()) + " 1";
    if (::unshare(::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return errno;
    if (::geteuid() != 0) {
        writeProcFile("/proc/self/setgroups", "deny");
        if (!writeProcFile("/proc/self/uid_map", uid))
            return errno;
        writeProcFile("/proc/self/gid_map", gid);
    }
    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    return 0;
}

const int NamespaceError = enterOwnMountNamespace();

} // namespace

SmallDisk::SmallDisk(qint64 bytes)
    : m_bytes(bytes)
{
    if (NamespaceError == 0)
        setReadOnly(false);
    m_reason = QString::fromLocal8Bit(std::strerror(NamespaceError != 0 ? NamespaceError : errno));
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    QFile filler(m_dir.path() + FillerName);
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return;
    static const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) { }
    // The last page may still take a few bytes.
    while (filler.write("x", 1) > 0) { }
}

void SmallDisk::makeRoom()
{
    QFile::remove(m_dir.path() + FillerName);
}

// Mounts the disk at first, remounts it later.
void SmallDisk::setReadOnly(bool readOnly)
{
    const QByteArray options = "size=" + QByteArray::number(m_bytes) + ",mode=0777";
    const unsigned long flags = (m_mounted ? MS_REMOUNT : 0) | (readOnly ? MS_RDONLY : 0);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", flags,
                        options.constData())
            == 0
        || m_mounted;
}

} // namespace testing
