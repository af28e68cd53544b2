#include "results/RunChart.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace results {
namespace {

const QColor Ink(0x20, 0x20, 0x20);
const QColor Faint(0x70, 0x70, 0x70);
const QColor BandLine(0xb4, 0xb4, 0xb4);

// The lower limits of the grades 1 to 5 and the ends of the axis, top down.
constexpr std::array<double, 7> BandLimits = {100, 95, 80, 65, 50, 31, 0};
// Bars keep the width they have at this many runs, so a few runs do not make broad blocks.
constexpr qsizetype FewestSlots = 10;

} // namespace

QColor gradeColor(int grade)
{
    switch (grade) {
    case 1:
        return {0x2e, 0x7d, 0x32};
    case 2:
        return {0x7c, 0xb3, 0x42};
    case 3:
        return {0xc0, 0xca, 0x33};
    case 4:
        return {0xff, 0xb3, 0x00};
    case 5:
        return {0xf4, 0x51, 0x1e};
    case 6:
        return {0xc6, 0x28, 0x28};
    default:
        return {0x9e, 0x9e, 0x9e};
    }
}

QString runChartCaption(qsizetype runs)
{
    if (runs <= 0)
        return {};
    if (runs == 1)
        return QStringLiteral("1 Übung");
    if (runs <= RunChartBars)
        return QStringLiteral("%1 Übungen").arg(runs);
    return QStringLiteral("letzte %1 von %2 Übungen").arg(RunChartBars).arg(runs);
}

void paintRunChart(QPainter& painter, const QRectF& area, const QList<RunScore>& runs)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPaintDevice* device = painter.device();
    // One pixel of a screen at the usual resolution, in the device's units.
    const qreal u = device ? device->logicalDpiY() / 96.0 : 1.0;

    QFont titleFont = painter.font();
    titleFont.setPointSizeF(10);
    titleFont.setBold(true);
    titleFont.setUnderline(false);
    QFont labelFont = titleFont;
    labelFont.setPointSizeF(8);
    labelFont.setBold(false);
    const QFontMetricsF titleMetrics(titleFont, device);
    const QFontMetricsF labelMetrics(labelFont, device);
    const QRectF inner = area.adjusted(4 * u, 4 * u, -4 * u, -4 * u);

    // Title on the left, the note on how many runs are shown on the right.
    const QString caption = runChartCaption(runs.size());
    const QRectF titleRow(inner.left(), inner.top(), inner.width(), titleMetrics.height());
    const qreal captionWidth =
        caption.isEmpty() ? 0 : labelMetrics.horizontalAdvance(caption) + 8 * u;
    painter.setPen(Ink);
    painter.setFont(titleFont);
    painter.drawText(titleRow.adjusted(0, 0, -captionWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(QStringLiteral("Verlauf: Prozent richtig je Übung"),
                                             Qt::ElideRight, titleRow.width() - captionWidth));
    painter.setFont(labelFont);
    painter.drawText(titleRow, Qt::AlignRight | Qt::AlignVCenter, caption);

    // Room for the percentages on the left, the grades on the right and the run numbers below.
    const qreal labelHeight = labelMetrics.height();
    const QRectF plot(
        QPointF(inner.left() + labelMetrics.horizontalAdvance(QStringLiteral("100 %")) + 6 * u,
                titleRow.bottom() + 6 * u + labelHeight / 2),
        QPointF(inner.right() - labelMetrics.horizontalAdvance(QStringLiteral("6")) - 10 * u,
                inner.bottom() - labelHeight - 3 * u));
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto yFor = [&plot](double percent) {
        return plot.bottom() - percent / 100 * plot.height();
    };

    painter.setPen(QPen(BandLine, u, Qt::DashLine));
    for (std::size_t i = 1; i + 1 < BandLimits.size(); ++i)
        painter.drawLine(QPointF(plot.left(), yFor(BandLimits[i])),
                         QPointF(plot.right(), yFor(BandLimits[i])));
    painter.setPen(Ink);
    for (std::size_t grade = 1; grade < BandLimits.size(); ++grade) {
        const qreal middle = yFor((BandLimits[grade - 1] + BandLimits[grade]) / 2);
        painter.drawText(QRectF(plot.right() + 6 * u, middle - labelHeight / 2,
                                inner.right() - plot.right() - 6 * u, labelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(grade));
    }
    for (const double percent : {0.0, 50.0, 100.0})
        painter.drawText(QRectF(inner.left(), yFor(percent) - labelHeight / 2,
                                plot.left() - inner.left() - 4 * u, labelHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 %").arg(percent, 0, 'f', 0));

    if (runs.isEmpty()) {
        QFont noteFont = labelFont;
        noteFont.setPointSizeF(9);
        painter.setFont(noteFont);
        painter.setPen(Faint);
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("Noch keine Übung abgeschlossen."));
        painter.setFont(labelFont);
    } else {
        // Only the latest runs are painted, so a long history costs no more than a short one.
        const qsizetype shown = std::min(runs.size(), RunChartBars);
        const qsizetype first = runs.size() - shown;
        const qreal slot = plot.width() / static_cast<qreal>(std::max(shown, FewestSlots));
        const qreal barWidth = std::max(slot * 0.7, u);
        for (qsizetype k = 0; k < shown; ++k) {
            const RunScore& run = runs.at(first + k);
            if (!run.hasBar())
                continue;
            // A run with nothing right still shows a sliver, so it is not taken for a gap.
            const qreal height = std::max(*run.percent / 100 * plot.height(), 2 * u);
            const qreal left = plot.left() + static_cast<qreal>(k) * slot + (slot - barWidth) / 2;
            painter.fillRect(QRectF(left, plot.bottom() - height, barWidth, height),
                             gradeColor(run.grade));
        }
        // Run numbers as the results list counts them: the newest always, then back from it
        // as often as they fit.
        const qreal numberWidth =
            labelMetrics.horizontalAdvance(QString::number(runs.size())) + 6 * u;
        const auto step =
            std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(numberWidth / slot)));
        painter.setPen(Ink);
        for (qsizetype k = shown - 1; k >= 0; k -= step) {
            const qreal centre = plot.left() + (static_cast<qreal>(k) + 0.5) * slot;
            painter.drawText(
                QRectF(centre - numberWidth / 2, plot.bottom() + 3 * u, numberWidth, labelHeight),
                Qt::AlignHCenter | Qt::AlignTop, QString::number(first + k + 1));
        }
    }

    painter.setPen(QPen(Ink, u));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.restore();
}

RunChart::RunChart(QWidget* parent)
    : QWidget(parent)
{ }

void RunChart::setRuns(QList<RunScore> runs)
{
    m_runs = std::move(runs);
    update();
}

void RunChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The chart's colours are made for a light ground, whatever the style's colours are.
    painter.fillRect(rect(), Qt::white);
    painter.setFont(font());
    paintRunChart(painter, QRectF(rect()), m_runs);
}

} // namespace results
