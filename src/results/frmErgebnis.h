#pragma once

#include "results/LessonResults.h"
#include "ui/ScreenBase.h"
#include "ui/Services.h"

#include <QList>

class QLabel;
class QListWidget;
namespace results {
class RunChart;
}
class QPushButton;

namespace results {

// The stored results of one lesson: totals on the left, one block per completed run on the
// right. The screen only reads; it changes no file.
class frmErgebnis final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmErgebnis(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

    // What "Drucken" prints: a title, then the entries of both lists.
    [[nodiscard]] QList<ui::PrintLine> Druckzeilen() const;
    // The same lines, followed by the progress chart.
    [[nodiscard]] ui::PrintDocument Druckdokument() const;

protected:
    bool Form_QueryUnload() override;

private slots:
    void cmdCancel_Click();
    void cmdPrintErgebnis_Click();

private:
    void createControls();
    void placeControls();
    void connectControls();

    QListWidget* lstGErgebnis = nullptr;
    QListWidget* lstErgebnisse = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrintErgebnis = nullptr;
    QPushButton* cmdHelp = nullptr;
    results::RunChart* picVerlauf = nullptr;
    QLabel* lblKaesten = nullptr;

    results::LessonResults m_results;
};

} // namespace results
