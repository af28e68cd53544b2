#pragma once

#include <QLockFile>
#include <QString>

namespace ui {

// Keeps a second copy of the program off the same data directory: two copies would overwrite
// each other's files. A lock left by a copy that crashed or was killed belongs to a process that
// no longer runs; it is taken over without asking.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& dataDir);

    // Empty when this copy is the only one on the data directory; otherwise the message that
    // says why it cannot run: another copy holds the lock, or the lock cannot even be made.
    [[nodiscard]] QString acquire();

    static inline const QString LockName = QStringLiteral("Paukomat.lock");
    static inline const QString RefusedMessage = QStringLiteral(
        "Paukomat läuft bereits. Bitte arbeiten Sie im schon geöffneten Programm weiter; zwei "
        "gleichzeitig laufende Programme würden sich gegenseitig Daten überschreiben.");

private:
    QString m_dataDir;
    QLockFile m_lock;
};

} // namespace ui
