#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QRectF;
class QWidget;

// The platform services through which every screen talks to the user and ends the program.
// The program uses the Qt implementations; tests replace them with scripted doubles.
namespace ui {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Exclamation, Stop };
enum class Answer { Ok, Yes, No };

// Modal message box with a title, OK or Yes/No, and no icon, an exclamation or a stop icon.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual Answer show(QWidget* parent, const QString& text, const QString& title,
                        Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
};

// Modal one-line input box without preset text; Cancel gives the empty text.
class InputBox
{
public:
    virtual ~InputBox() = default;
    virtual QString ask(QWidget* parent, const QString& prompt, const QString& title) = 0;
};

// The help of the program run: named once at start, opened by F1 and every "Hilfe" button.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    virtual void setHelpFile(const QString& path) = 0;
    [[nodiscard]] virtual QString helpFile() const = 0;
    virtual void showHelp(QWidget* parent) = 0;
};

// One printed line with its font; "title" is the further font attribute of the title lines.
// A line with a second column is a row of two: text on the left, secondColumn beside it.
struct PrintLine
{
    QString text;
    QString fontName;
    int pointSize = 12;
    bool bold = false;
    bool title = false;
    std::optional<QString> secondColumn = std::nullopt;

    friend bool operator==(const PrintLine&, const PrintLine&) = default;
};

// A document beyond plain lines: rows of two columns, page numbers at the foot of every page
// ("Seite 1 von 3"), and the progress chart of a lesson's runs after the last line. Texts too
// long for their column or the page wrap onto further lines; nothing is cut off.
struct PrintDocument
{
    QList<PrintLine> lines;
    bool pageNumbers = false;
    // Draws a chart into the given area after the last line; none: no chart.
    std::function<void(QPainter&, const QRectF&)> chart = {};
};

// Prints a document, continuing on a new page when one is full.
// Returns false when nothing was printed (the user cancelled, or the printer failed).
class Printer
{
public:
    virtual ~Printer() = default;
    virtual bool printDocument(QWidget* parent, const PrintDocument& document) = 0;
};

// Ends the program at once: every window is closed without running further handlers.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow() = 0;
};

// Uniform pseudo-random numbers in [0, 1).
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double nextUniform() = 0;
};

// File dialogs for bringing word lists in and taking them out. Cancel gives the empty text.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // filters as QFileDialog takes them: "Tabellen (*.csv *.tsv);;Alle Dateien (*)".
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filters) = 0;
    // selectedFilter gives the filter the user chose, so a name without extension can get one.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& proposedName,
                             const QString& filters, QString* selectedFilter) = 0;
};

// Reads words aloud in the voice of a language, named by its locale ("en"). Without a speech
// output installed no voice is available, and speaking does nothing.
class Speech
{
public:
    virtual ~Speech() = default;
    [[nodiscard]] virtual bool engineAvailable() = 0;
    [[nodiscard]] virtual bool voiceAvailable(const QString& locale) = 0;
    // Stops what is being spoken and speaks the text.
    virtual void say(const QString& text, const QString& locale) = 0;
};

struct Services
{
    MessageBox& messages;
    InputBox& input;
    HelpViewer& help;
    Printer& printer;
    ProgramEnd& end;
    RandomSource& random;
    FileDialogs& files;
    Speech& speech;
};

} // namespace ui
