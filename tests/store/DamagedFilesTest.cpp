#include "TestProgram.h"
#include "editor/LessonFile.h"
#include "editor/frmEditUnit.h"
#include "exercise/ResultFile.h"
#include "exercise/Run.h"
#include "exercise/frmPaukomat.h"
#include "lessons/ListFile.h"
#include "lessons/frmMain.h"
#include "results/ResultReport.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/UserList.h"

#include <QAction>
#include <QDirIterator>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using store::Scrambler;
using store::TextFile::readRawLines;
using testing::TestProgram;

namespace {

void put(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        QTest::qFail("cannot write test file", __FILE__, __LINE__);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Syncing thousands of saved files to a disk costs far more than the reading under test; a
// memory file system, where there is one, keeps the run short.
QString scratchDir()
{
    const QFileInfo memory("/dev/shm");
    return (memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath()) + "/DamagedFilesTest-XXXXXX";
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

Garbage seeded(quint32 seed)
{
    return {QRandomGenerator(seed + qEnvironmentVariableIntValue("PAUKOMAT_FUZZ_SEED"))};
}

// Files this large are only read: what a user does next with them costs more time than it tells.
bool actsOn(const QByteArray& stored) { return stored.size() <= (8 << 20); }

// Each reader gets one stored file; whatever it holds, the file keeps its bytes and what the
// user does next loses no line.
using Reader = bool (*)(const QString& dir, const QByteArray& stored, Garbage& g);

bool userList(const QString& dir, const QByteArray& stored, Garbage&)
{
    const store::DataTree tree(dir);
    const store::UserList users(tree);
    put(dir + "/PK.dat", stored);
    (void)users.makePlainCopy();
    // The records of the plain copy sign in.
    const QStringList plain = store::TextFile::readLines(dir + "/tmpPK.dat");
    bool ok = bytesOf(dir + "/PK.dat") == stored && users.names().size() == (plain.size() + 1) / 2;
    for (qsizetype i = 0; ok && i + 1 < qMin<qsizetype>(plain.size(), actsOn(stored) ? 8 : 0); i += 2)
        ok = users.Check_Pwd(plain[i], plain[i + 1]) && !users.Check_If_Unikat(plain[i]);
    return ok;
}

bool listFile(const QString& dir, const QByteArray& stored, Garbage&)
{
    put(dir + "/LSp1", stored);
    const lessons::ListLines lines = lessons::readList(dir + "/LSp1");
    // A command writes the list anew; the lines it does not change keep their bytes.
    return bytesOf(dir + "/LSp1") == stored
        && (!actsOn(stored)
            || (lessons::writeList(dir + "/LSp2", lines) && readRawLines(dir + "/LSp2") == readRawLines(dir + "/LSp1")));
}

bool lessonFile(const QString& dir, const QByteArray& stored, Garbage& g)
{
    put(dir + "/U1", stored);
    const QList<QByteArray> before = readRawLines(dir + "/U1");
    editor::LessonFile lesson(dir + '/', "U1");
    if (!lesson.open() || bytesOf(dir + "/U1") != stored || lesson.size() != before.size())
        return false;
    if (!actsOn(stored))
        return true;
    // A run passes every line on once, asked or not; leaving the editor stores every line.
    QStringList lines;
    for (qsizetype i = 0; i < lesson.size(); ++i)
        lines << lesson.line(i);
    exercise::Run run(lines, g.below(2) ? exercise::Direction::ForeignToGerman : exercise::Direction::GermanToForeign,
                      g.below(2) ? exercise::Selection::Alle : exercise::Selection::Fehler, dir + "/tmpUxx",
                      [&g] { return g.random.generateDouble(); });
    for (qsizetype asked = 0; run.next() && asked <= lines.size(); ++asked)
        run.markAnswer(asked % 2 == 0);
    return run.atEnd() && run.runCopy().size() == lines.size() && lesson.storeBack()
        && readRawLines(dir + "/U1") == before;
}

bool resultFile(const QString& dir, const QByteArray& stored, Garbage&)
{
    put(dir + "/EU1", stored);
    const auto totals = exercise::ResultFile::readTotals(dir + "/EU1");
    const QList<QByteArray> lines = readRawLines(dir + "/EU1");
    const auto report = results::ResultReport::build("anna", "Englisch", "Lektion 1", lines);
    if (bytesOf(dir + "/EU1") != stored || totals.words < 0 || totals.right < 0
        || report.einzel().size() != 1 + 7 * qMax<qsizetype>(0, lines.size() - 1))
        return false;
    // The next completed run writes new totals in front and keeps every record as stored.
    exercise::ResultColumn sum;
    exercise::ResultColumn run;
    sum.setCounts(totals.words + 1, totals.right);
    run.setCounts(1, 0);
    return !actsOn(stored)
        || (exercise::ResultFile::storeRun(dir + "/EU1", sum, run)
            && readRawLines(dir + "/EU1") == QList{Scrambler::scrambleText(exercise::ResultFile::totalsLine(sum))}
                   + lines.mid(1) + QList{Scrambler::scrambleText("1\\\\0")});
}

const QList<std::pair<const char*, Reader>> Readers = {
    {"user list", userList}, {"list file", listFile}, {"lesson file", lessonFile}, {"result file", resultFile}};

// One line of 1 MB: a word of 512 kB, then as many empty meanings.
const QByteArray LongLine = QByteArray(1 << 19, 'W') + "\\\\" + QByteArray(1 << 19, ';') + "\\\\\\f";

// The stored files of a tree by path, as lines and as bytes; hand-off and scratch files aside.
QMap<QString, QList<QByteArray>> storedFiles(const QString& dir, QMap<QString, QByteArray>& bytes)
{
    QMap<QString, QList<QByteArray>> lines;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        if (const QString path = it.next(); !it.fileName().startsWith("tmp")) {
            lines.insert(path, readRawLines(path));
            bytes.insert(path, bytesOf(path));
        }
    return lines;
}

// One window left to go on with: it takes input and fits on the screen.
bool oneUsableWindow()
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    return windows.size() == 1 && windows.first()->isEnabled() && windows.first()->width() <= room.width()
        && windows.first()->height() <= room.height();
}

} // namespace

class DamagedFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void readersTakeAnyContent_data()
    {
        QTest::addColumn<int>("reader");
        for (int r = 0; r < Readers.size(); ++r)
            QTest::newRow(Readers[r].first) << r;
    }
    void readersTakeAnyContent()
    {
        QFETCH(int, reader);
        QTemporaryDir dir(scratchDir());
        Garbage g = seeded(static_cast<quint32>(reader));
        // What once broke a reader (a separator at every place, each parsed anew), the long line,
        // and 50 MB in lines of 1 kB.
        static QList<QByteArray> fixed = {Scrambler::scramble(QByteArray(1 << 20, '\\')), Scrambler::scramble(LongLine), {}};
        for (int i = 0; fixed.last().size() < (50 << 20); ++i)
            fixed.last() += Scrambler::scramble("w" + QByteArray::number(i) + "\\\\" + QByteArray(1000, 'x') + "\\\\\\f")
                + "\r\n";
        for (int n = 0; n < fixed.size() + 2500; ++n) {
            const QByteArray stored = n < fixed.size() ? fixed[n] : g.file();
            QVERIFY2(Readers[reader].second(dir.path(), stored, g), qPrintable(stored.left(200).toHex()));
        }
    }

