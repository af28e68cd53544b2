#include "ui/QtServices.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

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

void QtProgramEnd::endNow()
{
    // Hiding never runs a window's close handler, so no screen asks or saves anything more.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::quit();
}

} // namespace ui
