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
#include <QPushButton>
#include <QRect>
#include <QRegularExpression>
#include <QTest>

using results::RunScore;
using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));
const QString Unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von Paukomat "
                       "verändert; Paukomat greift nicht darauf zu.";
const QString Counts = "Vokabeln je Kasten:  1: 1  2: 0  3: 1  4: 0  5: 0";

// Hands anna's lesson "Lektion 1" over to the results with these lines in its result file (none:
// no file). A hand-off given replaces the usual one; "@" stands for the program directory.
void handOver(TestProgram& program, const QStringList& results, QStringList handOff = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
    QDir().mkpath(program.path("anna/Englisch/EU9"));
    if (!results.isEmpty())
        program.writeScrambled("anna/Englisch/EU1", results);
    if (handOff.isEmpty())
        handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
    program.writePlain("tmpErgShow", handOff.replaceInStrings("@", program.dir()));
}

results::frmErgebnis* open(TestProgram& program, const QStringList& results,
                           const QStringList& handOff = {})
{
    handOver(program, results, handOff);
    program.screens().showResults();
    return TestProgram::shown<results::frmErgebnis>();
}

// anna's lesson with two runs on the results screen. Damaged lines are no pairs, and a pair
// without a place stands in box 1.
results::frmErgebnis* openTwoRuns(TestProgram& program)
{
    program.writeScrambled("anna/Englisch/U1",
                           {"house\\\\Haus\\\\\\r", "kaputt", "tree\\\\Baum\\\\\\f"});
    program.writeScrambled("anna/Englisch/.KU1", {"3\\\\2024-03-06\\\\house"});
    return open(program, {" 15\\\\ 12", "10\\\\7", "5\\\\5"});
}

QList<QWidget*> drillAlone()
{
    return {TestProgram::shown<exercise::frmPaukomat>()};
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// Per grade, where a chart of 600 by 300 pixels shows its colour.
QMap<int, QRect> bars(const QList<RunScore>& runs)
{
    results::RunChart chart;
    chart.setRuns(runs);
    chart.resize(600, 300);
    const QImage image = chart.grab().toImage();
    QMap<int, QRect> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int grade = 1; grade <= 6; ++grade)
                if (image.pixel(x, y) == results::gradeColor(grade).rgb())
                    found[grade] |= QRect(x, y, 1, 1);
    return found;
}

// The stored result lines; wrong answers, percentage and grade of every block, totals first; the
// runs as the chart draws them.
struct Blocks
{
    QStringList stored, values;
    QList<RunScore> scores;
};

} // namespace

Q_DECLARE_METATYPE(Blocks)

// The rules of the result file, on the model alone; then the screen's wiring and its chart.
class frmErgebnisTest : public QObject
{
    Q_OBJECT

private slots:
    void blocksAndBarsOfTheResultFile_data()
    {
        QTest::addColumn<Blocks>("c");
        QTest::newRow("no run yet, no file") << Blocks{{}, {" 0", " 0", "-"}, {}};
        // The grade comes from the whole-number part: 30.5 % is still a 6, 31 % a 5.
        QTest::newRow("grade bands at 30 and 31")
            << Blocks{{" 200\\\\ 61", "100\\\\30", "100\\\\31"},
                      {" 139", " 30.5", "6", " 70", " 30", "6", " 69", " 31", "5"},
                      {{30.0, 6}, {31.0, 5}}};
        // Totals come from the first line, never summed up; a line without the separator keeps
        // the values read before it in the list, but gets no bar of its own; a grade out of range
        // is an empty line.
        QTest::newRow("damaged lines")
            << Blocks{{" 99\\\\ 98", "Müll", "4\\\\1", "10\\\\12", "-4\\\\2"},
                      {" 1", " 98.98", "1", " 1", " 98.98", "1", " 3", " 25", "6", //
                       "-2", " 120", "", "-6", " 0", "6"},
                      {{}, {25.0, 6}, {}, {}}};
    }
    void blocksAndBarsOfTheResultFile()
    {
        QFETCH(const Blocks, c);
        TestProgram program;
        handOver(program, c.stored);
        const auto shown = results::LessonResults::load(store::DataTree(program.dir()));
        QCOMPARE(shown.outcome().message.text, QString());
        QStringList values =
            (shown.totals() + shown.runs()).filter(QRegularExpression("^(davon f|in P|entspr|$)"));
        QCOMPARE(values.replaceInStrings(QRegularExpression(".*: "), ""), c.values);
        QCOMPARE(shown.scores(), c.scores);
        // Showing changes no file: a missing one is not created.
        QCOMPARE(program.exists("anna/Englisch/EU1"), !c.stored.isEmpty());
    }

