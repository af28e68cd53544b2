#pragma once

#include "lessons/ListFile.h"
#include "ui/ScreenBase.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

// The hub after sign-in: the user's languages, the lessons of the chosen language, the commands
// that create, rename and delete both, and the way into the editor and the exercise.
class frmMain final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmMain(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

    QMenuBar* mnuBar = nullptr;
    QMenu* mnuSprache = nullptr;
    QAction* mnuNeueSprache = nullptr;
    QAction* mnuTitleSprache = nullptr;
    QAction* mnuSpracheDelete = nullptr;
    QMenu* mnuLektionen = nullptr;
    QAction* mnuNeueLektion = nullptr;
    QAction* mnuLektionEdit = nullptr;
    QAction* mnuTitleLektion = nullptr;
    QAction* mnuLektionDelete = nullptr;

    QGroupBox* fmeSprachen = nullptr;
    QListWidget* lstSprachen = nullptr;
    QGroupBox* fmeLektionen = nullptr;
    QListWidget* lstLektionen = nullptr;
    QPushButton* btnEnd = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* BtnGo = nullptr;
    QLineEdit* txtLektDatei = nullptr;

    // State of the screen while it is loaded.
    QString Pfad;
    QString Nutzer;
    QString Datei;
    int MaxSprache = 0;
    int MaxLektion = 0;
    QString Unerlaubt;

    void lstSprachen_Click();
    void lstLektionen_Click();
    void BtnGo_Click();
    void mnuLektionEdit_Click();
    void btnEnd_Click();
    void mnuNeueSprache_Click();
    void mnuTitleSprache_Click();
    void mnuSpracheDelete_Click();
    void mnuNeueLektion_Click();
    void mnuTitleLektion_Click();
    void mnuLektionDelete_Click();

    bool Ist_AuswahlVorhanden(int Nr);
    void Oeffne_Lektion(const QString& mode);
    void Fuelle_Sprachen();
    void Fuelle_Lektionen();
    bool Check_Zeichen(const QString& name);

protected:
    bool Form_QueryUnload() override;

private:
    [[nodiscard]] QString chosenLanguage() const;
    [[nodiscard]] QString chosenLesson() const;
    void setGoToolTip();
    // Shows a message titled like every message of this screen.
    void say(const QString& text);
    // A name or key read from a list file may only become part of a path when it is safe.
    bool refuseUnsafe(const QString& name);
    bool refuseUnusableKey(const QString& language, const QString& key);
    bool refuseUnusableLessonKey(const QString& lesson, const QString& key);
    // Reads the list file Datei for a command that rewrites it; false after telling the user
    // that it cannot be read, so a list is never rebuilt from nothing.
    bool readForRewrite(lessons::ListLines& lines);
    // Replaces the list file Datei, naming it for the user when that fails.
    [[nodiscard]] store::FileResult saveList(const lessons::ListLines& lines);
    [[nodiscard]] QString listSubject() const;
    // Shows a refusal; false when there is none.
    bool refuse(const QString& refusal);
    // A key not of the program's own form comes from a file changed outside the program.
    bool refuseDamagedKey(const QString& where, const QString& name);
    // Asks, cleans up the hand-off files and ends the program; false when the user said No.
    bool confirmEnd();
};
