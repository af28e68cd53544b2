#pragma once

#include "results/RunHistory.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

namespace results {

// The most runs the chart shows, the latest ones: more bars would be too thin to tell apart.
inline constexpr qsizetype RunChartBars = 50;

// The colour of a grade's bar, from green for 1 to red for 6; grey for anything else.
[[nodiscard]] QColor gradeColor(int grade);

// The note beside the chart's title on how many runs it shows: "1 Übung", "12 Übungen",
// "letzte 50 von 10000 Übungen"; empty when there are none.
[[nodiscard]] QString runChartCaption(qsizetype runs);

// Paints the progress chart of a lesson into area: a title with the note above, the axis from
// 0 to 100 %, the grade bands marked by lines at 95, 80, 65, 50 and 31 % with the grades beside
// them, and one bar per run, oldest left, as high as its percentage and coloured by its grade.
// A damaged run leaves its place empty. Without runs the chart says that none is completed.
// Sizes follow the device's resolution, so the same call serves a widget and a printed page.
void paintRunChart(QPainter& painter, const QRectF& area, const QList<RunScore>& runs);

// The progress chart as a widget; its user gives it an objectName.
class RunChart final : public QWidget
{
    Q_OBJECT

public:
    explicit RunChart(QWidget* parent = nullptr);

    void setRuns(QList<RunScore> runs);
    [[nodiscard]] const QList<RunScore>& runs() const { return m_runs; }
    // The note beside the title, as painted.
    [[nodiscard]] QString caption() const { return runChartCaption(m_runs.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<RunScore> m_runs;
};

} // namespace results
