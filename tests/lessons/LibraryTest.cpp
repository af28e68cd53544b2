#include "lessons/Library.h"
#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using lessons::Library;
using lessons::Outcome;

namespace {

// A program directory where "anna" is signed in, with a language directory "Weit" that is a link
// to a directory outside the tree.
struct Tree
{
    QTemporaryDir dir;
    QTemporaryDir outside;
    Library library{store::DataTree(dir.path())};

    Tree()
    {
        plain("PK.dat", {"x"});
        plain("tmpUsr", {"anna"});
        QDir(dir.path()).mkpath("anna/Altlast");
        list("Spr.dat", {"Englisch:LSp1", "Eng:LSp2", "Xhosa:LSp7", "Weit:LSp6"});
        list("LSp1", {"Vokabeln:U1"});
        list("LSp2", {"Lektion 1:U3", "Lektion 10:U4", "Lektion 2:U5"});
        list("LSp6", {});
        list("LSp7", {"z:U9"});
        for (const char* file : {"Englisch/U1", "Eng/U3", "Eng/EU3", "Eng/U4", "Xhosa/U9", "notiz"})
            plain(QStringLiteral("anna/") + file, {"x"});
        (void)store::TextFile::writeLines(outside.filePath("U1"), {"x"});
        QFile::link(outside.path(), dir.filePath("anna/Weit"));
    }
    void plain(const QString& file, const QStringList& lines) const
    {
        QDir(dir.path()).mkpath(QFileInfo(file).path());
        (void)store::TextFile::writeLines(dir.filePath(file), lines);
    }
    // A list file of anna's, from plain lines with ":" for the key separator.
    void list(const QString& file, const QStringList& lines) const
    {
        QList<QByteArray> raw;
        for (QString line : lines)
            raw.append(store::Scrambler::scrambleText(line.replace(":", "\\\\")));
        (void)store::TextFile::writeRawLines(dir.filePath("anna/" + file), raw);
    }
    // Signs in and shows the languages and the lessons of the first, as the main screen does.
    QString load()
    {
        const Outcome opened = library.open();
        (void)library.listLanguages();
        if (!library.languages().isEmpty())
            library.listLessons(library.languages().first());
        return said(opened);
    }

    // Every entry of the program directory, named from anna's directory: directories end in "/",
    // links in "@"; files give "=" and their lines joined by "|", list files unscrambled, with ":"
    // for the key separator.
    QMap<QString, QString> entries() const
    {
        QMap<QString, QString> found;
        const auto filter = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        for (QDirIterator it(dir.path(), filter, QDirIterator::Subdirectories); it.hasNext();) {
            const QString name = QDir(dir.filePath("anna")).relativeFilePath(it.next());
            const QFileInfo info = it.fileInfo();
            if (info.isSymLink() || info.isDir()) {
                found.insert(name + (info.isSymLink() ? "@" : "/"), {});
                continue;
            }
            const bool scrambled = info.fileName() == "Spr.dat" || info.fileName().startsWith("LSp");
            QStringList lines;
            for (const QByteArray& raw : store::TextFile::readRawLines(info.filePath()))
                lines.append(scrambled ? store::Scrambler::unscrambleText(raw) : store::fromCp1252(raw));
            found.insert(name, "=" + lines.join("|").replace("\\\\", ":"));
        }
        return found;
    }

    static QString said(const Outcome& outcome)
    {
        if (outcome.status == Outcome::Status::Unchanged)
            return "unchanged";
        const QString text = outcome.file ? outcome.refusal : store::failureMessage(outcome.file);
        return outcome.isDone() ? "ok" + text : text;
    }

    // One step of a row; see commands_data.
    QString run(const QString& step)
    {
        const qsizetype slash = step.indexOf("/");
        const bool lesson = slash >= 0;
        const QString language = step.left(slash), command = step.mid(slash + 1), name = command.mid(1);
        const QString from = command.section(">", 0, 0), to = command.section(">", 1);
        if (step == "open")
            return load();
        if (step.endsWith("?")) {
            step == "?" ? (void)library.listLanguages() : library.listLessons(step.chopped(1));
            return (step == "?" ? library.languages() : library.lessons()).join(",");
        }
        if (command.startsWith("+") && !lesson) {
            const auto made = library.createLanguage(name);
            return made.ok() ? made.value : said(made.outcome);
        }
        if (command.startsWith("+")) {
            const auto made = library.createLesson(language, name);
            return made.ok() ? made.value.files.key() : said(made.outcome);
        }
        if (command.startsWith("-")) {
            const auto removal = lesson ? library.prepareLessonRemoval(language, name) : library.prepareLanguageRemoval(name);
            if (!removal.ok())
                return said(removal.outcome);
            return said(lesson ? library.removeLesson(removal.value) : library.removeLanguage(removal.value));
        }
        if (command.contains(">"))
            return said(lesson ? library.renameLesson(language, from, to) : library.renameLanguage(from, to));
        return said(library.handOver(language, command));
    }
    // Runs the steps of a row, separated by "; ". "FILE=lines" writes one of anna's list files
    // and gives no result.
    QString runAll(const QString& steps)
    {
        QStringList results;
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
            if (const qsizetype eq = step.indexOf("="); eq > 0)
                list(step.left(eq), step.mid(eq + 1).split("|"));
            else
                results.append(run(step));
        }
        return results.join("; ");
    }
};

