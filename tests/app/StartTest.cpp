#include "SmallDisk.h"
#include "TestProgram.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "store/DataRoot.h"

#include <QTest>

using testing::TestProgram;

namespace {

const QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QFile::Permissions modeOf(const QString& path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

// Where the program or a data directory lies: nowhere given, in the test folder, or on a
// read-only disk.
enum class Place { None, Here, ReadOnlyDisk };

// Starts of the program with scripted services, in a test folder that holds the program
// directory "prog", HOME "home" and XDG_DATA_HOME "xdg"; the windows go with it.
struct Start
{
    QTemporaryDir base;
    testing::SmallDisk disk;
    TestProgram services;
    ui::Services all{services.messages, services.input,  services.help,  services.printer,
                     services.end,      services.random, services.files, services.speech};
    app::Program program{all};

    Start()
    {
        QDir(base.path()).mkpath("prog");
        qputenv("HOME", QFile::encodeName(base.filePath("home")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base.filePath("xdg")));
        disk.setReadOnly(true);
    }
    ~Start() { qDeleteAll(QApplication::topLevelWidgets()); }

    QString at(Place place, const QString& relative) const
    {
        return place == Place::None ? QString()
            : place == Place::Here  ? base.filePath(relative)
                                    : disk.path();
    }
};

} // namespace

class StartTest : public QObject
{
    Q_OBJECT

private slots:
    void dataRootIsChosen_data()
    {
        QTest::addColumn<Place>("program");
        QTest::addColumn<QString>("dataDir"); // given with --data-dir
        QTest::addColumn<bool>("xdg");        // XDG_DATA_HOME set
        QTest::addColumn<QString>("root");
        QTest::newRow("writable program directory") << Place::Here << "" << true << "prog";
        QTest::newRow("read-only program directory")
            << Place::ReadOnlyDisk << "" << true << "xdg/Paukomat";
        QTest::newRow("installed for the system") << Place::None << "" << true << "xdg/Paukomat";
        QTest::newRow("XDG_DATA_HOME unset")
            << Place::None << "" << false << "home/.local/share/Paukomat";
        QTest::newRow("--data-dir") << Place::Here << "klasse/7b" << true << "klasse/7b";
    }
    void dataRootIsChosen()
    {
        QFETCH(Place, program);
        QFETCH(QString, dataDir);
        QFETCH(QString, root);
        Start start;
        if (program == Place::ReadOnlyDisk && !start.disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + start.disk.reason()));
        QFETCH(bool, xdg);
        if (!xdg)
            qunsetenv("XDG_DATA_HOME");
        const QString given = dataDir.isEmpty() ? QString() : start.base.filePath(dataDir);
        QVERIFY(start.program.start(given, start.at(program, "prog"), {}));
        root = start.base.filePath(root);
        QCOMPARE(start.program.dataRoot(), root);
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
        QVERIFY(QFileInfo::exists(root + "/Paukomat.lock"));
        // The program directory is taken as it stands; another root starts with an empty user list.
        QCOMPARE(QFileInfo::exists(root + "/PK.dat"), !root.endsWith("prog"));
        if (root.endsWith("/Paukomat"))
            QCOMPARE(modeOf(root), OwnerOnly);
    }

    void anExistingDataDirectoryIsKept()
    {
        Start start;
        const QString root = start.base.filePath("xdg/Paukomat");
        testing::writeFile(root + "/PK.dat", "anna\r\n");
        QVERIFY(QFile::setPermissions(root, OwnerOnly | QFile::ReadGroup | QFile::ExeGroup));
        QVERIFY(start.program.start({}, {}, {}));
        QCOMPARE(testing::readFile(root + "/PK.dat"), QByteArray("anna\r\n"));
        QCOMPARE(modeOf(root), OwnerOnly | QFile::ReadGroup | QFile::ExeGroup);
    }

    void refusedRootsLeaveNoWindow_data()
    {
        const QString advice =
            "\nBitte geben Sie mit --data-dir ein Verzeichnis an, in dem Sie schreiben dürfen.";
        QTest::addColumn<Place>("dataDir");
        QTest::addColumn<Place>("xdg");
        QTest::addColumn<QString>("message"); // %1: the directory refused
        QTest::newRow("a file where the directory belongs")
            << Place::Here << Place::Here
            << "Das Datenverzeichnis \"%1\" kann nicht angelegt werden: dort steht eine Datei."
                + advice;
        QTest::newRow("--data-dir on a read-only disk")
            << Place::ReadOnlyDisk << Place::Here
            << "Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben: der Datenträger ist "
               "schreibgeschützt."
                + advice;
        QTest::newRow("XDG_DATA_HOME on a read-only disk")
            << Place::None << Place::ReadOnlyDisk
            << "Das Datenverzeichnis \"%1/Paukomat\" kann nicht angelegt werden: der Datenträger "
               "ist schreibgeschützt."
                + advice;
        QTest::newRow("another copy runs there")
            << Place::None << Place::Here << ui::SingleInstance::RefusedMessage;
    }
    void refusedRootsLeaveNoWindow()
    {
        QFETCH(Place, dataDir);
        QFETCH(Place, xdg);
        QFETCH(QString, message);
        Start start;
        if ((dataDir == Place::ReadOnlyDisk || xdg == Place::ReadOnlyDisk)
            && !start.disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + start.disk.reason()));
        testing::writeFile(start.base.filePath("datei"), "x");
        const QString refused = start.at(dataDir, "datei");
        qputenv("XDG_DATA_HOME", QFile::encodeName(start.at(xdg, "xdg")));
        app::Program second{start.all};
        if (message == ui::SingleInstance::RefusedMessage)
            QVERIFY(start.program.start({}, {}, {}));
        qDeleteAll(QApplication::topLevelWidgets());
        start.services.messages.queueOk();
        QVERIFY(!second.start(refused, {}, {}));
        QCOMPARE(start.services.messages.texts(),
                 {message.replace("%1", refused.isEmpty() ? start.at(xdg, "xdg") : refused)});
        QCOMPARE(start.services.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows().size(), 0);
    }

    // The help file found at start is named for the whole run.
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
        Start start;
        for (const QString& file : present)
            testing::writeFile(start.base.filePath(file), "<html></html>");
        const QString help = start.base.filePath(expected);
        QCOMPARE(store::installedHelpFile(start.base.filePath("bin")), help);
        QVERIFY(start.program.start({}, {}, help));
        QCOMPARE(start.services.help.helpFile(), help);
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
        const app::CommandLine line(QStringList{"paukomat"} + arguments);
        QTEST(line.answersOnTerminal(), "terminal");
        QTEST(line.dataDir(), "dataDir");
        QTEST(line.error().section('\n', 0, 0), "error");
    }
};

QTEST_MAIN(StartTest)
#include "StartTest.moc"
