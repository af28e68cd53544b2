#include "app/Program.h"

#include "store/DataRoot.h"

namespace app {

Program::Program(const ui::Services& services)
    : m_services(services)
{ }

bool Program::start(const QString& givenDir, const QString& programDir, const QString& helpFile)
{
    const store::DataRoot root = store::chooseDataRoot(givenDir, programDir);
    QString refused = root.message;
    if (refused.isEmpty()) {
        m_instance.emplace(root.path);
        refused = m_instance->acquire();
    }
    if (!refused.isEmpty()) {
        m_services.messages.show(nullptr, refused, QStringLiteral("Paukomat V1.1"), ui::Buttons::Ok,
                                 ui::Icon::Stop);
        return false;
    }
    m_dataRoot = root.path;
    m_screens = std::make_unique<Screens>(m_dataRoot, helpFile, m_services);
    m_screens->showIntro();
    return true;
}

} // namespace app
