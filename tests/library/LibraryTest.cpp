#include "library/Library.h"
#include "exchange/LessonExport.h"
#include "library/LessonTransfer.h"
#include "store/Cp1252.h"
#include "store/KeyLine.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A file by its path from anna's directory, with its lines; list files are given unscrambled.
struct File
{
    QString path;
    QStringList lines;
};

// A command of the main screen. Open signs in again and lists as the main screen does: the
// languages, then the lessons of the first.
enum class Op {
    Open,
    NewLanguage,
    RenameLanguage,
    RemoveLanguage,
    NewLesson,
    RenameLesson,
    RemoveLesson,
    HandOver
};

struct Step
{
    Op op;
    QString language = {};
    QString lesson = {};
    QString newName = {};
};

// What a step said: Done (followed by a later failure, if any), Unchanged, or the message.
const QString Done = "(done)", Unchanged = "(unchanged)";

struct Row
{
    QList<Step> steps;
    QStringList said;
    // Entries made or rewritten, with their lines; directories end in "/".
    QMap<QString, QStringList> written = {};
    QStringList gone = {};
    QList<File> files = {}; // written before the steps
};

// Keys of other forms than "LSp" and digits give no number.
const QStringList OddKeys{R"(Y\\LSp)", R"(Z\\LSpx3)"};
const QStringList Languages =
    QStringList{R"(Englisch\\LSp1)", R"(Eng\\LSp2)", R"(Xhosa\\LSp7)", R"(Weit\\LSp6)"} + OddKeys;

bool isList(const QString& path)
{
    return QFileInfo(path).fileName() == "Spr.dat" || QFileInfo(path).fileName().startsWith("LSp");
}

// A program directory where "anna" is signed in, with a language directory "Weit" that is a link
// to a directory outside the tree.
struct Tree
{
    QTemporaryDir dir, outside;
    library::Library library{store::DataTree(dir.path())};

    Tree()
    {
        QDir(dir.path()).mkpath("anna/Altlast");
        QFile::link(outside.path(), dir.filePath("anna/Weit"));
        write({{"../PK.dat", {"x"}},
               {"../tmpUsr", {"anna"}},
               {"Spr.dat", Languages},
               {"LSp1", {R"(Vokabeln\\U1)"}},
               {"LSp2", {R"(Lektion 1\\U3)", R"(Lektion 10\\U4)", R"(Lektion 2\\U5)"}},
               {"LSp6", {}},
               {"LSp7", {R"(z\\U9)"}},
               {"notiz", {"x"}},
               {"Englisch/U1", {"x"}},
               {"Eng/U3", {"x"}},
               {"Eng/EU3", {"x"}},
               {"Eng/.KU3", {"x"}},
               {"Eng/U4", {"x"}},
               {"Eng/.KU4", {"x"}},
               {"Xhosa/U9", {"x"}},
               {"Weit/U1", {"x"}}});
        run({Op::Open, {}});
    }

    QString path(const QString& fromAnna) const
    {
        return QDir::cleanPath(dir.filePath("anna/" + fromAnna));
    }

    void write(const QList<File>& files) const
    {
        for (const auto& [name, lines] : files) {
            QList<QByteArray> raw;
            for (const QString& line : lines)
                raw << (isList(name) ? store::Scrambler::scrambleText(line)
                                     : store::toCp1252(line));
            QDir().mkpath(QFileInfo(path(name)).path());
            QVERIFY(store::TextFile::writeRawLines(path(name), raw));
        }
    }

    // Every entry below the program directory, by its path from anna's directory.
    QMap<QString, QStringList> entries() const
    {
        QMap<QString, QStringList> found;
        const auto filter = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        for (QDirIterator it(dir.path(), filter, QDirIterator::Subdirectories); it.hasNext();) {
            const QString name = QDir(path({})).relativeFilePath(it.next());
            QStringList& lines = found[it.fileInfo().isDir() ? name + "/" : name];
            if (!it.fileInfo().isDir())
                for (const QByteArray& raw : store::TextFile::readRawLines(it.filePath()))
                    lines << (isList(name) ? store::Scrambler::unscrambleText(raw)
                                           : store::fromCp1252(raw));
        }
        return found;
    }

    static QString said(const store::Outcome& o)
    {
        const QString text = o.failure ? store::failureMessage(*o.failure) : o.message.text;
        return o.status == store::Outcome::Status::Unchanged ? Unchanged
            : o.ok()                                         ? Done + text
                                                             : text;
    }

