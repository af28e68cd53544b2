#include "ui/SingleInstance.h"

namespace ui {

SingleInstance::SingleInstance(const QString& programDir)
    : m_lock(programDir + QLatin1Char('/') + LockName)
{
    // Only a dead owner makes a lock stale; a long-running copy keeps its lock however old it is.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock.tryLock(0);
}

} // namespace ui
