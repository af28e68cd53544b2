#include "library/Library.h"
#include "../support/LessonDir.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDirIterator>
#include <QTest>

namespace {

// A command of the main screen. Open signs in again and lists as the main screen does: the
// languages, then the lessons of the first. Rename and Remove act on the lesson when one is given,
// else on the language. End removes the hand-off files as the program ends.
enum Op { Open, NewLanguage, NewLesson, Rename, Remove, HandOver, End };

// What a step says: Done, Unchanged, or the message.
const QString Done = "(done)", Unchanged = "(unchanged)";

struct Step
{
    Op op;
    QString language = {}, lesson = {}, newName = {}, said = Done;
};

// Steps; the entries made or rewritten after them, with their lines (directories end in "/");
// the files written before the steps; and the entries gone after them.
struct Row
{
    QList<Step> steps;
    QMap<QString, QStringList> written = {}, files = {};
    QStringList gone = {};
};

// A program directory where "anna" is signed in, with a language directory "Weit" that is a link
// to a directory outside the tree. Hand-off files ("tmp...") hold plain lines, all others
// scrambled ones.
struct Tree
{
    LessonDir root;
    QTemporaryDir outside;
    library::Library library{store::DataTree(root.dir.path())};

    Tree()
    {
        QDir(root.path()).mkpath("anna/Altlast");
        QFile::link(outside.path(), root.path("anna/Weit"));
        write({{"../tmpUsr", {"anna"}},
               // Y and Z have keys that give no number.
               {"Spr.dat",
                {R"(Englisch\\LSp1)", R"(Eng\\LSp2)", R"(Weit\\LSp6)", R"(Y\\LSp)", R"(Z\\LSpx3)"}},
               {"LSp2", {R"(Lektion 1\\U3)", R"(Lektion 10\\U4)"}}});
        for (const char* name :
             {"Englisch/U1", "Eng/U3", "Eng/EU3", "Eng/.KU3", "Eng/U4", "Weit/U1"})
            write({{name, {"x"}}});
        run({Open});
    }

    void write(const QMap<QString, QStringList>& files) const
    {
        for (const auto& [name, lines] : files.asKeyValueRange()) {
            QDir().mkpath(QFileInfo(root.path("anna/" + name)).path());
            QVERIFY(root.write("anna/" + name, LessonDir::file(lines, !name.contains("tmp"))));
        }
    }

    // Every entry below the program directory, by its path from anna's directory.
    QMap<QString, QStringList> entries() const
    {
        QMap<QString, QStringList> found;
        for (QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString name = QDir(root.path("anna")).relativeFilePath(it.next());
            QStringList& lines = found[it.fileInfo().isDir() ? name + "/" : name];
            for (const QByteArray& raw : store::TextFile::readRawLines(it.filePath()))
                lines << (name.contains("tmp") ? store::fromCp1252(raw)
                                               : store::Scrambler::unscrambleText(raw));
        }
        return found;
    }

    static QString said(const store::Outcome& o)
    {
        return o.status == store::Outcome::Status::Unchanged ? Unchanged
            : o.ok()                                         ? Done
                                                             : o.message.text;
    }

