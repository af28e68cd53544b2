#include "results/ResultReport.h"
#include "store/Scrambler.h"

#include <QTest>

using results::ResultReport;
using results::Setze_Zensur;

namespace {

QList<QByteArray> stored(const QStringList& plain)
{
    QList<QByteArray> lines;
    for (const QString& line : plain)
        lines.append(store::Scrambler::scrambleText(line));
    return lines;
}

// The five entries of the k-th run block (k from 1) of the right-hand list.
QStringList runBlock(const ResultReport& report, int k)
{
    return report.einzel().mid(1 + (k - 1) * 7 + 1, 5);
}

QStringList block(const QString& words, const QString& right, const QString& wrong,
                  const QString& percent, const QString& grade)
{
    return {QStringLiteral("Vokabeln: ") + words, QStringLiteral("davon richtig: ") + right,
            QStringLiteral("davon falsch: ") + wrong, QStringLiteral("in Prozent: ") + percent,
            grade.isEmpty() ? QString() : QStringLiteral("entspricht der Zensur : ") + grade};
}

} // namespace

class ResultReportTest : public QObject
{
    Q_OBJECT

private slots:
    void gradeBands_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("line");
        const QList<std::pair<double, int>> cases = {
            {0, 6},  {30, 6}, {30.9, 6}, {31, 5}, {49.99, 5}, {50, 4},  {64, 4},
            {65, 3}, {79, 3}, {80, 2},   {94.9, 2}, {95, 1},  {100, 1}, {100.5, 1}};
        for (const auto& [percent, grade] : cases)
            QTest::addRow("%g", percent)
                << percent << QStringLiteral("entspricht der Zensur : %1").arg(grade);
    }

    void gradeBands()
    {
        QFETCH(double, percent);
        QFETCH(QString, line);
        QCOMPARE(Setze_Zensur(percent, 10), line);
    }

    void noWordsAndPercentagesOutsideTheBands()
    {
        // 0 words: no grade, whatever the percentage.
        QCOMPARE(Setze_Zensur(std::nullopt, 0), QStringLiteral("entspricht der Zensur : -"));
        QCOMPARE(Setze_Zensur(80, 0), QStringLiteral("entspricht der Zensur : -"));
        // A missing percentage of a result with words counts as 0.
        QCOMPARE(Setze_Zensur(std::nullopt, 4), QStringLiteral("entspricht der Zensur : 6"));
        QCOMPARE(Setze_Zensur(101, 10), QString());
        QCOMPARE(Setze_Zensur(-0.5, 10), QString());
    }

    void percentagesAreCutNeverRounded()
    {
        const auto report = ResultReport::build(
            "anna", "Englisch", "L1",
            stored({" 312\\\\ 4", "3\\\\2", "8\\\\1", "300\\\\1", "3\\\\1", "7\\\\7"}));
        QCOMPARE(runBlock(report, 1), block(" 3", " 2", " 1", " 66.66", "3"));
        QCOMPARE(runBlock(report, 2), block(" 8", " 1", " 7", " 12.5", "6"));
        QCOMPARE(runBlock(report, 3), block(" 300", " 1", " 299", " .33", "6"));
        QCOMPARE(runBlock(report, 4), block(" 3", " 1", " 2", " 33.33", "5"));
        QCOMPARE(runBlock(report, 5), block(" 7", " 7", " 0", " 100", "1"));
        QCOMPARE(report.einzel().size(), 1 + 5 * 7);
        QCOMPARE(report.einzel().at(29), QStringLiteral("Einzelergebnis Nr.  5"));
    }

    void damagedLines()
    {
        // The totals are read from the first line, never summed up from the records; a line
        // without the separator keeps the values read before it, the totals' included.
        const auto report = ResultReport::build(
            "anna", "Englisch", "L1",
            stored({" 99\\\\ 98", "Müll", "4\\\\1", "", "10\\\\12", "-4\\\\2"}));
        QCOMPARE(report.gesamt().mid(5, 5), block(" 99", " 98", " 1", " 98.98", "1"));
        QCOMPARE(runBlock(report, 1), block(" 99", " 98", " 1", " 98.98", "1"));
        QCOMPARE(runBlock(report, 2), block(" 4", " 1", " 3", " 25", "6"));
        QCOMPARE(runBlock(report, 3), block(" 4", " 1", " 3", " 25", "6"));
        // More right than asked: 120 percent lies in no band.
        QCOMPARE(runBlock(report, 4), block(" 10", " 12", "-2", " 120", ""));
        QCOMPARE(runBlock(report, 5), block("-4", " 2", "-6", " 0", "6"));

        // A totals line without separator gives zeros and no grade.
        const auto broken = ResultReport::build("a", "b", "c", stored({"kaputt"}));
        QCOMPARE(broken.gesamt().mid(5, 5), block(" 0", " 0", " 0", " 0", "-"));
        QCOMPARE(broken.einzel(), QStringList{ResultReport::SeparatorLine});
    }

    void hugeCountsDoNotOverflow()
    {
        const auto report = ResultReport::build(
            "a", "b", "c",
            stored({" 70000\\\\ 1", "100000000000000000000\\\\1", "1E+308\\\\1E+307",
                    "1E+308\\\\-1E+308"}));
        QCOMPARE(report.gesamt().mid(5, 5), block(" 70000", " 1", " 69999", " .00", "6"));
        QCOMPARE(runBlock(report, 1), block(" 1E+20", " 1", " 1E+20", " 1E-18", "6"));
        // Richtig x 100 would leave the range of a double here.
        QCOMPARE(runBlock(report, 2), block(" 1E+308", " 1E+307", " 9E+307", " 10", "6"));
        QCOMPARE(runBlock(report, 3), block(" 1E+308", "-1E+308", " 1.#INF", "-100", ""));
    }
};

QTEST_GUILESS_MAIN(ResultReportTest)
#include "ResultReportTest.moc"
