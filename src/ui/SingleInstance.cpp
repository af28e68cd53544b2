#include "ui/SingleInstance.h"

#include <QDir>

namespace ui {

SingleInstance::SingleInstance(const QString& dataDir)
    : m_dataDir(dataDir)
    , m_lock(dataDir + QLatin1Char('/') + LockName)
{
    // Only a dead owner makes a lock stale; a long-running copy keeps its lock however old it is.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::acquire()
{
    if (m_lock.tryLock(0))
        return {};
    if (m_lock.error() == QLockFile::LockFailedError)
        return RefusedMessage;
    // Not another copy: the directory takes no files, and neither would it take the user's data.
    return QStringLiteral("Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben und "
                          "daher nichts speichern. Bitte geben Sie sich Schreibrechte für dieses "
                          "Verzeichnis oder geben Sie mit --data-dir ein Verzeichnis an, in dem "
                          "Sie schreiben dürfen.")
        .arg(QDir::toNativeSeparators(m_dataDir));
}

} // namespace ui
