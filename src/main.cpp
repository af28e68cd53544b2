#include "ui/QtServices.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QLockFile>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Paukomat"));
    QApplication::setApplicationDisplayName(QStringLiteral("Paukomat V1.1"));
    // Screens replace one another by closing one and showing the next; the program ends
    // explicitly, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    ui::QtMessageBox messages;

    // Two copies on one program directory would overwrite each other's files. A lock left by a
    // copy that crashed belongs to a process that no longer runs and is taken over silently.
    QLockFile lock(programDir + QStringLiteral("/Paukomat.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        messages.show(nullptr,
                      QStringLiteral("Paukomat läuft bereits. Bitte arbeiten Sie im schon "
                                     "geöffneten Programm weiter; zwei gleichzeitig laufende "
                                     "Programme würden sich gegenseitig Daten überschreiben."),
                      QStringLiteral("Paukomat V1.1"), ui::Buttons::Ok, ui::Icon::Stop);
        return 1;
    }

    ui::QtInputBox input;
    ui::QtHelpViewer help(messages);
    ui::QtPrinter printer(messages);
    ui::QtProgramEnd end;
    ui::QtRandom random;
    ui::Screens screens(programDir, ui::Services{messages, input, help, printer, end, random});
    screens.showIntro();
    return app.exec();
}
