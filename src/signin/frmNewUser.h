#pragma once

#include "ui/ScreenBase.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace signin {

// Creates a user: name and password, checked and added to the user list with the user's
// directory; always left towards a fresh sign-in screen.
class frmNewUser final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmNewUser(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

    void cmdNimmNutzer_Click();
    void cmdCancel_Click();

protected:
    bool Form_QueryUnload() override;

private:
    void createControls();
    void placeControls();
    void connectControls();

    // Shows how the new user's entry went; after a refusal the user may correct it. True unless
    // it was refused.
    bool Weise_Zurueck(const store::Outcome& outcome);

    QLabel* Label1 = nullptr;
    QLineEdit* txtBenutzerName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtKennwort1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtKennwort2 = nullptr;
    QPushButton* cmdNimmNutzer = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
};

} // namespace signin
