#include "TestProgram.h"
#include "mainwindow/frmMain.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>

using namespace testing;
using store::Scrambler;

namespace {

// Damaged and hostile contents from a seed: the pieces the formats are made of, names that leave
// the tree, control bytes and noise, in any order, with any line ends, sometimes cut short.
struct Garbage
{
    QRandomGenerator random;

    int below(qsizetype n) { return random.bounded(int(n)); }
    QByteArray line()
    {
        static const QList<QByteArray> pieces = {"\\",
                                                 "\\\\",
                                                 "\\\\\\f",
                                                 "f",
                                                 "LSp",
                                                 "U",
                                                 " 12",
                                                 "99999999999999999999",
                                                 " ",
                                                 "..",
                                                 "/",
                                                 "../..",
                                                 QByteArray(1, '\0'),
                                                 ";",
                                                 "\xe4\xdf\x81",
                                                 "\r",
                                                 "\n"};
        QByteArray text;
        for (int n = below(7); n > 0; --n)
            text += below(8) ? pieces[below(pieces.size())] : QByteArray(1, char(below(256)));
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

const QList<void (app::Screens::*)()> Show = {
    &app::Screens::showLogin, &app::Screens::showMain, &app::Screens::showEditor,
    &app::Screens::showExercise, &app::Screens::showResults};

// Stored files sound (seed -1) or damaged from a seed, or a directory in place of one file; read
// by a screen, which goes on.
struct Case
{
    int seed;
    int screen; // login, main, editor, drill, results
    QString directory = {};
    QString message = {};
};

} // namespace

Q_DECLARE_METATYPE(Case)

class DamagedFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedFilesAreReadSafely_data()
    {
        QTest::addColumn<Case>("c");
        const QString unreadable =
            "Die Datei \"%1\" (%2liste) kann nicht gelesen werden (an ihrer Stelle steht ein "
            "Verzeichnis).\nDie %2 werden erst angezeigt, wenn die Datei wieder lesbar ist; "
            "Paukomat verändert sie nicht.";
        QTest::newRow("user list unreadable")
            << Case{-1, 0, "PK.dat", unreadable.arg("PK.dat", "Benutzer")};
        QTest::newRow("language list unreadable")
            << Case{-1, 1, "anna/Spr.dat", unreadable.arg("Spr.dat", "Sprachen")};
        QTest::newRow("drill's working copy unreadable") << Case{-1, 3, "anna/Englisch/tmpU1"};
        for (int seed = 0; seed < 300; ++seed)
            QTest::addRow("seed %d", seed) << Case{seed, seed % 5};
    }
    void damagedFilesAreReadSafely()
    {
        QFETCH(const Case, c);
        Garbage garbage{QRandomGenerator(quint32(c.seed))};
        // The program directory lies beside a sentinel file, so that whatever a screen writes
        // or removes outside its tree shows up.
        QTemporaryDir parent;
        writeFile(parent.filePath("sentinel"), "keep");
        TestProgram p(parent.filePath("program"));
        p.messages.queueOk(100);
        for (const auto& [name, good] : StoredFiles)
            writeFile(p.path(name),
                      c.seed < 0 ? Scrambler::scramble(good) + "\r\n"
                                 : Scrambler::scramble(garbage.below(2) ? good : garbage.line())
                              + "\r\n" + garbage.file());
        QVERIFY(c.directory.isEmpty()
                || (QFile::remove(p.path(c.directory)), QDir().mkpath(p.path(c.directory))));
        if (c.screen >= 2) // editor, exercise and results open from the hidden main screen
            p.handOverFromMain({}, {});
        const QString lang = p.path("anna/Englisch/");
        const QList<std::pair<QString, QStringList>> handOffs = {
            {"tmpUsr", {"anna", "geheim"}},
            {"anna/tmpEdit", {"Englisch", "Lektion 1", "U1"}},
            {"tmpErgShow", {lang, "anna", "Englisch", "Lektion 1", lang + "EU1"}}};
        for (const auto& [name, good] : handOffs)
            writeFile(p.path(name),
                      c.seed >= 0 ? garbage.handOff(good) : TestProgram::plainBytes(good));
        const auto before = storedFiles(p.dir());
        (p.screens().*Show[c.screen])();
        if (!c.message.isEmpty())
            QCOMPARE(p.messages.texts(), QStringList{c.message});
        // On the main screen the user goes through the languages and opens a lesson.
        if (auto* main = TestProgram::shown<mainwindow::frmMain>()) {
            auto* languages = main->findChild<QListWidget*>("lstSprachen");
            for (int row = 0; row < languages->count(); ++row)
                languages->setCurrentRow(row);
            main->findChild<QPushButton*>("BtnGo")->click();
        }
        QCOMPARE(storedFiles(p.dir()), before);
        // One window is left to go on with: it takes input and fits on the screen.
        const QList<QWidget*> windows = TestProgram::visibleWindows();
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isEnabled());
        QCOMPARE(room.expandedTo(windows[0]->size()), room);
        QCOMPARE(
            QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{QFileInfo(p.dir()).fileName(), "sentinel"}));
    }
};

QTEST_MAIN(DamagedFilesTest)
#include "DamagedFilesTest.moc"
