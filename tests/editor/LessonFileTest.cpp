#include "editor/LessonFile.h"
#include "LessonDir.h"
#include "store/Scrambler.h"
#include "store/TextRules.h"

#include <QTest>

using P = LessonDir;

namespace {

// A damaged lesson: a line without separator, one too short for a mark, and "the" twice.
const QStringList Lines{"the\\\\der\\\\\\r", "there\\\\dort\\\\\\r",
                        "a\\\\ein\\\\\\f",   "ohne Trenner",
                        "x\\\\ab",           "the\\\\die\\\\\\r"};

// A command on the lesson: what it refuses, and the lesson's lines after it.
struct Command
{
    QString command, foreign, german, refusal;
    QStringList lines = Lines;
};

// The lesson handed over for editing or the drill by the choice made and the user signed in.
struct HandOff
{
    QStringList choice;
    bool editing;
    QString refusal;
    QString user = "anna";
};

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    // Edits keep each pair's box by its foreign word; a changed or new pair starts in box 1.
    // The lesson stores the boxes of its pairs, and a lesson never answered gets none.
    void editsKeepTheBoxesOfTheirPairs_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QByteArray>("stored");
        const QStringList kept{"3\\\\2024-01-05\\\\the", "2\\\\2024-01-05\\\\there"};
        QTest::newRow("add") << QStringList{"+new"} << P::file(kept);
        QTest::newRow("change") << QStringList{"=the"} << P::file(kept.mid(1));
        QTest::newRow("removed, added again")
            << QStringList{"-the", "+the"} << P::file(kept.mid(1));
        QTest::newRow("never answered") << QStringList{"!", "+new", "=a"} << QByteArray("missing");
    }
    void editsKeepTheBoxesOfTheirPairs()
    {
        QFETCH(QStringList, commands);
        LessonDir d;
        QVERIFY(d.write("U1", P::file(Lines.mid(0, 3))));
        if (commands[0] != "!")
            QVERIFY(d.write(".KU1",
                            P::file({"3\\\\2024-01-05\\\\the", "2\\\\2024-01-05\\\\there",
                                     "4\\\\2024-01-05\\\\gone"})));
        editor::LessonFile lesson({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(lesson.open().ok());
        for (const QString& c : commands) {
            const QString word = c.mid(1);
            QVERIFY(c[0] == '+'       ? lesson.add(word, "neu").ok()
                        : c[0] == '=' ? lesson.change(word, "neu").ok()
                        : c[0] == '-' ? lesson.remove(word).ok()
                                      : true);
        }
        QVERIFY(lesson.storeBack().ok());
        QTEST(d.bytes(".KU1"), "stored");
    }

    void commands_data()
    {
        QTest::addColumn<Command>("c");
        QTest::newRow("add, no foreign word")
            << Command{"add", "", "x", "Sie haben keine Vokabel der Sprache Englisch eingegeben !"};
        QTest::newRow("change, blank word, no meaning") << Command{
            "change", " ", "", "Sie haben keine Vokabel der Sprache Deutsch eingegeben !"};
        QTest::newRow("change, unknown word")
            << Command{"change", "The", "x", "Die zu ändernde Vokabel ist nicht vorhanden !\r\r"};
        QTest::newRow("change, ends in a backslash")
            << Command{"change", "a\\", "x", editor::foreignWordProblem("a\\")};
        QTest::newRow("add, Cyrillic")
            << Command{"add", "dom", "дом", store::unstorableTextMessage("д")};
        QTest::newRow("add, known")
            << Command{"add", "the", "x", "Die Vokabel ist bereits vorhanden !\r\r"};
        const QString the = "the\\\\der;die;das\\\\\\f";
        QTest::newRow("change every line of the word") << Command{
            "change", "the", "der;die;das", "", {the, Lines[1], Lines[2], Lines[3], Lines[4], the}};
        QTest::newRow("remove an unknown word") << Command{"remove", "The", "", ""};
        QTest::newRow("remove every line of the word")
            << Command{"remove", "the", "", "", Lines.mid(1, 4)};
    }
    // Every command rewrites the working copy at once; the lesson itself changes when it is
    // stored back. A refusal changes nothing.
    void commands()
    {
        QFETCH(Command, c);
        LessonDir d;
        QVERIFY(d.write("U1", P::file(Lines)));
        editor::LessonFile lesson({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(lesson.open().ok());
        const store::Outcome result = c.command == "add" ? lesson.add(c.foreign, c.german).outcome
            : c.command == "change"                      ? lesson.change(c.foreign, c.german)
                                                         : lesson.remove(c.foreign);
        QCOMPARE(result.message.text, c.refusal);
        QVERIFY(!result.failure && result.ok() == c.refusal.isEmpty());
        QCOMPARE(lesson.find("a"), c.lines.indexOf("a\\\\ein\\\\\\f"));
        QCOMPARE(d.bytes("tmpU1"), P::file(c.lines, false));
        QCOMPARE(d.bytes("U1"), P::file(Lines));
        QVERIFY(lesson.storeBack().ok());
        QCOMPARE(d.bytes("U1"), P::file(c.lines));
        QCOMPARE(d.files(), QStringList{"U1"});
    }

    // However the stored lines end, the working copy ends each with CR LF and holds each once.
    void workingCopyOfAnyLineEnds_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("working");
        QTest::addColumn<int>("lines");
        const QByteArray a = store::Scrambler::scramble(QByteArray("a\\\\b\\\\\\f"));
        const QByteArray c = store::Scrambler::scramble(QByteArray("c\\\\d\\\\\\r"));
        const QByteArray both("a\\\\b\\\\\\f\r\nc\\\\d\\\\\\r\r\n");
        QTest::newRow("CR LF") << a + "\r\n" + c + "\r\n" << both << 2;
        QTest::newRow("LF alone") << a + "\n" + c + "\r\n" << both << 2;
        QTest::newRow("no last end") << a + "\r\n" + c << both << 2;
        QTest::newRow("empty line") << QByteArray("\r\n") << QByteArray("\r\n") << 1;
        QTest::newRow("empty") << QByteArray() << QByteArray() << 0;
    }
    void workingCopyOfAnyLineEnds()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, working);
        QFETCH(int, lines);
        LessonDir d;
        QVERIFY(d.write("U1", stored));
        editor::LessonFile lesson({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(lesson.open().ok());
        QCOMPARE(d.bytes("tmpU1"), working);
        QCOMPARE(lesson.size(), lines);
    }

    void handedOverLesson_data()
    {
        QTest::addColumn<HandOff>("h");
        const QStringList u1{"Englisch", "L", "U1"};
        const QString noUser =
            "Der angemeldete Benutzer ist nicht bekannt, die Datei \"tmpUsr\" fehlt oder "
            "ist leer. ";
        QTest::newRow("editing, no user")
            << HandOff{u1, true, noUser + "Die Lektion kann nicht bearbeitet werden !", QString()};
        QTest::newRow("drilling, no user")
            << HandOff{u1, false, noUser + "Die Übung kann nicht geöffnet werden.", ""};
        QTest::newRow("unsafe user") << HandOff{u1, true, store::unsafeNameMessage(".."), ".."};
        QTest::newRow("editing, short choice") << HandOff{
            u1.mid(0, 2), true,
            "Es ist keine Lektion zum Bearbeiten angegeben, die Datei \"tmpEdit\" fehlt oder ist "
            "unvollständig. Bitte wählen Sie die Lektion erneut aus !"};
        QTest::newRow("drilling, short choice") << HandOff{
            u1.mid(0, 2), false,
            "Die gewählte Lektion ist nicht bekannt, die Datei \"tmpEdit\" fehlt oder ist "
            "unvollständig. Die Übung kann nicht geöffnet werden."};
        QTest::newRow("unsafe key")
            << HandOff{{"Englisch", "L", "../U1"}, false, store::unsafeNameMessage("../U1")};
        // A lesson that cannot be read is never taken as empty: storing it back would wipe it.
        QTest::newRow("unreadable lesson")
            << HandOff{{"Englisch", "L", "Sub"},
                       true,
                       "Die Lektion \"L\" kann nicht geöffnet werden, die Datei "
                       "\"Sub\" ist nicht zugänglich (an ihrer Stelle steht ein Verzeichnis)."};
        QTest::newRow("of several the last three count, lesson made") << HandOff{
            QStringList{"Englisch", "Alt", "U9"} + u1 + QStringList{"Englisch"}, true, ""};
    }
    void handedOverLesson()
    {
        QFETCH(HandOff, h);
        LessonDir d;
        QDir().mkpath(d.path("anna/Englisch/Sub"));
        if (!h.user.isNull()) // an empty user is a file of an empty line
            QVERIFY(d.write("tmpUsr", P::file({h.user}, false)));
        QVERIFY(d.write("anna/tmpEdit", P::file(h.choice, false)));
        const store::Result<editor::HandedOverLesson> handed = editor::openHandedOverLesson(
            store::DataTree(d.path()),
            h.editing ? editor::LessonUse::Editing : editor::LessonUse::Drilling);
        QCOMPARE(handed.outcome.message.text, h.refusal);
        QCOMPARE(handed.value.lesson ? handed.value.lesson->name() : "",
                 h.refusal.isEmpty() ? "L" : "");
        // Only the lesson opened gets its files, in its language directory; a refusal makes none.
        QCOMPARE(d.files("anna/Englisch"),
                 h.refusal.isEmpty() ? QStringList({"tmpU1", "U1"}) : QStringList());
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
