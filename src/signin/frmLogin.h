#pragma once

#include "ui/ScreenBase.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace signin {
enum class Entry;
}

namespace signin {

// Sign-in: pick or type a user name, give the password, and go on to the main screen; from here
// a user is also created (on the new-user screen) or deleted, and the program is left.
class frmLogin final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmLogin(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;
    // Runs when the program ends, not when the screen closes: the new-user screen still reads
    // the plain user list after this screen has gone.
    static void Form_Terminate(const store::DataTree& tree);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdNeuerUser_Click();
    void cmdUserLoeschen_Click();

protected:
    bool Form_QueryUnload() override;

private:
    void createControls();
    void createButtons();
    void placeControls();
    void connectControls();

    void Fuelle_Benutzerliste();
    // Shows how a command went; after a refusal the focus goes to the entry to correct. True when
    // it was done.
    bool Melde_Ablehnung(const store::Result<signin::Entry>& outcome);
    void Druecke_Eingabetaste();

    QList<QLabel*> lblLabels;
    QComboBox* cboBenutzer = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdNeuerUser = nullptr;
    QPushButton* cmdUserLoeschen = nullptr;
    QPushButton* cmdHelp = nullptr;
    QLabel* Image1 = nullptr;
};

} // namespace signin
