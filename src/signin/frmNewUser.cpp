#include "signin/frmNewUser.h"

#include "signin/SignInWidgets.h"
#include "signin/UserList.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace signin {

namespace {

enum class Shown { AsTyped, AsStars };

QLineEdit* textBox(const QString& name, const QString& toolTip, Shown shown, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setMinimumWidth(210);
    if (shown == Shown::AsStars)
        signin::showAsStars(box);
    return box;
}

} // namespace

frmNewUser::frmNewUser(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmNewUser"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 ... Neuer Benutzer"));
    createControls();
    placeControls();
    connectControls();
}

void frmNewUser::createControls()
{
    Label1 = new QLabel(QStringLiteral("Benutzername:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtBenutzerName =
        textBox(QStringLiteral("txtBenutzerName"),
                QStringLiteral("Geben Sie hier den Namen des Nutzers ein"), Shown::AsTyped, this);
    Label2 = new QLabel(QStringLiteral("Kennwort:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtKennwort1 = textBox(QStringLiteral("txtKennwort1"),
                           QStringLiteral("Geben Sie hier das Kennwort des Nutzers ein"),
                           Shown::AsStars, this);
    Label3 = new QLabel(QStringLiteral("Bestätigung:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtKennwort2 = textBox(QStringLiteral("txtKennwort2"),
                           QStringLiteral("Bestätigen Sie hier das Kennwort des Nutzers"),
                           Shown::AsStars, this);

    cmdNimmNutzer =
        signin::button(QStringLiteral("übernehmen"), QStringLiteral("cmdNimmNutzer"), this);
    cmdCancel = signin::button(QStringLiteral("Abbruch"), QStringLiteral("cmdCancel"), this);
    cmdHelp = createHelpButton();
    cmdHelp->setMinimumWidth(100);
    cmdHelp->setAutoDefault(true);
}

void frmNewUser::placeControls()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtBenutzerName, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtKennwort1, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(txtKennwort2, 2, 1);
    grid->setColumnMinimumWidth(2, 6);
    grid->addWidget(cmdNimmNutzer, 0, 3);
    grid->addWidget(cmdCancel, 1, 3);
    grid->addWidget(cmdHelp, 2, 3);

    setTabOrder(txtBenutzerName, txtKennwort1);
    setTabOrder(txtKennwort1, txtKennwort2);
    setTabOrder(txtKennwort2, cmdNimmNutzer);
    setTabOrder(cmdNimmNutzer, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
}

void frmNewUser::connectControls()
{
    connect(cmdNimmNutzer, &QPushButton::clicked, this, &frmNewUser::cmdNimmNutzer_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewUser::cmdCancel_Click);
}

bool frmNewUser::Form_Load()
{
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    txtBenutzerName->setFocus();
    return true;
}

bool frmNewUser::Weise_Zurueck(const store::Outcome& outcome)
{
    report(outcome);
    if (outcome.status != store::Outcome::Status::Refused)
        return true;
    cmdNimmNutzer->setFocus();
    return false;
}

void frmNewUser::cmdNimmNutzer_Click()
{
    // A list that could not be saved is reported; the sign-in screen then shows the list as
    // it stands on disk.
    if (!Weise_Zurueck(signin::UserList(tree()).createUser(
            txtBenutzerName->text(), txtKennwort1->text(), txtKennwort2->text())))
        return;
    ui::Navigator& next = screens();
    closeScreen();
    next.showLogin();
}

void frmNewUser::cmdCancel_Click()
{
    ui::Navigator& next = screens();
    closeScreen();
    next.showLogin();
}

bool frmNewUser::Form_QueryUnload()
{
    cmdCancel_Click();
    return true;
}

} // namespace signin
