#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/RunChart.h"
#include "results/frmErgebnis.h"
#include "ui/QtServices.h"

#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));

// Opens the results of anna's lesson "Lektion 1" with these lines in its result file (none: no
// file). A hand-off given replaces the usual one; "@" stands for the program directory.
frmErgebnis* open(TestProgram& program, const QStringList& results, QStringList handOff = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
    QDir().mkpath(program.path("anna/Englisch"));
    if (!results.isEmpty())
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

// The text lines of a PDF printed through Qt's printer up to the chart that ends it, and its
// number of pages; empty when the chart is missing.
QStringList printed(frmErgebnis* screen, qsizetype& pages)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("ergebnis.pdf"));
    QProcess pdftotext;
    if (ui::QtPrinter::renderDocument(printer, screen->Druckdokument()))
        pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    pages = text.count('\f');
    const qsizetype chart = text.lastIndexOf("Verlauf: Prozent richtig je Übung");
    return chart < 0 ? QStringList() : text.left(chart).trimmed().split(QRegularExpression("\n|\f"));
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
        const QByteArray stored = program.bytes("anna/Englisch/EU1");
        QVERIFY(screen);
        QCOMPARE(QStringList({screen->windowTitle(), screen->findChild<QPushButton*>("cmdCancel")->text(),
                              screen->findChild<QPushButton*>("cmdCancel")->toolTip(), screen->findChild<QPushButton*>("cmdPrintErgebnis")->text(),
                              screen->findChild<QPushButton*>("cmdPrintErgebnis")->toolTip()}),
                 QStringList({"Paukomat V1.1 - Ergebnisse", "OK", "Zurück zum Paukomat Dialog",
                              "Drucken", "Ausgabe der Ergebnisse auf dem Drucker"}));
        QCOMPARE(entries(screen->findChild<QListWidget*>("lstGErgebnis")),
                 QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", Sep,
                              "Gesamtergebnis:", "Vokabeln:  15", "davon richtig:  12",
                              "davon falsch:  3", "in Prozent:  80", "entspricht der Zensur : 2",
                              Sep}));
        QCOMPARE(entries(screen->findChild<QListWidget*>("lstErgebnisse")),
                 QStringList({Sep, "Einzelergebnis Nr.  1", "Vokabeln:  10", "davon richtig:  7",
                              "davon falsch:  3", "in Prozent:  70", "entspricht der Zensur : 3",
                              Sep, "Einzelergebnis Nr.  2", "Vokabeln:  5", "davon richtig:  5",
                              "davon falsch:  0", "in Prozent:  100",
                              "entspricht der Zensur : 1", Sep}));
        // The separator line fits both lists in the fonts at hand.
        for (QListWidget* list : {screen->findChild<QListWidget*>("lstGErgebnis"), screen->findChild<QListWidget*>("lstErgebnisse")})
            QVERIFY(list->fontMetrics().horizontalAdvance(Sep) < list->viewport()->width());

        // Printed: the title, three blank title lines, the left list bold, the right not.
        QTest::mouseClick(screen->findChild<QPushButton*>("cmdPrintErgebnis"), Qt::LeftButton);
        const QString tnr = "Times New Roman";
        QList<ui::PrintLine> lines(4, {" ", tnr, 14, true, true});
        lines.first().text = "Paukomat V1.1";
        for (const QString& text : entries(screen->findChild<QListWidget*>("lstGErgebnis")))
            lines.append({text, tnr, 12, true, false});
        for (const QString& text : entries(screen->findChild<QListWidget*>("lstErgebnisse")))
            lines.append({text, tnr, 12, false, false});
        QCOMPARE(program.printer.printedDocuments.size(), 1);
        QCOMPARE(program.printer.printedDocuments[0].lines, lines);
        QVERIFY(program.printer.printedDocuments[0].chart && !program.printer.printedDocuments[0].pageNumbers);
        // The chart below the lists draws both runs with their grades.
        const QList<results::RunScore> runs{{70, 3}, {100, 1}};
        QCOMPARE(screen->findChild<results::RunChart*>("picVerlauf")->runs(), runs);
        QCOMPARE(program.bytes("anna/Englisch/EU1"), stored);
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"EU1"});

        QTest::mouseClick(screen->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmPaukomat>()});
    }

    void unusableHandOffGivesTheExerciseBack()
    {
        // Every refusal of the results is worded by the model; the screen shows it and goes back.
        TestProgram program;
        program.messages.queueOk();
        QVERIFY(!open(program, {}, {"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}));
        QCOMPARE(program.messages.texts(), QStringList{"Der Name \"..\" ist ungültig. Die Datei wurde außerhalb von "
                                                       "Paukomat verändert; Paukomat greift nicht darauf zu."});
        QCOMPARE(program.messages.shown.first().title, "Paukomat V1.1  -  Fehler");
        QCOMPARE(program.messages.shown.first().icon, ui::Icon::Stop);
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmPaukomat>()});
    }

    void noRunsAndManyRunsPrintedToPdf()
    {
        TestProgram program;
        auto* screen = open(program, {});
        // One page: the title, three blank lines, the eleven and the one entries.
        qsizetype pages = 0;
        QStringList lines = printed(screen, pages);
        QCOMPARE(pages, 1);
        QCOMPARE(lines.mid(0, 4), QStringList({"Paukomat V1.1", "", "", ""}));
        lines.removeAll(QString());
        QCOMPARE(lines.size(), 1 + 11 + 1);
        QCOMPARE(lines.mid(0, 3),
                 QStringList({"Paukomat V1.1", "Name: anna", "Sprache: Englisch"}));

        // Closed by its frame, the screen takes the way of "OK".
        QVERIFY(screen->close());
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmPaukomat>()});

        // 200 runs continue over further pages, each block in its place, nothing else printed.
        QStringList results = {" 2000\\\\ 1000"};
        for (int k = 1; k <= 200; ++k)
            results.append(QStringLiteral("10\\\\%1").arg(k % 11));
        lines = printed(open(program, results), pages);
        QVERIFY(pages > 20);
        lines.removeAll(QString());
        QCOMPARE(lines.size(), 1 + 11 + 1 + 200 * 7);
        for (int k = 1; k <= 200; ++k)
            QCOMPARE(lines.at(13 + (k - 1) * 7 + 2), QString("davon richtig: %1").arg(k % 11));
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
