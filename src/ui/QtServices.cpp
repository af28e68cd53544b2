#include "ui/QtServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
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
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
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

QString QtFileDialogs::openFile(QWidget* parent, const QString& title, const QString& filters)
{
    return QFileDialog::getOpenFileName(parent, title, QDir::homePath(), filters);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& title, const QString& proposedName,
                                const QString& filters, QString* selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(proposedName), filters,
                                        selectedFilter);
}

QtHelpViewer::QtHelpViewer(MessageBox& messages)
    : m_messages(messages)
{ }

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

namespace {

// Where every text and the chart go, page by page; laid out before painting so that every page
// knows how many there are.
class DocumentLayout
{
public:
    DocumentLayout(QPaintDevice& device, qreal width, qreal bodyHeight)
        : m_device(device)
        , m_width(width)
        , m_bodyHeight(bodyHeight)
    { }

    QList<PrintedPage> pages(const PrintDocument& document)
    {
        setColumns(document.lines);
        for (const PrintLine& line : document.lines)
            addLine(line);
        if (document.chart)
            addChart();
        return m_pages;
    }

private:
    // The first column is as wide as its widest text, within its share of the page.
    void setColumns(const QList<PrintLine>& lines)
    {
        qreal first = 0;
        for (const PrintLine& line : lines)
            if (line.secondColumn)
                first = std::max(
                    first, QFontMetricsF(lineFont(line), &m_device).horizontalAdvance(line.text));
        m_firstWidth = std::max<qreal>(std::min(first, m_width * FirstColumnAtMost), 1);
        m_secondX = m_firstWidth + m_width * ColumnGap;
    }

    void addLine(const PrintLine& line)
    {
        const QFont font = lineFont(line);
        const QFontMetricsF metrics(font, &m_device);
        const QStringList left =
            wrapped(line.text, font, &m_device, line.secondColumn ? m_firstWidth : m_width);
        const QStringList right = line.secondColumn
            ? wrapped(*line.secondColumn, font, &m_device, std::max<qreal>(m_width - m_secondX, 1))
            : QStringList();
        const qsizetype rows = std::max(left.size(), right.size());
        // A wrapped line starts on a new page rather than being torn apart, unless it is longer
        // than a page.
        const qreal needed =
            static_cast<qreal>(rows - 1) * metrics.lineSpacing() + metrics.height();
        if (m_y > 0 && m_y + needed > m_bodyHeight && needed <= m_bodyHeight)
            newPage();
        for (qsizetype row = 0; row < rows; ++row) {
            if (m_y > 0 && m_y + metrics.height() > m_bodyHeight)
                newPage();
            if (row < left.size())
                place(font, 0, m_y + metrics.ascent(), left.at(row));
            if (row < right.size())
                place(font, m_secondX, m_y + metrics.ascent(), right.at(row));
            m_y += metrics.lineSpacing();
        }
    }

    void addChart()
    {
        const qreal gap =
            QFontMetricsF(QFont(QStringLiteral("Times New Roman"), 12), &m_device).lineSpacing();
        qreal top = m_y > 0 ? m_y + gap : 0;
        qreal height = std::min(m_width * ChartHeightPerWidth, m_bodyHeight - top);
        if (top > 0 && height < m_width * ChartHeightAtLeast) {
            newPage();
            top = 0;
            height = std::min(m_width * ChartHeightPerWidth, m_bodyHeight);
        }
        m_pages.last().chart = QRectF(0, top, m_width, height);
    }

    void place(const QFont& font, qreal x, qreal baseline, const QString& text)
    {
        // A line of blanks only takes its room: drawn underlined it would leave stray marks.
        if (!text.trimmed().isEmpty())
            m_pages.last().texts.append({font, QPointF(x, baseline), text});
    }

    void newPage()
    {
        m_pages.append(PrintedPage());
        m_y = 0;
    }

    QPaintDevice& m_device;
    const qreal m_width;
    const qreal m_bodyHeight;
    qreal m_firstWidth = 1;
    qreal m_secondX = 0;
    qreal m_y = 0;
    QList<PrintedPage> m_pages = QList<PrintedPage>(1);
};

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
    const QList<PrintedPage> pages =
        DocumentLayout(device, width, std::max<qreal>(pageHeight - footerRoom, 1)).pages(document);

    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        for (const PlacedText& text : pages.at(i).texts) {
            painter.setFont(text.font);
            painter.drawText(text.baseline, text.text);
        }
        if (pages.at(i).chart) {
            painter.save();
            painter.setFont(QFont());
            document.chart(painter, *pages.at(i).chart);
            painter.restore();
        }
        if (document.pageNumbers) {
            painter.setFont(footerFont);
            painter.drawText(
                QRectF(0, pageHeight - footerMetrics.height(), width, footerMetrics.height()),
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