    void screensLoadDamagedFiles()
    {
        Garbage g = seeded(100);
        for (int n = 0; n < 300; ++n) {
            // The program directory lies in a parent of its own beside a sentinel file, so that
            // whatever a screen writes outside its tree shows up in the parent.
            QTemporaryDir parent(scratchDir());
            put(parent.filePath("sentinel"), "keep");
            const QByteArray tmp = qgetenv("TMPDIR");
            qputenv("TMPDIR", parent.path().toLocal8Bit());
            TestProgram p;
            tmp.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
            p.messages.queueOk(100);

            // The first round gives each screen sound hand-offs and files of what once broke a
            // screen (a line whose plain form holds a line end) and of a line of 1 MB.
            const auto stored = [&](const QByteArray& good) {
                return n < 5 ? Scrambler::scramble("the\\\\der\ndie\\\\\\f") + "\r\n" + Scrambler::scramble(LongLine)
                             : Scrambler::scramble(g.below(2) ? good : g.line()) + "\r\n" + g.file();
            };
            const auto handOff = [&](const QStringList& good) {
                return n < 5 ? store::toCp1252(good.join("\r\n")) : g.handOff(good);
            };
            put(p.path("PK.dat"), stored("anna"));
            put(p.path("anna/Spr.dat"), stored("Englisch\\\\LSp1"));
            put(p.path("anna/LSp1"), stored("Lektion 1\\\\U1"));
            put(p.path("anna/Englisch/U1"), stored("the\\\\der;die\\\\\\f"));
            put(p.path("anna/Englisch/EU1"), stored(" 1\\\\ 1"));
            const int screen = n % 5;
            if (screen >= 2) { // editor, exercise and results open from the hidden main screen
                put(p.path("tmpUsr"), "anna");
                p.screens().showMain();
                p.screens().mainScreen()->hide();
                p.screens().mainScreen()->setEnabled(false);
            }
            put(p.path("tmpUsr"), handOff({"anna", "geheim"}));
            put(p.path("anna/tmpEdit"), handOff({"Englisch", "Lektion 1", "U1"}));
            put(p.path("tmpErgShow"),
                handOff({p.path("anna/Englisch/"), "anna", "Englisch", "Lektion 1", p.path("anna/Englisch/EU1")}));
            QMap<QString, QByteArray> before;
            QMap<QString, QByteArray> loaded;
            QMap<QString, QByteArray> after;
            storedFiles(p.dir(), before);
            const QString what = QStringLiteral("case %1: ").arg(n);

            const QList<void (ui::Screens::*)()> show = {&ui::Screens::showLogin, &ui::Screens::showMain,
                &ui::Screens::showEditor, &ui::Screens::showExercise, &ui::Screens::showResults};
            (p.screens().*show[screen])();
            const auto loadedLines = storedFiles(p.dir(), loaded);
            for (auto it = before.cbegin(); it != before.cend(); ++it)
                QVERIFY2(loaded.value(it.key()) == it.value(), qPrintable(what + "changed " + it.key()));
            QVERIFY2(oneUsableWindow(), qPrintable(what + "no usable window"));

            // What the user does next: leave the lesson, or go through the lists and open a lesson.
            if (auto* editor = TestProgram::shown<frmEditUnit>())
                editor->cmdExit->click();
            if (auto* drill = TestProgram::shown<frmPaukomat>())
                drill->cmdCancel->click();
            if (auto* main = TestProgram::shown<frmMain>(); main && screen == 1) {
                for (int row = 0; row < main->lstSprachen->count(); ++row)
                    main->lstSprachen->setCurrentRow(row);
                main->BtnGo->click();
            }
            const auto afterLines = storedFiles(p.dir(), after);
            for (auto it = loadedLines.cbegin(); it != loadedLines.cend(); ++it)
                QVERIFY2(afterLines.value(it.key()) == it.value(), qPrintable(what + "lost lines of " + it.key()));
            QVERIFY2(oneUsableWindow(), qPrintable(what + "no usable window after acting"));
            QCOMPARE(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                     (QStringList{QFileInfo(p.dir()).fileName(), "sentinel"}));
            QCOMPARE(bytesOf(parent.filePath("sentinel")), QByteArray("keep"));
        }
    }

