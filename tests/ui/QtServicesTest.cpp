#include "ui/QtServices.h"
#include "SmallDisk.h"
#include "TestProgram.h"
#include "editor/WordListDocument.h"
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

} // namespace

class QtServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogsShowWhatTheyAreGiven()
    {
        // What the box showed: title, text, icon and number of buttons; then the answer given.
        const auto shown = [](ui::Buttons buttons, ui::Icon icon, Qt::Key key) {
            QString seen;
            whenModal<QMessageBox>([&](QMessageBox* box) {
                seen = QString("%1|%2|%3|").arg(box->windowTitle() + box->text()).arg(box->icon());
                seen = seen.arg(box->buttons().size());
                QTest::keyClick(box, key);
            });
            const ui::Answer answer =
                ui::QtMessageBox().show(nullptr, "Wirklich?", "Titel", buttons, icon);
            return seen + QString::number(int(answer));
        };
        // Esc is "Nein", Enter "Ja"; stop is the critical icon (3), exclamation the warning (2).
        QCOMPARE(shown(ui::Buttons::YesNo, ui::Icon::Stop, Qt::Key_Escape), "TitelWirklich?|3|2|2");
        QCOMPARE(shown(ui::Buttons::YesNo, ui::Icon::Exclamation, Qt::Key_Return),
                 "TitelWirklich?|2|2|1");
        QCOMPARE(shown(ui::Buttons::Ok, ui::Icon::None, Qt::Key_Escape), "TitelWirklich?|0|1|0");
        // The input box gives the text as typed, or nothing when cancelled.
        const auto asked = [](bool accept) {
            whenModal<QInputDialog>([accept](QInputDialog* dialog) {
                QCOMPARE(dialog->windowTitle() + dialog->labelText() + dialog->textValue(),
                         "TitelName?");
                dialog->setTextValue(" Englisch ");
                accept ? dialog->accept() : dialog->reject();
            });
            return ui::QtInputBox().ask(nullptr, "Name?", "Titel");
        };
        QCOMPARE(asked(true) + '|' + asked(false), " Englisch |");
    }

    void helpEndAndRandom()
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
        QVERIFY(viewer && viewer->isVisible() && viewer->toPlainText().contains("Übersicht"));
        // The end hides every window; random draws differ.
        ui::QtProgramEnd().endNow();
        QVERIFY(!viewer->isVisible());
        ui::QtRandom random;
        const double first = random.nextUniform();
        QVERIFY(first >= 0 && first < 1 && random.nextUniform() != first);
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

    void wordListPrintsIntoAPdf()
    {
        QList<editor::WordPair> pairs;
        for (int i = 1; i <= 118; ++i)
            pairs.append(editor::WordPair::parse(
                QString("word%1\\\\Wort %1;Begriff\\\\\\f").arg(i, 3, 10, QChar('0'))));
        pairs.append(editor::WordPair::parse("house\\\\Haus;Gebäude\\\\\\r"));
        const QString meanings =
            "etwas berücksichtigen;etwas in Betracht ziehen;etwas einkalkulieren;"
            "mit etwas rechnen;an etwas denken;etwas einplanen;etwas beachten";
        pairs.append(editor::WordPair::parse("to take into account\\\\" + meanings + "\\\\\\f"));
        const QStringList pages = printedPages(
            editor::wordListDocument(editor::wordList("Englisch", "Lektion 1", pairs)));
        QVERIFY(pages.size() >= 2 && pages.first().contains("Vokabelliste: Englisch – Lektion 1"));
        QVERIFY(pages.first().contains(QRegularExpression("\\n\\s*Englisch\\s{3,}Deutsch\\s*\\n")));
        const QString all = pages.join('\n');
        QVERIFY(all.contains(QRegularExpression("\\n\\s*house\\s{3,}Haus; Gebäude\\s*\\n")));
        // The long meanings wrap in their column; no word is lost.
        for (const QString& word : QString(meanings).replace(';', ' ').split(' '))
            QVERIFY2(all.contains(word), qPrintable(word));
        QCOMPARE(all.count(QRegularExpression("\\bword\\d{3}\\b")), 118);
        for (int page = 1; page <= pages.size(); ++page)
            QVERIFY(
                pages[page - 1].contains(QString("Seite %1 von %2").arg(page).arg(pages.size())));
    }

    void resultsPrintoutEndsWithTheChart_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("chartPage");
        QTest::newRow("a few runs") << 20 << 3 << "3 Übungen" << 1;
        QTest::newRow("a long history") << 20 << 10000 << "letzte 50 von 10000 Übungen" << 1;
        QTest::newRow("no run yet") << 11 << 0 << "Noch keine Übung abgeschlossen." << 1;
        // Below the lines the chart shrinks to the room left, down to a point; with less room
        // it goes on a page of its own.
        QTest::newRow("page two-thirds full") << 36 << 2 << "2 Übungen" << 1;
        QTest::newRow("page nearly full") << 50 << 2 << "2 Übungen" << 2;
    }
    void resultsPrintoutEndsWithTheChart()
    {
        QFETCH(int, lines);
        QFETCH(int, runs);
        QFETCH(QString, caption);
        QFETCH(int, chartPage);
        ui::PrintDocument document;
        for (int i = 1; i <= lines; ++i)
            document.lines.append({QString("Zeile %1").arg(i), "Times New Roman", 12});
        document.chart = [runs](QPainter& painter, const QRectF& area) {
            results::paintRunChart(painter, area, QList<results::RunScore>(runs, {80, 2}));
        };
        const QStringList pages = printedPages(document);
        QCOMPARE(pages.size(), chartPage);
        QVERIFY(pages.first().contains(QString("Zeile %1\n").arg(lines)));
        QVERIFY(pages.last().contains("Verlauf: Prozent richtig je Übung"));
        QVERIFY(pages.last().contains(caption));
        QVERIFY(!pages.join(' ').contains("Seite"));
    }

    void oneCopyPerProgramDirectory()
    {
        QTemporaryDir dir, other;
        ui::SingleInstance first(dir.path()), second(dir.path());
        QCOMPARE(first.acquire(), QString());
        QCOMPARE(second.acquire(), ui::SingleInstance::RefusedMessage);
        // A lock whose owner died is taken over.
        testing::writeFile(other.filePath("Paukomat.lock"),
                           "2147483600\nPaukomat\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QCOMPARE(ui::SingleInstance(other.path()).acquire(), QString());
        // A directory that takes no files is no second copy.
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
