// Shows every screen of Paukomat with sample data in a temporary program directory and saves a
// screenshot of each, for the README. Run it under Xvfb through scripts/screenshots.sh.

#include "app/Screens.h"
#include "editor/frmEditUnit.h"
#include "exchange/frmImport.h"
#include "exercise/frmPaukomat.h"
#include "lesson/WordListPrint.h"
#include "mainwindow/WordListDocument.h"
#include "mainwindow/frmMain.h"
#include "results/frmErgebnis.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "ui/QtServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

// No dialog may open during the tour: a modal box would wait for a click that never comes.
class Unattended final
    : public ui::MessageBox
    , public ui::InputBox
    , public ui::Printer
    , public ui::ProgramEnd
    , public ui::HelpViewer
    , public ui::FileDialogs
    , public ui::Speech
{
public:
    ui::Answer show(QWidget*, const QString& text, const QString&, ui::Buttons buttons,
                    ui::Icon) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        failed = true;
        return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::Ok;
    }
    QString ask(QWidget*, const QString&, const QString&) override { return {}; }
    bool printDocument(QWidget*, const ui::PrintDocument&) override { return false; }
    void endNow() override { }
    void setHelpFile(const QString& path) override { m_help = path; }
    [[nodiscard]] QString helpFile() const override { return m_help; }
    void showHelp(QWidget*) override { }
    QString openFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&, QString*) override
    {
        return {};
    }

    // An English voice, so the speaker buttons show as a user with one sees them; silent.
    bool engineAvailable() override { return true; }
    bool voiceAvailable(const QString& locale) override { return locale == "en"; }
    void say(const QString&, const QString&) override { }

    bool failed = false;

private:
    QString m_help;
};

QString g_out;

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QThread::msleep(60);
    }
}

template <class T> T* shown()
{
    settle();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    std::fprintf(stderr, "screen not shown: %s\n", T::staticMetaObject.className());
    std::exit(1);
}

void snap(QWidget* window, const QString& name)
{
    window->move(24, 24);
    settle();
    const QString file = g_out + QLatin1Char('/') + name + QStringLiteral(".png");
    if (QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QString::number(window->winId()), file})
        != 0) {
        std::fprintf(stderr, "import failed for %s\n", qPrintable(file));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(file));
}

// The import dialog on a file's bytes, with one of the file's lessons chosen (or every one).
void snapImport(ui::Services& context, const QByteArray& bytes, const QString& fileName,
                const QString& name, int lesson = -1)
{
    const exchange::ImportSource source = exchange::readImportData(bytes, fileName);
    exchange::frmImport dialog(source, QStringLiteral("Englisch"), context,
                               [](const QString&) { return QString(); });
    dialog.findChild<QComboBox*>(QStringLiteral("cboLektion"))->setCurrentIndex(lesson + 1);
    dialog.show();
    snap(&dialog, name);
    dialog.hide();
}

