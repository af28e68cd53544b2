#include "../editor/LessonDir.h"
#include "exercise/AnswerCheck.h"
#include "exercise/Drill.h"

#include <QTest>

using namespace exercise;

namespace {

using P = LessonDir;

// The drill of "U1" in d, its result file "EU1" holding these plain lines.
Drill drillIn(const LessonDir& d, const QStringList& lesson, const QStringList& results)
{
    d.write("U1", LessonDir::file(lesson));
    d.write("EU1", LessonDir::file(results));
    editor::LessonFile file({d.path(), "U1"}, "Englisch", "Lektion 1");
    if (!file.open())
        qFatal("lesson not opened");
    return Drill(std::move(file));
}

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

    void meaningsAreDrawnEvenly_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<double>("draw");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("second third") << "der;die;das" << 0.34 << "die";
        QTest::newRow("blanks kept") << "a; b" << 0.5 << " b";
        QTest::newRow("a stray draw stays inside") << "a;b" << 1.0 << "b";
    }
    void meaningsAreDrawnEvenly()
    {
        QFETCH(QString, side);
        QFETCH(double, draw);
        QFETCH(QString, meaning);
        QCOMPARE(meaningFor(side, draw), meaning);
    }

    void totalsNoRunCanHaveMadeCountAsNone_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<qint64>("words");
        QTest::newRow("no numbers") << "Müll" << qint64(0);
        QTest::newRow("negative") << " -5\\\\ 3" << qint64(0);
        QTest::newRow("no whole number") << " 1E+300\\\\ 2" << qint64(0);
        QTest::newRow("beyond 32 bits") << " 5000000000\\\\ 9" << qint64(5000000000);
    }
    void totalsNoRunCanHaveMadeCountAsNone()
    {
        QFETCH(QString, first);
        QFETCH(qint64, words);
        LessonDir d;
        QCOMPARE(drillIn(d, {}, {first, "4\\\\3"}).total().words(), words);
    }

    void longDamagedLessonIsDrilledWhole()
    {
        LessonDir d;
        QStringList lines;
        for (int i = 0; i < 40000; ++i)
            lines << QStringLiteral("w%1\\\\m%1\\\\\\r").arg(i);
        // Damaged: no separator, too short for a mark.
        lines[5] = "kaputt";
        lines[6] = "x\\\\yz";
        lines[7].back() = QLatin1Char('f');
        lines.last().back() = QLatin1Char('f');
        Run run(lines, Direction::GermanToForeign, Selection::WrongOnly, d.path("tmpUxx"), [] { return 0.0; });
        QVERIFY(run.next());
        QCOMPARE(run.shown() + "|" + run.expected(), QStringLiteral("m7|w7"));
        run.markAnswer(true);
        QVERIFY(run.next());
        QCOMPARE(run.lineCounter(), 40000);
        run.markAnswer(false);
        QVERIFY(!run.next() && run.atEnd());
        // Every line reaches the run copy once; damaged ones are never asked, only kept.
        lines[7].back() = QLatin1Char('r');
        QCOMPARE(d.bytes("tmpUxx"), LessonDir::file(lines, false));
        Run all(lines.mid(5, 3), Direction::ForeignToGerman, Selection::AllWords, d.path("tmpUxx"), [] { return 0.0; });
        QVERIFY(all.next());
        QCOMPARE(all.shown(), QStringLiteral("w7"));
    }

    void runsAreJudgedCountedAndStored_data()
    {
        QTest::addColumn<QStringList>("lesson");
        QTest::addColumn<bool>("fromGerman");
        QTest::addColumn<bool>("wrongOnly");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("asked"); // each word shown, and "=" the message of a wrong answer
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("stored");
        const QStringList lesson{P::pair("house", "Haus;Gebäude", 'r'), P::pair("the", "der;die;das", 'r'),
                                 P::pair("to be", "sein", 'f')};
        const QStringList marked{P::pair("house", "Haus;Gebäude", 'f'), lesson[1], P::pair("to be", "sein", 'r')};
        const QStringList before{" 10\\\\ 7", "10\\\\7"};
        QTest::newRow("every word, one wrong") << lesson << false << false << QStringList{"house", "die", "sein"}
            << QStringList{"house", "=Die richtige Lösung für  'house'  lautet:\n\nHaus;Gebäude", "the", "to be"}
            << Summary.arg(3).arg(2).arg(1).arg(3) << QStringList{" 13\\\\ 9", "10\\\\7", "3\\\\2"} << marked;
        // The meaning shown is drawn: 0.9 picks the second of two.
        QTest::newRow("wrong ones, from German") << marked << true << true << QStringList{"house"}
            << QStringList{"Gebäude"} << Summary.arg(1).arg(1).arg(0).arg(1)
            << QStringList{" 11\\\\ 8", "10\\\\7", "1\\\\1"} << QStringList{lesson[0], lesson[1], marked[2]};
        QTest::newRow("nothing to ask") << lesson.mid(0, 2) << false << true << QStringList() << QStringList()
            << "Es sind keine Vokabeln gemäß dieser Auswahl vorhanden !" << before << lesson.mid(0, 2);
    }
    void runsAreJudgedCountedAndStored()
    {
        QFETCH(QStringList, lesson);
        QFETCH(bool, fromGerman);
        QFETCH(bool, wrongOnly);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, asked);
        QFETCH(QString, end);
        QFETCH(QStringList, results);
        QFETCH(QStringList, stored);
        LessonDir d;
        Drill drill = drillIn(d, lesson, {" 10\\\\ 7", "10\\\\7"});
        drill.start(fromGerman ? Direction::GermanToForeign : Direction::ForeignToGerman,
                    wrongOnly ? Selection::WrongOnly : Selection::AllWords, [] { return 0.9; });
        QStringList shown;
        for (int i = 0; drill.next(); ++i) {
            shown << drill.shown();
            if (const QString correction = drill.answer(answers.value(i)); !correction.isEmpty())
                shown << "=" + correction;
        }
        QCOMPARE(shown, asked);
        QCOMPARE(drill.endMessage(), end);
        QVERIFY(drill.finish().ok && !drill.running() && drill.current().words() == 0);
        QCOMPARE(d.bytes("EU1"), LessonDir::file(results));
        QCOMPARE(drill.total().wordsText(), results[0].section("\\\\", 0, 0));
        // The marks are in the lesson as soon as the run ends.
        QCOMPARE(d.bytes("U1"), LessonDir::file(stored));
        QCOMPARE(d.bytes("tmpU1"), LessonDir::file(stored, false));
        // A run that asked nothing stores nothing; its empty copy waits for the drill to be left.
        QCOMPARE(d.exists("tmpUxx"), asked.isEmpty());
        // Going back stores the lesson as it now stands and leaves no scratch file.
        QVERIFY(drill.storeBack().ok);
        drill.leave();
        QCOMPARE(QDir(d.path()).entryList(QDir::Files), (QStringList{"EU1", "U1"}));
        QCOMPARE(d.bytes("U1"), LessonDir::file(stored));
    }
};

QTEST_GUILESS_MAIN(DrillTest)
#include "DrillTest.moc"
