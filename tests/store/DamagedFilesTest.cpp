#include "TestProgram.h"
#include "editor/LessonFile.h"
#include "editor/frmEditUnit.h"
#include "results/ResultFile.h"
#include "exercise/Run.h"
#include "exercise/frmPaukomat.h"
#include "lessons/ListFile.h"
#include "lessons/frmMain.h"
#include "results/ResultReport.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "signin/UserList.h"

#include <QAction>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>

using namespace testing;
using store::Scrambler;
using store::TextFile::readRawLines;
const auto rawLinesOf = [](const QString& path) { return readRawLines(path); };

namespace {

// Thousands of saves synced to a disk cost far more than the reading under test; a memory file
// system, where there is one, keeps the run short.
QString scratchDir()
{
    const QFileInfo memory("/dev/shm");
    return (memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath()) + "/DamagedFiles-XXXXXX";
}

// Damaged and hostile contents from a seed: the pieces the formats are made of, names that leave
// the tree, control bytes and noise, in any order, with any line ends, sometimes cut short.
struct Garbage
{
    QRandomGenerator random;

    int below(qsizetype n) { return static_cast<int>(random.bounded(static_cast<int>(n))); }
    char byte() { return static_cast<char>(below(256)); }
    QByteArray line()
    {
        static const QList<QByteArray> pieces = {"\\", "\\\\", "\\\\\\f", "\\\\\\r", "f", "LSp", "U", "7", " 12",
            "-3", "99999999999999999999", "1e308", ".5", " ", "..", "/", "../..", QByteArray(1, '\0'), ";", "a;b",
            "\xe4\xdf\x81", "\r", "\n"};
        QByteArray text;
        for (int n = below(7); n > 0; --n)
            text += below(8) ? pieces[below(pieces.size())] : QByteArray(1, byte());
        return text;
    }
    QByteArray file()
    {
        static const QList<QByteArray> ends = {"\r\n", "\r\n", "\n", "\r", ""};
        QByteArray data;
        for (int n = below(9); n > 0; --n)
            data += below(6) ? Scrambler::scramble(line()) + ends[below(ends.size())] : QByteArray(below(60), byte());
        if (!data.isEmpty() && below(5) == 0) // cut short, or a byte gone wrong
            below(2) ? data.truncate(below(data.size())) : void(data[below(data.size())] = byte());
        return data;
    }
    // A hand-off file: the lines a screen writes, some replaced, the last ones sometimes missing.
    QByteArray handOff(QStringList lines)
    {
        for (QString& text : lines)
            text = below(4) ? text : store::fromCp1252(line());
        return store::toCp1252(lines.mid(0, below(4) ? lines.size() : below(lines.size())).join("\r\n"));
    }
};

// The readers of the stored files, in dir, with what a user does next when act is set; each tells
// whether what it read holds together and every line was kept.
using Reader = bool (*)(const QString& dir, bool act, Garbage& g);

bool userList(const QString& dir, bool, Garbage&)
{
    const signin::UserList users{store::DataTree(dir)};
    // Every record of the list can be chosen at sign-in.
    return users.makePlainCopy().ok && users.names().size() >= (readRawLines(dir + "PK.dat").size() + 1) / 2;
}

bool listFile(const QString& dir, bool act, Garbage&)
{
    const QList<QByteArray> before = readRawLines(dir + "LSp1");
    const lessons::ListLines lines = lessons::readList(dir + "LSp1");
    // A command writes the list anew; the lines it does not change keep their bytes.
    return !act || (lessons::writeList(dir + "LSp1", lines).ok && readRawLines(dir + "LSp1") == before);
}

bool lessonFile(const QString& dir, bool act, Garbage& g)
{
    const QList<QByteArray> before = readRawLines(dir + "U1");
    editor::LessonFile lesson({dir, "U1"}, "Englisch", "Lektion 1");
    if (!lesson.open().ok || lesson.size() != before.size())
        return false;
    // A run passes every line on once, asked or not; leaving the editor stores every line.
    QStringList lines;
    for (qsizetype i = 0; act && i < lesson.size(); ++i)
        lines << lesson.line(i);
    exercise::Run run(lines, g.below(2) ? exercise::Direction::ForeignToGerman : exercise::Direction::GermanToForeign,
                      g.below(2) ? exercise::Selection::AllWords : exercise::Selection::WrongOnly, dir + "tmpUxx",
                      [&g] { return g.random.generateDouble(); });
    for (qsizetype asked = 0; run.next() && asked <= lines.size(); ++asked)
        run.markAnswer(asked % 2 == 0);
    return run.atEnd() && run.runCopy().size() == lines.size()
        && (!act || (lesson.storeBack().ok && readRawLines(dir + "U1") == before));
}

bool resultFile(const QString& dir, bool act, Garbage&)
{
    const results::ResultFile::Totals totals = results::ResultFile::readTotals(dir + "EU1");
    const QList<QByteArray> lines = readRawLines(dir + "EU1");
    (void)results::ResultReport::build("anna", "Englisch", "Lektion 1", lines);
    // The next completed run writes new totals in front and keeps every record as stored.
    results::ResultColumn sum;
    results::ResultColumn run;
    sum.setCounts(totals.words + 1, totals.right);
    run.setCounts(1, 0);
    const QByteArray front = Scrambler::scrambleText(results::ResultFile::totalsLine(sum));
    const QByteArray record = Scrambler::scrambleText("1\\\\0");
    return totals.words >= 0 && totals.right >= 0
        && (!act || (results::ResultFile::storeRun(dir + "EU1", sum, run).ok
                     && readRawLines(dir + "EU1") == QList{front} + lines.mid(1) + QList{record}));
}

const QList<std::tuple<QString, QString, Reader>> Readers = {{"user list", "PK.dat", userList},
    {"list file", "LSp1", listFile}, {"lesson file", "U1", lessonFile}, {"result file", "EU1", resultFile}};

// One line of 1 MB: a word of 512 kB, then as many empty meanings.
const QByteArray LongLine = QByteArray(1 << 19, 'W') + "\\\\" + QByteArray(1 << 19, ';') + "\\\\\\f";

// What once broke a screen: a line whose plain form holds a line end, and the long line.
const QByteArray OnceBroken = Scrambler::scramble("the\\\\der\ndie\\\\\\f") + "\r\n" + Scrambler::scramble(LongLine);

// The stored files of a tree with a sound first line each.
const QList<std::pair<QString, QByteArray>> StoredFiles = {{"PK.dat", "anna"}, {"anna/Spr.dat", "Englisch\\\\LSp1"},
    {"anna/LSp1", "Lektion 1\\\\U1"}, {"anna/Englisch/U1", "the\\\\der;die\\\\\\f"}, {"anna/Englisch/EU1", " 1\\\\ 1"}};

// One window left to go on with: it takes input and fits on the screen.
bool oneUsableWindow()
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    return windows.size() == 1 && windows[0]->isEnabled() && room.expandedTo(windows[0]->size()) == room;
}

} // namespace

