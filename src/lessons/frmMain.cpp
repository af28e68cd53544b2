#include "lessons/frmMain.h"

#include "ui/Screens.h"

frmMain::frmMain(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Paukomat V1.1"));
    resize(400, 200);
}
