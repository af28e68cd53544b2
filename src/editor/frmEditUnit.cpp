#include "editor/frmEditUnit.h"

#include "ui/Screens.h"

frmEditUnit::frmEditUnit(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmEditUnit"));
    setWindowTitle(QStringLiteral("Paukomat V1.1"));
    resize(400, 200);
}
