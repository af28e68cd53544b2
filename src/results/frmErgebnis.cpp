#include "results/frmErgebnis.h"

#include "ui/Screens.h"

frmErgebnis::frmErgebnis(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmErgebnis"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 - Ergebnisse"));
    resize(400, 200);
}
