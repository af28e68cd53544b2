#include "lesson/LessonFile.h"
#include "../support/LessonDir.h"

#include <QTest>

namespace {

// A damaged lesson: a line without separator, one too short for a mark, and "the" twice.
const QStringList Lines{"the\\\\der\\\\\\r", "there\\\\dort\\\\\\r",
                        "a\\\\ein\\\\\\f",   "ohne Trenner",
                        "x\\\\ab",           "the\\\\die\\\\\\r"};

// The boxes of "the" and "there".
const QStringList Boxes{"3\\\\2024-01-05\\\\the", "2\\\\2024-01-05\\\\there"};

enum Command { Add, Change, Remove };

struct Edit
{
    Command command;
    QString foreign, german = "neu";
};

// Edits, what the last one refuses, and the lesson's lines and boxes after them.
struct EditCase
{
    QList<Edit> edits;
    QString refusal = {};
    QStringList lines = Lines;
    QStringList boxes = Boxes;
};

// The lesson handed over by the choice made, with "anna" signed in or nobody; of a
// choice of several lines the last three whole count.
struct HandOff
{
    QStringList choice;
    bool editing;
    QString refusal = {};
    bool signedIn = true;
};

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    void editsChangeTheWorkingCopyAtOnce_data()
    {
        QTest::addColumn<EditCase>("row");
        const QString none = "Sie haben keine Vokabel der Sprache %1 eingegeben !";
        QTest::newRow("add, no foreign word") << EditCase{{{Add, "", "x"}}, none.arg("Englisch")};
        QTest::newRow("change, blank word, no meaning")
            << EditCase{{{Change, " ", ""}}, none.arg("Deutsch")};
        QTest::newRow("change, unknown word")
            << EditCase{{{Change, "The"}}, "Die zu ändernde Vokabel ist nicht vorhanden !\r\r"};
        QTest::newRow("add, known")
            << EditCase{{{Add, "the"}}, "Die Vokabel ist bereits vorhanden !\r\r"};
        const QString the = "the\\\\der;die;das\\\\\\f";
        const QStringList there = Boxes.mid(1);
        QTest::newRow("change every line of the word")
            << EditCase{{{Change, "the", "der;die;das"}},
                        "",
                        {the, Lines[1], Lines[2], Lines[3], Lines[4], the},
                        there};
        QTest::newRow("remove an unknown word") << EditCase{{{Remove, "The"}}};
        QTest::newRow("removed, added again")
            << EditCase{{{Remove, "the"}, {Add, "the"}},
                        "",
                        Lines.mid(1, 4) + QStringList{"the\\\\neu\\\\\\f"},
                        there};
    }
    // A refusal changes nothing; the lesson itself changes only when it is stored back. Edits
    // keep each pair's box by its foreign word; a changed or new pair starts in box 1, and a
    // word no longer in the lesson loses its box.
    void editsChangeTheWorkingCopyAtOnce()
    {
        QFETCH(const EditCase, row);
        LessonDir dir;
        QVERIFY(dir.write(".KU1", LessonDir::file(Boxes + QStringList{"4\\\\2024-01-05\\\\gone"})));
        QVERIFY(dir.write("U1", LessonDir::file(Lines)));
        lesson::LessonFile lesson{{dir.path(), "U1"}, "Englisch", "Lektion 1"};
        QVERIFY(lesson.open().ok());
        store::Outcome result;
        for (const Edit& edit : row.edits)
            result = edit.command == Add ? lesson.add(edit.foreign, edit.german).outcome
                : edit.command == Change ? lesson.change(edit.foreign, edit.german)
                                         : lesson.remove(edit.foreign);
        QCOMPARE(result.message.text, row.refusal);
        QCOMPARE(result.ok(), row.refusal.isEmpty());
        QCOMPARE(dir.bytes("tmpU1"), LessonDir::file(row.lines, false));
        QCOMPARE(dir.bytes("U1"), LessonDir::file(Lines));
        QVERIFY(lesson.storeBack().ok());
        QCOMPARE(dir.bytes("U1"), LessonDir::file(row.lines));
        QCOMPARE(dir.bytes(".KU1"), LessonDir::file(row.boxes));
        QCOMPARE(dir.files(), QStringList{"U1"});
    }

    void handedOverLesson_data()
    {
        QTest::addColumn<HandOff>("row");
        const QStringList u1{"Englisch", "L", "U1"}, shortChoice = u1.mid(0, 2);
        const QString noUser = "Der angemeldete Benutzer ist nicht bekannt, die Datei \"tmpUsr\" "
                               "fehlt oder ist leer. ";
        const QString noChoice = "die Datei \"tmpEdit\" fehlt oder ist unvollständig. ";
        QTest::newRow("editing, no user")
            << HandOff{u1, true, noUser + "Die Lektion kann nicht bearbeitet werden !", false};
        QTest::newRow("editing, short choice")
            << HandOff{shortChoice, true,
                       "Es ist keine Lektion zum Bearbeiten angegeben, " + noChoice
                           + "Bitte wählen Sie die Lektion erneut aus !"};
        QTest::newRow("drilling, short choice")
            << HandOff{shortChoice, false,
                       "Die gewählte Lektion ist nicht bekannt, " + noChoice
                           + "Die Übung kann nicht geöffnet werden."};
        // A lesson that cannot be read is never taken as empty: storing it back would wipe it.
        QTest::newRow("unreadable lesson")
            << HandOff{{"Englisch", "L", "Sub"},
                       true,
                       "Die Lektion \"L\" kann nicht geöffnet werden, die Datei \"Sub\" ist nicht "
                       "zugänglich (an ihrer Stelle steht ein Verzeichnis)."};
        QTest::newRow("of several the last three count")
            << HandOff{QStringList{"Latein", "Alt", "U9"} + u1 + QStringList{"Englisch"}, true, ""};
    }
    void handedOverLesson()
    {
        QFETCH(HandOff, row);
        LessonDir d;
        QVERIFY(QDir().mkpath(d.path("anna/Englisch/Sub")));
        if (row.signedIn)
            QVERIFY(d.write("tmpUsr", LessonDir::file({"anna"}, false)));
        QVERIFY(d.write("anna/tmpEdit", LessonDir::file(row.choice, false)));
        const auto handed = lesson::openHandedOverLesson(store::DataTree(d.path()),
                                                         row.editing ? lesson::LessonUse::Editing
                                                                     : lesson::LessonUse::Drilling);
        QCOMPARE(handed.outcome.message.text, row.refusal);
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
