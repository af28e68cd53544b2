#include "results/frmErgebnis.h"

#include "results/ResultReport.h"
#include "results/RunChart.h"
#include "store/TextRules.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace results {

namespace {

// Twips of the form layout to pixels.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

// A list wide enough for the separator line in the fonts at hand, which may be wider than those
// the layout was drawn for.
int widthFor(const QListWidget* list, int width)
{
    const int needed = list->fontMetrics().horizontalAdvance(results::ResultReport::SeparatorLine)
        + 2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    return std::max(width, needed);
}

constexpr int ChartHeight = 200;

ui::PrintLine printed(const results::PrintedLine& line)
{
    const QString font = QStringLiteral("Times New Roman");
    switch (line.style) {
    case results::PrintStyle::Title:
        return {line.text, font, 14, true, true};
    case results::PrintStyle::Totals:
        return {line.text, font, 12, true, false};
    case results::PrintStyle::Runs:
        break;
    }
    return {line.text, font, 12, false, false};
}

} // namespace

frmErgebnis::frmErgebnis(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmErgebnis"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 - Ergebnisse"));
    createControls();
    placeControls();
    connectControls();
}

void frmErgebnis::createControls()
{
    lstGErgebnis = new QListWidget(this);
    lstGErgebnis->setObjectName(QStringLiteral("lstGErgebnis"));
    QFont bold(QStringLiteral("Sans Serif"), 12, QFont::Bold);
    bold.setStyleHint(QFont::SansSerif);
    lstGErgebnis->setFont(bold);

    lstErgebnisse = new QListWidget(this);
    lstErgebnisse->setObjectName(QStringLiteral("lstErgebnisse"));
    // Thousands of run blocks: equal rows spare the list measuring every entry. The separator
    // line comes first and is its longest entry, so no text gets cut by this.
    lstErgebnisse->setUniformItemSizes(true);

    cmdCancel = createButton(this, QStringLiteral("cmdCancel"), QStringLiteral("OK"),
                             QStringLiteral("Zurück zum Paukomat Dialog"));
    cmdPrintErgebnis =
        createButton(this, QStringLiteral("cmdPrintErgebnis"), QStringLiteral("Drucken"),
                     QStringLiteral("Ausgabe der Ergebnisse auf dem Drucker"));
    cmdHelp = createHelpButton();
    picVerlauf = new results::RunChart(this);
    picVerlauf->setObjectName(QStringLiteral("picVerlauf"));
    lblKaesten = new QLabel(this);
    lblKaesten->setObjectName(QStringLiteral("lblKaesten"));
    lblKaesten->setToolTip(QStringLiteral("wie viele Vokabeln der Lektion in jedem der fünf "
                                          "Kästen stehen"));
}

void frmErgebnis::placeControls()
{
    // Where a list grows for the separator line, the right-hand side moves along.
    const QRect left = twips(240, 360, 3975, 4560);
    lstGErgebnis->setGeometry(left.x(), left.y(), widthFor(lstGErgebnis, left.width()),
                              left.height());
    const int shift = lstGErgebnis->geometry().right() - left.right();
    const QRect right = twips(4800, 360, 3375, 4545).translated(shift, 0);
    lstErgebnisse->setGeometry(right.x(), right.y(), widthFor(lstErgebnisse, right.width()),
                               right.height());
    const int grow = shift + lstErgebnisse->width() - right.width();
    // The chart of the runs goes below both lists; the buttons and the window move down for it.
    const int chartTop = left.bottom() + 12;
    picVerlauf->setGeometry(left.x(), chartTop, lstErgebnisse->geometry().right() - left.x(),
                            ChartHeight);
    // The box counts go on one line below the chart.
    const int countsHeight = lblKaesten->sizeHint().height();
    lblKaesten->setGeometry(left.x(), picVerlauf->geometry().bottom() + 8, picVerlauf->width(),
                            countsHeight);
    const int down = lblKaesten->geometry().bottom() + 12 - twips(0, 5160, 0, 0).y();
    cmdCancel->setGeometry(twips(240, 5160, 1455, 375).translated(0, down));
    cmdPrintErgebnis->setGeometry(twips(2040, 5160, 1575, 375).translated(0, down));
    cmdHelp->setGeometry(twips(6720, 5160, 1500, 390).translated(grow, down));
    setFixedSize(twips(0, 0, 8655, 5640).size() + QSize(grow, down));

    setTabOrder(lstGErgebnis, cmdPrintErgebnis);
    setTabOrder(cmdPrintErgebnis, lstErgebnisse);
    setTabOrder(lstErgebnisse, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
}

void frmErgebnis::connectControls()
{
    connect(cmdCancel, &QPushButton::clicked, this, &frmErgebnis::cmdCancel_Click);
    connect(cmdPrintErgebnis, &QPushButton::clicked, this, &frmErgebnis::cmdPrintErgebnis_Click);
}

bool frmErgebnis::Form_Load()
{
    m_results = results::LessonResults::load(tree());
    if (!report(m_results.outcome()))
        return false;
    lstGErgebnis->addItems(m_results.totals());
    lstErgebnisse->addItems(m_results.runs());
    picVerlauf->setRuns(m_results.scores());
    lblKaesten->setText(m_results.boxCounts().isEmpty()
                            ? QStringLiteral("Die Lektion enthält keine Vokabeln.")
                            : m_results.boxLine());
    lstGErgebnis->setFocus();
    return true;
}

void frmErgebnis::cmdCancel_Click()
{
    closeScreen();
    screens().showExercise();
}

bool frmErgebnis::Form_QueryUnload()
{
    cmdCancel_Click();
    return true;
}

QList<ui::PrintLine> frmErgebnis::Druckzeilen() const
{
    QList<ui::PrintLine> lines;
    for (const results::PrintedLine& line : m_results.printLines())
        lines.append(printed(line));
    return lines;
}

ui::PrintDocument frmErgebnis::Druckdokument() const
{
    ui::PrintDocument document;
    document.lines = Druckzeilen();
    document.chart = [runs = m_results.scores()](QPainter& painter, const QRectF& area) {
        results::paintRunChart(painter, area, runs);
    };
    return document;
}

void frmErgebnis::cmdPrintErgebnis_Click()
{
    // A cancelled or failed printout has been dealt with by the printer; the screen stays as is.
    services().printer.printDocument(this, Druckdokument());
}

} // namespace results
