#include "results/frmErgebnis.h"
#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/LessonResults.h"
#include "results/RunChart.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPainter>
#include <QPoint>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));
const QString Unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von Paukomat "
                       "verändert; Paukomat greift nicht darauf zu.";

// Hands anna's lesson "Lektion 1" over to the results with these lines in its result file (none:
// no file). A hand-off given replaces the usual one; "@" stands for the program directory.
void handOver(TestProgram& program, const QStringList& results, QStringList handOff = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
    QDir().mkpath(program.path("anna/Englisch"));
    if (!results.isEmpty())
        program.writeScrambled("anna/Englisch/EU1", results);
    if (handOff.isEmpty())
        handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
    program.writePlain("tmpErgShow", handOff.replaceInStrings("@", program.dir()));
}

results::frmErgebnis* open(TestProgram& program, const QStringList& results,
                           QStringList handOff = {})
{
    handOver(program, results, handOff);
    program.screens().showResults();
    return TestProgram::shown<results::frmErgebnis>();
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

using results::RunScore;

// The rules of the result file, on the model alone; then the screen's wiring and its chart.
class frmErgebnisTest : public QObject
{
    Q_OBJECT

    // anna's lesson with two runs, on the results screen.
    static results::frmErgebnis* openTwoRuns(TestProgram& program)
    {
        return open(program, {" 15\\\\ 12", "10\\\\7", "5\\\\5"});
    }

private slots:
    // The values of every result block, totals first: words, right, wrong, percent and grade; and
    // the runs as the chart draws them, oldest first.
    void blocksAndBarsOfTheResultFile_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<QStringList>>("blocks");
        QTest::addColumn<QList<RunScore>>("scores");
        QTest::newRow("no run yet, no file")
            << QStringList() << QList<QStringList>{{" 0", " 0", " 0", " 0", "-"}}
            << QList<RunScore>();
        QTest::newRow("percentages cut") << QStringList{" 311\\\\ 3", "3\\\\2", "8\\\\1"}
                                         << QList<QStringList>{{" 311", " 3", " 308", " .96", "6"},
                                                               {" 3", " 2", " 1", " 66.66", "3"},
                                                               {" 8", " 1", " 7", " 12.5", "6"}}
                                         << QList<RunScore>{{200.0 / 3, 3}, {12.5, 6}};
        // The grade comes from the whole-number part: 30.5 % is still a 6, 31 % a 5.
        QTest::newRow("grade bands at 30 and 31")
            << QStringList{" 200\\\\ 61", "100\\\\30", "100\\\\31"}
            << QList<QStringList>{{" 200", " 61", " 139", " 30.5", "6"},
                                  {" 100", " 30", " 70", " 30", "6"},
                                  {" 100", " 31", " 69", " 31", "5"}}
            << QList<RunScore>{{30.0, 6}, {31.0, 5}};
        // Totals come from the first line, never summed up; a line without the separator keeps
        // the values read before it in the list, but gets no bar of its own.
        QTest::newRow("damaged lines")
            << QStringList{" 99\\\\ 98", "Müll", "4\\\\1", "10\\\\12", "-4\\\\2", " 8\\\\ 6"}
            << QList<QStringList>{{" 99", " 98", " 1", " 98.98", "1"},
                                  {" 99", " 98", " 1", " 98.98", "1"},
                                  {" 4", " 1", " 3", " 25", "6"},
                                  {" 10", " 12", "-2", " 120", ""},
                                  {"-4", " 2", "-6", " 0", "6"},
                                  {" 8", " 6", " 2", " 75", "3"}}
            << QList<RunScore>{{}, {25.0, 6}, {}, {}, {75.0, 3}};
    }
    void blocksAndBarsOfTheResultFile()
    {
        QFETCH(QStringList, stored);
        QFETCH(QList<QStringList>, blocks);
        QFETCH(QList<RunScore>, scores);
        TestProgram program;
        handOver(program, stored);
        const results::LessonResults shown =
            results::LessonResults::load(store::DataTree(program.dir()));
        QCOMPARE(shown.outcome().message.text, QString());
        const QStringList values =
            shown.totals().mid(5, 5) + shown.runs().filter(QRegularExpression("^(?!---|Einzel)"));
        QList<QStringList> found;
        for (qsizetype i = 0; i < values.size(); i += 5)
            found.append(values.mid(i, 5).replaceInStrings(QRegularExpression(".*: "), ""));
        QCOMPARE(found, blocks);
        QCOMPARE(shown.scores(), scores);
        // Showing changes no file: a missing one is not created.
        QCOMPARE(program.exists("anna/Englisch/EU1"), !stored.isEmpty());
    }

    // Why a hand-off cannot be shown; "@" stands for the program directory.
    void handOffsRefused_data()
    {
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("problem");
        const QString cannot = "Die Ergebnisse %1können nicht angezeigt werden: Die Datei \"%2\" ";
        const QString incomplete = cannot.arg("", "tmpErgShow") + "fehlt oder ist unvollständig.";
        QTest::newRow("empty") << QStringList{""} << incomplete;
        QTest::newRow("without the result file")
            << QStringList{"p", "anna", "Englisch", "L1", ""} << incomplete;
        QTest::newRow("file outside the language")
            << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/../../x"}
            << Unsafe.arg("@/anna/Englisch/../../x");
        QTest::newRow("directory for a file")
            << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/EU9"}
            << cannot.arg("der Lektion \"L1\" ", "EU9") + "kann nicht gelesen werden.";
    }
    void handOffsRefused()
    {
        QFETCH(QStringList, handOff);
        QFETCH(QString, problem);
        TestProgram program;
        QDir().mkpath(program.path("anna/Englisch/EU9"));
        handOver(program, {}, handOff);
        QCOMPARE(
            results::LessonResults::load(store::DataTree(program.dir())).outcome().message.text,
            problem.replace('@', program.dir()));
    }

    // The model's refusal is told as a failure, and the drill comes back.
    void refusedHandOffGoesBackToTheDrill()
    {
        TestProgram program;
        program.messages.queueOk();
        QVERIFY(!open(program, {}, {"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}));
        QCOMPARE(program.messages.texts(), QStringList{Unsafe.arg("..")});
        QCOMPARE(program.messages.shown.value(0).title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(program.messages.shown.value(0).icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows(),
                 QList<QWidget*>{TestProgram::shown<exercise::frmPaukomat>()});
    }

    void showsTotalsAndEveryRun()
    {
        TestProgram program;
        auto* screen = openTwoRuns(program);
        QVERIFY(screen);
        const auto* totals = screen->findChild<QListWidget*>("lstGErgebnis");
        const auto* runs = screen->findChild<QListWidget*>("lstErgebnisse");
        QCOMPARE(
            entries(totals),
            QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", Sep,
                         "Gesamtergebnis:", "Vokabeln:  15", "davon richtig:  12",
                         "davon falsch:  3", "in Prozent:  80", "entspricht der Zensur : 2", Sep}));
        QCOMPARE(
            entries(runs).mid(0, 8),
            QStringList({Sep, "Einzelergebnis Nr.  1", "Vokabeln:  10", "davon richtig:  7",
                         "davon falsch:  3", "in Prozent:  70", "entspricht der Zensur : 3", Sep}));
        // The separator line fits both lists in the fonts at hand.
        for (const QListWidget* list : {totals, runs})
            QVERIFY(list->fontMetrics().horizontalAdvance(Sep) < list->viewport()->width());
        auto* chart = screen->findChild<results::RunChart*>("picVerlauf");
        QCOMPARE(chart->runs(), QList<RunScore>({{70, 3}, {100, 1}}));
        QCOMPARE(chart->caption(), "2 Übungen");
    }

    // The title, three blank title lines, the left list bold, the right not; then the chart,
    // painted as on the screen.
    void printsTheListsAndTheChart()
    {
        TestProgram program;
        auto* screen = openTwoRuns(program);
        QVERIFY(screen);
        auto* chart = screen->findChild<results::RunChart*>("picVerlauf");
        QImage printed(chart->size(), QImage::Format_RGB32);
        printed.fill(Qt::white);
        QPainter painter(&printed);
        screen->Druckdokument().chart(painter, QRectF(printed.rect()));
        painter.end();
        QCOMPARE(printed, chart->grab().toImage().convertToFormat(QImage::Format_RGB32));
        QTest::mouseClick(screen->findChild<QPushButton*>("cmdPrintErgebnis"), Qt::LeftButton);
        const QList<ui::PrintLine> lines = program.printer.printedDocuments.value(0).lines;
        QCOMPARE(lines.size(), 4 + 11 + 15);
        const QString tnr = "Times New Roman";
        QCOMPARE(lines[0], (ui::PrintLine{"Paukomat V1.1", tnr, 14, true, true}));
        QCOMPARE(lines[4], (ui::PrintLine{"Name: anna", tnr, 12, true, false}));
        QCOMPARE(lines.last(), (ui::PrintLine{Sep, tnr, 12, false, false}));
        QVERIFY(program.printer.printedDocuments[0].chart);
        QVERIFY(!program.printer.printedDocuments[0].pageNumbers);
    }

    // Closed by its frame, the screen takes the way of "OK", back to the drill.
    void closingGoesBackToTheDrill()
    {
        TestProgram program;
        auto* screen = openTwoRuns(program);
        QVERIFY(screen && screen->close());
        QCOMPARE(TestProgram::visibleWindows(),
                 QList<QWidget*>{TestProgram::shown<exercise::frmPaukomat>()});
    }

    // How many pairs stand in each box, on the screen and in the printout after the totals;
    // damaged lines are no pairs, and a pair without a place stands in box 1.
    void boxCountsAreShownAndPrinted()
    {
        TestProgram program;
        program.writeScrambled(
            "anna/Englisch/U1",
            {"house\\\\Haus\\\\\\r", "kaputt", "tree\\\\Baum\\\\\\f", "sun\\\\Sonne\\\\\\f"});
        program.writeScrambled("anna/Englisch/.KU1",
                               {"3\\\\2024-03-06\\\\house", "1\\\\2024-03-06\\\\sun"});
        auto* screen = open(program, {" 1\\\\ 1", "1\\\\1"});
        QVERIFY(screen);
        const QString counts = "Vokabeln je Kasten:  1: 2  2: 0  3: 1  4: 0  5: 0";
        const auto* label = screen->findChild<QLabel*>("lblKaesten");
        QCOMPARE(label->text(), counts);
        QVERIFY(label->fontMetrics().horizontalAdvance(counts) <= label->width());
        QTest::mouseClick(screen->findChild<QPushButton*>("cmdPrintErgebnis"), Qt::LeftButton);
        QCOMPARE(program.printer.printedDocuments.value(0).lines.value(4 + 11).text, counts);
    }

    // Bars stand as high as their percentage, oldest left; a damaged run keeps its place empty,
    // and nothing right is a sliver on the axis.
    void barsStandAsHighAsTheirPercentageOldestLeft()
    {
        QVERIFY(bars({}).isEmpty());
        QVERIFY(bars({{}, {}}).isEmpty());
        const QMap<int, QPoint> few = bars({{100, 1}, {}, {40, 5}, {0, 6}, {70, 3}});
        QCOMPARE(few.keys(), QList<int>({1, 3, 5, 6}));
        QVERIFY(few[1].y() > 150);
        QVERIFY(few[6].y() >= 1 && few[6].y() <= 3);
        QCOMPARE(qRound(few[5].y() * 10.0 / few[1].y()), 4);
        QCOMPARE(qRound(few[3].y() * 10.0 / few[1].y()), 7);
        const int slot = few[6].x() - few[5].x();
        QVERIFY(slot > 10);
        QVERIFY(qAbs(few[5].x() - few[1].x() - 2 * slot) <= 1);
        QVERIFY(qAbs(few[3].x() - few[6].x() - slot) <= 1);
        // Of a long history the latest fifty runs, the oldest of them graded 2.
        QList<RunScore> history(9950, {70, 3});
        history.append({90, 2});
        history.append(QList<RunScore>(49, {40, 5}));
        const QMap<int, QPoint> latest = bars(history);
        QCOMPARE(latest.keys(), QList<int>({2, 5}));
        QVERIFY(latest[2].x() < latest[5].x());
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
