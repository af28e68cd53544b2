#pragma once

#include <QLockFile>
#include <QString>

namespace ui {

// Keeps a second copy of the program off the same program directory: two copies would overwrite
// each other's files. A lock left by a copy that crashed or was killed belongs to a process that
// no longer runs; it is taken over without asking.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& programDir);

    // True when this copy is the only one on the program directory.
    [[nodiscard]] bool acquire();

    static inline const QString LockName = QStringLiteral("Paukomat.lock");
    static inline const QString RefusedMessage = QStringLiteral(
        "Paukomat läuft bereits. Bitte arbeiten Sie im schon geöffneten Programm weiter; zwei "
        "gleichzeitig laufende Programme würden sich gegenseitig Daten überschreiben.");

private:
    QLockFile m_lock;
};

} // namespace ui
