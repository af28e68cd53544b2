#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testing {

// A real file system of its own: a small tmpfs mounted for this test process alone, which the
// test can fill up or make read-only, so that saves meet the failures of the operating system
// itself. Root mounts it directly; other users get a private user and mount namespace, which the
// process enters before main() while it still has one thread.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes = 4 * 1024 * 1024);
    ~SmallDisk();

    // False where the system allows no mount; the reason says why.
    [[nodiscard]] bool isMounted() const { return m_mounted; }
    [[nodiscard]] QString reason() const { return m_reason; }
    [[nodiscard]] QString path() const { return m_dir.path(); }

    // Takes every free byte with a filler file, then gives them back.
    void fill();
    void makeRoom();
    void setReadOnly(bool readOnly);

private:
    QTemporaryDir m_dir;
    qint64 m_bytes;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace testing
