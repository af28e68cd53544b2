#include "ui/QtServices.h"

#include "results/RunChart.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextLayout>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace ui {

Answer QtMessageBox::show(QWidget* parent, const QString& text, const QString& title,
                          Buttons buttons, Icon icon)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Stop: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons == Buttons::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Answer::Ok;
}

QString QtInputBox::ask(QWidget* parent, const QString& prompt, const QString& title)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

QtHelpViewer::QtHelpViewer(MessageBox& messages)
    : m_messages(messages)
{
}

QtHelpViewer::~QtHelpViewer()
{
    delete m_window;
}

void QtHelpViewer::showHelp(QWidget* parent)
{
    QFile file(m_file);
    if (m_file.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_messages.show(parent,
                        QStringLiteral("Die Hilfedatei \"%1\" wurde nicht gefunden.")
                            .arg(QFileInfo(m_file).fileName().isEmpty()
                                     ? QStringLiteral("Paukomat.hlp")
                                     : QFileInfo(m_file).fileName()),
                        QStringLiteral("Paukomat V1.1"), Buttons::Ok, Icon::Exclamation);
        return;
    }
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setObjectName(QStringLiteral("helpViewer"));
        m_window->setWindowTitle(QStringLiteral("Paukomat V1.1 - Hilfe"));
        m_window->setOpenExternalLinks(false);
        m_window->resize(640, 560);
    }
    m_window->setSearchPaths({QFileInfo(m_file).absolutePath()});
    m_window->setHtml(QString::fromUtf8(file.readAll()));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool QtPrinter::print(QWidget* parent, const QList<PrintLine>& lines)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Paukomat V1.1"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Paukomat V1.1 - Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!renderLines(printer, lines)) {
        m_messages.show(parent, QStringLiteral("Der Ausdruck konnte nicht erstellt werden."),
                        QStringLiteral("Paukomat V1.1  -  Fehler"), Buttons::Ok, Icon::Stop);
        return false;
    }
    return true;
}

bool QtPrinter::renderLines(QPagedPaintDevice& device, const QList<PrintLine>& lines)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pageHeight = painter.viewport().height();
    int y = 0;
    for (const PrintLine& line : lines) {
        QFont font(line.fontName);
        font.setPointSize(line.pointSize);
        font.setBold(line.bold);
        font.setUnderline(line.title);
        painter.setFont(font);
        const QFontMetrics metrics(font, &device);
        if (y > 0 && y + metrics.height() > pageHeight) {
            if (!device.newPage())
                return false;
            y = 0;
        }
        // A line of blanks only takes its room: drawn underlined it would leave stray marks.
        if (!line.text.trimmed().isEmpty())
            painter.drawText(0, y + metrics.ascent(), line.text);
        y += metrics.lineSpacing();
    }
    return painter.end();
}

bool QtPrinter::printDocument(QWidget* parent, const PrintDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Paukomat V1.1"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Paukomat V1.1 - Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!renderDocument(printer, document)) {
        m_messages.show(parent, QStringLiteral("Der Ausdruck konnte nicht erstellt werden."),
                        QStringLiteral("Paukomat V1.1  -  Fehler"), Buttons::Ok, Icon::Stop);
        return false;
    }
    return true;
}

namespace {

// The chart is about half as high as the page is wide; it may shrink to fit the rest of a page
// down to a third, below that it goes on a page of its own.
constexpr qreal ChartHeightPerWidth = 0.5;
constexpr qreal ChartHeightAtLeast = 0.33;
// Room between the two columns, as a share of the page width; and the widest the first column
// may grow, so the meanings keep the larger part of the line.
constexpr qreal ColumnGap = 0.04;
constexpr qreal FirstColumnAtMost = 0.42;

QFont lineFont(const PrintLine& line)
{
    QFont font(line.fontName);
    font.setPointSize(line.pointSize);
    font.setBold(line.bold);
    font.setUnderline(line.title);
    return font;
}

// The printed lines of a text within a width: broken between words, inside a word only when the
// word alone is wider. At least one line, which may be empty.
QStringList wrapped(const QString& text, const QFont& font, QPaintDevice* device, qreal width)
{
    if (QFontMetricsF(font, device).horizontalAdvance(text) <= width)
        return {text};
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines.append(QString());
    return lines;
}

struct PlacedText
{
    QFont font;
    QPointF baseline;
    QString text;
};

struct PrintedPage
{
    QList<PlacedText> texts;
    std::optional<QRectF> chart;
};

QString pageNumberText(int page, int pages)
{
    return QStringLiteral("Seite %1 von %2").arg(page).arg(pages);
}

} // namespace

