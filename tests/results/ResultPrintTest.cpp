#include "TestProgram.h"
#include "results/frmErgebnis.h"
#include "ui/QtServices.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using testing::TestProgram;

namespace {

// Prints the results of a lesson with the given run records into a PDF through Qt's printer.
QString printToPdf(const QTemporaryDir& out, const QStringList& runs)
{
    TestProgram program;
    double words = 0;
    double right = 0;
    for (const QString& run : runs) {
        words += run.section("\\\\", 0, 0).toDouble();
        right += run.section("\\\\", 1, 1).toDouble();
    }
    program.writeScrambled(QStringLiteral("anna/Englisch/EU1"),
                           QStringList{QStringLiteral(" %1\\\\ %2").arg(words).arg(right)} + runs);
    program.writePlain(QStringLiteral("tmpErgShow"),
                       {program.path("anna/Englisch/"), "anna", "Englisch", "Lektion 1",
                        program.path("anna/Englisch/EU1")});
    program.screens().showResults();
    auto* screen = TestProgram::shown<frmErgebnis>();
    if (!screen)
        return {};
    const QString file = out.filePath(QStringLiteral("ergebnis.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!ui::QtPrinter::renderLines(printer, screen->Druckzeilen()))
        return {};
    return file;
}

QString run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    const auto match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of each page, one entry per printed line, trailing blanks dropped.
QList<QStringList> pageTexts(const QString& pdf)
{
    QList<QStringList> pages;
    for (const QString& page : run("pdftotext", {"-layout", pdf, "-"}).split('\f')) {
        QStringList lines = page.split('\n');
        for (QString& line : lines)
            line.remove(QRegularExpression(QStringLiteral("\\s+$")));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty())
            pages.append(lines);
    }
    return pages;
}

} // namespace

class ResultPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()
            || QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QSKIP("poppler-utils are needed to read the printed PDF");
    }

    void lessonWithoutRunsFillsOnePage()
    {
        QTemporaryDir out;
        const QString pdf = printToPdf(out, {});
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pageCount(pdf), 1);
        const QList<QStringList> pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 1);
        const QString sep(51, QLatin1Char('-'));
        // Layout mode keeps the line pitch, so blank lines come out as empty lines; the title
        // line is taller than the list lines, which may add one more.
        QStringList text = pages.first();
        QCOMPARE(text.first().trimmed(), QStringLiteral("Paukomat V1.1"));
        text.removeFirst();
        int blanks = 0;
        while (!text.isEmpty() && text.first().isEmpty()) {
            text.removeFirst();
            ++blanks;
        }
        QVERIFY2(blanks >= 3 && blanks <= 4, qPrintable(QString::number(blanks)));
        for (QString& line : text)
            line = line.trimmed();
        QCOMPARE(text, QStringList({"Name: anna", "Sprache: Englisch", "Lektion: Lektion 1", sep,
                                    "Gesamtergebnis:", "Vokabeln: 0", "davon richtig: 0",
                                    "davon falsch: 0", "in Prozent: 0",
                                    "entspricht der Zensur : -", sep, sep}));
    }

    void manyRunsContinueOnFurtherPagesInOrder()
    {
        QStringList runs;
        for (int k = 1; k <= 200; ++k)
            runs.append(QStringLiteral("%1\\\\%2").arg(10 + k % 7).arg(k % 9));
        QTemporaryDir out;
        const QString pdf = printToPdf(out, runs);
        QVERIFY(!pdf.isEmpty());
        const QList<QStringList> pages = pageTexts(pdf);
        // 4 + 11 + 1 + 200 * 7 lines at about 55 lines a page.
        QVERIFY2(pages.size() >= 20 && pages.size() <= 40, qPrintable(QString::number(pages.size())));
        QCOMPARE(pageCount(pdf), pages.size());

        // Every run block appears once, in order, and no page carries anything else.
        QStringList all;
        for (const QStringList& page : pages)
            for (const QString& line : page)
                if (!line.isEmpty())
                    all.append(line.simplified());
        QCOMPARE(all.size(), 1 + 11 + 1 + 200 * 7);
        for (int k = 1; k <= 200; ++k) {
            const int at = 12 + (k - 1) * 7 + 1;
            QCOMPARE(all.at(at), QStringLiteral("Einzelergebnis Nr. %1").arg(k));
            QCOMPARE(all.at(at + 1), QStringLiteral("Vokabeln: %1").arg(10 + k % 7));
        }
        QCOMPARE(pages.last().last().trimmed(), QString(51, QLatin1Char('-')));
    }
};

QTEST_MAIN(ResultPrintTest)
#include "ResultPrintTest.moc"
