#include "LessonDir.h"
#include "editor/LessonFile.h"
#include "store/TextRules.h"

#include <QTest>

using editor::EditResult;
using P = LessonDir;

namespace {

// A damaged lesson: a line without separator, one too short for a mark, and "the" twice.
const QStringList Lines{"the\\\\der\\\\\\r", "there\\\\dort\\\\\\r", "a\\\\ein\\\\\\f", "ohne Trenner", "x\\\\ab",
                        "the\\\\die\\\\\\r"};

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("lines"); // the lesson's lines after the command
        const QString backslash = "Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes "
                                  "(\\\\) enthalten und nicht auf einen Backslash (\\) enden !";
        QTest::newRow("add, no foreign word")
            << "add" << "" << "x" << "Sie haben keine Vokabel der Sprache Englisch eingegeben !" << Lines;
        QTest::newRow("change, blank, no meaning")
            << "change" << " " << "" << "Sie haben keine Vokabel der Sprache Deutsch eingegeben !" << Lines;
        QTest::newRow("change, unknown word")
            << "change" << "The" << "x" << "Die zu ändernde Vokabel ist nicht vorhanden !\r\r" << Lines;
        QTest::newRow("add, two backslashes") << "add" << "a\\\\b" << "x" << backslash << Lines;
        QTest::newRow("change, ends in a backslash") << "change" << "a\\" << "x" << backslash << Lines;
        QTest::newRow("add, Cyrillic meaning") << "add" << "dom" << "дом" << store::unstorableTextMessage("д") << Lines;
        QTest::newRow("add, known word") << "add" << "the" << "anders" << "Die Vokabel ist bereits vorhanden !\r\r"
                                         << Lines;
        QTest::newRow("add, backslashes in the meanings")
            << "add" << "\\x" << "a\\\\b\\" << "" << Lines + QStringList{"\\x\\\\a\\\\b\\\\\\\\f"};
        QStringList changed = Lines;
        changed[0] = changed[5] = "the\\\\der;die;das\\\\\\f";
        QTest::newRow("change every line of the word") << "change" << "the" << "der;die;das" << "" << changed;
        QTest::newRow("remove every line of the word") << "remove" << "the" << "" << "" << Lines.mid(1, 4);
        QTest::newRow("remove an unknown word") << "remove" << "The" << "" << "" << Lines;
    }
    // Every command rewrites the working copy at once; the lesson itself changes when it is
    // stored back. A refusal changes nothing.
    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QString, foreign);
        QFETCH(QString, german);
        QFETCH(QString, refusal);
        QFETCH(QStringList, lines);
        LessonDir d;
        d.write("U1", P::file(Lines));
        editor::LessonFile lesson({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(lesson.open().ok);
        const EditResult result = command == "add" ? lesson.add(foreign, german)
            : command == "change"                  ? lesson.change(foreign, german)
                                                   : EditResult{EditResult::Status::Done, {}, lesson.remove(foreign)};
        QCOMPARE(result.refusal, refusal);
        QVERIFY(result.failure.ok && (result.status == EditResult::Status::Done) == refusal.isEmpty());
        QCOMPARE(lesson.find("a"), lines.indexOf("a\\\\ein\\\\\\f"));
        QCOMPARE(d.bytes("tmpU1"), P::file(lines, false));
        QCOMPARE(d.bytes("U1"), P::file(Lines));
        QVERIFY(lesson.storeBack().ok);
        QCOMPARE(d.bytes("U1"), P::file(lines));
        QCOMPARE(d.files(), QStringList{"U1"});
    }

    void handedOverLesson_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("refusal");
        const QStringList u1{"Englisch", "L", "U1"};
        const QString noUser = "Der angemeldete Benutzer ist nicht bekannt, die Datei \"tmpUsr\" fehlt oder ist leer. ";
        QTest::newRow("editing, no user") << "" << u1 << true << noUser + "Die Lektion kann nicht bearbeitet werden !";
        QTest::newRow("drilling, no user") << "" << u1 << false << noUser + "Die Übung kann nicht geöffnet werden.";
        QTest::newRow("unsafe user") << ".." << u1 << true << store::unsafeNameMessage("..");
        QTest::newRow("editing, short choice") << "anna" << u1.mid(0, 2) << true
            << "Es ist keine Lektion zum Bearbeiten angegeben, die Datei \"tmpEdit\" fehlt oder ist "
               "unvollständig. Bitte wählen Sie die Lektion erneut aus !";
        QTest::newRow("drilling, short choice") << "anna" << u1.mid(0, 2) << false
            << "Die gewählte Lektion ist nicht bekannt, die Datei \"tmpEdit\" fehlt oder ist "
               "unvollständig. Die Übung kann nicht geöffnet werden.";
        QTest::newRow("unsafe key") << "anna" << QStringList{"Englisch", "L", "../U1"} << false
                                    << store::unsafeNameMessage("../U1");
        QTest::newRow("no language directory") << "anna" << QStringList{"Spanisch", "L", "U1"} << true
            << "Die Lektion \"L\" kann nicht geöffnet werden, die Datei \"U1\" ist nicht zugänglich (das "
               "Verzeichnis fehlt).";
        QTest::newRow("of several the last three count, lesson made")
            << "anna" << QStringList{"Englisch", "Alt", "U9"} + u1 + QStringList{"Englisch"} << true << "";
    }
    void handedOverLesson()
    {
        QFETCH(QString, user);
        QFETCH(QStringList, choice);
        QFETCH(bool, editing);
        QFETCH(QString, refusal);
        LessonDir d;
        QDir().mkpath(d.path("anna/Englisch"));
        if (!user.isEmpty())
            d.write("tmpUsr", P::file({user}, false));
        d.write("anna/tmpEdit", P::file(choice, false));
        const editor::HandedOverLesson handed = editor::openHandedOverLesson(
            store::DataTree(d.path()), editing ? editor::LessonUse::Editing : editor::LessonUse::Drilling);
        QCOMPARE(handed.refusal, refusal);
        QCOMPARE(handed.lesson ? handed.lesson->files().stored() + "|" + handed.lesson->name() : "",
                 refusal.isEmpty() ? d.path("anna/Englisch/U1|L") : "");
        // Only the lesson opened gets its files; a refusal makes none.
        QCOMPARE(d.files("anna/Englisch"), refusal.isEmpty() ? QStringList({"tmpU1", "U1"}) : QStringList());
        QVERIFY(!d.exists("anna/Spanisch") && !d.exists("anna/U1"));
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
