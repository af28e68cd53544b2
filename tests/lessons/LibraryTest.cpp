#include "lessons/Library.h"
#include "exchange/LessonExport.h"
#include "lessons/LessonTransfer.h"
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

const QString Languages = "Spr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7|Weit:LSp6";

bool isList(const QString& path)
{
    return QFileInfo(path).fileName() == "Spr.dat" || QFileInfo(path).fileName().startsWith("LSp");
}

// A program directory where "anna" is signed in, with a language directory "Weit" that is a link
// to a directory outside the tree. Files are named from anna's directory; list files are written
// and read unscrambled, with ":" for the key separator.
struct Tree
{
    QTemporaryDir dir, outside;
    lessons::Library library{store::DataTree(dir.path())};

    Tree()
    {
        QDir(dir.path()).mkpath("anna/Altlast");
        QFile::link(outside.path(), dir.filePath("anna/Weit"));
        runAll("../PK.dat=x; ../tmpUsr=anna; " + Languages
               + "; LSp1=Vokabeln:U1; LSp6=; LSp7=z:U9; notiz=x; "
                 "LSp2=Lektion 1:U3|Lektion 10:U4|Lektion 2:U5; Englisch/U1=x; Eng/U3=x; "
                 "Eng/EU3=x; Eng/U4=x; "
                 "Xhosa/U9=x; Weit/U1=x; open");
    }
    static QString said(const store::Outcome& o)
    {
        const QString text = o.failure ? store::failureMessage(*o.failure) : o.message.text;
        return o.status == store::Outcome::Status::Unchanged ? "unchanged"
            : o.ok()                                         ? "ok" + text
                                                             : text;
    }

    // Every entry: directories end in "/", links in "@"; files give "=" and their lines joined by "|".
    QMap<QString, QString> entries() const
    {
        QMap<QString, QString> found;
        const auto filter = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        for (QDirIterator it(dir.path(), filter, QDirIterator::Subdirectories); it.hasNext();) {
            const QString name = QDir(dir.filePath("anna")).relativeFilePath(it.next());
            QStringList lines;
            for (const QByteArray& raw : store::TextFile::readRawLines(it.filePath()))
                lines << (isList(name) ? store::Scrambler::unscrambleText(raw)
                                       : store::fromCp1252(raw));
            const QFileInfo info = it.fileInfo();
            found[name
                  + (info.isSymLink()   ? "@"
                         : info.isDir() ? "/"
                                        : "")] =
                info.isDir() ? "" : "=" + lines.join("|").replace("\\\\", ":");
        }
        return found;
    }

    // One step; see commands_data.
    QString run(const QString& step)
    {
        const bool lesson = step.contains("/");
        const QString language = step.section("/", 0, 0), command = step.section("/", -1),
                      name = command.mid(1);
        const QString from = command.section(">", 0, 0), to = command.section(">", 1);
        if (step == "open") {
            const auto opened = library.open();
            if (opened.ok() && library.listLanguages() && !library.languages().isEmpty())
                library.listLessons(library.languages().first());
            return said(opened);
        }
        if (step.endsWith("?")) {
            step == "?" ? (void)library.listLanguages() : library.listLessons(step.chopped(1));
            return (step == "?" ? library.languages() : library.lessons()).join(",");
        }
        if (command.startsWith("+"))
            return said(lesson ? library.createLesson(language, name).outcome
                               : library.createLanguage(name).outcome);
        if (command.startsWith("-")) {
            const auto gone = lesson ? library.prepareLessonRemoval(language, name)
                                     : library.prepareLanguageRemoval(name);
            if (!gone.ok())
                return said(gone.outcome);
            return said(lesson ? library.removeLesson(gone.value)
                               : library.removeLanguage(gone.value));
        }
        if (command.contains(">"))
            return said(lesson ? library.renameLesson(language, from, to)
                               : library.renameLanguage(from, to));
        return said(library.handOver(language, command));
    }
    // Runs steps separated by "; "; "FILE=line|line" writes a file and gives no result.
    QString runAll(const QString& steps)
    {
        QStringList results;
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
            const QString path = QDir::cleanPath(dir.filePath("anna/" + step.section("=", 0, 0)));
            QList<QByteArray> lines;
            for (QString line : step.section("=", 1).split("|", Qt::SkipEmptyParts))
                lines << (isList(path) ? store::Scrambler::scrambleText(line.replace(":", "\\\\"))
                                       : store::toCp1252(line));
            if (!step.contains("="))
                results << run(step);
            else if (QDir().mkpath(QFileInfo(path).path()))
                (void)store::TextFile::writeRawLines(path, lines);
        }
        return results.join("; ");
    }
};

const QString Unsafe = "Der Name \"..\" ist ungültig. Die Datei wurde außerhalb von Paukomat "
                       "verändert; Paukomat greift nicht darauf zu.";