bool QtPrinter::renderDocument(QPagedPaintDevice& device, const PrintDocument& document)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal width = painter.viewport().width();
    const qreal pageHeight = painter.viewport().height();
    const QFont footerFont(QStringLiteral("Times New Roman"), 10);
    const QFontMetricsF footerMetrics(footerFont, &device);
    const qreal footerRoom = document.pageNumbers ? 2 * footerMetrics.lineSpacing() : 0;
    const qreal bodyHeight = std::max<qreal>(pageHeight - footerRoom, 1);

    // The first column is as wide as its widest text, within its share of the page.
    qreal firstWidth = 0;
    for (const PrintLine& line : document.lines) {
        if (line.secondColumn) {
            const QFontMetricsF metrics(lineFont(line), &device);
            firstWidth = std::max(firstWidth, metrics.horizontalAdvance(line.text));
        }
    }
    firstWidth = std::max<qreal>(std::min(firstWidth, width * FirstColumnAtMost), 1);
    const qreal secondX = firstWidth + width * ColumnGap;
    const qreal secondWidth = std::max<qreal>(width - secondX, 1);

    // Laid out first, so that every page knows how many there are.
    QList<PrintedPage> pages(1);
    qreal y = 0;
    const auto place = [&](const QFont& font, qreal x, qreal baseline, const QString& text) {
        // A line of blanks only takes its room: drawn underlined it would leave stray marks.
        if (!text.trimmed().isEmpty())
            pages.last().texts.append({font, QPointF(x, baseline), text});
    };
    for (const PrintLine& line : document.lines) {
        const QFont font = lineFont(line);
        const QFontMetricsF metrics(font, &device);
        const QStringList left =
            wrapped(line.text, font, &device, line.secondColumn ? firstWidth : width);
        const QStringList right = line.secondColumn
            ? wrapped(*line.secondColumn, font, &device, secondWidth)
            : QStringList();
        const qsizetype rows = std::max(left.size(), right.size());
        // A wrapped line starts on a new page rather than being torn apart, unless it is longer
        // than a page.
        const qreal needed =
            static_cast<qreal>(rows - 1) * metrics.lineSpacing() + metrics.height();
        if (y > 0 && y + needed > bodyHeight && needed <= bodyHeight) {
            pages.append(PrintedPage());
            y = 0;
        }
        for (qsizetype row = 0; row < rows; ++row) {
            if (y > 0 && y + metrics.height() > bodyHeight) {
                pages.append(PrintedPage());
                y = 0;
            }
            if (row < left.size())
                place(font, 0, y + metrics.ascent(), left.at(row));
            if (row < right.size())
                place(font, secondX, y + metrics.ascent(), right.at(row));
            y += metrics.lineSpacing();
        }
    }
    if (document.chart) {
        const qreal gap =
            QFontMetricsF(QFont(QStringLiteral("Times New Roman"), 12), &device).lineSpacing();
        qreal top = y > 0 ? y + gap : 0;
        qreal height = std::min(width * ChartHeightPerWidth, bodyHeight - top);
        if (top > 0 && height < width * ChartHeightAtLeast) {
            pages.append(PrintedPage());
            top = 0;
            height = std::min(width * ChartHeightPerWidth, bodyHeight);
        }
        pages.last().chart = QRectF(0, top, width, height);
    }

    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        const PrintedPage& page = pages.at(i);
        const QFont* current = nullptr;
        for (const PlacedText& text : page.texts) {
            if (!current || *current != text.font)
                painter.setFont(text.font);
            current = &text.font;
            painter.drawText(text.baseline, text.text);
        }
        if (page.chart) {
            painter.save();
            painter.setFont(QFont());
            results::paintRunChart(painter, *page.chart, *document.chart);
            painter.restore();
        }
        if (document.pageNumbers) {
            painter.setFont(footerFont);
            painter.drawText(QRectF(0, pageHeight - footerMetrics.height(), width,
                                    footerMetrics.height()),
                             Qt::AlignHCenter | Qt::AlignBottom, pageNumberText(i + 1, count));
        }
    }
    return painter.end();
}

void QtProgramEnd::endNow()
{
    // Hiding never runs a window's close handler, so no screen asks or saves anything more.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::quit();
}

} // namespace ui
