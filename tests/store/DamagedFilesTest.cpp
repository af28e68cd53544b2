#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "mainwindow/frmMain.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>

using namespace testing;
using store::Scrambler;
using store::TextFile::readRawLines;

namespace {

// Thousands of saves synced to a disk cost far more than the reading under test; a memory file
// system, where there is one, keeps the run short.
QString scratchDir()
{
    const QFileInfo memory("/dev/shm");
    return (memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath())
        + "/DamagedFiles-XXXXXX";
}

// Damaged and hostile contents from a seed: the pieces the formats are made of, names that leave
// the tree, control bytes and noise, in any order, with any line ends, sometimes cut short.
struct Garbage
{
    QRandomGenerator random;

    int below(qsizetype n) { return static_cast<int>(random.bounded(static_cast<int>(n))); }
    QByteArray line()
    {
        static const QList<QByteArray> pieces = {"\\",
                                                 "\\\\",
                                                 "\\\\\\f",
                                                 "\\\\\\r",
                                                 "f",
                                                 "LSp",
                                                 "U",
                                                 "7",
                                                 " 12",
                                                 "-3",
                                                 "99999999999999999999",
                                                 "1e308",
                                                 ".5",
                                                 " ",
                                                 "..",
                                                 "/",
                                                 "../..",
                                                 QByteArray(1, '\0'),
                                                 ";",
                                                 "a;b",
                                                 "\xe4\xdf\x81",
                                                 "\r",
                                                 "\n"};
        QByteArray text;
        for (int n = below(7); n > 0; --n)
            text += below(8) ? pieces[below(pieces.size())]
                             : QByteArray(1, static_cast<char>(below(256)));
        return text;
    }
    QByteArray file()
    {
        static const QList<QByteArray> ends = {"\r\n", "\r\n", "\n", "\r", ""};
        QByteArray data;
        for (int n = below(9); n > 0; --n)
            data += below(6) ? Scrambler::scramble(line()) + ends[below(ends.size())]
                             : QByteArray(below(60), char(below(256)));
        if (!data.isEmpty() && below(5) == 0) // cut short, or a byte gone wrong
            below(2) ? data.truncate(below(data.size()))
                     : void(data[below(data.size())] = char(below(256)));
        return data;
    }
    // A hand-off file: the lines a screen writes, some replaced, the last ones sometimes missing.
    QByteArray handOff(QStringList lines)
    {
        for (QString& text : lines)
            text = below(4) ? text : store::fromCp1252(line());
        return store::toCp1252(
            lines.mid(0, below(4) ? lines.size() : below(lines.size())).join("\r\n"));
    }
};

// The stored files of a tree with a sound first line each.
const QList<std::pair<QString, QByteArray>> StoredFiles = {
    {"PK.dat", "anna"},
    {"anna/Spr.dat", "Englisch\\\\LSp1"},
    {"anna/LSp1", "Lektion 1\\\\U1"},
    {"anna/Englisch/U1", "the\\\\der;die\\\\\\f"},
    {"anna/Englisch/EU1", " 1\\\\ 1"}};

// What once broke a reader or a screen: a line whose plain form holds a line end, and one of 1 MB
// (a word of 512 kB, then as many meanings); a separator at every place, each parsed anew; 50 MB.
QByteArray onceBroken(int seed)
{
    QByteArray data = seed != -3 ? QByteArray() : Scrambler::scramble(QByteArray(1 << 20, '\\'));
    if (seed == -2)
        data = Scrambler::scramble("the\\\\der\ndie\\\\\\f") + "\r\n"
            + Scrambler::scramble(QByteArray(1 << 19, 'W') + "\\\\" + QByteArray(1 << 19, ';')
                                  + "\\\\\\f");
    for (int i = 0; seed == -4 && data.size() < (50 << 20); ++i)
        data += Scrambler::scramble("w" + QByteArray::number(i) + "\\\\" + QByteArray(1000, 'x')
                                    + "\\\\\\f")
            + "\r\n";
    return data;
}

const QList<void (app::Screens::*)()> Show = {
    &app::Screens::showLogin, &app::Screens::showMain, &app::Screens::showEditor,
    &app::Screens::showExercise, &app::Screens::showResults};

// One window left to go on with: it takes input and fits on the screen.
bool oneUsableWindow()
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    return windows.size() == 1 && windows[0]->isEnabled()
        && room.expandedTo(windows[0]->size()) == room;
}

} // namespace