    void listKeysNameNoOtherFile()
    {
        // The keys of a damaged list name the language list and a result file.
        TestProgram p;
        p.writePlain("tmpUsr", {"anna"});
        p.writeScrambled("anna/Spr.dat", {"Englisch\\\\Spr.dat", "Latein\\\\LSp2"});
        p.writeScrambled("anna/LSp2", {"Lektion 1\\\\EU1"});
        p.writeScrambled("anna/Latein/EU1", {" 1\\\\ 1"});
        const QByteArray files = p.bytes("anna/Spr.dat") + p.bytes("anna/LSp2") + p.bytes("anna/Latein/EU1");
        p.screens().showMain();
        frmMain* main = TestProgram::shown<frmMain>();
        QCOMPARE(main->lstLektionen->count(), 0);
        p.messages.queueOk(3);
        for (QAction* command : {main->mnuSpracheDelete, main->mnuLektionEdit, main->mnuLektionDelete}) {
            main->lstSprachen->setCurrentRow(command == main->mnuSpracheDelete ? 0 : 1);
            command->trigger();
            QVERIFY(p.messages.shown.last().text.contains("keinen gültigen Schlüssel") && oneUsableWindow());
        }
        QCOMPARE(p.messages.shown.size(), 3);
        QCOMPARE(p.bytes("anna/Spr.dat") + p.bytes("anna/LSp2") + p.bytes("anna/Latein/EU1"), files);
    }
};

QTEST_MAIN(DamagedFilesTest)
#include "DamagedFilesTest.moc"