class DamagedFilesTest : public QObject
{
    Q_OBJECT

public:
    // A reader that hangs on a damaged file fails the test instead of slowing it down: every
    // function here takes a few seconds.
    DamagedFilesTest() { qputenv("QTEST_FUNCTION_TIMEOUT", "90000"); }

private slots:
    void readersTakeAnyContent()
    {
        QTemporaryDir dir(scratchDir());
        Garbage g{QRandomGenerator(1)};
        // What once broke a reader (a separator at every place, each parsed anew), the long line,
        // and 50 MB in lines of 1 kB; beyond 8 MB only the reading is checked.
        QList<QByteArray> fixed = {Scrambler::scramble(QByteArray(1 << 20, '\\')), Scrambler::scramble(LongLine), {}};
        for (int i = 0; fixed.last().size() < (50 << 20); ++i)
            fixed.last() += Scrambler::scramble("w" + QByteArray::number(i) + "\\\\" + QByteArray(1000, 'x') + "\\\\\\f")
                + "\r\n";
        // Reading keeps the stored bytes; what the user does next is checked on a second reading.
        const QString path = dir.path() + '/';
        for (const auto& [name, file, read] : Readers)
            for (int n = 0; n < fixed.size() + 2500; ++n) {
                const QByteArray stored = n < fixed.size() ? fixed[n] : g.file();
                writeFile(path + file, stored);
                const bool act = stored.size() <= (8 << 20);
                QVERIFY2(read(path, false, g) && readFile(path + file) == stored && (!act || read(path, true, g)),
                         qPrintable(name + ": " + stored.left(200).toHex()));
            }
    }