class DamagedFilesTest : public QObject
{
    Q_OBJECT

public:
    // A reader that hangs on a damaged file fails the test instead of slowing it down.
    DamagedFilesTest() { qputenv("QTEST_FUNCTION_TIMEOUT", "90000"); }

private slots:
    // Stored files sound (seed -1), damaged from a seed, holding what once broke the program (seed
    // -2 and below), or a directory in place of one file; read by a screen, which goes on.
    void damagedFilesAreReadSafely_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("screen"); // login, main, editor, drill, results
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("text");
        for (int screen = 0; screen < 5; ++screen)
            QTest::addRow("once broken, screen %d", screen)
                << -2 << screen << QString() << QString();
        QTest::newRow("a separator at every place") << -3 << 2 << QString() << QString();
        QTest::newRow("50 MB") << -4 << 4 << QString() << QString();
        const QString dir = "(an ihrer Stelle steht ein Verzeichnis)";
        const QString shownLater = " werden erst angezeigt, wenn die Datei wieder lesbar ist; "
                                   "Paukomat verändert sie nicht.";
        QTest::newRow("user list unreadable")
            << -1 << 0 << "PK.dat"
            << "Die Datei \"PK.dat\" (Benutzerliste) kann nicht gelesen werden " + dir
                + ".\nDie Benutzer" + shownLater;
        QTest::newRow("language list unreadable")
            << -1 << 1 << "anna/Spr.dat"
            << "Die Datei \"Spr.dat\" (Sprachenliste) kann nicht gelesen werden " + dir
                + ".\nDie Sprachen" + shownLater;
        QTest::newRow("drill's working copy unreadable")
            << -1 << 3 << "anna/Englisch/tmpU1"
            << "Die Lektion \"Lektion 1\" kann nicht geöffnet werden, die Datei \"tmpU1\" ist "
               "nicht zugänglich "
                + dir + ".";
        for (int seed = 0; seed < 300; ++seed)
            QTest::addRow("seed %d", seed) << seed << seed % 5 << QString() << QString();
    }
    void damagedFilesAreReadSafely()
    {
        QFETCH(int, seed);
        QFETCH(int, screen);
        QFETCH(QString, directory);
        QFETCH(QString, text);
        Garbage g{QRandomGenerator(static_cast<quint32>(seed))};
        const QByteArray fixed = onceBroken(seed);
        QMap<QString, QByteArray> stored;
        for (const auto& [name, good] : StoredFiles)
            stored[name] = seed >= 0
                ? Scrambler::scramble(g.below(2) ? good : g.line()) + "\r\n" + g.file()
                : seed == -1 ? Scrambler::scramble(good) + "\r\n"
                             : fixed;

        // The program directory lies beside a sentinel file, so that whatever a screen writes
        // or removes outside its tree shows up.
        QTemporaryDir parent(scratchDir());
        writeFile(parent.filePath("sentinel"), "keep");
        TestProgram p(parent.filePath("program"));
        p.messages.queueOk(100);
        for (const auto& [name, good] : StoredFiles)
            writeFile(p.path(name), stored[name]);
        QVERIFY(directory.isEmpty()
                || (QFile::remove(p.path(directory)), QDir().mkpath(p.path(directory))));
        if (screen >= 2) // editor, exercise and results open from the hidden main screen
            p.handOverFromMain({}, {});
        const QString lang = p.path("anna/Englisch/");
        const QList<std::pair<QString, QStringList>> handOffs = {
            {"tmpUsr", {"anna", "geheim"}},
            {"anna/tmpEdit", {"Englisch", "Lektion 1", "U1"}},
            {"tmpErgShow", {lang, "anna", "Englisch", "Lektion 1", lang + "EU1"}}};
        for (const auto& [name, good] : handOffs)
            writeFile(p.path(name), seed >= 0 ? g.handOff(good) : TestProgram::plainBytes(good));
        const auto before = storedFiles(p.dir());
        (p.screens().*Show[screen])();
        QVERIFY(text.isEmpty() || p.messages.texts() == QStringList{text});
        QVERIFY2(storedFiles(p.dir()) == before, "file changed by loading");
        QVERIFY2(oneUsableWindow(), "no usable window");

        // What the user does next: leave the lesson, or go through the lists and open a lesson.
        const auto lines = [](const QString& path) { return readRawLines(path); };
        const auto loaded = storedFiles(p.dir(), lines);
        if (auto* editor = TestProgram::shown<editor::frmEditUnit>())
            editor->findChild<QPushButton*>("cmdExit")->click();
        if (auto* drill = TestProgram::shown<exercise::frmPaukomat>())
            drill->findChild<QPushButton*>("cmdCancel")->click();
        if (auto* main = TestProgram::shown<mainwindow::frmMain>(); main && screen == 1) {
            for (int row = 0; row < main->findChild<QListWidget*>("lstSprachen")->count(); ++row)
                main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(row);
            main->findChild<QPushButton*>("BtnGo")->click();
        }
        QVERIFY2(storedFiles(p.dir(), lines) == loaded, "lines lost");
        QVERIFY2(oneUsableWindow(), "no usable window after acting");
        QCOMPARE(
            QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{QFileInfo(p.dir()).fileName(), "sentinel"}));
    }
};

QTEST_MAIN(DamagedFilesTest)
#include "DamagedFilesTest.moc"
