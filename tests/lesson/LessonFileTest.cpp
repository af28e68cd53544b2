#include "lesson/LessonFile.h"
#include "../support/LessonDir.h"
#include "store/TextRules.h"

#include <QTest>

namespace {

// A damaged lesson: a line without separator, one too short for a mark, and "the" twice.
const QStringList Lines{"the\\\\der\\\\\\r", "there\\\\dort\\\\\\r",
                        "a\\\\ein\\\\\\f",   "ohne Trenner",
                        "x\\\\ab",           "the\\\\die\\\\\\r"};

enum class Command { Add, Change, Remove };

struct Edit
{
    Command command;
    QString foreign, german = "neu";
};

// An edit, what it refuses, and the lesson's lines after it.
struct EditCase
{
    Edit edit;
    QString refusal = {};
    QStringList lines = Lines;
};

// Edits on a lesson whose pairs were answered or not, and the boxes stored after them.
struct BoxCase
{
    QList<Edit> edits;
    bool answered;
    QStringList boxesAfter;
};

// The lesson handed over by the choice made and the user signed in (none when null); of a
// choice of several lines the last three whole count.
struct HandOff
{
    QStringList choice;
    bool editing;
    QString refusal = {};
    QString user = "anna";
};

// The lesson "U1" of a scratch directory.
struct Fixture
{
    LessonDir dir;
    lesson::LessonFile lesson{{dir.path(), "U1"}, "Englisch", "Lektion 1"};

    [[nodiscard]] bool open(const QByteArray& stored)
    {
        return dir.write("U1", stored) && lesson.open().ok();
    }
    store::Outcome apply(const Edit& edit)
    {
        if (edit.command == Command::Add)
            return lesson.add(edit.foreign, edit.german).outcome;
        if (edit.command == Command::Change)
            return lesson.change(edit.foreign, edit.german);
        return lesson.remove(edit.foreign);
    }
};

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    // Edits keep each pair's box by its foreign word; a changed or new pair starts in box 1.
    void editsKeepTheBoxesOfTheirPairs_data()
    {
        QTest::addColumn<BoxCase>("row");
        const QStringList kept{"3\\\\2024-01-05\\\\the", "2\\\\2024-01-05\\\\there"};
        QTest::newRow("add") << BoxCase{{{Command::Add, "new"}}, true, kept};
        QTest::newRow("change") << BoxCase{{{Command::Change, "the"}}, true, kept.mid(1)};
        QTest::newRow("removed, added again")
            << BoxCase{{{Command::Remove, "the"}, {Command::Add, "the"}}, true, kept.mid(1)};
        QTest::newRow("never answered")
            << BoxCase{{{Command::Add, "new"}, {Command::Change, "a"}}, false, {}};
    }
    void editsKeepTheBoxesOfTheirPairs()
    {
        QFETCH(BoxCase, row);
        Fixture f;
        if (row.answered)
            QVERIFY(
                f.dir.write(".KU1",
                            LessonDir::file({"3\\\\2024-01-05\\\\the", "2\\\\2024-01-05\\\\there",
                                             "4\\\\2024-01-05\\\\gone"})));
        QVERIFY(f.open(LessonDir::file(Lines.mid(0, 3))));
        for (const Edit& edit : row.edits)
            QCOMPARE(f.apply(edit).status, store::Outcome::Status::Done);
        QVERIFY(f.lesson.storeBack().ok());
        // A lesson never answered gets no file of boxes.
        QCOMPARE(f.dir.bytes(".KU1"), row.answered ? LessonDir::file(row.boxesAfter) : "missing");
    }

    void editsChangeTheWorkingCopyAtOnce_data()
    {
        QTest::addColumn<EditCase>("row");
        QTest::newRow("add, no foreign word") << EditCase{
            {Command::Add, "", "x"}, "Sie haben keine Vokabel der Sprache Englisch eingegeben !"};
        QTest::newRow("change, blank word, no meaning") << EditCase{
            {Command::Change, " ", ""}, "Sie haben keine Vokabel der Sprache Deutsch eingegeben !"};
        QTest::newRow("change, unknown word") << EditCase{
            {Command::Change, "The"}, "Die zu ändernde Vokabel ist nicht vorhanden !\r\r"};
        QTest::newRow("change, ends in a backslash")
            << EditCase{{Command::Change, "a\\"}, lesson::foreignWordProblem("a\\")};
        QTest::newRow("add, Cyrillic meaning")
            << EditCase{{Command::Add, "dom", "дом"}, store::unstorableTextMessage("д")};
        QTest::newRow("add, known")
            << EditCase{{Command::Add, "the"}, "Die Vokabel ist bereits vorhanden !\r\r"};
        const QString the = "the\\\\der;die;das\\\\\\f";
        QTest::newRow("change every line of the word")
            << EditCase{{Command::Change, "the", "der;die;das"},
                        "",
                        {the, Lines[1], Lines[2], Lines[3], Lines[4], the}};
        QTest::newRow("remove an unknown word") << EditCase{{Command::Remove, "The"}};
        QTest::newRow("remove every line of the word")
            << EditCase{{Command::Remove, "the"}, "", Lines.mid(1, 4)};
    }
    // A refusal changes nothing; the lesson itself changes only when it is stored back.
    void editsChangeTheWorkingCopyAtOnce()
    {
        QFETCH(EditCase, row);
        Fixture f;
        QVERIFY(f.open(LessonDir::file(Lines)));
        const store::Outcome result = f.apply(row.edit);
        QCOMPARE(result.message.text, row.refusal);
        QCOMPARE(result.ok(), row.refusal.isEmpty());
        QVERIFY(!result.failure);
        QCOMPARE(f.lesson.find("a"), row.lines.indexOf(Lines[2]));
        QCOMPARE(f.dir.bytes("tmpU1"), LessonDir::file(row.lines, false));
        QCOMPARE(f.dir.bytes("U1"), LessonDir::file(Lines));
        QVERIFY(f.lesson.storeBack().ok());
        QCOMPARE(f.dir.bytes("U1"), LessonDir::file(row.lines));
        QCOMPARE(f.dir.files(), QStringList{"U1"});
    }

