#include "signin/frmNewUser.h"

#include "ui/Screens.h"

frmNewUser::frmNewUser(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmNewUser"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 ... Neuer Benutzer"));
    resize(400, 200);
}