    QString removed(const store::Result<library::Removal>& checked) const
    {
        if (!checked.ok())
            return said(checked.outcome);
        return said(checked.value.lesson.isEmpty() ? library.removeLanguage(checked.value)
                                                   : library.removeLesson(checked.value));
    }

    QString run(const Step& s)
    {
        switch (s.op) {
        case Op::Open: {
            const auto opened = library.open();
            if (opened.ok() && library.listLanguages() && !library.languages().isEmpty())
                library.listLessons(library.languages().first());
            return said(opened);
        }
        case Op::NewLanguage:
            return said(library.createLanguage(s.language).outcome);
        case Op::RenameLanguage:
            return said(library.renameLanguage(s.language, s.newName));
        case Op::RemoveLanguage:
            return removed(library.prepareLanguageRemoval(s.language));
        case Op::NewLesson:
            return said(library.createLesson(s.language, s.lesson).outcome);
        case Op::RenameLesson:
            return said(library.renameLesson(s.language, s.lesson, s.newName));
        case Op::RemoveLesson:
            return removed(library.prepareLessonRemoval(s.language, s.lesson));
        case Op::HandOver:
            return said(library.handOver(s.language, s.lesson));
        }
        return {};
    }
};

const QString Unsafe = "Der Name \"..\" ist ungültig. Die Datei wurde außerhalb von Paukomat "
                       "verändert; Paukomat greift nicht darauf zu.";
const QString TakenByFile = "Der Name \"%1\" ist im Benutzerverzeichnis bereits für eine Datei "
                            "vergeben. Bitte wählen Sie einen anderen Namen für die Sprache !";
const QString LessonExists = "Die Lektion ist bereits vorhanden !";
// A list changed outside the program: a name that is no plain name, a line without a key.
const QList<File> Damaged{{"Spr.dat", {R"(..\\LSp1)", "Ohne Schlüssel"}}};

} // namespace