void scrambled(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QList<QByteArray> raw;
    for (const QString& line : lines)
        raw.append(store::Scrambler::scrambleText(line));
    if (!store::TextFile::writeRawLines(path, raw)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + QStringLiteral("\\\\") + german + QStringLiteral("\\\\\\") + QLatin1Char(mark);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(g_out);

    QTemporaryDir dir;
    const QString p = dir.path() + QLatin1Char('/');
    scrambled(p + "PK.dat", {"anna", "geheim", "Bernd", "sommer"});
    scrambled(p + "anna/Spr.dat", {"Englisch\\\\LSp1", "Französisch\\\\LSp2", "Latein\\\\LSp3"});
    scrambled(p + "anna/LSp1",
              {"Lektion 1 - Haus und Garten\\\\U1", "Lektion 2 - Reisen\\\\U2",
               "Unregelmäßige Verben\\\\U3"});
    scrambled(p + "anna/LSp2", {"Leçon 1\\\\U4"});
    scrambled(p + "anna/LSp3", {});
    scrambled(p + "anna/Englisch/U1",
              {pair("house", "Haus;Gebäude", 'r'), pair("garden", "Garten", 'f'),
               pair("the", "der;die;das", 'r'), pair("window", "Fenster", 'r'),
               pair("door", "Tür", 'f'), pair("roof", "Dach", 'r'), pair("kitchen", "Küche", 'r'),
               pair("tree", "Baum", 'f'), pair("flower", "Blume", 'r')});
    scrambled(p + "anna/Englisch/EU1",
              {" 72\\\\ 50", "9\\\\3", "9\\\\5", "9\\\\4", "9\\\\6", "9\\\\7", "9\\\\6", "9\\\\8",
               "9\\\\9"});
    // The boxes of the lesson's pairs, answered over the last days: five pairs are due today.
    const auto daysAgo = [](int days) {
        return QDate::currentDate().addDays(-days).toString(Qt::ISODate);
    };
    scrambled(p + "anna/Englisch/.KU1",
              {"3\\\\" + daysAgo(1) + "\\\\house", "5\\\\" + daysAgo(2) + "\\\\the",
               "2\\\\" + daysAgo(3) + "\\\\window", "4\\\\" + daysAgo(0) + "\\\\roof",
               "2\\\\" + daysAgo(0) + "\\\\kitchen", "1\\\\" + daysAgo(5) + "\\\\flower"});
    if (!store::TextFile::writeLines(p + "tmpUsr", {"anna", "geheim"})
        || !store::TextFile::writeLines(p + "anna/tmpEdit",
                                        {"Englisch", "Lektion 1 - Haus und Garten", "U1"}))
        return 1;

    Unattended services;
    ui::QtRandom random;
    ui::Services context{services, services, services, services,
                         services, random,   services, services};
    app::Screens screens(dir.path(), context);

    screens.showIntro();
    snap(QApplication::topLevelWidgets().first()->window(), "1-splash");
    // The splash's timer would show the sign-in screen again, over a later screenshot.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->hide();
        for (QTimer* timer : w->findChildren<QTimer*>())
            timer->stop();
    }

    screens.showLogin();
    auto* login = shown<signin::frmLogin>();
    login->findChild<QComboBox*>("cboBenutzer")->setCurrentText("anna");
    login->findChild<QLineEdit*>("txtPassword")->setText("geheim");
    snap(login, "2-anmelden");
    login->hide();

    screens.showNewUser();
    auto* newUser = shown<signin::frmNewUser>();
    newUser->findChild<QLineEdit*>("txtBenutzerName")->setText("Clara");
    newUser->findChild<QLineEdit*>("txtKennwort1")->setText("blume");
    newUser->findChild<QLineEdit*>("txtKennwort2")->setText("blume");
    snap(newUser, "3-neuer-benutzer");
    newUser->hide();

    screens.showMain();
    auto* main = shown<mainwindow::frmMain>();
    snap(main, "4-hauptfenster");
    main->findChild<QListWidget*>("lstLektionen")->setCurrentRow(0);

    // The import dialog with a spreadsheet export that has a row without meaning and a word twice.
    snapImport(
        context,
        "#separator:tab\n#html:false\nthe kitchen\tdie Küche\nthe garden\tder Garten\n"
        "\"to go\"\tgehen;fahren\nthe garage\t\nthe garden\tder Hof\nthe window\tdas Fenster\n"
        "the roof\tdas Dach\n",
        "Haus und Hof.txt", "10-importieren");
    // A spreadsheet's CSV whose first row names the columns.
    snapImport(
        context,
        "Nr;Deutsch;Englisch;Seite\r\n1;das Haus;the house;12\r\n2;der Garten;the garden;12\r\n"
        "3;\"der;die;das\";the;13\r\n4;gehen;to go;13\r\n5;die Küche;the kitchen;14\r\n",
        "Vokabeln.csv", "12-import-kopfzeile");
    // A KVTML file of two lessons, the second chosen.
    const QStringList animals = {"the dog", "der Hund",  "the cat",   "die Katze", "the cow",
                                 "die Kuh", "the horse", "das Pferd", "the pig",   "das Schwein"};
    QByteArray entries;
    for (qsizetype i = 0; i < animals.size(); i += 2)
        entries +=
            QStringLiteral("<entry id=\"%1\"><translation id=\"0\"><text>%2</text></translation>"
                           "<translation id=\"1\"><text>%3</text></translation></entry>\n")
                .arg(QString::number(i / 2), animals[i], animals[i + 1])
                .toUtf8();
    snapImport(context,
               R"(<?xml version="1.0" encoding="UTF-8"?><kvtml version="2.0"><information>
<title>animals.kvtml</title></information><identifiers><identifier id="0"><name>English</name>
<locale>en</locale></identifier><identifier id="1"><name>Deutsch</name><locale>de</locale>
</identifier></identifiers><entries>)"
                   + entries + R"(</entries><lessons><container><name>Haustiere</name>
<entry id="0"/><entry id="1"/></container><container><name>Bauernhof</name><entry id="2"/><entry id="3"/>
<entry id="4"/></container></lessons></kvtml>)",
               "animals.kvtml", "13-import-kvtml-lektion", 1);
    // Rows left out for long reasons, a field over two lines among them.
    snapImport(context,
               "the lawyer reads the contract twice before signing it\tder Anwalt liest den "
               "Vertrag zweimal\n"
               "\"to look\nafter\"\tsich kümmern um\nthe house\tdas Haus\nthe house\tdas Gebäude\n"
               "\\\\home\\\\\tdas Zuhause\n\tdie Wohnung\nthe flat\t\n",
               "Sätze.txt", "14-import-langer-grund");

    screens.showEditor();
    auto* editor = shown<editor::frmEditUnit>();
    snap(editor, "5-vokabeln-bearbeiten");
    editor->hide();

    screens.showExercise();
    auto* drill = shown<exercise::frmPaukomat>();
    drill->findChild<QCheckBox*>("chkVorlesen")->setChecked(true);
    snap(drill, "6-ueben");
    drill->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_2")->setChecked(true);
    snap(drill, "7b-ueben-faellig");
    drill->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_0")->setChecked(true);
    drill->findChild<QPushButton*>("cmdStartUebung")->click();
    drill->findChild<QLineEdit*>("txtLoesung")->setText("Hau");
    snap(drill, "7-ueben-abfrage");
    drill->hide();

    if (!store::TextFile::writeLines(p + "tmpErgShow",
                                     {p + "anna/Englisch/", "anna", "Englisch",
                                      "Lektion 1 - Haus und Garten", p + "anna/Englisch/EU1"}))
        return 1;
    screens.showResults();
    auto* results = shown<results::frmErgebnis>();
    snap(results, "8-ergebnisse");

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path() + "/ausdruck.pdf");
    if (!ui::QtPrinter::renderDocument(printer, results->Druckdokument()))
        return 1;
    if (QProcess::execute("pdftoppm",
                          {"-png", "-r", "60", "-singlefile", "-f", "1", "-l", "1",
                           printer.outputFileName(), g_out + "/9-ausdruck"})
        != 0)
        return 1;
    std::printf("%s/9-ausdruck.png\n", qPrintable(g_out));

    QList<lesson::WordPair> pairs;
    if (!lesson::readStoredPairs(p + "anna/Englisch/U1", pairs))
        return 1;
    QPrinter list(QPrinter::HighResolution);
    list.setOutputFormat(QPrinter::PdfFormat);
    list.setOutputFileName(dir.path() + "/vokabelliste.pdf");
    if (!ui::QtPrinter::renderDocument(list,
                                       mainwindow::wordListDocument(lesson::wordList(
                                           "Englisch", "Lektion 1 - Haus und Garten", pairs)))
        || QProcess::execute("pdftoppm",
                             {"-png", "-r", "60", "-singlefile", "-f", "1", "-l", "1",
                              list.outputFileName(), g_out + "/11-vokabelliste"})
            != 0)
        return 1;
    std::printf("%s/11-vokabelliste.png\n", qPrintable(g_out));
    return services.failed ? 1 : 0;
}
