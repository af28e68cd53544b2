#include "results/frmErgebnis.h"

#include "handoff/HandOff.h"
#include "results/ResultReport.h"
#include "store/Cp1252.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

// Twips of the form layout to pixels.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

} // namespace

frmErgebnis::frmErgebnis(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmErgebnis"));
    setWindowTitle(QStringLiteral("Paukomat V1.1 - Ergebnisse"));

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
    cmdPrintErgebnis = createButton(this, QStringLiteral("cmdPrintErgebnis"),
                                    QStringLiteral("Drucken"),
                                    QStringLiteral("Ausgabe der Ergebnisse auf dem Drucker"));

    cmdHelp = createHelpButton();

    // Both lists are made wide enough for the separator line in the fonts at hand, which may be
    // wider than those the layout was drawn for; the right-hand side moves along.
    const auto widthFor = [](QListWidget* list, int width) {
        const QString& line = results::ResultReport::SeparatorLine;
        const int needed = list->fontMetrics().horizontalAdvance(line) + 2 * list->frameWidth()
            + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
        return std::max(width, needed);
    };
    const QRect left = twips(240, 360, 3975, 4560);
    lstGErgebnis->setGeometry(left.x(), left.y(), widthFor(lstGErgebnis, left.width()),
                              left.height());
    const int shift = lstGErgebnis->geometry().right() - left.right();
    const QRect right = twips(4800, 360, 3375, 4545).translated(shift, 0);
    lstErgebnisse->setGeometry(right.x(), right.y(), widthFor(lstErgebnisse, right.width()),
                               right.height());
    const int grow = shift + lstErgebnisse->width() - right.width();
    cmdCancel->setGeometry(twips(240, 5160, 1455, 375));
    cmdPrintErgebnis->setGeometry(twips(2040, 5160, 1575, 375));
    cmdHelp->setGeometry(twips(6720, 5160, 1500, 390).translated(grow, 0));
    setFixedSize(twips(0, 0, 8655, 5640).size() + QSize(grow, 0));

    setTabOrder(lstGErgebnis, cmdPrintErgebnis);
    setTabOrder(cmdPrintErgebnis, lstErgebnisse);
    setTabOrder(lstErgebnisse, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    connect(cmdCancel, &QPushButton::clicked, this, &frmErgebnis::cmdCancel_Click);
    connect(cmdPrintErgebnis, &QPushButton::clicked, this, &frmErgebnis::cmdPrintErgebnis_Click);
}

bool frmErgebnis::Form_Load()
{
    if (!Lies_Uebergabe())
        return false;

    // A missing result file means that no run has been completed; it is not created here.
    const QFileInfo info(ErgebnDatei);
    if (info.exists()) {
        QFile file(ErgebnDatei);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
            message(QStringLiteral("Die Ergebnisse der Lektion \"%1\" können nicht angezeigt "
                                   "werden: Die Datei \"%2\" kann nicht gelesen werden.")
                        .arg(Lektion, info.fileName()),
                    store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
            return false;
        }
    }

    const results::ResultReport report = results::ResultReport::build(
        Nutzer, Sprache, Lektion, store::TextFile::readRawLines(ErgebnDatei));
    lstGErgebnis->addItems(report.gesamt());
    lstErgebnisse->addItems(report.einzel());
    lstGErgebnis->setFocus();
    return true;
}

bool frmErgebnis::Lies_Uebergabe()
{
    const handoff::Read<handoff::ResultsRequest> request = handoff::readResultsRequest(tree());
    if (request.problem == handoff::Problem::Missing) {
        message(QStringLiteral("Die Ergebnisse können nicht angezeigt werden: Die Datei "
                               "\"%1\" fehlt oder ist unvollständig.")
                    .arg(handoff::ResultsRequestFile),
                store::ErrorTitle, ui::Buttons::Ok, ui::Icon::Stop);
        return false;
    }
    if (!request.ok()) {
        message(store::unsafeNameMessage(request.unsafeName), store::ErrorTitle, ui::Buttons::Ok,
                ui::Icon::Stop);
        return false;
    }
    Nutzer = request.value.user;
    Sprache = request.value.language;
    Lektion = request.value.lesson;
    ErgebnDatei = request.value.resultFile;
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
    const QString font = QStringLiteral("Times New Roman");
    QList<ui::PrintLine> lines;
    lines.reserve(4 + lstGErgebnis->count() + lstErgebnisse->count());
    lines.append({QStringLiteral("Paukomat V1.1"), font, 14, true, true});
    for (int i = 0; i < 3; ++i)
        lines.append({QStringLiteral(" "), font, 14, true, true});
    for (int i = 0; i < lstGErgebnis->count(); ++i)
        lines.append({lstGErgebnis->item(i)->text(), font, 12, true, false});
    for (int i = 0; i < lstErgebnisse->count(); ++i)
        lines.append({lstErgebnisse->item(i)->text(), font, 12, false, false});
    return lines;
}

void frmErgebnis::cmdPrintErgebnis_Click()
{
    // A cancelled or failed printout has been dealt with by the printer; the screen stays as is.
    services().printer.print(this, Druckzeilen());
}
