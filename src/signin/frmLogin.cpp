#include "signin/frmLogin.h"

#include "store/TextFile.h"
#include "ui/Screens.h"

frmLogin::frmLogin(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 ... Anmelden"));
    resize(400, 200);
}

void frmLogin::Form_Terminate(const store::DataTree& tree)
{
    store::removeMatching(tree.programPath(), QStringLiteral("tmp*.dat"));
}
