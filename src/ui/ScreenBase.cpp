#include "ui/ScreenBase.h"

#include "store/TextRules.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShortcut>

namespace ui {

ScreenBase::ScreenBase(const ScreenContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &ScreenBase::cmdHelp_Click);
}

Answer ScreenBase::message(const QString& text, const QString& title, Buttons buttons, Icon icon)
{
    return m_context.services.messages.show(this, text, title, buttons, icon);
}

QPushButton* ScreenBase::createButton(QWidget* parent, const QString& name, const QString& caption,
                                      const QString& toolTip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAutoDefault(true);
    return button;
}

QPushButton* ScreenBase::createHelpButton()
{
    auto* button = createButton(this, QStringLiteral("cmdHelp"), QStringLiteral("Hilfe"),
                                QStringLiteral("Hilfe zu Paukomat V1.1"));
    connect(button, &QPushButton::clicked, this, &ScreenBase::cmdHelp_Click);
    return button;
}

void ScreenBase::cmdHelp_Click()
{
    m_context.services.help.showHelp(this);
}

bool ScreenBase::report(const store::Outcome& outcome, Icon refusalIcon)
{
    if (outcome.status == store::Outcome::Status::Refused)
        message(outcome.message.text, outcome.message.title, Buttons::Ok,
                outcome.message.title == store::ErrorTitle ? Icon::Stop : refusalIcon);
    if (outcome.failure)
        message(store::failureMessage(*outcome.failure), store::ErrorTitle, Buttons::Ok,
                Icon::Stop);
    return outcome.ok();
}

void ScreenBase::closeScreen()
{
    m_closing = true;
    close();
}

void ScreenBase::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // Closed by the frame: the screen's own way out decides.
    if (Form_QueryUnload() || m_closing) {
        m_closing = true;
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace ui
