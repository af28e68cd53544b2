#include "results/RunChart.h"
#include "results/RunHistory.h"
#include "store/Scrambler.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <map>

namespace {

// The runs read from result lines given plain, each as "percent/grade" or "-" for no bar.
QStringList readRuns(const QStringList& plainLines)
{
    QList<QByteArray> stored;
    for (const QString& line : plainLines)
        stored.append(store::Scrambler::scrambleText(line));
    QStringList out;
    for (const results::RunScore& run : results::readRunHistory(stored))
        out.append(run.hasBar() ? QString::number(*run.percent, 'f', 2) + '/' + QString::number(run.grade)
                                : QStringLiteral("-"));
    return out;
}

results::RunScore score(double percent, int grade)
{
    return {percent, grade};
}

// Where each grade's colour is painted: leftmost column, top and bottom row; -1 when nowhere.
struct Extent
{
    int left = -1, top = -1, bottom = -1;
    [[nodiscard]] int height() const { return left < 0 ? 0 : bottom - top + 1; }
};

std::map<int, Extent> barsByGrade(const QImage& image)
{
    std::map<int, Extent> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int grade = 1; grade <= 6; ++grade)
                if (image.pixel(x, y) == results::gradeColor(grade).rgb()) {
                    Extent& e = found[grade];
                    e.left = e.left < 0 ? x : std::min(e.left, x);
                    e.top = e.top < 0 ? y : e.top;
                    e.bottom = y;
                }
    return found;
}

QImage painted(const QList<results::RunScore>& runs, QSize size = {600, 300})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    results::paintRunChart(painter, QRectF(QPointF(0, 0), size), runs);
    painter.end();
    return image;
}

} // namespace

class RunChartTest : public QObject
{
    Q_OBJECT

private slots:
    void runsFromStoredLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("runs");
        QTest::newRow("no file") << QStringList() << QStringList();
        QTest::newRow("totals only") << QStringList{" 15\\\\ 12"} << QStringList();
        QTest::newRow("runs, oldest first")
            << QStringList{" 18\\\\ 14", "10\\\\7", "5\\\\5", "3\\\\2"}
            << QStringList{"70.00/3", "100.00/1", "66.67/3"};
        QTest::newRow("band edges")
            << QStringList{" 0\\\\ 0", "200\\\\61", "100\\\\31", "20\\\\19", "1000\\\\949", "8\\\\0"}
            << QStringList{"30.50/6", "31.00/5", "95.00/1", "94.90/2", "0.00/6"};
        // Damaged records keep their place but get no bar, and never borrow the run before.
        QTest::newRow("damaged")
            << QStringList{"Müll", "4\\\\1", "kaputt", "", "0\\\\0", "10\\\\12", "-4\\\\2", " 8\\\\ 6"}
            << QStringList{"25.00/6", "-", "-", "-", "-", "-", "75.00/3"};
    }

    void runsFromStoredLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, runs);
        QCOMPARE(readRuns(lines), runs);
    }

    void barsStandAsHighAsTheirPercentageOldestLeft()
    {
        // Run 2 is damaged: its place stays empty.
        const QImage image =
            painted({score(100, 1), {}, score(40, 5), score(0, 6), score(70, 3)});
        auto bars = barsByGrade(image);
        QCOMPARE(bars[2].height() + bars[4].height(), 0);
        QVERIFY(bars[1].height() > 150);
        QVERIFY(qAbs(bars[5].height() * 2.5 - bars[1].height()) <= 3);
        QVERIFY(qAbs(bars[3].height() / 0.7 - bars[1].height()) <= 3);
        // Nothing right is a sliver on the axis, not a gap.
        QVERIFY(bars[6].height() >= 1 && bars[6].height() <= 3);
        QCOMPARE(bars[6].bottom, bars[1].bottom);
        const int slot = bars[6].left - bars[5].left;
        QVERIFY(slot > 10);
        QVERIFY(qAbs(bars[5].left - bars[1].left - 2 * slot) <= 1);
        QVERIFY(qAbs(bars[3].left - bars[6].left - slot) <= 1);
    }

    void aLongHistoryShowsTheLatestFiftyRuns()
    {
        // Runs 1 to 9950 are grade 4 or 3, the 50 shown 6 and 5 by turns, the newest 1.
        QList<results::RunScore> runs;
        for (int k = 1; k <= 10000; ++k)
            runs.append(k == 10000 ? score(100, 1)
                            : k > 9950 ? (k % 2 ? score(20, 6) : score(40, 5))
                                       : (k % 2 ? score(55, 4) : score(70, 3)));
        results::RunChart chart;
        chart.setRuns(runs);
        QCOMPARE(chart.caption(), QStringLiteral("letzte 50 von 10000 Übungen"));
        chart.resize(600, 300);
        const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        auto bars = barsByGrade(image);
        QCOMPARE(bars[3].height() + bars[4].height(), 0);
        // Counted along a line just above the axis: one stretch of colour per bar.
        QSet<QRgb> colours;
        for (int grade = 1; grade <= 6; ++grade)
            colours.insert(results::gradeColor(grade).rgb());
        const int y = bars[1].bottom - 1;
        int stretches = 0;
        int newest = -1;
        for (int x = 0; x < image.width(); ++x) {
            const bool bar = colours.contains(image.pixel(x, y));
            stretches += bar && !(x > 0 && colours.contains(image.pixel(x - 1, y)));
            newest = bar ? x : newest;
        }
        QCOMPARE(stretches, 50);
        QVERIFY(newest > bars[1].left && bars[1].left > bars[5].left && bars[1].left > bars[6].left);
    }

    void withoutRunsNoBarIsPainted()
    {
        results::RunChart chart;
        chart.resize(400, 200);
        QCOMPARE(chart.caption(), QString());
        QVERIFY(barsByGrade(chart.grab().toImage().convertToFormat(QImage::Format_RGB32)).empty());
        // All damaged: the places are counted, no bar is drawn.
        chart.setRuns({{}, {}});
        QCOMPARE(chart.caption(), QStringLiteral("2 Übungen"));
        QVERIFY(barsByGrade(painted(chart.runs())).empty());
    }
};

QTEST_MAIN(RunChartTest)
#include "RunChartTest.moc"