    QString run(const Step& s)
    {
        switch (s.op) {
        case Open: {
            const auto opened = library.open();
            if (opened.ok() && library.listLanguages() && !library.languages().isEmpty())
                library.listLessons(library.languages().first());
            return said(opened);
        }
        case NewLanguage:
            return said(library.createLanguage(s.language).outcome);
        case NewLesson:
            return said(library.createLesson(s.language, s.lesson).outcome);
        case Rename:
            return said(s.lesson.isEmpty() ? library.renameLanguage(s.language, s.newName)
                                           : library.renameLesson(s.language, s.lesson, s.newName));
        case Remove: {
            const auto checked = s.lesson.isEmpty()
                ? library.prepareLanguageRemoval(s.language)
                : library.prepareLessonRemoval(s.language, s.lesson);
            if (!checked.ok())
                return said(checked.outcome);
            return said(s.lesson.isEmpty() ? library.removeLanguage(checked.value)
                                           : library.removeLesson(checked.value));
        }
        case HandOver:
            return said(library.handOver(s.language, s.lesson));
        case End:
            library.removeHandOffFiles();
            return Done;
        }
        return {};
    }
};

const QString Unsafe = store::unsafeNameMessage("..");

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<Row>("row");
        const auto add = [](const char* name, const Row& row) { QTest::newRow(name) << row; };
        add("signed in by nobody",
            {{{Open, {}, {}, {}, "Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !"}},
             {},
             {{"../tmpUsr", {}}}});
        // A fresh load counts the keys again; a directory left over is taken over; Englisch
        // stays when Eng goes; a linked directory loses the link only.
        add("languages",
            {{{NewLanguage, "Aaa"},
              {Remove, "Aaa"},
              {Open},
              {NewLanguage, "Altlast"},
              {Remove, "Eng"},
              {Rename, "Englisch", {}, "Zulu"},
              {Remove, "Weit"}},
             {{"LSp7", {}},
              {"Spr.dat", {R"(Zulu\\LSp1)", R"(Y\\LSp)", R"(Z\\LSpx3)", R"(Altlast\\LSp7)"}},
              {"Zulu/", {}},
              {"Zulu/U1", {"x"}}},
             {},
             {"Eng/", "Eng/.KU3", "Eng/EU3", "Eng/U3", "Eng/U4", "Englisch/", "Englisch/U1", "LSp2",
              "Weit/"}});
        add("lessons",
            {{{Rename, "Eng", "Lektion 10", "Anfang"},
              {HandOver, "Eng", "Anfang"},
              {Remove, "Eng", "Lektion 1"}},
             {{"LSp2", {R"(Anfang\\U4)"}}, {"tmpEdit", {"Eng", "Anfang", "U4"}}},
             {},
             {"Eng/.KU3", "Eng/EU3", "Eng/U3"}});
        const QStringList voll{R"(Voll\\LSp99999999999999)"};
        const QString full =
            "Es können keine weiteren %1 angelegt werden, die höchste %2 ist erreicht !";
        add("no language or lesson past the highest key",
            {{{Open},
              {NewLanguage, "Noch", {}, {}, full.arg("Sprachen", "Sprachnummer")},
              {NewLesson, "Voll", "y", {}, full.arg("Lektionen", "Lektionsnummer")}},
             {{"tmpSpr.dat", voll}},
             {{"Spr.dat", voll}, {"LSp99999999999999", {R"(z\\U2147483647)"}}}});
        const QString lessonExists = "Die Lektion ist bereits vorhanden !";
        add("refused or cancelled",
            {{{NewLanguage,
               "Eng,lisch",
               {},
               {},
               "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !"},
              {NewLanguage, "Englisch", {}, {}, "Die Sprache ist bereits vorhanden !"},
              {NewLanguage,
               "LSp12",
               {},
               {},
               "Der Name \"LSp12\" ist im Benutzerverzeichnis bereits für eine Datei vergeben. "
               "Bitte wählen Sie einen anderen Namen für die Sprache !"},
              {NewLanguage,
               "Spr\tx",
               {},
               {},
               "Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche "
               "enthalten !"},
              {Rename,
               "Eng",
               {},
               "Altlast",
               "Die Sprache Eng kann nicht in Altlast umbenannt werden, da das Verzeichnis "
               "\"Altlast\" bereits vorhanden ist !"},
              {NewLesson, "Eng", "Lektion 10", {}, lessonExists},
              {Rename, "Eng", "Lektion 1", "Lektion 10", lessonExists},
              {NewLanguage, "", {}, {}, Unchanged},
              {Rename, "Eng", {}, "Eng", Unchanged}}});
        // A directory named like a hand-off file stays with what it holds, be it a user's or a
        // language's.
        add("the end removes hand-off files only",
            {{{End}},
             {},
             {{"../tmBert/Spr.dat", {"x"}}, {"tmpLatein/U1", {"x"}}},
             {"../tmpUsr", "tmpSpr.dat"}});
        // Names of a damaged list never become part of a path.
        const QStringList damaged{R"(..\\LSp1)"};
        add("damaged list",
            {{{Open}, {Remove, "..", {}, {}, Unsafe}, {HandOver, "..", "Lektion", {}, Unsafe}},
             {{"LSp1", {}}, {"tmpSpr.dat", damaged}},
             {{"Spr.dat", damaged}}});
    }
    void commands()
    {
        QFETCH(const Row, row);
        Tree tree;
        tree.write(row.files);
        const auto before = tree.entries();
        for (const Step& step : row.steps)
            QCOMPARE(tree.run(step), step.said);
        const auto after = tree.entries();
        QMap<QString, QStringList> written;
        for (const auto& [name, lines] : after.asKeyValueRange())
            if (!before.contains(name) || before[name] != lines)
                written[name] = lines;
        QCOMPARE(written, row.written);
        QStringList gone;
        for (const QString& name : before.keys())
            if (!after.contains(name))
                gone << name;
        QCOMPARE(gone, row.gone);
        QCOMPARE(QDir(tree.outside.path()).entryList(QDir::Files), QStringList{"U1"});
    }

    // Languages are shown in German order with case ignored; names that differ in case alone
    // keep the order of the list file.
    void languagesInGermanOrder()
    {
        Tree tree;
        tree.write({{"Spr.dat", {"Ostisch", "Eng", "Ölisch", "eng", "arabisch"}}});
        QVERIFY(tree.library.listLanguages());
        QCOMPARE(tree.library.languages(),
                 (QStringList{"arabisch", "Eng", "eng", "Ölisch", "Ostisch"}));
    }
};

QTEST_GUILESS_MAIN(LibraryTest)
#include "LibraryTest.moc"
