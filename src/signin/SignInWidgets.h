#pragma once

#include "ui/ScreenBase.h"

#include <QLineEdit>
#include <QPushButton>

// Widgets the sign-in and new-user screens share.
namespace signin {

// The buttons of both screens are at least this wide, so the two dialogs look alike.
inline QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    QPushButton* b = ui::ScreenBase::createButton(parent, name, caption);
    b->setMinimumWidth(100);
    return b;
}

// A password box shows every typed character as "*", whatever the style's own bullet.
inline void showAsStars(QLineEdit* box)
{
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

} // namespace signin