Q_DECLARE_METATYPE(Row)

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<Row>("row");
        const auto add = [](const char* name, const Row& row) { QTest::newRow(name) << row; };
        add("signed in by nobody",
            {{{Op::Open}},
             {"Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !"},
             {},
             {},
             {{"../tmpUsr", {}}}});
        add("no plain user name", {{{Op::Open}}, {Unsafe}, {}, {}, {{"../tmpUsr", {".."}}}});
        add("user directory made",
            {{{Op::Open}},
             {Done},
             {{"../bert/", {}}, {"../bert/Spr.dat", {}}, {"../bert/tmpSpr.dat", {}}},
             {},
             {{"../tmpUsr", {"bert"}}}});

        add("new language",
            {{{Op::NewLanguage, "ägyptisch"}},
             {Done},
             {{"LSp8", {}},
              {"Spr.dat", Languages + QStringList{R"(ägyptisch\\LSp8)"}},
              {"ägyptisch/", {}}}});
        add("a directory left over is taken over",
            {{{Op::NewLanguage, "Altlast"}},
             {Done},
             {{"LSp8", {}}, {"Spr.dat", Languages + QStringList{R"(Altlast\\LSp8)"}}}});
        add("a key is not given twice while loaded",
            {{{Op::NewLanguage, "Aaa"}, {Op::RemoveLanguage, "Aaa"}, {Op::NewLanguage, "Abc"}},
             {Done, Done, Done},
             {{"Abc/", {}}, {"LSp9", {}}, {"Spr.dat", Languages + QStringList{R"(Abc\\LSp9)"}}}});
        add("a fresh load counts the files again",
            {{{Op::NewLanguage, "Aaa"},
              {Op::RemoveLanguage, "Aaa"},
              {Op::Open},
              {Op::NewLanguage, "Abc"}},
             {Done, Done, Done, Done},
             {{"Abc/", {}}, {"LSp8", {}}, {"Spr.dat", Languages + QStringList{R"(Abc\\LSp8)"}}}});
        add("no language past the highest key",
            {{{Op::Open}, {Op::NewLanguage, "Noch"}},
             {Done,
              "Es können keine weiteren Sprachen angelegt werden, die höchste Sprachnummer "
              "ist erreicht !"},
             {{"LSp99999999999999", {}}, {"tmpSpr.dat", {R"(Voll\\LSp99999999999999)"}}},
             {},
             {{"Spr.dat", {R"(Voll\\LSp99999999999999)"}}}});
        add("forbidden character",
            {{{Op::NewLanguage, "Eng,lisch"}},
             {"Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !"}});
        add("language exists",
            {{{Op::NewLanguage, "Englisch"}}, {"Die Sprache ist bereits vorhanden !"}});
        add("name of a key", {{{Op::NewLanguage, "LSp12"}}, {TakenByFile.arg("LSp12")}});
        add("name of a file", {{{Op::NewLanguage, "notiz"}}, {TakenByFile.arg("notiz")}});
        add("control character",
            {{{Op::NewLanguage, "Spr\tx"}},
             {"Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche "
              "enthalten !"}});
        add("cancelled",
            {{{Op::NewLanguage, ""}, {Op::RenameLanguage, "Eng", {}, ""}, {Op::NewLesson, "Eng"}},
             {Unchanged, Unchanged, Unchanged}});

        add("renamed with key, lessons and directory",
            {{{Op::RenameLanguage, "Xhosa", {}, "Zulu"}},
             {Done},
             {{"Spr.dat",
               QStringList{R"(Englisch\\LSp1)", R"(Eng\\LSp2)", R"(Zulu\\LSp7)", R"(Weit\\LSp6)"}
                   + OddKeys},
              {"Zulu/", {}},
              {"Zulu/U9", {"x"}}},
             {"Xhosa/", "Xhosa/U9"}});
        add("renamed to itself, to a directory",
            {{{Op::RenameLanguage, "Eng", {}, "Eng"}, {Op::RenameLanguage, "Eng", {}, "Altlast"}},
             {Unchanged,
              "Die Sprache Eng kann nicht in Altlast umbenannt werden, da das "
              "Verzeichnis \"Altlast\" bereits vorhanden ist !"}});
        add("deleted with lessons, results and boxes, not Englisch",
            {{{Op::RemoveLanguage, "Eng"}},
             {Done},
             {{"Spr.dat",
               QStringList{R"(Englisch\\LSp1)", R"(Xhosa\\LSp7)", R"(Weit\\LSp6)"} + OddKeys}},
             {"Eng/", "Eng/.KU3", "Eng/.KU4", "Eng/EU3", "Eng/U3", "Eng/U4", "LSp2"}});
        add("a linked directory loses the link only",
            {{{Op::RemoveLanguage, "Weit"}},
             {Done},
             {{"Spr.dat",
               QStringList{R"(Englisch\\LSp1)", R"(Eng\\LSp2)", R"(Xhosa\\LSp7)"} + OddKeys}},
             {"LSp6", "Weit/"}});

        add("new lesson",
            {{{Op::NewLesson, "Englisch", "Verben"}},
             {Done},
             {{"LSp1", {R"(Vokabeln\\U1)", R"(Verben\\U6)"}}}});
        add("no lesson past the highest key",
            {{{Op::Open}, {Op::NewLesson, "Eng", "y"}},
             {Done,
              "Es können keine weiteren Lektionen angelegt werden, die höchste "
              "Lektionsnummer ist erreicht !"},
             {},
             {},
             {{"LSp2", {R"(z\\U2147483647)"}}}});
        add("lesson exists",
            {{{Op::NewLesson, "Eng", "Lektion 2"},
              {Op::RenameLesson, "Eng", "Lektion 1", "Lektion 10"}},
             {LessonExists, LessonExists}});
        add("lesson renamed, key, boxes and other lines kept",
            {{{Op::RenameLesson, "Eng", "Lektion 1", "Anfang"}},
             {Done},
             {{"LSp2", {R"(Anfang\\U3)", R"(Lektion 10\\U4)", R"(Lektion 2\\U5)"}}}});
        add("lesson deleted with its results and boxes",
            {{{Op::RemoveLesson, "Eng", "Lektion 1"}},
             {Done},
             {{"LSp2", {R"(Lektion 10\\U4)", R"(Lektion 2\\U5)"}}},
             {"Eng/.KU3", "Eng/EU3", "Eng/U3"}});
        add("lesson handed over",
            {{{Op::HandOver, "Eng", "Lektion 10"}},
             {Done},
             {{"tmpEdit", {"Eng", "Lektion 10", "U4"}}}});

        // Names of a damaged list never become part of a path.
        add("damaged list",
            {{{Op::Open},
              {Op::RemoveLanguage, ".."},
              {Op::RenameLanguage, "..", {}, "Neu"},
              {Op::HandOver, "..", "Lektion"},
              {Op::RemoveLanguage, "Ohne Schlüssel"}},
             {Done, Unsafe, Unsafe, Unsafe, Done},
             {{"Spr.dat", {R"(..\\LSp1)"}}, {"tmpSpr.dat", {R"(..\\LSp1)", "Ohne Schlüssel"}}},
             {},
             Damaged});
    }
    void commands()
    {
        QFETCH(Row, row);
        Tree tree;
        tree.write(row.files);
        const auto before = tree.entries();
        QStringList said;
        for (const Step& step : row.steps)
            said << tree.run(step);
        QCOMPARE(said, row.said);
        const auto after = tree.entries();
        QMap<QString, QStringList> written;
        for (auto it = after.begin(); it != after.end(); ++it)
            if (!before.contains(it.key()) || before[it.key()] != it.value())
                written.insert(it.key(), it.value());
        QCOMPARE(written, row.written);
        QStringList gone;
        for (const QString& name : before.keys())
            if (!after.contains(name))
                gone << name;
        QCOMPARE(gone, row.gone);
        QCOMPARE(QDir(tree.outside.path()).entryList(QDir::Files), QStringList{"U1"});
    }

    // An imported lesson keeps the boxes its pairs bring and gives them back for export; a
    // lesson whose pairs bring none gets no file of them.
    void importedBoxesComeBackForExport()
    {
        Tree tree;
        const QList<exchange::Pair> pairs{{"house", "Haus", boxes::Place{5, QDate(2024, 2, 29)}},
                                          {"tree", "Baum"}};
        QVERIFY(library::importLesson(tree.library, "Englisch", "Neu", pairs).ok());
        QVERIFY(library::importLesson(tree.library, "Englisch", "Ohne", pairs.mid(1)).ok());
        QFile file(tree.path("Englisch/.KU6"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 store::Scrambler::scrambleText(R"(5\\2024-02-29\\house)") + "\r\n");
        QVERIFY(!tree.entries().contains("Englisch/.KU7"));
        const auto stored = library::lessonPairs(tree.library, "Englisch", "Neu");
        const auto boxes = library::lessonBoxes(tree.library, "Englisch", "Neu");
        QVERIFY(exchange::pairsOf(stored.value, boxes) == pairs);
    }

    // At the end of the program the hand-off files go; a directory named like them stays with
    // what it holds, be it a user's or a language's.
    void endRemovesFilesOnly_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("kept");
        QTest::newRow("sign-in hand-off") << "../tmpUsr" << false;
        QTest::newRow("plain language list") << "tmpSpr.dat" << false;
        QTest::newRow("user directory") << "../tmBert/Spr.dat" << true;
        QTest::newRow("language directory") << "tmpLatein/U1" << true;
    }
    void endRemovesFilesOnly()
    {
        QFETCH(QString, path);
        Tree tree;
        tree.write({{path, {"x"}}});
        tree.library.removeHandOffFiles();
        QTEST(QFileInfo::exists(tree.path(path)), "kept");
    }

    // Languages are shown in German order with case ignored; names that differ in case alone
    // keep the order of the list file.
    void languagesInGermanOrder_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("small letters among capitals")
            << QStringList{"zulu", "Englisch", "arabisch"}
            << QStringList{"arabisch", "Englisch", "zulu"};
        QTest::newRow("umlaut beside its vowel") << QStringList{"Ostisch", "Ölisch", "Ndonga"}
                                                 << QStringList{"Ndonga", "Ölisch", "Ostisch"};
        QTest::newRow("capital stored first")
            << QStringList{"Eng", "eng"} << QStringList{"Eng", "eng"};
        QTest::newRow("small letter stored first")
            << QStringList{"eng", "Eng"} << QStringList{"eng", "Eng"};
    }
    void languagesInGermanOrder()
    {
        QFETCH(QStringList, stored);
        Tree tree;
        QStringList lines;
        for (const QString& name : stored)
            lines << name + store::KeySeparator + "LSp" + QString::number(lines.size() + 1);
        tree.write({{"Spr.dat", lines}});
        QVERIFY(tree.library.listLanguages());
        QTEST(tree.library.languages(), "shown");
    }
};

QTEST_GUILESS_MAIN(LibraryTest)
#include "LibraryTest.moc"
