#include "SmallDisk.h"
#include "TestProgram.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "store/DataRoot.h"

#include <QTest>

using testing::TestProgram;

namespace {

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
    testing::RecordingSpeech speech;
    app::Program program{ui::Services{messages, input, help, printer, end, random, files, speech}};

    ~Start() { qDeleteAll(QApplication::topLevelWidgets()); }
};

const QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QFile::Permissions modeOf(const QString& path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

} // namespace

class StartTest : public QObject
{
    Q_OBJECT

    QTemporaryDir base;
    // A path below the test folder; "disk..." lies on the read-only disk, "" is none.
    QString at(const QString& relative, const testing::SmallDisk& disk) const
    {
        if (relative.startsWith("disk"))
            return disk.path() + relative.mid(4);
        return relative.isEmpty() ? QString() : base.filePath(relative);
    }

private slots:
    void init()
    {
        QVERIFY(QDir(base.path()).mkpath("prog"));
        qputenv("HOME", QFile::encodeName(base.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base.filePath("xdg")));
    }
    void cleanup() { QVERIFY(QDir(base.path()).removeRecursively()); }

    void dataRootIsChosen_data()
    {
        QTest::addColumn<QString>(
            "program"); // the program's directory; "" installed for the system
        QTest::addColumn<QString>("dataDir"); // given with --data-dir
        QTest::addColumn<QString>("xdg");     // XDG_DATA_HOME, "-" unset
        QTest::addColumn<QString>("expected");
        QTest::newRow("writable program directory") << "prog"
                                                    << ""
                                                    << "xdg"
                                                    << "prog";
        QTest::newRow("read-only program directory") << "disk"
                                                     << ""
                                                     << "xdg"
                                                     << "xdg/Paukomat";
        QTest::newRow("installed for the system") << ""
                                                  << ""
                                                  << "xdg"
                                                  << "xdg/Paukomat";
        QTest::newRow("XDG_DATA_HOME unset") << ""
                                             << ""
                                             << "-"
                                             << "home/.local/share/Paukomat";
        QTest::newRow("--data-dir over the program's") << "prog"
                                                       << "klasse/7b"
                                                       << "xdg"
                                                       << "klasse/7b";
        QTest::newRow("--data-dir over XDG") << "disk"
                                             << "klasse"
                                             << "xdg"
                                             << "klasse";
    }
    void dataRootIsChosen()
    {
        QFETCH(QString, program);
        QFETCH(QString, dataDir);
        QFETCH(QString, xdg);
        QFETCH(QString, expected);
        testing::SmallDisk disk;
        if (program == "disk" && !disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        disk.setReadOnly(true);
        if (xdg == "-")
            qunsetenv("XDG_DATA_HOME");
        const QString root = at(expected, disk);
        Start start;
        QVERIFY(start.program.start(at(dataDir, disk), at(program, disk), {}));
        QCOMPARE(start.program.dataRoot(), root);
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
        QVERIFY(QFileInfo::exists(root + "/Paukomat.lock"));
        // The program directory is taken as it stands; another root starts with an empty user list.
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
        const QString advice =
            "\nBitte geben Sie mit --data-dir ein Verzeichnis an, in dem Sie schreiben dürfen.";
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("message"); // %1: the directory refused
        QTest::newRow("a file where the directory belongs")
            << "datei"
            << "xdg"
            << "Das Datenverzeichnis \"%1\" kann nicht angelegt werden: dort steht eine Datei."
                + advice;
        QTest::newRow("--data-dir on a read-only disk")
            << "disk"
            << "xdg"
            << "Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben: der Datenträger ist "
               "schreibgeschützt."
                + advice;
        QTest::newRow("XDG_DATA_HOME on a read-only disk")
            << ""
            << "disk"
            << "Das Datenverzeichnis \"%1/Paukomat\" kann nicht angelegt werden: der Datenträger "
               "ist schreibgeschützt."
                + advice;
        QTest::newRow("another copy runs there") << "klasse"
                                                 << "xdg" << ui::SingleInstance::RefusedMessage;
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
        testing::writeFile(base.filePath("datei"), "x");
        qputenv("XDG_DATA_HOME", QFile::encodeName(at(xdg, disk)));
        Start first, second;
        if (message == ui::SingleInstance::RefusedMessage)
            QVERIFY(first.program.start(at(dataDir, disk), {}, {}));
        qDeleteAll(QApplication::topLevelWidgets());
        second.messages.queueOk();
        QVERIFY(!second.program.start(at(dataDir, disk), {}, {}));
        QCOMPARE(second.messages.texts(),
                 {message.replace("%1", at(dataDir.isEmpty() ? xdg : dataDir, disk))});
        QCOMPARE(second.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows().size(), 0);
    }

    void helpLiesWhereTheProgramIsInstalled_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");
        const QString beside = "bin/Paukomat.hlp", shared = "share/paukomat/Paukomat.hlp";
        QTest::newRow("beside the program") << QStringList{beside} << beside;
        QTest::newRow("in share/paukomat") << QStringList{shared} << shared;
        QTest::newRow("both") << QStringList{beside, shared} << beside;
        QTest::newRow("neither") << QStringList{} << beside;
    }
    void helpLiesWhereTheProgramIsInstalled()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        for (const QString& file : present)
            testing::writeFile(base.filePath(file), "<html></html>");
        QCOMPARE(store::installedHelpFile(base.filePath("bin")), base.filePath(expected));
        // The splash names it for the whole run.
        Start start;
        QVERIFY(start.program.start({}, {}, base.filePath(expected)));
        QCOMPARE(start.help.helpFile(), base.filePath(expected));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("error"); // its first line
        const QString noDir = "Nach --data-dir fehlt das Verzeichnis.";
        QTest::newRow("--data-dir DIR")
            << QStringList{"--data-dir", "/srv/7b"} << false << "/srv/7b"
            << "";
        QTest::newRow("--help") << QStringList{"--help"} << true << ""
                                << "";
        QTest::newRow("--data-dir without DIR")
            << QStringList{"--data-dir"} << false << "" << noDir;
        QTest::newRow("--data-dir=") << QStringList{"--data-dir="} << false << "" << noDir;
        QTest::newRow("unknown option") << QStringList{"-bunt"} << false << ""
                                        << "Unbekannte Option: bunt";
        QTest::newRow("a file name") << QStringList{"a.csv"} << false << ""
                                     << "Unerwartetes Argument: a.csv";
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
};

QTEST_MAIN(StartTest)
#include "StartTest.moc"
