#include "LessonDir.h"
#include "editor/LessonFile.h"

#include <QTest>

using editor::EditResult;
using editor::LessonFile;
using Status = editor::EditResult::Status;

namespace {

// A damaged lesson: a line without separator, one too short for a mark, and "the" twice.
const QStringList Lines{LessonDir::pair("the", "der", 'r'), LessonDir::pair("there", "dort", 'r'),
                        LessonDir::pair("a", "ein", 'f'), "ohne Trenner", "x\\\\ab",
                        LessonDir::pair("the", "die", 'r')};

LessonFile lessonIn(const LessonDir& d)
{
    return LessonFile({d.path(), "U1"}, "Englisch", "Lektion 1");
}

} // namespace

class LessonFileTest : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        const QString noForeign = "Sie haben keine Vokabel der Sprache Englisch eingegeben !";
        const QString noGerman = "Sie haben keine Vokabel der Sprache Deutsch eingegeben !";
        const QString backslash = "Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes "
                                  "(\\\\) enthalten und nicht auf einen Backslash (\\) enden !";
        const int refused = int(Status::Refused);
        QTest::newRow("new, no foreign word") << false << "" << "x" << noForeign << refused;
        QTest::newRow("new, blank, no meaning") << false << " " << "" << noGerman << refused;
        QTest::newRow("changed, no foreign word") << true << "" << "x" << noForeign << refused;
        QTest::newRow("changed, no meaning") << true << "the" << "" << noGerman << refused;
        QTest::newRow("changed, unknown") << true << "The" << "x"
            << "Die zu ändernde Vokabel ist nicht vorhanden !\r\r" << refused;
        QTest::newRow("two backslashes") << false << "a\\\\b" << "x" << backslash << refused;
        QTest::newRow("ends in a backslash") << true << "a\\" << "x" << backslash << refused;
        QTest::newRow("Cyrillic meaning") << false << "dom" << "дом" << "Das Zeichen \"д\" kann nicht gespeichert werden. Erlaubt sind nur Buchstaben, Ziffern "
               "und Zeichen der westeuropäischen Schrift !" << refused;
        QTest::newRow("tab in a meaning") << true << "the" << "a\tb" << "Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche enthalten !" << refused;
        QTest::newRow("known word") << false << "the" << "anders"
            << "Die Vokabel ist bereits vorhanden !\r\r" << int(Status::Duplicate);
    }
    void refusals()
    {
        QFETCH(bool, change);
        QFETCH(QString, foreign);
        QFETCH(QString, german);
        QFETCH(QString, message);
        QFETCH(int, status);
        LessonDir d;
        d.write("U1", LessonDir::file(Lines));
        LessonFile lesson = lessonIn(d);
        QVERIFY(lesson.open().ok);
        const EditResult result = change ? lesson.change(foreign, german) : lesson.add(foreign, german);
        QCOMPARE(result.refusal, message);
        QCOMPARE(int(result.status), status);
        // Opening copied every line, damaged ones included; a refusal changed none.
        QCOMPARE(d.bytes("tmpU1"), LessonDir::file(Lines, false));
        QCOMPARE(lesson.lines(), Lines);
    }

    void editsGoToTheWorkingCopyAndLeavingStoresThem_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("foreign");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QStringList>("lines");
        QStringList added = Lines;
        added << "\\x\\\\a\\\\b\\\\\\\\f";
        QStringList changed = Lines;
        changed[0] = changed[5] = "the\\\\der;die;das\\\\\\f";
        QTest::newRow("add, backslashes in the meanings") << "add" << "\\x" << "a\\\\b\\" << added;
        QTest::newRow("change every line of the word") << "change" << "the" << "der;die;das" << changed;
        QTest::newRow("remove every line of the word") << "remove" << "the" << ""
            << Lines.mid(1, 4);
        QTest::newRow("remove an unknown word") << "remove" << "The" << "" << Lines;
    }
    void editsGoToTheWorkingCopyAndLeavingStoresThem()
    {
        QFETCH(QString, command);
        QFETCH(QString, foreign);
        QFETCH(QString, german);
        QFETCH(QStringList, lines);
        LessonDir d;
        d.write("U1", LessonDir::file(Lines));
        LessonFile lesson = lessonIn(d);
        QVERIFY(lesson.open().ok);
        const store::FileResult done = command == "add" ? lesson.add(foreign, german).failure
            : command == "change"                      ? lesson.change(foreign, german).failure
                                                       : lesson.remove(foreign);
        QVERIFY(done.ok);
        QCOMPARE(d.bytes("tmpU1"), LessonDir::file(lines, false));
        QCOMPARE(d.bytes("U1"), LessonDir::file(Lines));
        QCOMPARE(lesson.find(foreign) >= 0, command != "remove");
        QVERIFY(lesson.storeBack().ok);
        QCOMPARE(d.bytes("U1"), LessonDir::file(lines));
        QVERIFY(!d.exists("tmpU1") && !d.exists("tmpU"));
    }

    void aFinishedRunIsStoredAtOnce()
    {
        LessonDir d;
        d.write("U1", LessonDir::file(Lines));
        LessonFile lesson = lessonIn(d);
        QVERIFY(lesson.open().ok);
        d.write("tmpUxx", "run");
        d.write("tmpU9", "left behind");
        QStringList marked = Lines;
        marked[2].back() = 'r';
        QVERIFY(lesson.takeRunLines(marked).ok);
        QCOMPARE(d.bytes("U1"), LessonDir::file(marked));
        QCOMPARE(d.bytes("tmpU1"), LessonDir::file(marked, false));
        QVERIFY(!d.exists("tmpUxx") && lesson.lines() == marked && lesson.find("a") == 2);
        // Leaving the drill clears every scratch file beside the lesson, and only those.
        lesson.removeScratchFiles();
        QCOMPARE(QDir(d.path()).entryList(QDir::Files), QStringList{"U1"});
        // A failure of any of its files names the lesson.
        const store::FileResult named = lesson.aboutLesson(store::FileResult::failure(d.path("tmpUxx"), "voll"));
        QCOMPARE(named.path + " " + named.subject, d.path("U1") + " Lektion \"Lektion 1\"");
    }

    void handedOverLesson_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("refusal");
        const QStringList anna{"anna"};
        const QStringList u1{"Englisch", "L", "U1"};
        const QString noUser = "Der angemeldete Benutzer ist nicht bekannt, die Datei \"tmpUsr\" fehlt oder ist leer. ";
        const QString unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von Paukomat verändert; "
                               "Paukomat greift nicht darauf zu.";
        const QString closed = "Die Lektion \"L\" kann nicht geöffnet werden, die Datei \"U1\" ist nicht zugänglich (%1).";
        QTest::newRow("editing, no user") << QStringList() << u1 << true
            << noUser + "Die Lektion kann nicht bearbeitet werden !";
        QTest::newRow("drilling, no user") << QStringList() << u1 << false
            << noUser + "Die Übung kann nicht geöffnet werden.";
        QTest::newRow("unsafe user") << QStringList{".."} << u1 << true << unsafe.arg("..");
        QTest::newRow("editing, short choice") << anna << QStringList{"Englisch", "L"} << true
            << "Es ist keine Lektion zum Bearbeiten angegeben, die Datei \"tmpEdit\" fehlt oder ist "
               "unvollständig. Bitte wählen Sie die Lektion erneut aus !";
        QTest::newRow("drilling, short choice") << anna << QStringList{"Englisch", "L"} << false
            << "Die gewählte Lektion ist nicht bekannt, die Datei \"tmpEdit\" fehlt oder ist "
               "unvollständig. Die Übung kann nicht geöffnet werden.";
        QTest::newRow("unsafe key") << anna << QStringList{"Englisch", "L", "../U1"} << false << unsafe.arg("../U1");
        QTest::newRow("unsafe language") << anna << QStringList{"..", "L", "U1"} << true << unsafe.arg("..");
        QTest::newRow("no language directory") << anna << QStringList{"Spanisch", "L", "U1"} << true
            << closed.arg("das Verzeichnis fehlt");
        QTest::newRow("unreadable lesson") << anna << u1 << false << closed.arg("an ihrer Stelle steht ein Verzeichnis");
        QTest::newRow("of several the last three count, lesson made") << anna
            << QStringList{"Englisch", "Alt", "U9", "Englisch", "L", "U1", "Englisch"} << true << "";
    }
    void handedOverLesson()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, choice);
        QFETCH(bool, editing);
        QFETCH(QString, refusal);
        LessonDir d;
        QDir().mkpath(d.path("anna/Englisch"));
        if (!user.isEmpty())
            d.write("tmpUsr", LessonDir::file(user, false));
        d.write("anna/tmpEdit", LessonDir::file(choice, false));
        if (QString(QTest::currentDataTag()) == "unreadable lesson")
            QDir().mkpath(d.path("anna/Englisch/U1"));
        const editor::HandedOverLesson handed = editor::openHandedOverLesson(
            store::DataTree(d.path()), editing ? editor::LessonUse::Editing : editor::LessonUse::Drilling);
        QCOMPARE(handed.refusal, refusal);
        QCOMPARE(handed.lesson.has_value(), refusal.isEmpty());
        if (handed.lesson)
            QCOMPARE(handed.lesson->files().stored() + "|" + handed.lesson->name(), d.path("anna/Englisch/U1|L"));
        const QStringList made = refusal.isEmpty() ? QStringList{"U1", "tmpU1"} : QStringList();
        QStringList files = QDir(d.path("anna/Englisch")).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, made);
        QVERIFY(!d.exists("anna/Spanisch") && !d.exists("anna/U1"));
    }
};

QTEST_GUILESS_MAIN(LessonFileTest)
#include "LessonFileTest.moc"