// What changed between two views of the tree: what came or changed, and "-" before what went.
QStringList changes(const QMap<QString, QString>& before, const QMap<QString, QString>& after)
{
    QStringList changed;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (before.value(it.key(), "?") != it.value())
            changed.append(it.key() + it.value());
    for (const QString& name : before.keys())
        if (!after.contains(name))
            changed.append("-" + name);
    changed.sort();
    return changed;
}

const QString Unsafe = "Der Name \"..\" ist ungültig. Die Datei wurde außerhalb von Paukomat verändert; Paukomat greift nicht darauf zu.";
const QString Outside = " keinen gültigen Schlüssel. Die Datei wurde außerhalb von Paukomat verändert; Paukomat greift nicht darauf zu.";
const QString Twice = "Die Lektion ist bereits vorhanden !";
const QString Damaged = "Spr.dat=..:LSp1|Gut:../PK.dat|Ohne Schlüssel|Sicher:LSp1; LSp1=Lektion:../../PK.dat; open";
const QString Languages = "Spr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7|Weit:LSp6";

QString takenByFile(const QString& name)
{
    return "Der Name \"" + name + "\" ist im Benutzerverzeichnis bereits für eine Datei vergeben. "
           "Bitte wählen Sie einen anderen Namen für die Sprache !";
}

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void signIn_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("nobody") << QStringList{} << "Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !" << QStringList{};
        QTest::newRow("no plain name") << QStringList{".."} << Unsafe << QStringList{};
        QTest::newRow("directory made") << QStringList{"bert"} << "ok" << QStringList{"../bert/"};
    }
    void signIn()
    {
        QFETCH(QStringList, user);
        QFETCH(QString, result);
        QFETCH(QStringList, changed);
        Tree tree;
        tree.plain("tmpUsr", user);
        const auto before = tree.entries();
        QCOMPARE(Tree::said(tree.library.open()), result);
        QCOMPARE(changes(before, tree.entries()), changed);
    }

    // Each row runs its setup, then its steps on the loaded tree: "+L" creates the language L,
    // "A>B" renames A to B, "-L" deletes L, "L?" lists the lessons of L, "?" the languages;
    // "L/+N", "L/A>B" and "L/-N" do the same for a lesson of L, and "L/N" hands it over.
    // A step gives the new key, "ok", "unchanged" or the message; changed is what the steps did
    // to the tree.
    void commands_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("changed");
        const auto row = [](const char* name, const QString& setup, const QString& steps, const QString& result,
                            const QStringList& changed) { QTest::newRow(name) << setup << steps << result << changed; };
        row("new language, shown in German order", "", "+ägyptisch; ?", "LSp8; ägyptisch,Eng,Englisch,Weit,Xhosa",
            {"LSp8=", Languages + "|ägyptisch:LSp8", "tmpSpr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7|Weit:LSp6|ägyptisch:LSp8", "ägyptisch/"});
        row("a directory left over is taken over", "", "+Altlast", "LSp8", {"LSp8=", Languages + "|Altlast:LSp8"});
        row("a key is not given twice while loaded", "", "+Aaa; -Aaa; +Abc", "LSp8; ok; LSp9", {"Abc/", "LSp9=", Languages + "|Abc:LSp9"});
        row("a fresh load counts the files again", "", "+Aaa; -Aaa; open; +Abc", "LSp8; ok; ok; LSp8",
            {"Abc/", "LSp8=", Languages + "|Abc:LSp8"});
        row("keys of other forms count nothing", "Spr.dat=A:LSp|B:LSpx3|C:LSp-4; open", "+D", "LSp1",
            {"D/", "LSp1=", "Spr.dat=A:LSp|B:LSpx3|C:LSp-4|D:LSp1"});
        row("no language past the highest key", "Spr.dat=Voll:LSp99999999999999; ?", "+Noch",
            "Es können keine weiteren Sprachen angelegt werden, die höchste Sprachnummer ist erreicht !", {});
        row("forbidden character", "", "+Eng,lisch", "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !", {});
        row("language exists", "", "+Englisch", "Die Sprache ist bereits vorhanden !", {});
        row("name of a key", "", "+LSp12", takenByFile("LSp12"), {});
        row("name of a hand-off file", "", "+tmpEdit", takenByFile("tmpEdit"), {});
        row("name of a file", "", "+notiz", takenByFile("notiz"), {});
        row("too long for a directory", "", "+" + QString(130, u'ä'), "Der Name ist zu lang, für ihn kann kein Verzeichnis angelegt werden !", {});
        row("control character", "", "+Spr\tx", "Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche enthalten !", {});
        row("cancelled", "", "+; Eng>", "unchanged; unchanged", {});

        row("renamed with key, lessons and directory", "", "Xhosa>Zulu", "ok",
            {"-Xhosa/", "-Xhosa/U9", "Spr.dat=Englisch:LSp1|Eng:LSp2|Zulu:LSp7|Weit:LSp6", "Zulu/", "Zulu/U9=x"});
        row("renamed to its own name", "", "Eng>Eng", "unchanged", {});
        row("renamed to a directory", "", "Eng>Altlast",
            "Die Sprache Eng kann nicht in Altlast umbenannt werden, da das Verzeichnis \"Altlast\" bereits vorhanden ist !", {});
        row("renamed to another language", "", "Eng>Englisch", "Die Sprache ist bereits vorhanden !", {});
        row("deleted with lessons and results, not Englisch", "", "-Eng", "ok",
            {"-Eng/", "-Eng/EU3", "-Eng/U3", "-Eng/U4", "-LSp2", "Spr.dat=Englisch:LSp1|Xhosa:LSp7|Weit:LSp6"});
        row("a linked directory loses the link only", "", "-Weit", "ok", {"-LSp6", "-Weit@", "Spr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7"});

        row("new lesson", "", "Englisch/+Verben", "U6", {"LSp1=Vokabeln:U1|Verben:U6"});
        row("lesson keys count over every list shown", "", "Xhosa?; Englisch/+Verben", "z; U10", {"LSp1=Vokabeln:U1|Verben:U10"});
        row("no lesson past the highest key", "LSp7=z:U2147483647; Xhosa?", "Xhosa/+y",
            "Es können keine weiteren Lektionen angelegt werden, die höchste Lektionsnummer ist erreicht !", {});
        row("lesson exists", "", "Eng/+Lektion 2; Eng/Lektion 1>Lektion 10", Twice + "; " + Twice, {});
        row("lesson renamed, key and other lines kept", "", "Eng/Lektion 1>Anfang", "ok", {"LSp2=Anfang:U3|Lektion 10:U4|Lektion 2:U5"});
        row("lesson deleted with its results", "", "Eng/-Lektion 1", "ok", {"-Eng/EU3", "-Eng/U3", "LSp2=Lektion 10:U4|Lektion 2:U5"});
        row("lesson never opened deleted", "", "Eng/-Lektion 2", "ok", {"LSp2=Lektion 1:U3|Lektion 10:U4"});
        row("lesson handed over", "", "Eng/Lektion 10", "ok", {"tmpEdit=Eng|Lektion 10|U4"});

        // Names and keys of a list changed outside the program never become part of a path.
        for (const char* steps : {"-..", "..>Neu", "../Lektion"})
            row(steps, Damaged, steps, Unsafe, {});
        const QString gut = "Die Sprachliste enthält für die Sprache \"Gut\"" + Outside;
        row("language key of another form", Damaged, "Gut?; -Gut; Gut/+Neu", "; " + gut + "; " + gut, {});
        for (const char* steps : {"Sicher/Lektion", "Sicher/-Lektion"})
            row(steps, Damaged, steps, "Die Lektionsliste enthält für die Lektion \"Lektion\"" + Outside, {});
        row("a line without a key", Damaged, "-Ohne Schlüssel", "ok", {"Spr.dat=..:LSp1|Gut:../PK.dat|Sicher:LSp1"});
    }
    void commands()
    {
        QFETCH(QString, setup);
        QFETCH(QString, steps);
        QFETCH(QString, result);
        QFETCH(QStringList, changed);
        Tree tree;
        tree.load();
        tree.runAll(setup);
        const auto before = tree.entries();
        QCOMPARE(tree.runAll(steps), result);
        QCOMPARE(changes(before, tree.entries()), changed);
        QCOMPARE(QDir(tree.outside.path()).entryList(QDir::Files), QStringList{"U1"});
    }
};

QTEST_GUILESS_MAIN(LibraryTest)
#include "LibraryTest.moc"
