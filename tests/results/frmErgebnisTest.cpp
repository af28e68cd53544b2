#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/frmErgebnis.h"
#include "ui/QtServices.h"

#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));

// Writes the hand-off for anna's lesson "Lektion 1" (lines with "@" for the program directory)
// and opens the results screen. The exercise screen that "OK" opens reads its own hand-offs.
frmErgebnis* open(TestProgram& program, QStringList handOff = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain("anna/tmpEdit", {"Englisch", "Lektion 1", "U1"});
    QDir().mkpath(program.path("anna/Englisch"));
    if (handOff.isEmpty())
        handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
    for (QString& line : handOff)
        line.replace('@', program.dir());
    program.writePlain("tmpErgShow", handOff);
    program.screens().showResults();
    return TestProgram::shown<frmErgebnis>();
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// Text lines of a PDF printed from the screen through Qt's printer, one list per page.
QList<QStringList> printedPages(frmErgebnis* screen)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("ergebnis.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!ui::QtPrinter::renderLines(printer, screen->Druckzeilen()))
        return {};
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    QList<QStringList> pages;
    for (const QString& page : QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f'))
        if (!page.trimmed().isEmpty())
            pages.append(page.trimmed().split('\n'));
    return pages;
}

} // namespace

class frmErgebnisTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTotalsAndEveryRunAndChangesNoFile()
    {
        TestProgram program;
        program.writeScrambled("anna/Englisch/EU1", {" 15\\\\ 12", "10\\\\7", "5\\\\5"});
        const QByteArray stored = program.bytes("anna/Englisch/EU1");
        auto* screen = open(program);
        QVERIFY(screen);
        QCOMPARE(entries(screen->lstGErgebnis),
                 QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", Sep,
                              "Gesamtergebnis:", "Vokabeln:  15", "davon richtig:  12",
                              "davon falsch:  3", "in Prozent:  80", "entspricht der Zensur : 2",
                              Sep}));
        QCOMPARE(entries(screen->lstErgebnisse),
                 QStringList({Sep, "Einzelergebnis Nr.  1", "Vokabeln:  10", "davon richtig:  7",
                              "davon falsch:  3", "in Prozent:  70", "entspricht der Zensur : 3",
                              Sep, "Einzelergebnis Nr.  2", "Vokabeln:  5", "davon richtig:  5",
                              "davon falsch:  0", "in Prozent:  100",
                              "entspricht der Zensur : 1", Sep}));
        QCOMPARE(program.bytes("anna/Englisch/EU1"), stored);
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"EU1"});

        // The separator line fits both lists, bold font included; the tab order as laid out.
        QVERIFY(screen->lstGErgebnis->font().bold());
        QCOMPARE(screen->lstGErgebnis->font().pointSize(), 12);
        for (QListWidget* list : {screen->lstGErgebnis, screen->lstErgebnisse})
            QVERIFY(list->fontMetrics().horizontalAdvance(Sep) < list->viewport()->width());
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        QCOMPARE(QApplication::focusWidget(), screen->lstGErgebnis);
        const QList<QWidget*> order = {screen->cmdPrintErgebnis, screen->lstErgebnisse,
                                       screen->cmdCancel, screen->cmdHelp};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void unusableHandOffGivesTheExerciseBack()
    {
        const QString incomplete = "Die Ergebnisse können nicht angezeigt werden: Die Datei "
                                   "\"tmpErgShow\" fehlt oder ist unvollständig.";
        const QString unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von "
                               "Paukomat verändert; Paukomat greift nicht darauf zu.";
        const QList<std::pair<QStringList, QString>> cases = {
            {{""}, incomplete},
            {{"@/anna/Englisch/", "anna", "Englisch", "L1"}, incomplete},
            {{"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}, unsafe.arg("..")},
            {{"p", "anna", "Englisch", "L1", "@/anna/Englisch/../../x"},
             unsafe.arg("@/anna/Englisch/../../x")},
            // A directory in place of the result file cannot be read.
            {{"p", "anna", "Englisch", "L1", "@/anna/Englisch/EU1"},
             "Die Ergebnisse der Lektion \"L1\" können nicht angezeigt werden: Die Datei \"EU1\" "
             "kann nicht gelesen werden."}};
        for (auto [handOff, text] : cases) {
            TestProgram program;
            QDir().mkpath(program.path("anna/Englisch/EU1"));
            program.messages.queueOk();
            QVERIFY(!open(program, handOff));
            QCOMPARE(program.messages.texts(), QStringList{text.replace('@', program.dir())});
            QCOMPARE(program.messages.shown.first().title, "Paukomat V1.1  -  Fehler");
            QVERIFY(TestProgram::shown<frmPaukomat>());
        }
    }

    void okAndTheFrameOpenAFreshExercise()
    {
        for (bool byFrame : {false, true}) {
            TestProgram program;
            auto* screen = open(program);
            QVERIFY(screen);
            if (byFrame)
                QVERIFY(screen->close());
            else
                QTest::mouseClick(screen->cmdCancel, Qt::LeftButton);
            QVERIFY(TestProgram::shown<frmPaukomat>());
            QCOMPARE(TestProgram::visibleWindows().size(), 1);
        }
    }

    void printsTitleThenBothLists()
    {
        TestProgram program;
        program.writeScrambled("anna/Englisch/EU1", {" 3\\\\ 2", "3\\\\2"});
        auto* screen = open(program);
        QVERIFY(screen);
        QTest::mouseClick(screen->cmdPrintErgebnis, Qt::LeftButton);
        QTest::mouseClick(screen->cmdPrintErgebnis, Qt::LeftButton);
        QCOMPARE(program.printer.documents.size(), 2);
        QCOMPARE(program.printer.documents[0], program.printer.documents[1]);
        const QString tnr = "Times New Roman";
        QList<ui::PrintLine> lines = {{"Paukomat V1.1", tnr, 14, true, true}};
        for (int i = 0; i < 3; ++i)
            lines.append({" ", tnr, 14, true, true});
        for (const QString& text : entries(screen->lstGErgebnis))
            lines.append({text, tnr, 12, true, false});
        for (const QString& text : entries(screen->lstErgebnisse))
            lines.append({text, tnr, 12, false, false});
        QCOMPARE(program.printer.documents[0], lines);
    }

    void noRunsAndManyRunsPrintedToPdf()
    {
        TestProgram program;
        QDir().mkpath(program.path("anna/Englisch"));
        // No runs yet: zeros and no grade; the missing result file is not created.
        auto* screen = open(program);
        QVERIFY(screen);
        QCOMPARE(entries(screen->lstGErgebnis).mid(5, 5),
                 QStringList({"Vokabeln:  0", "davon richtig:  0", "davon falsch:  0",
                              "in Prozent:  0", "entspricht der Zensur : -"}));
        QCOMPARE(entries(screen->lstErgebnisse), QStringList{Sep});
        QVERIFY(!program.exists("anna/Englisch/EU1"));
        // Printed: one page, the title, three blank lines, the eleven and the one entries.
        QList<QStringList> pages = printedPages(screen);
        QCOMPARE(pages.size(), 1);
        QStringList page = pages.first();
        QCOMPARE(page.first(), QStringLiteral("Paukomat V1.1"));
        QVERIFY(page.mid(1, 3).join("").trimmed().isEmpty());
        page.removeAll(QString());
        QCOMPARE(page.size(), 1 + 11 + 1);
        QCOMPARE(page.mid(1, 2), QStringList({"Name: anna", "Sprache: Englisch"}));

        // 200 runs continue over further pages, each block in its place, nothing else printed.
        QStringList result = {" 2000\\\\ 1000"};
        for (int k = 1; k <= 200; ++k)
            result.append(QStringLiteral("10\\\\%1").arg(k % 11));
        program.writeScrambled("anna/Englisch/EU1", result);
        QVERIFY(screen->close());
        pages = printedPages(open(program));
        QVERIFY(pages.size() > 20);
        QStringList all;
        for (const QStringList& p : pages)
            all += p;
        all.removeAll(QString());
        QCOMPARE(all.size(), 1 + 11 + 1 + 200 * 7);
        for (int k = 1; k <= 200; ++k)
            QCOMPARE(all.at(13 + (k - 1) * 7 + 2), QStringLiteral("davon richtig: %1").arg(k % 11));
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