    // However the stored lines end, the working copy ends each with CR LF and holds each once.
    void workingCopyOfAnyLineEnds_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("working");
        const QByteArray a = store::Scrambler::scramble(QByteArray("a\\\\b\\\\\\f"));
        const QByteArray c = store::Scrambler::scramble(QByteArray("c\\\\d\\\\\\r"));
        const QByteArray both("a\\\\b\\\\\\f\r\nc\\\\d\\\\\\r\r\n");
        QTest::newRow("CR LF") << a + "\r\n" + c + "\r\n" << both;
        QTest::newRow("LF alone") << a + "\n" + c + "\r\n" << both;
        QTest::newRow("no last end") << a + "\r\n" + c << both;
        QTest::newRow("empty line") << QByteArray("\r\n") << QByteArray("\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void workingCopyOfAnyLineEnds()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, working);
        Fixture f;
        QVERIFY(f.open(stored));
        QCOMPARE(f.dir.bytes("tmpU1"), working);
        QCOMPARE(f.lesson.size(), working.count('\n'));
    }

    void handedOverLesson_data()
    {
        QTest::addColumn<HandOff>("row");
        const QStringList u1{"Englisch", "L", "U1"}, shortChoice = u1.mid(0, 2);
        const QString noUser = "Der angemeldete Benutzer ist nicht bekannt, die Datei \"tmpUsr\" "
                               "fehlt oder ist leer. ";
        const QString noChoice = "die Datei \"tmpEdit\" fehlt oder ist unvollständig. ";
        QTest::newRow("editing, no user")
            << HandOff{u1, true, noUser + "Die Lektion kann nicht bearbeitet werden !", {}};
        QTest::newRow("drilling, empty user")
            << HandOff{u1, false, noUser + "Die Übung kann nicht geöffnet werden.", ""};
        QTest::newRow("unsafe user") << HandOff{u1, true, store::unsafeNameMessage(".."), ".."};
        QTest::newRow("editing, short choice")
            << HandOff{shortChoice, true,
                       "Es ist keine Lektion zum Bearbeiten angegeben, " + noChoice
                           + "Bitte wählen Sie die Lektion erneut aus !"};
        QTest::newRow("drilling, short choice")
            << HandOff{shortChoice, false,
                       "Die gewählte Lektion ist nicht bekannt, " + noChoice
                           + "Die Übung kann nicht geöffnet werden."};
        QTest::newRow("unsafe key")
            << HandOff{{"Englisch", "L", "../U1"}, false, store::unsafeNameMessage("../U1")};
        // A lesson that cannot be read is never taken as empty: storing it back would wipe it.
        QTest::newRow("unreadable lesson")
            << HandOff{{"Englisch", "L", "Sub"},
                       true,
                       "Die Lektion \"L\" kann nicht geöffnet werden, die Datei \"Sub\" ist nicht "
                       "zugänglich (an ihrer Stelle steht ein Verzeichnis)."};
        QTest::newRow("of several the last three count") << HandOff{
            QStringList{"Englisch", "Alt", "U9"} + u1 + QStringList{"Englisch"}, true, ""};
    }
    void handedOverLesson()
    {
        QFETCH(HandOff, row);
        LessonDir d;
        QDir().mkpath(d.path("anna/Englisch/Sub"));
        if (!row.user.isNull())
            QVERIFY(d.write("tmpUsr", LessonDir::file({row.user}, false)));
        QVERIFY(d.write("anna/tmpEdit", LessonDir::file(row.choice, false)));
        const store::Result<lesson::HandedOverLesson> handed = lesson::openHandedOverLesson(
            store::DataTree(d.path()),
            row.editing ? lesson::LessonUse::Editing : lesson::LessonUse::Drilling);
        QCOMPARE(handed.outcome.message.text, row.refusal);
        QCOMPARE(handed.value.lesson ? handed.value.lesson->name() : "",
                 row.refusal.isEmpty() ? "L" : "");
        // Only the lesson opened gets its files, made there; a refusal makes none.
        QCOMPARE(d.files("anna/Englisch"),
                 row.refusal.isEmpty() ? QStringList({"tmpU1", "U1"}) : QStringList());
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
