#include "exercise/Drill.h"
#include "../editor/LessonDir.h"
#include "exercise/AnswerCheck.h"
#include "store/TextFile.h"

#include <QTest>

using namespace exercise;

namespace {

// A run over the lesson, answered in turn: told is each word shown, the solution after a wrong
// answer, then the end message. The result file before and after, the lesson after.
struct RunCase
{
    bool wrongOnly;
    QStringList lesson, answers, told, before, after, stored;
};

// A run on Sunday, 2024-03-10, over a lesson whose pairs stand in boxes: what is told, how many
// pairs are due after it and the boxes after it.
struct DueCase
{
    Selection selection;
    QStringList lesson, answers, told;
    QString dueAfter;
    QStringList boxesAfter;
};

const QStringList Boxes{"3\\\\2024-03-06\\\\house", "2\\\\2024-03-09\\\\tree",
                        "5\\\\2024-03-01\\\\sun"};

const QString Summary =
    "Die Übung ist beendet.\n\nFolgendes Ergebnis wurde erzielt:\n\nAnzahl Vokabeln:  %1\n"
    "davon richtig:  %2\ndavon falsch:  %3\n\nDieses entspricht einer Zensur von: %4";

} // namespace

class DrillTest : public QObject
{
    Q_OBJECT

private slots:
    void answersAreJudgedExactly_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        const QList<std::tuple<QString, QString, bool>> cases{{"Haus", "Haus", true},
                                                              {"Haus", "haus", false},
                                                              {"Haus", "Haus ", false},
                                                              {"Haus", "", false},
                                                              {"der;die;das", "die", true},
                                                              {"der;die;das", "die ", false},
                                                              {"der;die;das", "der;die;das", false},
                                                              {"a; b", "b", false},
                                                              {"a; b", " b", true},
                                                              {"a;;b", "", true}};
        for (const auto& [expected, typed, right] : cases)
            QTest::addRow("%s / %s", qPrintable(typed), qPrintable(expected))
                << expected << typed << right;
    }
    void answersAreJudgedExactly()
    {
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(expected, typed), right);
        // A draw that strays to 1 still shows a meaning there is: the last.
        QCOMPARE(meaningFor(expected, 1.0), expected.section(';', -1));
    }

    void runsAreJudgedCountedAndStored_data()
    {
        QTest::addColumn<RunCase>("run");
        // Damaged lines (no separator, too short for a mark) are never asked, only kept.
        const QStringList lesson{"house\\\\Haus;Gebäude\\\\\\r", "kaputt",
                                 "the\\\\der;die;das\\\\\\r", "x\\\\yz", "to be\\\\sein\\\\\\f"};
        QTest::newRow("every word, one wrong")
            << RunCase{false,
                       lesson,
                       {"house", "die", "sein"},
                       {"house", "Die richtige Lösung für  'house'  lautet:\n\nHaus;Gebäude", "the",
                        "to be", Summary.arg(3).arg(2).arg(1).arg(3)},
                       {" 10\\\\ 7", "10\\\\7"},
                       {" 13\\\\ 9", "10\\\\7", "3\\\\2"},
                       {"house\\\\Haus;Gebäude\\\\\\f", "kaputt", lesson[2], lesson[3],
                        "to be\\\\sein\\\\\\r"}};
        QTest::newRow("nothing to ask")
            << RunCase{true,
                       lesson.mid(0, 4),
                       {},
                       {"Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"},
                       {" 10\\\\ 7"},
                       {" 10\\\\ 7"},
                       lesson.mid(0, 4)};
        // Only pairs marked wrong are asked again; a mark the program does not write is none.
        QTest::newRow("wrong only")
            << RunCase{true,
                       {"house\\\\Haus\\\\\\r", "the\\\\der\\\\\\f", "sun\\\\Sonne\\\\\\x"},
                       {"der"},
                       {"the", Summary.arg(1).arg(1).arg(0).arg(1)},
                       {" 10\\\\ 7"},
                       {" 11\\\\ 8", "1\\\\1"},
                       {"house\\\\Haus\\\\\\r", "the\\\\der\\\\\\r", "sun\\\\Sonne\\\\\\x"}};
        // Totals no run can have made count as none; counts beyond 32 bits are kept.
        QTest::newRow("damaged totals") << RunCase{true,
                                                   lesson.mid(4),
                                                   {"sein"},
                                                   {"to be", Summary.arg(1).arg(1).arg(0).arg(1)},
                                                   {" 5000000000\\\\ -1E+300"},
                                                   {" 5000000001\\\\ 1", "1\\\\1"},
                                                   {"to be\\\\sein\\\\\\r"}};
    }
    void runsAreJudgedCountedAndStored()
    {
        QFETCH(RunCase, run);
        // A scratch file of an earlier drill lies beside the lesson.
        LessonDir d;
        QVERIFY(d.write("U1", LessonDir::file(run.lesson)));
        QVERIFY(d.write("EU1", LessonDir::file(run.before)));
        QVERIFY(d.write("tmpU9", "left behind"));
        editor::LessonFile file({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(file.open().ok());
        Drill drill(std::move(file));
        drill.start(Direction::ForeignToGerman,
                    run.wrongOnly ? Selection::WrongOnly : Selection::AllWords, [] { return 0.0; });
        QStringList told;
        for (int i = 0; drill.next(); ++i)
            told << drill.shown() << drill.answer(run.answers.value(i));
        told.removeAll(QString());
        QCOMPARE(told << drill.endMessage(), run.told);
        QVERIFY(drill.finish().ok() && !drill.running() && drill.current().words() == 0);
        QCOMPARE(d.bytes("EU1"), LessonDir::file(run.after));
        // The marks are in the lesson as soon as the run ends.
        QCOMPARE(d.bytes("U1"), LessonDir::file(run.stored));
        // A run that asked nothing stores nothing; its empty copy waits for the drill to be left.
        QCOMPARE(d.files().contains("tmpUxx"), run.answers.isEmpty());
        // Leaving the drill leaves no scratch file.
        drill.leave();
        QCOMPARE(d.files(), (QStringList{"EU1", "U1"}));
    }

    // house is due since today and moon never answered; tree and sun wait.
    void everyRunMovesItsPairsThroughTheBoxes_data()
    {
        QTest::addColumn<DueCase>("run");
        const QStringList lesson{"house\\\\Haus\\\\\\r", "kaputt", "tree\\\\Baum\\\\\\f",
                                 "sun\\\\Sonne\\\\\\r", "moon\\\\Mond\\\\\\f"};
        QTest::newRow("due pairs, in lesson order")
            << DueCase{Selection::Due,
                       lesson,
                       {"Haus", "Sonne"},
                       {"house", "moon", "Die richtige Lösung für  'moon'  lautet:\n\nMond",
                        Summary.arg(2).arg(1).arg(1).arg(4)},
                       "0 von 4 Vokabeln fällig",
                       {"4\\\\2024-03-10\\\\house", Boxes[1], Boxes[2], "1\\\\2024-03-10\\\\moon"}};
        QTest::newRow("wrong ones move too")
            << DueCase{Selection::WrongOnly,
                       lesson,
                       {"Baum", "Mond"},
                       {"tree", "moon", Summary.arg(2).arg(2).arg(0).arg(1)},
                       "1 von 4 Vokabeln fällig",
                       {Boxes[0], "3\\\\2024-03-10\\\\tree", Boxes[2], "2\\\\2024-03-10\\\\moon"}};
        QTest::newRow("nothing due") << DueCase{
            Selection::Due,
            lesson.mid(1, 2),
            {},
            {"Heute ist keine Vokabel dieser Lektion fällig.\n\nDie nächste Vokabel ist am "
             "Montag, den 11. März 2024 fällig."},
            "0 von 1 Vokabeln fällig",
            Boxes};
    }
    void everyRunMovesItsPairsThroughTheBoxes()
    {
        QFETCH(DueCase, run);
        LessonDir d;
        QVERIFY(d.write("U1", LessonDir::file(run.lesson))
                && d.write(".KU1", LessonDir::file(Boxes)));
        editor::LessonFile file({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(file.open().ok());
        Drill drill(std::move(file), [] { return QDate(2024, 3, 10); });
        drill.start(Direction::ForeignToGerman, run.selection, [] { return 0.0; });
        QStringList told;
        for (int i = 0; drill.next(); ++i)
            told << drill.shown() << drill.answer(run.answers.value(i));
        told.removeAll(QString());
        QCOMPARE(told << drill.endMessage(), run.told);
        QVERIFY(drill.finish().ok());
        QCOMPARE(drill.dueSummary(), run.dueAfter);
        QCOMPARE(d.bytes(".KU1"), LessonDir::file(run.boxesAfter));
        // A run left unfinished moves nothing.
        drill.start(Direction::ForeignToGerman, Selection::AllWords, [] { return 0.0; });
        QVERIFY(drill.next() && !drill.answer("?").isEmpty());
        drill.leave();
        QCOMPARE(d.bytes(".KU1"), LessonDir::file(run.boxesAfter));
    }

    // Answers and edits change only working copies, which are not worth waiting for the disk;
    // storing the lesson is.
    void onlyStoredFilesWaitForTheDisk_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("synced");
        for (const char* step : {"answer", "add", "change", "remove"})
            QTest::newRow(step) << QString(step) << false;
        QTest::newRow("store back") << "store back" << true;
        QTest::newRow("end of run") << "end of run" << true;
    }
    void onlyStoredFilesWaitForTheDisk()
    {
        QFETCH(QString, step);
        QFETCH(bool, synced);
        LessonDir d;
        QVERIFY(d.write("U1", LessonDir::file({"house\\\\Haus\\\\\\f", "tree\\\\Baum\\\\\\f"})));
        editor::LessonFile lesson({d.path(), "U1"}, "Englisch", "Lektion 1"), drilled = lesson;
        QVERIFY(lesson.open().ok() && drilled.open().ok());
        Drill drill(std::move(drilled));
        drill.start(Direction::ForeignToGerman, Selection::AllWords, [] { return 0.0; });
        QVERIFY(drill.next() && drill.answer("Haus").isEmpty() && drill.next());
        const quint64 before = store::TextFile::syncCount();
        bool done = step == "answer" ? drill.answer("Baum").isEmpty()
            : step == "add"          ? lesson.add("sun", "Sonne").ok()
            : step == "change"       ? lesson.change("tree", "Baum;Gehölz").ok()
            : step == "remove"       ? lesson.remove("tree").ok()
            : step == "store back"
            ? lesson.storeBack().ok()
            : drill.answer("Baum").isEmpty() && !drill.next() && drill.finish().ok();
        QVERIFY(done);
        QCOMPARE(store::TextFile::syncCount() > before, synced);
    }
};

QTEST_GUILESS_MAIN(DrillTest)
#include "DrillTest.moc"
