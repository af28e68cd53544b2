#include "ui/QtServices.h"
#include "ui/QtSpeech.h"
#include "app/Screens.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Paukomat"));
    // Qt's own dialogs (print dialog, buttons) speak German like the rest of the program.
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtGerman);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/paukomat.png")));
    // Screens replace one another by closing one and showing the next; the program ends
    // explicitly, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    ui::QtMessageBox messages;

    ui::SingleInstance instance(programDir);
    if (const QString refused = instance.acquire(); !refused.isEmpty()) {
        messages.show(nullptr, refused, QStringLiteral("Paukomat V1.1"),
                      ui::Buttons::Ok, ui::Icon::Stop);
        return 1;
    }

    ui::QtInputBox input;
    ui::QtHelpViewer help(messages);
    ui::QtPrinter printer(messages);
    ui::QtProgramEnd end;
    ui::QtRandom random;
    ui::QtFileDialogs files;
    ui::QtSpeech speech;
    app::Screens screens(programDir,
                         ui::Services{messages, input, help, printer, end, random, files, speech});
    screens.showIntro();
    return app.exec();
}
