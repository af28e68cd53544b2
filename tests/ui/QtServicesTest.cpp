#include "ui/QtServices.h"
#include "SmallDisk.h"
#include "TestProgram.h"
#include "mainwindow/WordListDocument.h"
#include "results/RunChart.h"
#include "ui/QtSpeech.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

// Runs check on the modal dialog of the given class once it is up.
template <class Dialog> void whenModal(std::function<void(Dialog*)> check)
{
    QTimer::singleShot(0, [check] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        check(dialog);
    });
}

// The pages of a document printed on A4 into a PDF, as pdftotext (which the tests need) reads
// them keeping the layout.
QStringList printedPages(const ui::PrintDocument& document)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4)); // the locale would choose Letter in places
    printer.setOutputFileName(dir.filePath("druck.pdf"));
    QProcess pdftotext;
    if (ui::QtPrinter::renderDocument(printer, document))
        pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pages.removeLast(); // behind the last page break
    return pages;
}

// A message box asked for, the key pressed on it; what it showed and the answer given.
struct BoxCase
{
    ui::Buttons buttons;
    ui::Icon icon;
    Qt::Key key;
    QMessageBox::Icon shownIcon;
    qsizetype shownButtons;
    ui::Answer answer;
};

} // namespace

class QtServicesTest : public QObject
{
    Q_OBJECT

private slots:
    // Esc is "Nein", Enter "Ja"; stop is the critical icon, exclamation the warning.
    void messageBoxShowsWhatItIsGiven_data()
    {
        QTest::addColumn<BoxCase>("row");
        QTest::newRow("stop, Esc")
            << BoxCase{ui::Buttons::YesNo, ui::Icon::Stop, Qt::Key_Escape, QMessageBox::Critical, 2,
                       ui::Answer::No};
        QTest::newRow("exclamation, Enter") << BoxCase{
            ui::Buttons::YesNo, ui::Icon::Exclamation, Qt::Key_Return, QMessageBox::Warning, 2,
            ui::Answer::Yes};
        QTest::newRow("OK alone") << BoxCase{
            ui::Buttons::Ok, ui::Icon::None, Qt::Key_Escape, QMessageBox::NoIcon, 1,
            ui::Answer::Ok};
    }
    void messageBoxShowsWhatItIsGiven()
    {
        QFETCH(BoxCase, row);
        whenModal<QMessageBox>([&](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), "Titel");
            QCOMPARE(box->text(), "Wirklich?");
            QCOMPARE(box->icon(), row.shownIcon);
            QCOMPARE(box->buttons().size(), row.shownButtons);
            QTest::keyClick(box, row.key);
        });
        QCOMPARE(ui::QtMessageBox().show(nullptr, "Wirklich?", "Titel", row.buttons, row.icon),
                 row.answer);
    }

    // The input box gives the text as typed, or nothing when cancelled.
    void inputBoxGivesWhatIsTyped()
    {
        const auto asked = [](bool accept) {
            whenModal<QInputDialog>([accept](QInputDialog* dialog) {
                QCOMPARE(dialog->windowTitle(), "Titel");
                QCOMPARE(dialog->labelText(), "Name?");
                dialog->setTextValue(" Englisch ");
                accept ? dialog->accept() : dialog->reject();
            });
            return ui::QtInputBox().ask(nullptr, "Name?", "Titel");
        };
        QCOMPARE(asked(true), " Englisch ");
        QCOMPARE(asked(false), "");
    }

    // A missing help file is told; the end hides the help as every window.
    void helpIsShownUntilTheEnd()
    {
        QTemporaryDir dir;
        testing::ScriptedMessages messages;
        ui::QtHelpViewer help(messages);
        help.setHelpFile(dir.filePath("Paukomat.hlp"));
        messages.queueOk();
        help.showHelp(nullptr);
        QCOMPARE(messages.texts(),
                 QStringList{"Die Hilfedatei \"Paukomat.hlp\" wurde nicht gefunden."});
        testing::writeFile(help.helpFile(), "<html><body><h1>Übersicht</h1></body></html>");
        help.showHelp(nullptr);
        QTextBrowser* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            viewer = w->objectName() == "helpViewer" ? qobject_cast<QTextBrowser*>(w) : viewer;
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->toPlainText().contains("Übersicht"));
        ui::QtProgramEnd().endNow();
        QVERIFY(!viewer->isVisible());
    }

    void randomDrawsDiffer()
    {
        ui::QtRandom random;
        const double first = random.nextUniform();
        QVERIFY(first >= 0 && first < 1);
        QVERIFY(random.nextUniform() != first);
    }

    // The speech output as this machine has it, with or without an engine: a locale of no
    // language never has a voice, nor has any locale without an engine; speaking returns.
    void speechMeetsTheSystem()
    {
        ui::QtSpeech speech;
        QVERIFY(!speech.voiceAvailable("xx"));
        QVERIFY(!speech.voiceAvailable(""));
        if (!speech.engineAvailable())
            QVERIFY(!speech.voiceAvailable("en"));
        speech.say("house", "en");
        speech.say("house", "xx");
    }

    // Long meanings wrap in their column; no word is lost, and every page is numbered.
    void wordListPrintsIntoAPdf()
    {
        QList<lesson::WordPair> pairs;
        for (int i = 100; i < 218; ++i)
            pairs << lesson::WordPair::parse(QString("word%1\\\\Wort;Begriff\\\\\\f").arg(i));
        const QString meanings = "etwas berücksichtigen;etwas in Betracht ziehen;etwas "
                                 "einkalkulieren;mit etwas rechnen;an etwas denken;etwas beachten";
        pairs << lesson::WordPair::parse("house\\\\Haus;Gebäude\\\\\\r")
              << lesson::WordPair::parse("to take into account\\\\" + meanings + "\\\\\\f");
        const QStringList pages = printedPages(
            mainwindow::wordListDocument(lesson::wordList("Englisch", "Lektion 1", pairs)));
        QVERIFY(pages.first().contains("Vokabelliste: Englisch – Lektion 1"));
        QVERIFY(pages.first().contains(QRegularExpression("\\n\\s*Englisch\\s{3,}Deutsch\\s*\\n")));
        const QString all = pages.join('\n');
        QVERIFY(all.contains(QRegularExpression("\\n\\s*house\\s{3,}Haus; Gebäude\\s*\\n")));
        for (const QString& word : QString(meanings).replace(';', ' ').split(' '))
            QVERIFY2(all.contains(word), qPrintable(word));
        QCOMPARE(all.count(QRegularExpression("\\bword\\d{3}\\b")), 118);
        QCOMPARE(pages.size(), 3);
        for (int page = 1; page <= 3; ++page)
            QVERIFY(pages[page - 1].contains(QString("Seite %1 von 3").arg(page)));
    }

    // Below the lines the chart shrinks to the room left, down to a point; with less room it goes
    // on a page of its own.
    void resultsPrintoutEndsWithTheChart_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pages");
        QTest::newRow("a few runs") << 20 << 3 << "3 Übungen" << 1;
        QTest::newRow("a long history") << 20 << 10000 << "letzte 50 von 10000 Übungen" << 1;
        QTest::newRow("no run yet") << 11 << 0 << "Noch keine Übung abgeschlossen." << 1;
        QTest::newRow("page two-thirds full") << 36 << 2 << "2 Übungen" << 1;
        QTest::newRow("page nearly full") << 50 << 2 << "2 Übungen" << 2;
    }
    void resultsPrintoutEndsWithTheChart()
    {
        QFETCH(int, lines);
        QFETCH(int, runs);
        QFETCH(QString, caption);
        QFETCH(int, pages);
        ui::PrintDocument document;
        for (int i = 1; i <= lines; ++i)
            document.lines.append({QString("Zeile %1").arg(i), "Times New Roman", 12});
        document.chart = [runs](QPainter& painter, const QRectF& area) {
            results::paintRunChart(painter, area, QList<results::RunScore>(runs, {80, 2}));
        };
        const QStringList printed = printedPages(document);
        QCOMPARE(printed.size(), pages);
        QVERIFY(printed.first().contains(QString("Zeile %1\n").arg(lines)));
        QVERIFY(printed.last().contains("Verlauf: Prozent richtig je Übung"));
        QVERIFY(printed.last().contains(caption));
        QVERIFY(!printed.join(' ').contains("Seite"));
    }

    // A lock whose owner died is taken over; a directory that takes no files is no second copy.
    void lockOfTheProgramDirectory()
    {
        QTemporaryDir dir;
        testing::writeFile(dir.filePath("Paukomat.lock"),
                           "2147483600\nPaukomat\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QCOMPARE(ui::SingleInstance(dir.path()).acquire(), QString());
        testing::SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        disk.setReadOnly(true);
        QVERIFY(ui::SingleInstance(disk.path())
                    .acquire()
                    .startsWith("Paukomat kann im Datenverzeichnis \"" + disk.path()
                                + "\" nicht schreiben"));
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
