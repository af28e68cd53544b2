#include "SmallDisk.h"
#include "TestProgram.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "store/DataRoot.h"

#include <QTest>

using testing::TestProgram;

namespace {

const QString Advice = "\nBitte geben Sie mit --data-dir ein Verzeichnis an, in dem Sie schreiben dürfen.";

// One start of the program with scripted services; its windows go with it.
struct Start
{
    testing::ScriptedMessages messages;
    testing::ScriptedInput input;
    testing::RecordingHelp help;
    testing::RecordingPrinter printer;
    testing::RecordingEnd end;
    testing::ScriptedRandom random;
    testing::ScriptedFiles files;
    app::Program program{ui::Services{messages, input, help, printer, end, random, files}};

    ~Start()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
    }
};

QFile::Permissions modeOf(const QString& path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

const QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

class StartTest : public QObject
{
    Q_OBJECT

    QTemporaryDir base;
    // Where the program file lies in a row: a writable folder, a read-only disk, or nowhere
    // (installed for the whole system).
    QString programDir(const QString& kind, testing::SmallDisk& disk)
    {
        if (kind == "read-only")
            disk.setReadOnly(true);
        return kind == "writable" ? base.filePath("prog") : kind == "read-only" ? disk.path() : QString();
    }
    QString at(const QString& relative) const { return relative.isEmpty() ? QString() : base.filePath(relative); }

private slots:
    void init()
    {
        QVERIFY(base.isValid());
        QVERIFY(QDir(base.path()).mkpath("prog") && QDir(base.path()).mkpath("home"));
        qputenv("HOME", QFile::encodeName(base.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base.filePath("xdg")));
    }
    void cleanup()
    {
        QVERIFY(QDir(base.path()).removeRecursively());
    }

    void dataRootIsChosen_data()
    {
        QTest::addColumn<QString>("program");  // writable, read-only or system
        QTest::addColumn<QString>("dataDir");  // given with --data-dir, below the test folder
        QTest::addColumn<QString>("xdg");      // XDG_DATA_HOME below the test folder; "" unset
        QTest::addColumn<QString>("expected"); // the root below the test folder, "prog" the program's
        QTest::newRow("writable program directory") << "writable" << "" << "xdg" << "prog";
        QTest::newRow("read-only program directory") << "read-only" << "" << "xdg" << "xdg/Paukomat";
        QTest::newRow("installed for the system") << "system" << "" << "xdg" << "xdg/Paukomat";
        QTest::newRow("XDG_DATA_HOME unset") << "system" << "" << "" << "home/.local/share/Paukomat";
        QTest::newRow("XDG_DATA_HOME relative") << "system" << "" << "rel" << "home/.local/share/Paukomat";
        QTest::newRow("--data-dir over the program's") << "writable" << "klasse/7b" << "xdg" << "klasse/7b";
        QTest::newRow("--data-dir over XDG") << "read-only" << "klasse" << "xdg" << "klasse";
    }
    void dataRootIsChosen()
    {
        QFETCH(QString, program);
        QFETCH(QString, dataDir);
        QFETCH(QString, xdg);
        QFETCH(QString, expected);
        testing::SmallDisk disk;
        if (program == "read-only" && !disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        if (xdg.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else if (xdg == "rel")
            qputenv("XDG_DATA_HOME", "xdg");
        const QString root = at(expected);
        Start start;
        QVERIFY(start.program.start(at(dataDir), programDir(program, disk), {}));
        QCOMPARE(start.program.dataRoot(), root);
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
        QVERIFY(QFileInfo::exists(root + "/Paukomat.lock"));
        // The program directory is taken as it stands; any other root starts with an empty user list.
        QCOMPARE(QFileInfo::exists(root + "/PK.dat"), expected != "prog");
        if (expected.endsWith("/Paukomat"))
            QCOMPARE(modeOf(root), OwnerOnly);
    }

    void anExistingDataDirectoryIsKept()
    {
        const QString root = base.filePath("xdg/Paukomat");
        testing::writeFile(root + "/PK.dat", "anna\r\n");
        QVERIFY(QFile::setPermissions(root, OwnerOnly | QFile::ReadGroup | QFile::ExeGroup));
        Start start;
        QVERIFY(start.program.start({}, {}, {}));
        QCOMPARE(testing::readFile(root + "/PK.dat"), QByteArray("anna\r\n"));
        QCOMPARE(modeOf(root), OwnerOnly | QFile::ReadGroup | QFile::ExeGroup);
    }

    void refusedRootsLeaveNoWindow_data()
    {
        QTest::addColumn<QString>("dataDir"); // "disk" stands for the read-only disk
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("message"); // %1: the directory refused
        QTest::newRow("a file where the directory belongs") << "datei" << "xdg"
            << "Das Datenverzeichnis \"%1\" kann nicht angelegt werden: dort steht eine Datei." + Advice;
        QTest::newRow("--data-dir below a read-only disk") << "disk/neu" << "xdg"
            << "Das Datenverzeichnis \"%1\" kann nicht angelegt werden: der Datenträger ist schreibgeschützt." + Advice;
        QTest::newRow("--data-dir on a read-only disk") << "disk" << "xdg"
            << "Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben: der Datenträger ist schreibgeschützt." + Advice;
        QTest::newRow("XDG_DATA_HOME on a read-only disk") << "" << "disk"
            << "Das Datenverzeichnis \"%1/Paukomat\" kann nicht angelegt werden: der Datenträger ist schreibgeschützt." + Advice;
        QTest::newRow("another copy runs there") << "klasse" << "xdg" << ui::SingleInstance::RefusedMessage;
    }
    void refusedRootsLeaveNoWindow()
    {
        QFETCH(QString, dataDir);
        QFETCH(QString, xdg);
        QFETCH(QString, message);
        testing::SmallDisk disk;
        if ((dataDir + xdg).contains("disk") && !disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        disk.setReadOnly(true);
        const auto place = [&](const QString& relative) {
            return relative.startsWith("disk") ? disk.path() + relative.mid(4) : at(relative);
        };
        testing::writeFile(base.filePath("datei"), "x");
        qputenv("XDG_DATA_HOME", QFile::encodeName(place(xdg)));
        Start first, second;
        if (message == ui::SingleInstance::RefusedMessage)
            QVERIFY(first.program.start(place(dataDir), {}, {}));
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
        second.messages.queueOk();
        QVERIFY(!second.program.start(place(dataDir), {}, {}));
        QCOMPARE(second.messages.texts(), QStringList{QString(message).replace("%1", place(dataDir.isEmpty() ? xdg : dataDir))});
        QCOMPARE(second.messages.shown.first().title, "Paukomat V1.1");
        QCOMPARE(second.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows().size(), 0);
        QCOMPARE(second.program.dataRoot(), QString());
    }

    void helpLiesWhereTheProgramIsInstalled_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside the program") << QStringList{"bin/Paukomat.hlp"} << "bin/Paukomat.hlp";
        QTest::newRow("in share/paukomat") << QStringList{"share/paukomat/Paukomat.hlp"} << "share/paukomat/Paukomat.hlp";
        QTest::newRow("both") << QStringList{"bin/Paukomat.hlp", "share/paukomat/Paukomat.hlp"} << "bin/Paukomat.hlp";
        QTest::newRow("neither") << QStringList{} << "bin/Paukomat.hlp";
    }
    void helpLiesWhereTheProgramIsInstalled()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        for (const QString& file : present)
            testing::writeFile(base.filePath(file), "<html></html>");
        QCOMPARE(store::installedHelpFile(base.filePath("bin")), base.filePath(expected));
    }

    void theSplashNamesTheInstalledHelp()
    {
        Start start;
        QVERIFY(start.program.start({}, {}, "/usr/share/paukomat/Paukomat.hlp"));
        QCOMPARE(start.help.helpFile(), "/usr/share/paukomat/Paukomat.hlp");
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("error"); // its first line
        QTest::newRow("nothing") << QStringList{} << false << "" << "";
        QTest::newRow("--data-dir DIR") << QStringList{"--data-dir", "/srv/klasse"} << false << "/srv/klasse" << "";
        QTest::newRow("--data-dir=DIR") << QStringList{"--data-dir=/srv/klasse"} << false << "/srv/klasse" << "";
        QTest::newRow("--help") << QStringList{"--help"} << true << "" << "";
        QTest::newRow("-v") << QStringList{"-v"} << true << "" << "";
        QTest::newRow("--data-dir without DIR") << QStringList{"--data-dir"} << false << ""
                                                << "Nach --data-dir fehlt das Verzeichnis.";
        QTest::newRow("--data-dir=") << QStringList{"--data-dir="} << false << ""
                                     << "Nach --data-dir fehlt das Verzeichnis.";
        QTest::newRow("unknown option") << QStringList{"-bunt"} << false << "" << "Unbekannte Option: bunt";
        QTest::newRow("a file name") << QStringList{"liste.csv"} << false << ""
                                     << "Unerwartetes Argument: liste.csv";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, terminal);
        QFETCH(QString, dataDir);
        QFETCH(QString, error);
        const app::CommandLine line(QStringList{"paukomat"} + arguments);
        QCOMPARE(line.answersOnTerminal(), terminal);
        QCOMPARE(line.dataDir(), dataDir);
        QCOMPARE(line.error().section('\n', 0, 0), error);
    }

    void helpTextNamesTheOptions()
    {
        const QString text = app::CommandLine({"paukomat", "--help"}).text();
        QVERIFY(text.contains(QRegularExpression("--data-dir <Verzeichnis>\\s+Legt die Daten aller Benutzer")));
        QVERIFY(text.contains("~/.local/share/Paukomat"));
    }
};

QTEST_MAIN(StartTest)
#include "StartTest.moc"
