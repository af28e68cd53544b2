#include "app/CommandLine.h"
#include "app/Program.h"
#include "store/DataRoot.h"
#include "ui/QtServices.h"
#include "ui/QtSpeech.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

// Qt's own texts (print dialog, buttons, the command line's help) in German like the rest.
void speakGerman(QTranslator& qtGerman)
{
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtGerman);
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Help and version are text for the terminal; they need no display.
int answerOnTerminal(int argc, char* argv[])
{
    QCoreApplication core(argc, argv);
    QTranslator qtGerman;
    speakGerman(qtGerman);
    std::fputs(app::CommandLine(QCoreApplication::arguments()).text().toLocal8Bit().constData(),
               stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Paukomat"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    if (app::CommandLine(argumentsOf(argc, argv)).answersOnTerminal())
        return answerOnTerminal(argc, argv);

    QApplication app(argc, argv);
    // The desktop file of the installed program, so that the desktop groups its windows there.
    QGuiApplication::setDesktopFileName(QStringLiteral(PAUKOMAT_APP_ID));
    QTranslator qtGerman;
    speakGerman(qtGerman);
    // Every window shows the icon the menu entry shows.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/paukomat.png")));
    // Screens replace one another by closing one and showing the next; the program ends
    // explicitly, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const app::CommandLine commandLine(QCoreApplication::arguments());
    if (!commandLine.error().isEmpty()) {
        std::fprintf(stderr, "paukomat: %s\n", commandLine.error().toLocal8Bit().constData());
        return 2;
    }

#ifdef PAUKOMAT_SYSTEM_INSTALL
    // Installed for the whole system: the program's directory is shared and keeps no data.
    const QString programDir;
#else
    const QString programDir = QCoreApplication::applicationDirPath();
#endif
    ui::QtMessageBox messages;
    ui::QtInputBox input;
    ui::QtHelpViewer help(messages);
    ui::QtPrinter printer(messages);
    ui::QtProgramEnd end;
    ui::QtRandom random;
    ui::QtFileDialogs files;
    ui::QtSpeech speech;
    app::Program program(ui::Services{messages, input, help, printer, end, random, files, speech});
    if (!program.start(commandLine.dataDir(), programDir,
                       store::installedHelpFile(QCoreApplication::applicationDirPath())))
        return 1;
    return QApplication::exec();
}
