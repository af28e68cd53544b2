#pragma once

#include "exchange/Exchange.h"
#include "ui/Services.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace exchange {

// Shows a file read for import: a preview of the first rows it takes, which column gives the
// foreign word and which the German meanings, whether the first row names the columns, which
// KVTML lesson to take, the new lesson's name, and what the import will bring and leave out. Nothing is stored here; "Importieren" only accepts
// the choice, once the name passes the same checks as a new lesson's.
class frmImport final : public QDialog
{
    Q_OBJECT

public:
    // nameProblem gives the message that refuses a lesson name, or an empty text.
    frmImport(const exchange::ImportSource& source, const QString& language, ui::Services& services,
              std::function<QString(const QString&)> nameProblem, QWidget* parent = nullptr);

    [[nodiscard]] QString lessonName() const;
    [[nodiscard]] const exchange::ImportPlan& plan() const { return m_plan; }

    static inline const QString Title = QStringLiteral("Paukomat V1.1  -  Lektion importieren");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const QString& language);
    void fillChoices();
    void fillPreview();
    void spreadColumns();
    void connectControls();
    [[nodiscard]] exchange::ImportChoice choice() const;
    void Aktualisiere();
    void updateImportButton();
    void chkKopfzeile_Toggled();
    void cboLektion_Changed();
    void cmdTauschen_Click();
    void cmdImportieren_Click();

    const exchange::ImportSource& m_source;
    ui::Services& m_services;
    std::function<QString(const QString&)> m_nameProblem;
    exchange::ImportPlan m_plan;
    QString m_proposedName; // the name last proposed, replaced while the user keeps it

    QLabel* lblDatei = nullptr;
    QTableWidget* grdVorschau = nullptr;
    QComboBox* cboFremdspalte = nullptr;
    QComboBox* cboDeutschspalte = nullptr;
    QPushButton* cmdTauschen = nullptr;
    QLabel* lblHinweis = nullptr;
    QCheckBox* chkKopfzeile = nullptr;
    QComboBox* cboLektion = nullptr;
    QLabel* lblLektion = nullptr;
    QLineEdit* txtLektionsname = nullptr;
    QLabel* lblZusammenfassung = nullptr;
    QLabel* lblAusgelassen = nullptr;
    QListWidget* lstAusgelassen = nullptr;
    QPushButton* cmdImportieren = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
};

} // namespace exchange
