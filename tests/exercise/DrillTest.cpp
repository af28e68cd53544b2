#include "../editor/LessonDir.h"
#include "exercise/AnswerCheck.h"
#include "exercise/Drill.h"

#include <QTest>

using namespace exercise;
using P = LessonDir;

namespace {

const QString Summary = "Die Übung ist beendet.\n\nFolgendes Ergebnis wurde erzielt:\n\nAnzahl Vokabeln:  %1\n"
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
        const QList<std::tuple<QString, QString, bool>> cases{
            {"Haus", "Haus", true}, {"Haus", "haus", false}, {"Haus", "Haus ", false},
            {"Haus", "Häuser", false}, {"Haus", "", false}, {"der;die;das", "der", true},
            {"der;die;das", "die", true}, {"der;die;das", "das", true},
            {"der;die;das", "die ", false}, {"der;die;das", "der;die;das", false},
            {"a; b", "a", true}, {"a; b", "b", false}, {"a; b", " b", true}, {"a;;b", "", true}};
        for (const auto& [expected, typed, right] : cases)
            QTest::addRow("%s / %s", qPrintable(typed), qPrintable(expected)) << expected << typed << right;
    }
    void answersAreJudgedExactly()
    {
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(expected, typed), right);
    }

    void meaningsAreDrawnEvenly()
    {
        // 1.8 of three meanings is the second; blanks are kept; a stray draw stays inside.
        QCOMPARE(meaningFor("der;die;das", 0.6), QStringLiteral("die"));
        QCOMPARE(meaningFor("a; b", 0.5), QStringLiteral(" b"));
        QCOMPARE(meaningFor("a;b", 1.0), QStringLiteral("b"));
    }

    void runsAreJudgedCountedAndStored_data()
    {
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("told"); // each word shown, "=" the solution to a wrong answer, the end
        QTest::addColumn<QStringList>("before"); // the result file
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("stored"); // the lesson
        // Damaged lines (no separator, too short for a mark) are never asked, only kept.
        const QStringList lesson{"house\\\\Haus;Gebäude\\\\\\r", "kaputt", "the\\\\der;die;das\\\\\\r", "x\\\\yz",
                                 "to be\\\\sein\\\\\\f"};
        QStringList marked = lesson;
        marked[0].back() = 'f';
        marked[4].back() = 'r';
        const QStringList ten{" 10\\\\ 7", "10\\\\7"};
        QTest::newRow("every word, one wrong") << lesson << "all" << QStringList{"house", "die", "sein"}
            << QStringList{"house", "=Die richtige Lösung für  'house'  lautet:\n\nHaus;Gebäude", "the", "to be",
                           Summary.arg(3).arg(2).arg(1).arg(3)}
            << ten << QStringList{" 13\\\\ 9", "10\\\\7", "3\\\\2"} << marked;
        // The meaning shown is drawn: 0.9 picks the second of two. Totals go beyond 32 bits.
        QTest::newRow("wrong ones, from German") << marked << "wrong, from German" << QStringList{"house"}
            << QStringList{"Gebäude", Summary.arg(1).arg(1).arg(0).arg(1)} << QStringList{" 5000000000\\\\ 9", "4\\\\3"}
            << QStringList{" 5000000001\\\\ 10", "4\\\\3", "1\\\\1"} << lesson.mid(0, 4) + marked.mid(4);
        QTest::newRow("nothing to ask") << lesson.mid(0, 4) << "wrong" << QStringList()
            << QStringList{"Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !"} << ten << ten << lesson.mid(0, 4);
        // Totals no run can have made count as none.
        QTest::newRow("damaged totals") << lesson.mid(4) << "all" << QStringList{"sein"}
            << QStringList{"to be", Summary.arg(1).arg(1).arg(0).arg(1)} << QStringList{" -5\\\\ 1E+300", "4\\\\3"}
            << QStringList{" 1\\\\ 1", "4\\\\3", "1\\\\1"} << marked.mid(4);
    }
    void runsAreJudgedCountedAndStored()
    {
        QFETCH(QStringList, lesson);
        QFETCH(QString, mode);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, told);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QStringList, stored);
        // A scratch file of an earlier drill lies beside the lesson.
        LessonDir d;
        d.write("U1", P::file(lesson));
        d.write("EU1", P::file(before));
        d.write("tmpU9", "left behind");
        editor::LessonFile file({d.path(), "U1"}, "Englisch", "Lektion 1");
        QVERIFY(file.open().ok);
        Drill drill(std::move(file));
        drill.start(mode.contains("German") ? Direction::GermanToForeign : Direction::ForeignToGerman,
                    mode.startsWith("wrong") ? Selection::WrongOnly : Selection::AllWords, [] { return 0.9; });
        QStringList shown;
        for (int i = 0; drill.next(); ++i) {
            shown << drill.shown();
            if (const QString correction = drill.answer(answers.value(i)); !correction.isEmpty())
                shown << "=" + correction;
        }
        QCOMPARE(shown << drill.endMessage(), told);
        QVERIFY(drill.finish().ok && !drill.running() && drill.current().words() == 0);
        QCOMPARE(d.bytes("EU1"), P::file(after));
        // The marks are in the lesson as soon as the run ends.
        QCOMPARE(d.bytes("U1"), P::file(stored));
        QCOMPARE(d.bytes("tmpU1"), P::file(stored, false));
        // A run that asked nothing stores nothing; its empty copy waits for the drill to be left.
        QCOMPARE(d.exists("tmpUxx"), answers.isEmpty());
        // Going back stores the lesson as it now stands and leaves no scratch file.
        QVERIFY(drill.storeBack().ok);
        drill.leave();
        QCOMPARE(d.files(), (QStringList{"EU1", "U1"}));
        QCOMPARE(d.bytes("U1"), P::file(stored));
    }
};

QTEST_GUILESS_MAIN(DrillTest)
#include "DrillTest.moc"