    // A hand-off that cannot be shown is told as a failure, and the drill comes back; "@" stands
    // for the program directory.
    void handOffsRefused_data()
    {
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("problem");
        const QString cannot = "Die Ergebnisse %1können nicht angezeigt werden: Die Datei \"%2\" ";
        QTest::newRow("without the result file")
            << QStringList{"p", "anna", "Englisch", "L1", ""}
            << cannot.arg("", "tmpErgShow") + "fehlt oder ist unvollständig.";
        QTest::newRow("user outside the data")
            << QStringList{"p", "..", "Englisch", "L1", "@/../Englisch/EU1"} << Unsafe.arg("..");
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
        program.messages.queueOk();
        QVERIFY(!open(program, {}, handOff));
        QCOMPARE(program.messages.texts(), QStringList{problem.replace('@', program.dir())});
        QCOMPARE(program.messages.shown.value(0).icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows(), drillAlone());
    }

    void showsTotalsAndEveryRun()
    {
        TestProgram program;
        auto* screen = openTwoRuns(program);
        QVERIFY(screen);
        QCOMPARE(
            entries(screen->findChild<QListWidget*>("lstGErgebnis")),
            QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", Sep,
                         "Gesamtergebnis:", "Vokabeln:  15", "davon richtig:  12",
                         "davon falsch:  3", "in Prozent:  80", "entspricht der Zensur : 2", Sep}));
        QCOMPARE(screen->findChild<QListWidget*>("lstErgebnisse")->item(1)->text(),
                 "Einzelergebnis Nr.  1");
        const auto* chart = screen->findChild<results::RunChart*>("picVerlauf");
        QCOMPARE(chart->runs(), QList<RunScore>({{70, 3}, {100, 1}}));
        QCOMPARE(chart->caption(), "2 Übungen");
        QCOMPARE(screen->findChild<QLabel*>("lblKaesten")->text(), Counts);
    }

    // The title, three blank title lines, the left list and the box counts bold, the right list
    // not; then the chart, painted as on the screen.
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
        const auto document = program.printer.printedDocuments.value(0);
        QCOMPARE(document.lines.size(), 4 + 11 + 1 + 15);
        QCOMPARE(document.lines[4 + 11].text, Counts);
        const QString tnr = "Times New Roman";
        QCOMPARE(document.lines[0], (ui::PrintLine{"Paukomat V1.1", tnr, 14, true, true}));
        QCOMPARE(document.lines[4], (ui::PrintLine{"Name: anna", tnr, 12, true, false}));
        QCOMPARE(document.lines.last(), (ui::PrintLine{Sep, tnr, 12, false, false}));
        QVERIFY(document.chart);
        QVERIFY(!document.pageNumbers);
    }

    // Closed by its frame, the screen takes the way of "OK", back to the drill.
    void closingGoesBackToTheDrill()
    {
        TestProgram program;
        auto* screen = openTwoRuns(program);
        QVERIFY(screen);
        QVERIFY(screen->close());
        QCOMPARE(TestProgram::visibleWindows(), drillAlone());
    }

    // Bars stand as high as their percentage, oldest left; a damaged run keeps its place empty,
    // and nothing right is a sliver on the axis.
    void barsStandAsHighAsTheirPercentageOldestLeft()
    {
        const QMap<int, QRect> found = bars({{100, 1}, {}, {40, 5}, {0, 6}});
        QCOMPARE(found.keys(), QList<int>({1, 5, 6}));
        QVERIFY(found[1].height() > 150);
        QCOMPARE(qRound(found[5].height() * 10.0 / found[1].height()), 4);
        QVERIFY(found[6].height() <= 3);
        const int slot = found[6].left() - found[5].left();
        QVERIFY(qAbs(found[5].left() - found[1].left() - 2 * slot) <= 1);
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
