#pragma once

#include "lesson/WordPair.h"
#include "library/Library.h"
#include "ui/ScreenBase.h"

#include <optional>

class QAction;
class QGroupBox;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace mainwindow {

// The hub after sign-in: the user's languages, the lessons of the chosen language, the commands
// that create, rename and delete both, and the way into the editor and the exercise. The lists
// and their files belong to library::Library; this screen shows them and asks the user.
class frmMain final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmMain(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

protected:
    bool Form_QueryUnload() override;

private:
    // What a command needs in the lists before it asks the user anything.
    enum class Needed { Language, Lesson };
    // Where the chosen lesson goes: the editor or the drill.
    enum class LessonUse { Edit, Learn };

    void buildMenus();
    void buildLists();
    void buildButtons();
    void arrange();
    void connectSignals();

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
    // Word lists in and out; in frmMainTransfer.cpp.
    void mnuLektionImport_Click();
    void mnuLektionExport_Click();
    void mnuVokabellisteDrucken_Click();
    // The pairs of the chosen lesson; none when there is no lesson or it cannot be read.
    std::optional<QList<lesson::WordPair>> chosenLessonPairs();

    bool Ist_AuswahlVorhanden(Needed needed);
    void Oeffne_Lektion(LessonUse use);
    void Fuelle_Sprachen();
    void Fuelle_Lektionen();
    bool Check_Zeichen(const QString& name);

    [[nodiscard]] QString chosenLanguage() const;
    [[nodiscard]] QString chosenLesson() const;
    void setGoToolTip();
    [[nodiscard]] QString ask(const QString& prompt);
    // Asks Yes or No; true on Yes.
    [[nodiscard]] bool confirm(const QString& question);
    // Asks, cleans up the hand-off files and ends the program; false when the user said No.
    bool confirmEnd();

    library::Library m_library;

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
    QAction* mnuLektionImport = nullptr;
    QAction* mnuLektionExport = nullptr;
    QAction* mnuVokabellisteDrucken = nullptr;

    QGroupBox* fmeSprachen = nullptr;
    QListWidget* lstSprachen = nullptr;
    QGroupBox* fmeLektionen = nullptr;
    QListWidget* lstLektionen = nullptr;
    QPushButton* btnEnd = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* BtnGo = nullptr;
};

} // namespace mainwindow
