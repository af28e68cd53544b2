#pragma once

#include "ui/ScreenBase.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

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

    // False when the text holds a character of Unerlaubt.
    [[nodiscard]] bool Check_Zeichen(const QString& text) const;
    // Shows the message of the first missing or mismatching entry.
    bool Check_If_komplett();
    [[nodiscard]] bool Check_If_Unikat() const;

    QLabel* Label1 = nullptr;
    QLineEdit* txtBenutzerName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtKennwort1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtKennwort2 = nullptr;
    QPushButton* cmdNimmNutzer = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

    QString Pfad;
    // Characters that neither a user name nor a password may hold.
    const QString Unerlaubt = QStringLiteral("!§$%&/()=?'*+~.:,;<>|{[]}\\#^@^");

protected:
    bool Form_QueryUnload() override;

private:
    void Weise_Zurueck(const QString& text, const QString& title);
};
