#include "exercise/frmPaukomat.h"

#include "ui/Screens.h"

frmPaukomat::frmPaukomat(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmPaukomat"));
    setWindowTitle(QStringLiteral("Paukomat V1.1"));
    resize(400, 200);
}