    void screensTakeDamagedFiles()
    {
        Garbage g{QRandomGenerator(2)};
        const QList<void (app::Screens::*)()> show = {&app::Screens::showLogin, &app::Screens::showMain,
            &app::Screens::showEditor, &app::Screens::showExercise, &app::Screens::showResults};
        for (int n = 0; n < 300; ++n) {
            // The program directory lies beside a sentinel file, so that whatever a screen writes
            // or removes outside its tree shows up.
            QTemporaryDir parent(scratchDir());
            writeFile(parent.filePath("sentinel"), "keep");
            TestProgram p(parent.filePath("program"));
            p.messages.queueOk(100);
            // The first round gives each screen sound hand-offs and the files that once broke one.
            for (const auto& [file, good] : StoredFiles)
                writeFile(p.path(file),
                          n < 5 ? OnceBroken : Scrambler::scramble(g.below(2) ? good : g.line()) + "\r\n" + g.file());
            if (n % 5 >= 2) { // editor, exercise and results open from the hidden main screen
                p.writePlain("tmpUsr", {"anna"});
                p.screens().showMain();
                p.screens().mainScreen()->hide();
                p.screens().mainScreen()->setEnabled(false);
            }
            const QString lang = p.path("anna/Englisch/");
            const QList<std::pair<QString, QStringList>> handOffs = {{"tmpUsr", {"anna", "geheim"}},
                {"anna/tmpEdit", {"Englisch", "Lektion 1", "U1"}},
                {"tmpErgShow", {lang, "anna", "Englisch", "Lektion 1", lang + "EU1"}}};
            for (const auto& [file, good] : handOffs)
                writeFile(p.path(file), n < 5 ? store::toCp1252(good.join("\r\n")) : g.handOff(good));
            const auto before = storedFiles(p.dir());
            (p.screens().*show[n % 5])();
            const QString what = QStringLiteral("case %1: ").arg(n);
            QVERIFY2(storedFiles(p.dir()) == before, qPrintable(what + "file changed by loading"));
            QVERIFY2(oneUsableWindow(), qPrintable(what + "no usable window"));

            // What the user does next: leave the lesson, or go through the lists and open a lesson.
            const auto loaded = storedFiles(p.dir(), rawLinesOf);
            if (auto* editor = TestProgram::shown<frmEditUnit>())
                editor->findChild<QPushButton*>("cmdExit")->click();
            if (auto* drill = TestProgram::shown<frmPaukomat>())
                drill->findChild<QPushButton*>("cmdCancel")->click();
            if (auto* main = TestProgram::shown<frmMain>(); main && n % 5 == 1) {
                for (int row = 0; row < main->findChild<QListWidget*>("lstSprachen")->count(); ++row)
                    main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(row);
                main->findChild<QPushButton*>("BtnGo")->click();
            }
            QVERIFY2(storedFiles(p.dir(), rawLinesOf) == loaded, qPrintable(what + "lines lost"));
            QVERIFY2(oneUsableWindow(), qPrintable(what + "no usable window after acting"));
            QCOMPARE(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                     (QStringList{QFileInfo(p.dir()).fileName(), "sentinel"}));
        }
    }

    // A stored file that exists but cannot be read is told at once and left alone; here a
    // directory stands where the file should be, which no user may read, root included.
    void unreadableFilesAreToldAtLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("text");
        const QString dir = "(an ihrer Stelle steht ein Verzeichnis)";
        QTest::newRow("user list") << "PK.dat" << 0
            << "Die Datei \"PK.dat\" (Benutzerliste) kann nicht gelesen werden " + dir + ".\nDie "
               "Benutzer werden erst angezeigt, wenn die Datei wieder lesbar ist; Paukomat verändert sie nicht.";
        QTest::newRow("language list") << "anna/Spr.dat" << 1
            << "Die Datei \"Spr.dat\" (Sprachenliste) kann nicht gelesen werden " + dir + ".\nDie "
               "Sprachen werden erst angezeigt, wenn die Datei wieder lesbar ist; Paukomat verändert sie nicht.";
        QTest::newRow("drill's working copy") << "anna/Englisch/tmpU1" << 3
            << "Die Lektion \"Lektion 1\" kann nicht geöffnet werden, die Datei \"tmpU1\" ist nicht "
               "zugänglich " + dir + ".";
    }
    void unreadableFilesAreToldAtLoad()
    {
        QFETCH(QString, file);
        QFETCH(int, screen);
        QFETCH(QString, text);
        TestProgram p;
        p.writeScrambled("anna/Englisch/U1", {"a\\\\b\\\\\\f"});
        p.writePlain("tmpUsr", {"anna", "geheim"});
        p.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
        QVERIFY(QDir().mkpath(p.path(file)));
        const auto before = storedFiles(p.dir());
        p.messages.queueOk();
        if (screen == 3) {
            p.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
            p.screens().showExercise();
        } else {
            screen == 0 ? p.screens().showLogin() : p.screens().showMain();
        }
        QCOMPARE(p.messages.texts(), QStringList{text});
        QCOMPARE(storedFiles(p.dir()), before);
        QVERIFY(oneUsableWindow());
    }

    void listKeysNameNoOtherFile()
    {
        // The keys of a damaged list name the language list and a result file.
        TestProgram p;
        p.writePlain("tmpUsr", {"anna"});
        p.writeScrambled("anna/Spr.dat", {"Englisch\\\\Spr.dat", "Latein\\\\LSp2"});
        p.writeScrambled("anna/LSp2", {"Lektion 1\\\\EU1"});
        p.writeScrambled("anna/Latein/EU1", {" 1\\\\ 1"});
        const auto files = storedFiles(p.dir());
        p.screens().showMain();
        frmMain* main = TestProgram::shown<frmMain>();
        p.messages.queueOk(3);
        for (QAction* command : {main->findChild<QAction*>("mnuSpracheDelete"), main->findChild<QAction*>("mnuLektionEdit"), main->findChild<QAction*>("mnuLektionDelete")}) {
            main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(command == main->findChild<QAction*>("mnuSpracheDelete") ? 0 : 1);
            const qsizetype shown = p.messages.shown.size();
            command->trigger();
            QCOMPARE(p.messages.shown.size(), shown + 1);
            QVERIFY(p.messages.shown.last().text.contains("keinen gültigen Schlüssel") && oneUsableWindow());
        }
        QCOMPARE(storedFiles(p.dir()), files);
    }
};

QTEST_MAIN(DamagedFilesTest)
#include "DamagedFilesTest.moc"
