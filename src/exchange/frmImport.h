#pragma once

#include "exchange/Exchange.h"
#include "ui/Services.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// Shows a file read for import: a preview of its first rows, which column gives the foreign
// word and which the German meanings, which KVTML lesson to take, the new lesson's name, and
// what the import will bring and leave out. Nothing is stored here; "Importieren" only accepts
// the choice, once the name passes the same checks as a new lesson's.
class frmImport final : public QDialog
{
    Q_OBJECT

public:
    // nameProblem gives the message that refuses a lesson name, or an empty text.
    frmImport(const exchange::ImportSource& source, const QString& language,
              ui::Services& services, std::function<QString(const QString&)> nameProblem,
              QWidget* parent = nullptr);

    [[nodiscard]] QString lessonName() const;
    [[nodiscard]] const exchange::ImportPlan& plan() const { return m_plan; }

    static inline const QString Title = QStringLiteral("Paukomat V1.1  -  Lektion importieren");

private:
    void build(const QString& language);
    void fillChoices();
    void fillPreview();
    void connectControls();
    void Aktualisiere();
    void updateImportButton();
    void cmdTauschen_Click();
    void cmdImportieren_Click();

    const exchange::ImportSource& m_source;
    ui::Services& m_services;
    std::function<QString(const QString&)> m_nameProblem;
    exchange::ImportPlan m_plan;

    QLabel* lblDatei = nullptr;
    QTableWidget* grdVorschau = nullptr;
    QComboBox* cboFremdspalte = nullptr;
    QComboBox* cboDeutschspalte = nullptr;
    QPushButton* cmdTauschen = nullptr;
    QComboBox* cboLektion = nullptr;
    QLabel* lblLektion = nullptr;
    QLineEdit* txtLektionsname = nullptr;
    QLabel* lblZusammenfassung = nullptr;
    QListWidget* lstAusgelassen = nullptr;
    QPushButton* cmdImportieren = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
};
