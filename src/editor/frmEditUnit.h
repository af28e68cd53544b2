#pragma once

#include "editor/WordListModel.h"
#include "lesson/LessonFile.h"
#include "lesson/WordOrder.h"
#include "ui/ReadAloud.h"
#include "ui/ScreenBase.h"

#include <QString>

#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;

namespace editor {

// The vocabulary editor: the foreign words of one lesson in a sorted list, with fields to add a
// pair and to change the meanings of the selected one. The lesson does the work; the screen
// shows its pairs and its messages.
class frmEditUnit final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmEditUnit(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

protected:
    bool Form_QueryUnload() override;

private:
    void buildList();
    void buildNewFrame();
    void buildChangeFrame();
    void buildButtons();
    // Scales the arrangement, drawn in twips for a small font, until the font fits it.
    [[nodiscard]] double fontScale() const;
    void arrange(double scale);
    void setTabOrders();
    void connectSignals();

    void lstVokabeln_Click();
    void cmdVokabelNeu_Click();
    void cmdVokabelEdit_Click();
    void cmdVokabelDelete_Click();
    void cmdExit_Click();
    void cmdVorlesen_Click();

    void Fuelle_Liste();
    void Trenne_Zeile();
    // What every command ends with: empty fields and the first entry selected and shown.
    void showFirstEntry();
    // Selects a row as a click would, filling the change fields.
    void selectEntry(int row);
    [[nodiscard]] int rowOf(const QString& word) const;
    [[nodiscard]] QString selectedWord() const;

    QListView* lstVokabeln = nullptr;
    editor::WordListModel* m_words = nullptr;
    QGroupBox* fmeVokabelNeu = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtNewVokabelSprache = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtNewVokabelDeutsch = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* cmdVokabelNeu = nullptr;
    QGroupBox* fmeVokabelChange = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtChangeVokabelSprache = nullptr;
    std::unique_ptr<ui::ReadAloud> m_readAloud;
    QToolButton* cmdVorlesen = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtChangeVokabelDeutsch = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* cmdVokabelEdit = nullptr;
    QPushButton* cmdVokabelDelete = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdHelp = nullptr;

    QString Name1;
    QString VokabelZeile;
    QString VokabelSprache;
    QString VokabelDeutsch;

    std::optional<lesson::LessonFile> m_lesson;
    lesson::WordOrder m_order;
};

} // namespace editor