const QString Damaged =
    "Spr.dat=..:LSp1|Gut:../PK.dat|Ohne Schlüssel|Sicher:LSp1; LSp1=Lektion:../../PK.dat; open";

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    // Each row runs its setup, then its steps on the loaded tree: "open" signs in again, "+L"
    // creates the language L, "A>B" renames A to B, "-L" deletes L, "L?" lists the lessons of L,
    // "?" the languages; "L/+N", "L/A>B" and "L/-N" do the same for a lesson of L, and "L/N"
    // hands it over. A step gives "ok", "unchanged" or the message; changed is what
    // the steps did to the tree, "-" before what went.
    void commands_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("changed");
        const auto row = [](const char* name, const QString& setup, const QString& steps,
                            const QString& result, const QStringList& changed) {
            QTest::newRow(name) << setup << steps << result << changed;
        };
        row("signed in by nobody", "../tmpUsr=", "open",
            "Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !", {});
        row("no plain user name", "../tmpUsr=..", "open", Unsafe, {});
        row("user directory made", "../tmpUsr=bert", "open", "ok",
            {"../bert/", "../bert/Spr.dat=", "../bert/tmpSpr.dat="});

        row("new language, shown in German order", "", "+ägyptisch; ?",
            "ok; ägyptisch,Eng,Englisch,Weit,Xhosa",
            {"LSp8=", Languages + "|ägyptisch:LSp8",
             "tmpSpr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7|Weit:LSp6|ägyptisch:LSp8",
             "ägyptisch/"});
        row("a directory left over is taken over", "", "+Altlast", "ok",
            {"LSp8=", Languages + "|Altlast:LSp8"});
        row("a key is not given twice while loaded", "", "+Aaa; -Aaa; +Abc", "ok; ok; ok",
            {"Abc/", "LSp9=", Languages + "|Abc:LSp9"});
        row("a fresh load counts the files again", "", "+Aaa; -Aaa; open; +Abc", "ok; ok; ok; ok",
            {"Abc/", "LSp8=", Languages + "|Abc:LSp8"});
        row("keys of other forms count nothing", "Spr.dat=A:LSp|B:LSpx3|C:LSp-4; open", "+D", "ok",
            {"D/", "LSp1=", "Spr.dat=A:LSp|B:LSpx3|C:LSp-4|D:LSp1"});
        row("no language past the highest key", "Spr.dat=Voll:LSp99999999999999; ?", "+Noch",
            "Es können keine weiteren Sprachen angelegt werden, die höchste Sprachnummer ist "
            "erreicht !",
            {});
        row("forbidden character", "", "+Eng,lisch",
            "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !", {});
        row("language exists", "", "+Englisch", "Die Sprache ist bereits vorhanden !", {});
        row("name of a key", "", "+LSp12",
            "Der Name \"LSp12\" ist im Benutzerverzeichnis bereits für eine Datei "
            "vergeben. Bitte wählen Sie einen anderen Namen für die Sprache !",
            {});
        row("name of a file", "", "+notiz",
            "Der Name \"notiz\" ist im Benutzerverzeichnis bereits für eine Datei "
            "vergeben. Bitte wählen Sie einen anderen Namen für die Sprache !",
            {});
        row("control character", "", "+Spr\tx",
            "Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche enthalten !",
            {});
        row("cancelled", "", "+; Eng>; Englisch/+", "unchanged; unchanged; unchanged", {});

        row("renamed with key, lessons and directory", "", "Xhosa>Zulu", "ok",
            {"-Xhosa/", "-Xhosa/U9", "Spr.dat=Englisch:LSp1|Eng:LSp2|Zulu:LSp7|Weit:LSp6", "Zulu/",
             "Zulu/U9=x"});
        row("renamed to itself, to a directory", "", "Eng>Eng; Eng>Altlast",
            "unchanged; Die Sprache Eng kann nicht in Altlast umbenannt werden, da das Verzeichnis "
            "\"Altlast\" bereits vorhanden ist !",
            {});
        row("deleted with lessons and results, not Englisch", "", "-Eng", "ok",
            {"-Eng/", "-Eng/EU3", "-Eng/U3", "-Eng/U4", "-LSp2",
             "Spr.dat=Englisch:LSp1|Xhosa:LSp7|Weit:LSp6"});
        row("a linked directory loses the link only", "", "-Weit", "ok",
            {"-LSp6", "-Weit@", "Spr.dat=Englisch:LSp1|Eng:LSp2|Xhosa:LSp7"});

        row("new lesson", "", "Englisch/+Verben", "ok", {"LSp1=Vokabeln:U1|Verben:U6"});
        row("no lesson past the highest key", "LSp7=z:U2147483647; Xhosa?", "Xhosa/+y",
            "Es können keine weiteren Lektionen angelegt werden, die höchste Lektionsnummer ist "
            "erreicht !",
            {});
        row("lesson exists", "", "Eng/+Lektion 2; Eng/Lektion 1>Lektion 10",
            "Die Lektion ist bereits vorhanden !; Die Lektion ist bereits vorhanden !", {});
        row("lesson renamed, key and other lines kept", "", "Eng/Lektion 1>Anfang", "ok",
            {"LSp2=Anfang:U3|Lektion 10:U4|Lektion 2:U5"});
        row("lesson deleted with its results", "", "Eng/-Lektion 1", "ok",
            {"-Eng/EU3", "-Eng/U3", "LSp2=Lektion 10:U4|Lektion 2:U5"});
        row("lesson handed over", "", "Eng/Lektion 10", "ok", {"tmpEdit=Eng|Lektion 10|U4"});

        // The hidden file of a lesson's boxes goes where its lesson goes.
        row("boxes stay with a renamed lesson", "Eng/.KU3=x", "Eng/Lektion 1>Anfang", "ok",
            {"LSp2=Anfang:U3|Lektion 10:U4|Lektion 2:U5"});
        row("boxes deleted with their lesson", "Eng/.KU3=x; Eng/.KU4=x", "Eng/-Lektion 1", "ok",
            {"-Eng/.KU3", "-Eng/EU3", "-Eng/U3", "LSp2=Lektion 10:U4|Lektion 2:U5"});

        // Names and keys of a list changed outside the program never become part of a path.
        for (const char* steps : {"-..", "..>Neu", "../Lektion"})
            row(steps, Damaged, steps, Unsafe, {});
        row("a line without a key", Damaged, "-Ohne Schlüssel", "ok",
            {"Spr.dat=..:LSp1|Gut:../PK.dat|Sicher:LSp1"});
    }
    void commands()
    {
        QFETCH(QString, setup);
        QFETCH(QString, steps);
        Tree tree;
        tree.runAll(setup);
        const auto before = tree.entries();
        QTEST(tree.runAll(steps), "result");
        const auto after = tree.entries();
        QStringList changed, names = before.keys() + after.keys();
        for (const QString& name : QSet<QString>(names.begin(), names.end()))
            if (before.value(name, "?") != after.value(name, "?"))
                changed << (after.contains(name) ? name + after[name] : "-" + name);
        changed.sort();
        QTEST(changed, "changed");
        QCOMPARE(QDir(tree.outside.path()).entryList(QDir::Files), QStringList{"U1"});
    }

    // An imported lesson keeps the boxes its pairs bring and gives them back for export; a
    // lesson whose pairs bring none gets no file of them.
    void importedBoxesComeBackForExport()
    {
        Tree tree;
        const QList<exchange::Pair> pairs{{"house", "Haus", boxes::Place{5, QDate(2024, 2, 29)}},
                                          {"tree", "Baum"}};
        QVERIFY(lessons::importLesson(tree.library, "Englisch", "Neu", pairs).ok()
                && lessons::importLesson(tree.library, "Englisch", "Ohne", pairs.mid(1)).ok());
        QFile file(tree.dir.filePath("anna/Englisch/.KU6"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 store::Scrambler::scrambleText("5\\\\2024-02-29\\\\house") + "\r\n");
        QVERIFY(!tree.entries().contains("Englisch/.KU7"));
        const auto stored = lessons::lessonPairs(tree.library, "Englisch", "Neu");
        QVERIFY(
            exchange::pairsOf(stored.value, lessons::lessonBoxes(tree.library, "Englisch", "Neu"))
            == pairs);
    }

    // At the end of the program the hand-off files go; a directory named like them stays with
    // what it holds, be it a user's or a language's.
    void endRemovesFilesOnly_data()
    {
        QTest::addColumn<QString>("path"); // below the program directory
        QTest::addColumn<bool>("kept");
        QTest::newRow("sign-in hand-off") << "tmpUsr" << false;
        QTest::newRow("plain language list") << "anna/tmpSpr.dat" << false;
        QTest::newRow("user directory") << "tmBert/Spr.dat" << true;
        QTest::newRow("language directory") << "anna/tmpLatein/U1" << true;
    }
    void endRemovesFilesOnly()
    {
        QFETCH(QString, path);
        Tree tree;
        const QString file = tree.dir.filePath(path);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(store::TextFile::writeRawLines(file, {"x"}));
        tree.library.removeHandOffFiles();
        QTEST(QFileInfo::exists(file), "kept");
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
        QList<QByteArray> lines;
        for (const QString& name : stored)
            lines << store::Scrambler::scrambleText(name + store::KeySeparator + "LSp"
                                                    + QString::number(lines.size() + 1));
        QVERIFY(store::TextFile::writeRawLines(tree.dir.filePath("anna/Spr.dat"), lines));
        QVERIFY(tree.library.listLanguages());
        QTEST(tree.library.languages(), "shown");
    }
};

QTEST_GUILESS_MAIN(LibraryTest)
#include "LibraryTest.moc"
