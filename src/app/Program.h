#pragma once

#include "app/Screens.h"
#include "ui/Services.h"
#include "ui/SingleInstance.h"

#include <QString>

#include <memory>
#include <optional>

namespace app {

// One run of the program: the root of its data tree, the lock that keeps a second copy off it,
// and the screens.
class Program
{
public:
    explicit Program(const ui::Services& services);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Chooses the data root (givenDir from --data-dir wins; programDir empty where the program is
    // installed for the whole system), takes its lock and shows the splash. False when the
    // program cannot run: the user has been told why, and no window is shown.
    bool start(const QString& givenDir, const QString& programDir, const QString& helpFile);

    // The root chosen by start(); empty before, or when there was none.
    [[nodiscard]] QString dataRoot() const { return m_dataRoot; }

private:
    ui::Services m_services;
    QString m_dataRoot;
    std::optional<ui::SingleInstance> m_instance;
    std::unique_ptr<Screens> m_screens;
};

} // namespace app
