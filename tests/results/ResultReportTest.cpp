#include "results/ResultReport.h"
#include "store/Scrambler.h"

#include <QTest>

using results::ResultReport;
using results::Setze_Zensur;

namespace {

ResultReport report(const QStringList& plainLines)
{
    QList<QByteArray> stored;
    for (const QString& line : plainLines)
        stored.append(store::Scrambler::scrambleText(line));
    return ResultReport::build("anna", "Englisch", "L1", stored);
}

// The result block of the k-th run, or of the totals for k = 0.
QStringList block(const ResultReport& r, int k)
{
    return k == 0 ? r.gesamt().mid(5, 5) : r.einzel().mid(2 + (k - 1) * 7, 5);
}

QStringList expected(const QString& words, const QString& right, const QString& wrong,
                     const QString& percent, const QString& grade)
{
    return {"Vokabeln: " + words, "davon richtig: " + right, "davon falsch: " + wrong,
            "in Prozent: " + percent,
            grade.isEmpty() ? QString() : "entspricht der Zensur : " + grade};
}

} // namespace

class ResultReportTest : public QObject
{
    Q_OBJECT

private slots:
    void gradeLines()
    {
        const QList<std::pair<double, int>> bands = {
            {0, 6},  {30, 6}, {30.9, 6}, {31, 5}, {49.99, 5}, {50, 4},  {64, 4},
            {65, 3}, {79, 3}, {80, 2},   {94.9, 2}, {95, 1},  {100, 1}};
        for (const auto& [percent, grade] : bands)
            QCOMPARE(Setze_Zensur(percent, 10), QString("entspricht der Zensur : %1").arg(grade));
        // No words: no grade, whatever the percentage; beyond 100 no band, no text.
        QCOMPARE(Setze_Zensur(std::nullopt, 0), QStringLiteral("entspricht der Zensur : -"));
        QCOMPARE(Setze_Zensur(80, 0), QStringLiteral("entspricht der Zensur : -"));
        QCOMPARE(Setze_Zensur(101, 10), QString());
    }

    void percentagesAreCutNeverRounded()
    {
        const auto r = report({" 311\\\\ 3", "3\\\\2", "8\\\\1", "300\\\\1", "3\\\\1"});
        QCOMPARE(block(r, 0), expected(" 311", " 3", " 308", " .96", "6"));
        QCOMPARE(block(r, 1), expected(" 3", " 2", " 1", " 66.66", "3"));
        QCOMPARE(block(r, 2), expected(" 8", " 1", " 7", " 12.5", "6"));
        QCOMPARE(block(r, 3), expected(" 300", " 1", " 299", " .33", "6"));
        QCOMPARE(block(r, 4), expected(" 3", " 1", " 2", " 33.33", "5"));
        QCOMPARE(r.einzel().size(), 1 + 4 * 7);
        QCOMPARE(r.einzel().at(22), QStringLiteral("Einzelergebnis Nr.  4"));
    }

    void damagedLines()
    {
        // Totals come from the first line, never summed up; a line without the separator keeps
        // the values read before it, those of the totals included.
        const auto r = report({" 99\\\\ 98", "Müll", "4\\\\1", "", "10\\\\12", "-4\\\\2"});
        QCOMPARE(block(r, 1), expected(" 99", " 98", " 1", " 98.98", "1"));
        QCOMPARE(block(r, 3), expected(" 4", " 1", " 3", " 25", "6"));
        QCOMPARE(block(r, 4), expected(" 10", " 12", "-2", " 120", ""));
        QCOMPARE(block(r, 5), expected("-4", " 2", "-6", " 0", "6"));
        QCOMPARE(block(report({"kaputt"}), 0), expected(" 0", " 0", " 0", " 0", "-"));
    }

    void hugeCountsDoNotOverflow()
    {
        const auto r = report({" 70000\\\\ 1", "100000000000000000000\\\\1"});
        QCOMPARE(block(r, 0), expected(" 70000", " 1", " 69999", " .00", "6"));
        QCOMPARE(block(r, 1), expected(" 1E+20", " 1", " 1E+20", " 1E-18", "6"));
    }
};

QTEST_GUILESS_MAIN(ResultReportTest)
#include "ResultReportTest.moc"
