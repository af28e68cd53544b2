#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/RunChart.h"
#include "results/frmErgebnis.h"

#include <QImage>
#include <QMap>
#include <QPoint>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));

// Opens the results of anna's lesson "Lektion 1" with these lines in its result file. A hand-off
// given replaces the usual one; "@" stands for the program directory.
frmErgebnis* open(TestProgram& program, const QStringList& results, QStringList handOff = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
    program.writeScrambled("anna/Englisch/EU1", results);
    if (handOff.isEmpty())
        handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
    program.writePlain("tmpErgShow", handOff.replaceInStrings("@", program.dir()));
    program.screens().showResults();
    return TestProgram::shown<frmErgebnis>();
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// Per grade, where a chart of 600 by 300 pixels shows its colour: the leftmost column, and the
// number of rows.
QMap<int, QPoint> bars(const QList<results::RunScore>& runs)
{
    results::RunChart chart;
    chart.setRuns(runs);
    chart.resize(600, 300);
    const QImage image = chart.grab().toImage();
    QMap<int, QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int g = 1; g <= 6; ++g)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == results::gradeColor(g).rgb()) {
                    const QPoint before = found.value(g, {x, 0});
                    found[g] = {std::min(before.x(), x), before.y() + 1};
                    break;
                }
    return found;
}

} // namespace

class frmErgebnisTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTotalsAndEveryRunThenPrintsAndGoesBack()
    {
        TestProgram program;
        auto* screen = open(program, {" 15\\\\ 12", "10\\\\7", "5\\\\5"});
        QVERIFY(screen);
        const auto* totals = screen->findChild<QListWidget*>("lstGErgebnis");
        const auto* runs = screen->findChild<QListWidget*>("lstErgebnisse");
        QCOMPARE(entries(totals), QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", Sep,
                                               "Gesamtergebnis:", "Vokabeln:  15", "davon richtig:  12",
                                               "davon falsch:  3", "in Prozent:  80",
                                               "entspricht der Zensur : 2", Sep}));
        QCOMPARE(entries(runs), QStringList({Sep, "Einzelergebnis Nr.  1", "Vokabeln:  10", "davon richtig:  7",
                                             "davon falsch:  3", "in Prozent:  70", "entspricht der Zensur : 3",
                                             Sep, "Einzelergebnis Nr.  2", "Vokabeln:  5", "davon richtig:  5",
                                             "davon falsch:  0", "in Prozent:  100",
                                             "entspricht der Zensur : 1", Sep}));
        // The separator line fits both lists in the fonts at hand.
        for (const QListWidget* list : {totals, runs})
            QVERIFY(list->fontMetrics().horizontalAdvance(Sep) < list->viewport()->width());
        QCOMPARE(screen->findChild<results::RunChart*>("picVerlauf")->runs(),
                 QList<results::RunScore>({{70, 3}, {100, 1}}));

        // Printed: the title, three blank title lines, the left list bold, the right not; then
        // the chart.
        QTest::mouseClick(screen->findChild<QPushButton*>("cmdPrintErgebnis"), Qt::LeftButton);
        const QList<ui::PrintLine> lines = program.printer.printedDocuments.value(0).lines;
        QCOMPARE(lines.size(), 4 + 11 + 15);
        const QString tnr = "Times New Roman";
        QCOMPARE((QList<ui::PrintLine>{lines[0], lines[3], lines[4], lines.last()}),
                 (QList<ui::PrintLine>{{"Paukomat V1.1", tnr, 14, true, true}, {" ", tnr, 14, true, true},
                                       {"Name: anna", tnr, 12, true, false}, {Sep, tnr, 12, false, false}}));
        QVERIFY(program.printer.printedDocuments[0].chart && !program.printer.printedDocuments[0].pageNumbers);

        // Closed by its frame, the screen takes the way of "OK", back to the drill.
        QVERIFY(screen->close());
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmPaukomat>()});
    }

    void unusableHandOffGivesTheExerciseBack()
    {
        // Every refusal is worded by the model; the screen shows it and goes back.
        TestProgram program;
        program.messages.queueOk();
        QVERIFY(!open(program, {}, {"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}));
        QVERIFY(program.messages.texts().value(0).startsWith("Der Name \"..\" ist ungültig."));
        QCOMPARE(program.messages.shown.first().title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(program.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmPaukomat>()});
    }

    // Bars stand as high as their percentage, oldest left; a damaged run keeps its place empty,
    // and nothing right is a sliver on the axis.
    void barsStandAsHighAsTheirPercentageOldestLeft()
    {
        QVERIFY(bars({}).isEmpty() && bars({{}, {}}).isEmpty());
        const QMap<int, QPoint> few = bars({{100, 1}, {}, {40, 5}, {0, 6}, {70, 3}});
        QCOMPARE(few.keys(), QList<int>({1, 3, 5, 6}));
        QVERIFY(few[1].y() > 150 && few[6].y() >= 1 && few[6].y() <= 3);
        QCOMPARE(qRound(few[5].y() * 10.0 / few[1].y()) * 10 + qRound(few[3].y() * 10.0 / few[1].y()), 47);
        const int slot = few[6].x() - few[5].x();
        QVERIFY(slot > 10 && qAbs(few[5].x() - few[1].x() - 2 * slot) <= 1 && qAbs(few[3].x() - few[6].x() - slot) <= 1);
        // Of a long history the latest fifty runs, the oldest of them graded 2.
        QList<results::RunScore> history(9950, {70, 3});
        history.append({90, 2});
        history.append(QList<results::RunScore>(49, {40, 5}));
        const QMap<int, QPoint> latest = bars(history);
        QVERIFY(latest.keys() == QList<int>({2, 5}) && latest[2].x() < latest[5].x());
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
