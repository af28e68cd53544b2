#include "SmallDisk.h"
#include "TestProgram.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "store/DataRoot.h"

#include <QTest>

using testing::TestProgram;

namespace {

// Read, write and enter for the owner alone, who is the user running the tests.
const QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
    | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

// Where the program or a data directory lies: nowhere given, in the test folder, or on a
// read-only disk.
enum class Place { None, Here, ReadOnlyDisk };
using enum Place;

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
        return place == None ? QString() : place == Here ? base.filePath(relative) : disk.path();
    }
};

// One column "c" of the row type, a row per case named by its tag.
template <class Case> void rows(std::initializer_list<Case> cases)
{
    QTest::addColumn<Case>("c");
    for (const Case& c : cases)
        QTest::newRow(c.tag) << c;
}

struct RootCase
{
    const char* tag;
    Place program;
    bool xdg; // XDG_DATA_HOME set
    QString root;
};

struct RefusalCase
{
    const char* tag;
    Place dataDir, xdg;
    QString message; // %1: the directory refused
};

struct LineCase
{
    const char* tag;
    QStringList arguments;
    bool terminal;
    QString dataDir, error; // the error's first line
};

} // namespace

class StartTest : public QObject
{
    Q_OBJECT

private slots:
    void dataRootIsChosen_data()
    {
        rows<RootCase>({
            {"writable program directory", Here, true, "prog"},
            {"read-only program directory", ReadOnlyDisk, true, "xdg/Paukomat"},
            {"XDG_DATA_HOME unset", None, false, "home/.local/share/Paukomat"},
        });
    }
    void dataRootIsChosen()
    {
        QFETCH(const RootCase, c);
        Start start;
        if (c.program == ReadOnlyDisk && !start.disk.isMounted())
            QSKIP(qPrintable("no small disk: " + start.disk.reason()));
        if (!c.xdg)
            qunsetenv("XDG_DATA_HOME");
        QVERIFY(start.program.start({}, start.at(c.program, "prog"), {}));
        const QString root = start.base.filePath(c.root);
        QCOMPARE(start.program.dataRoot(), root);
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
        QVERIFY(QFileInfo::exists(root + "/Paukomat.lock"));
        // The program directory is taken as it stands; another root starts with an empty user list.
        QCOMPARE(QFileInfo::exists(root + "/PK.dat"), c.root != "prog");
        if (root.endsWith("/Paukomat"))
            QCOMPARE(QFileInfo(root).permissions(), OwnerOnly);
    }

    void refusedRootsLeaveNoWindow_data()
    {
        const QString advice =
            "\nBitte geben Sie mit --data-dir ein Verzeichnis an, in dem Sie schreiben dürfen.";
        rows<RefusalCase>({
            {"a file where the directory belongs", Here, Here,
             "Das Datenverzeichnis \"%1\" kann nicht angelegt werden: dort steht eine Datei."
                 + advice},
            {"--data-dir on a read-only disk", ReadOnlyDisk, Here,
             "Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben: der Datenträger ist "
             "schreibgeschützt."
                 + advice},
            {"another copy runs there", None, Here, ui::SingleInstance::RefusedMessage},
        });
    }
    void refusedRootsLeaveNoWindow()
    {
        QFETCH(const RefusalCase, c);
        Start start;
        if ((c.dataDir == ReadOnlyDisk || c.xdg == ReadOnlyDisk) && !start.disk.isMounted())
            QSKIP(qPrintable("no small disk: " + start.disk.reason()));
        testing::writeFile(start.base.filePath("datei"), "x");
        const QString refused = start.at(c.dataDir, "datei");
        qputenv("XDG_DATA_HOME", QFile::encodeName(start.at(c.xdg, "xdg")));
        app::Program second{start.all};
        if (c.message == ui::SingleInstance::RefusedMessage)
            QVERIFY(start.program.start({}, {}, {}));
        qDeleteAll(QApplication::topLevelWidgets());
        start.services.messages.queueOk();
        QVERIFY(!second.start(refused, {}, {}));
        QCOMPARE(start.services.messages.texts(),
                 {QString(c.message).replace(
                     "%1", refused.isEmpty() ? start.at(c.xdg, "xdg") : refused)});
        QCOMPARE(start.services.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows().size(), 0);
    }

    // Beside the program wins over share/paukomat; the file chosen is named for the whole run.
    void helpLiesWhereTheProgramIsInstalled()
    {
        Start start;
        const QString bin = start.base.filePath("bin"), beside = bin + "/Paukomat.hlp",
                      shared = start.base.filePath("share/paukomat/Paukomat.hlp");
        testing::writeFile(shared, "<html></html>");
        QCOMPARE(store::installedHelpFile(bin), shared);
        testing::writeFile(beside, "<html></html>");
        QCOMPARE(store::installedHelpFile(bin), beside);
        QVERIFY(start.program.start({}, {}, shared));
        QCOMPARE(start.services.help.helpFile(), shared);
    }

    void commandLine_data()
    {
        rows<LineCase>({
            {"--data-dir DIR", {"--data-dir", "/srv/7b"}, false, "/srv/7b", ""},
            {"--data-dir without DIR",
             {"--data-dir"},
             false,
             "",
             "Nach --data-dir fehlt das Verzeichnis."},
            {"--help", {"--help"}, true, "", ""},
            {"unknown option", {"-bunt"}, false, "", "Unbekannte Option: bunt"},
            {"a file name", {"a.csv"}, false, "", "Unerwartetes Argument: a.csv"},
        });
    }
    void commandLine()
    {
        QFETCH(const LineCase, c);
        const app::CommandLine line(QStringList{"paukomat"} + c.arguments);
        QCOMPARE(line.answersOnTerminal(), c.terminal);
        QCOMPARE(line.dataDir(), c.dataDir);
        QCOMPARE(line.error().section('\n', 0, 0), c.error);
    }
};

QTEST_MAIN(StartTest)
#include "StartTest.moc"
