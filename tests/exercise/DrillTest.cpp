#include "exercise/Drill.h"
#include "../support/LessonDir.h"
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

// A run over the due pairs of a lesson whose pairs stand in Boxes: what is told, how many pairs
// are due after it and the boxes after it.
struct DueCase
{
    QStringList lesson, answers, told;
    QString dueAfter;
    QStringList boxesAfter;
};

const QStringList Boxes{"3\\\\2024-03-06\\\\house", "2\\\\2024-03-09\\\\tree",
                        "5\\\\2024-03-01\\\\sun"};

const QString Summary =
    "Die Übung ist beendet.\n\nFolgendes Ergebnis wurde erzielt:\n\nAnzahl Vokabeln:  %1\n"
    "davon richtig:  %2\ndavon falsch:  %3\n\nDieses entspricht einer Zensur von: %4";

// The drill of the lesson "U1" of a scratch directory, on Sunday, 2024-03-10.
struct Fixture
{
    LessonDir dir;
    std::optional<Drill> drill;

    [[nodiscard]] bool open(const QStringList& lesson)
    {
        lesson::LessonFile file({dir.path(), "U1"}, "Englisch", "Lektion 1");
        if (!dir.write("U1", LessonDir::file(lesson)) || !file.open().ok())
            return false;
        drill.emplace(std::move(file), [] { return QDate(2024, 3, 10); });
        return true;
    }
    // Runs to the end with these answers; gives what was told.
    QStringList run(Selection selection, const QStringList& answers)
    {
        drill->start(Direction::ForeignToGerman, selection, [] { return 0.0; });
        QStringList told;
        for (int i = 0; drill->next(); ++i)
            told << drill->shown() << drill->answer(answers.value(i));
        told.removeAll(QString());
        return told << drill->endMessage();
    }
};

} // namespace

class DrillTest : public QObject
{
    Q_OBJECT

private slots:
    void answersAreJudgedExactly()
    {
        const struct
        {
            QString expected, typed;
            bool right;
        } cases[] = {{"Haus", "haus", false},
                     {"der;die;das", "die", true},
                     {"der;die;das", "der;die;das", false},
                     {"a; b", "b", false},
                     {"a; b", " b", true},
                     {"a;;b", "", true}};
        for (const auto& c : cases)
            QVERIFY2(isRightAnswer(c.expected, c.typed) == c.right,
                     qPrintable(c.typed + " / " + c.expected));
        // A draw that strays to 1 still shows a meaning there is: the last.
        QCOMPARE(meaningFor("der;die;das", 1.0), "das");
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
        // Totals no run can have made count as none; counts beyond 32 bits are kept.
        const QStringList marked{"house\\\\Haus\\\\\\r", "the\\\\der\\\\\\f",
                                 "sun\\\\Sonne\\\\\\x"};
        QTest::newRow("wrong only, damaged totals")
            << RunCase{true,
                       marked,
                       {"der"},
                       {"the", Summary.arg(1).arg(1).arg(0).arg(1)},
                       {" 5000000000\\\\ -1E+300"},
                       {" 5000000001\\\\ 1", "1\\\\1"},
                       {marked[0], "the\\\\der\\\\\\r", marked[2]}};
    }

    void runsAreJudgedCountedAndStored()
    {
        QFETCH(RunCase, run);
        Fixture f;
        // A scratch file of an earlier drill lies beside the lesson.
        QVERIFY(f.dir.write("EU1", LessonDir::file(run.before)));
        QVERIFY(f.dir.write("tmpU9", "old"));
        QVERIFY(f.open(run.lesson));
        QCOMPARE(f.run(run.wrongOnly ? Selection::WrongOnly : Selection::AllWords, run.answers),
                 run.told);
        QVERIFY(f.drill->finish().ok());
        QCOMPARE(f.dir.bytes("EU1"), LessonDir::file(run.after));
        // The marks are in the lesson as soon as the run ends.
        QCOMPARE(f.dir.bytes("U1"), LessonDir::file(run.stored));
        f.drill->leave();
        QCOMPARE(f.dir.files(), (QStringList{"EU1", "U1"}));
    }

    // house is due since today and moon never answered; tree and sun wait.
    void everyRunMovesItsPairsThroughTheBoxes_data()
    {
        QTest::addColumn<DueCase>("run");
        const QStringList lesson{"house\\\\Haus\\\\\\r", "kaputt", "tree\\\\Baum\\\\\\f",
                                 "sun\\\\Sonne\\\\\\r", "moon\\\\Mond\\\\\\f"};
        QTest::newRow("due pairs, in lesson order")
            << DueCase{lesson,
                       {"Haus", "Sonne"},
                       {"house", "moon", "Die richtige Lösung für  'moon'  lautet:\n\nMond",
                        Summary.arg(2).arg(1).arg(1).arg(4)},
                       "0 von 4 Vokabeln fällig",
                       {"4\\\\2024-03-10\\\\house", Boxes[1], Boxes[2], "1\\\\2024-03-10\\\\moon"}};
        QTest::newRow("nothing due") << DueCase{
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
        Fixture f;
        QVERIFY(f.dir.write(".KU1", LessonDir::file(Boxes)));
        QVERIFY(f.open(run.lesson));
        QCOMPARE(f.run(Selection::Due, run.answers), run.told);
        QVERIFY(f.drill->finish().ok());
        QCOMPARE(f.drill->dueSummary(), run.dueAfter);
        QCOMPARE(f.dir.bytes(".KU1"), LessonDir::file(run.boxesAfter));
    }

    // A run changes only its working copy, which is not worth waiting for the disk; its end is.
    void onlyStoredFilesWaitForTheDisk()
    {
        Fixture f;
        QVERIFY(f.open({"house\\\\Haus\\\\\\f"}));
        const quint64 synced = store::TextFile::syncCount();
        f.run(Selection::AllWords, {"Haus"});
        QCOMPARE(store::TextFile::syncCount(), synced);
        QVERIFY(f.drill->finish().ok());
        QCOMPARE_GT(store::TextFile::syncCount(), synced);
    }
};

QTEST_GUILESS_MAIN(DrillTest)
#include "DrillTest.moc"
