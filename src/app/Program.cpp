#include "app/Program.h"

#include "store/DataRoot.h"
#include "store/TextRules.h"

namespace app {

Program::Program(const ui::Services& services)
    : m_services(services)
{ }

bool Program::start(const QString& givenDir, const QString& programDir, const QString& helpFile)
{
    const store::Result<QString> root = store::chooseDataRoot(givenDir, programDir);
    store::Message refusal = root.outcome.message;
    if (root.ok()) {
        m_instance.emplace(root.value);
        refusal = {m_instance->acquire(), store::MessageTitle};
    }
    if (!refusal.text.isEmpty()) {
        m_services.messages.show(nullptr, refusal.text, refusal.title, ui::Buttons::Ok,
                                 ui::Icon::Stop);
        return false;
    }
    m_dataRoot = root.value;
    m_screens = std::make_unique<Screens>(m_dataRoot, helpFile, m_services);
    m_screens->showIntro();
    return true;
}

} // namespace app
