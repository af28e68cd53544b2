#include "signin/frmLogin.h"

#include "signin/SignInWidgets.h"
#include "signin/UserList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace signin {

namespace {

// A head and shoulders with a golden key: the picture beside the sign-in boxes.
QPixmap signInPicture()
{
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 70, 120), 1.2));
    p.setBrush(QColor(110, 150, 210));
    p.drawEllipse(QRectF(11, 4, 18, 18));
    QPainterPath shoulders;
    shoulders.moveTo(2, 44);
    shoulders.cubicTo(2, 26, 38, 26, 38, 44);
    shoulders.closeSubpath();
    p.drawPath(shoulders);

    p.setPen(QPen(QColor(120, 85, 10), 1.2));
    p.setBrush(QColor(235, 185, 45));
    p.drawEllipse(QRectF(29, 25, 12, 12));
    p.drawRect(QRectF(34, 36, 3.5, 10));
    p.drawRect(QRectF(37.5, 41, 3.5, 2.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(33, 29, 4, 4));
    return picture;
}

} // namespace

frmLogin::frmLogin(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 ... Anmelden"));
    createControls();
    createButtons();
    placeControls();
    connectControls();
}

void frmLogin::createControls()
{
    cboBenutzer = new QComboBox(this);
    cboBenutzer->setObjectName(QStringLiteral("cboBenutzer"));
    cboBenutzer->setEditable(true);
    // The name is taken exactly as typed: no entries added by Enter, no completion that would
    // turn a typed name into a longer one or change its case.
    cboBenutzer->setInsertPolicy(QComboBox::NoInsert);
    cboBenutzer->setCompleter(nullptr);
    cboBenutzer->setMinimumWidth(210);
    // The box grows with the longest name, but a name of a damaged user list must not stretch
    // the window beyond the screen.
    cboBenutzer->setMaximumWidth(400);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    signin::showAsStars(txtPassword);

    for (const QString& caption :
         {QStringLiteral("&Benutzername:"), QStringLiteral("&Kennwort:")}) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("lblLabels_%1").arg(lblLabels.size()));
        lblLabels.append(label);
    }
    lblLabels[0]->setBuddy(cboBenutzer);
    lblLabels[1]->setBuddy(txtPassword);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(signInPicture());
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
}

void frmLogin::createButtons()
{
    cmdOK = signin::button(QStringLiteral("&OK"), QStringLiteral("cmdOK"), this);
    cmdOK->setDefault(true);
    cmdCancel = signin::button(QStringLiteral("&Abbrechen"), QStringLiteral("cmdCancel"), this);
    cmdNeuerUser =
        signin::button(QStringLiteral("&Neuer Benutzer"), QStringLiteral("cmdNeuerUser"), this);
    cmdNeuerUser->setMinimumWidth(140);
    cmdUserLoeschen = signin::button(QStringLiteral("&Benutzer löschen"),
                                     QStringLiteral("cmdUserLoeschen"), this);
    cmdUserLoeschen->setMinimumWidth(140);
    cmdUserLoeschen->setToolTip(
        QStringLiteral("Klicken Sie hier, um den gewählten Nutzer zu löschen"));
    cmdHelp = createHelpButton();
    cmdHelp->setMinimumWidth(100);
}

void frmLogin::placeControls()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(Image1, 0, 0, 2, 1);
    grid->addWidget(lblLabels[0], 0, 1);
    grid->addWidget(cboBenutzer, 0, 2);
    grid->addWidget(cmdOK, 0, 3);
    grid->addWidget(lblLabels[1], 1, 1);
    grid->addWidget(txtPassword, 1, 2);
    grid->addWidget(cmdCancel, 1, 3);
    grid->setColumnMinimumWidth(0, 56);
    grid->setRowMinimumHeight(2, 6);
    auto* lower = new QHBoxLayout;
    lower->setSpacing(8);
    lower->addWidget(cmdNeuerUser);
    lower->addWidget(cmdUserLoeschen);
    lower->addStretch(1);
    lower->addWidget(cmdHelp);
    grid->addLayout(lower, 3, 0, 1, 4);

    setTabOrder(cboBenutzer, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdNeuerUser);
    setTabOrder(cmdNeuerUser, cmdUserLoeschen);
    setTabOrder(cmdUserLoeschen, cmdHelp);
}

void frmLogin::connectControls()
{
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(cmdNeuerUser, &QPushButton::clicked, this, &frmLogin::cmdNeuerUser_Click);
    connect(cmdUserLoeschen, &QPushButton::clicked, this, &frmLogin::cmdUserLoeschen_Click);

    // A plain window has no default and cancel buttons of its own: Enter and Esc are wired here.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, this, &frmLogin::Druecke_Eingabetaste);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmLogin::cmdCancel_Click);
}

bool frmLogin::Form_Load()
{
    report(signin::UserList(tree()).makePlainCopy());
    Fuelle_Benutzerliste();

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    cboBenutzer->setFocus();
    return true;
}

void frmLogin::Form_Terminate(const store::DataTree& tree)
{
    signin::UserList(tree).removeWorkingFiles(signin::WorkingFiles::PlainCopies);
}

void frmLogin::Fuelle_Benutzerliste()
{
    cboBenutzer->setEditText(QString());
    cboBenutzer->clear();
    txtPassword->clear();
    cboBenutzer->addItems(signin::UserList(tree()).names());
    // Adding to an empty list selects its first entry; the name stays to be chosen.
    cboBenutzer->setCurrentIndex(-1);
    cboBenutzer->setEditText(QString());
}

bool frmLogin::Melde_Ablehnung(const store::Result<signin::Entry>& outcome)
{
    if (report(outcome.outcome))
        return true;
    if (outcome.value == signin::Entry::Name) {
        cboBenutzer->setFocus();
    } else if (outcome.value == signin::Entry::Password) {
        // Selected, so that the next keystroke replaces it.
        txtPassword->setFocus();
        txtPassword->selectAll();
    }
    return false;
}

void frmLogin::Druecke_Eingabetaste()
{
    // Enter presses a button that has the focus, otherwise the default button.
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
        focused->click();
    else
        cmdOK_Click();
}

void frmLogin::cmdOK_Click()
{
    if (!Melde_Ablehnung(
            signin::UserList(tree()).signIn(cboBenutzer->currentText(), txtPassword->text())))
        return;
    ui::Navigator& next = screens();
    next.showMain();
    closeScreen();
}

void frmLogin::cmdCancel_Click()
{
    signin::UserList(tree()).removeWorkingFiles(signin::WorkingFiles::All);
    services().end.endNow();
}

bool frmLogin::Form_QueryUnload()
{
    cmdCancel_Click();
    return true;
}

void frmLogin::cmdNeuerUser_Click()
{
    ui::Navigator& next = screens();
    closeScreen();
    next.showNewUser();
}

void frmLogin::cmdUserLoeschen_Click()
{
    const auto ask = [this](const store::Message& question) {
        return message(question.text, question.title, ui::Buttons::YesNo) == ui::Answer::Yes;
    };
    const store::Result<signin::Entry> removed =
        signin::UserList(tree()).deleteUser(cboBenutzer->currentText(), txtPassword->text(), ask);
    using Status = store::Outcome::Status;
    // The list is shown anew as it stands on disk, also after a failed save.
    if (!Melde_Ablehnung(removed) && removed.outcome.status != Status::Failed)
        return;
    Fuelle_Benutzerliste();
}

} // namespace signin
