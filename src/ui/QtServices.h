#pragma once

#include "ui/Services.h"

#include <QPointer>
#include <QRandomGenerator>

class QPagedPaintDevice;
class QTextBrowser;

namespace ui {

class QtMessageBox final : public MessageBox
{
public:
    Answer show(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                Icon icon) override;
};

class QtInputBox final : public InputBox
{
public:
    QString ask(QWidget* parent, const QString& prompt, const QString& title) override;
};

class QtFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filters) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& proposedName,
                     const QString& filters, QString* selectedFilter) override;
};

// Shows the HTML help file in a window of its own; a missing file is reported, not fatal.
class QtHelpViewer final : public HelpViewer
{
public:
    explicit QtHelpViewer(MessageBox& messages);
    ~QtHelpViewer() override;
    void setHelpFile(const QString& path) override { m_file = path; }
    [[nodiscard]] QString helpFile() const override { return m_file; }
    void showHelp(QWidget* parent) override;

private:
    MessageBox& m_messages;
    QString m_file;
    QPointer<QTextBrowser> m_window;
};

// Shows the print dialog, so the user picks a printer or a PDF file.
class QtPrinter final : public Printer
{
public:
    explicit QtPrinter(MessageBox& messages)
        : m_messages(messages)
    { }
    bool printDocument(QWidget* parent, const PrintDocument& document) override;

    // The same for a document: long texts wrap within their column, a row of two columns is
    // kept on one page where it fits, the chart follows the lines at the full page width (on a
    // new page when the rest of the page is too short), and the page numbers go at the foot.
    static bool renderDocument(QPagedPaintDevice& device, const PrintDocument& document);

private:
    MessageBox& m_messages;
};

class QtProgramEnd final : public ProgramEnd
{
public:
    void endNow() override;
};

// Seeded once; every draw continues the same sequence.
class QtRandom final : public RandomSource
{
public:
    double nextUniform() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator{QRandomGenerator::securelySeeded()};
};

} // namespace ui
