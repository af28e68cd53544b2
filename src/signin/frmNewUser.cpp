#include "signin/frmNewUser.h"

#include "signin/SignInWidgets.h"
#include "store/TextRules.h"
#include "signin/UserList.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
const QString CheckTitle = QStringLiteral("PaukomaT V1.1");

QLineEdit* textBox(const QString& name, const QString& toolTip, bool password, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setToolTip(toolTip);
    box->setMinimumWidth(210);
    if (password) {
        signin::showAsStars(box);
    }
    return box;
}

} // namespace

frmNewUser::frmNewUser(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmNewUser"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 ... Neuer Benutzer"));

    Label1 = new QLabel(QStringLiteral("Benutzername:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtBenutzerName = textBox(QStringLiteral("txtBenutzerName"),
                              QStringLiteral("Geben Sie hier den Namen des Nutzers ein"), false, this);
    Label2 = new QLabel(QStringLiteral("Kennwort:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtKennwort1 = textBox(QStringLiteral("txtKennwort1"),
                           QStringLiteral("Geben Sie hier das Kennwort des Nutzers ein"), true, this);
    Label3 = new QLabel(QStringLiteral("Bestätigung:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtKennwort2 = textBox(QStringLiteral("txtKennwort2"),
                           QStringLiteral("Bestätigen Sie hier das Kennwort des Nutzers"), true, this);

    cmdNimmNutzer = signin::button(QStringLiteral("übernehmen"), QStringLiteral("cmdNimmNutzer"), this);
    cmdCancel = signin::button(QStringLiteral("Abbruch"), QStringLiteral("cmdCancel"), this);
    cmdHelp = createHelpButton();
    cmdHelp->setMinimumWidth(100);
    cmdHelp->setAutoDefault(true);

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

    connect(cmdNimmNutzer, &QPushButton::clicked, this, &frmNewUser::cmdNimmNutzer_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewUser::cmdCancel_Click);
}

bool frmNewUser::Form_Load()
{
    Pfad = tree().programPath();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    txtBenutzerName->setFocus();
    return true;
}

bool frmNewUser::Check_Zeichen(const QString& text) const
{
    for (const QChar c : text)
        if (Unerlaubt.contains(c))
            return false;
    return true;
}

bool frmNewUser::Check_If_komplett()
{
    QString failed;
    if (txtBenutzerName->text().isEmpty())
        failed = QStringLiteral("Ein Benutzername ist erforderlich !");
    else if (txtKennwort1->text() != txtKennwort2->text())
        failed = QStringLiteral("Das Kennwort ist fehlerhaft !");
    else if (txtKennwort1->text().isEmpty())
        failed = QStringLiteral("Ein Kennwort ist erforderlich !");
    if (failed.isEmpty())
        return true;
    Weise_Zurueck(failed, CheckTitle);
    return false;
}

bool frmNewUser::Check_If_Unikat() const
{
    return signin::UserList(tree()).isNameFree(txtBenutzerName->text());
}

void frmNewUser::Weise_Zurueck(const QString& text, const QString& title)
{
    message(text, title);
    cmdNimmNutzer->setFocus();
}

void frmNewUser::cmdNimmNutzer_Click()
{
    const QString name = txtBenutzerName->text();
    const QString password = txtKennwort1->text();
    if (!Check_Zeichen(name) || !Check_Zeichen(password)) {
        Weise_Zurueck(QStringLiteral("Die Zeichen ") + Unerlaubt
                          + QStringLiteral(" sind nicht erlaubt !"),
                      Title);
        return;
    }
    if (!Check_If_komplett())
        return;
    if (!Check_If_Unikat()) {
        Weise_Zurueck(QStringLiteral("Der Benutzer ist bereits vorhanden !"), CheckTitle);
        return;
    }

    // What the files and the directory tree cannot take.
    const signin::UserList users(tree());
    QString refused = store::unstorableTextMessage(name);
    if (refused.isEmpty())
        refused = store::unstorableTextMessage(password);
    if (refused.isEmpty())
        refused = store::tooLongNameMessage(name);
    if (refused.isEmpty() && users.isProgramFileName(name))
        refused = QStringLiteral("Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine "
                                 "eigene Datei dieses Namens verwendet !")
                      .arg(name);
    if (refused.isEmpty())
        refused = users.directoryClashMessage(name);
    if (!refused.isEmpty()) {
        Weise_Zurueck(refused, Title);
        return;
    }

    // A list that could not be saved is reported; the sign-in screen then shows the list as
    // it stands on disk.
    reportWriteFailure(users.addUser(name, password));
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
