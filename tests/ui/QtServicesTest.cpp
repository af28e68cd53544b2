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

using namespace ui;

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
QStringList printedPages(const PrintDocument& document)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4)); // the locale would choose Letter in places
    printer.setOutputFileName(dir.filePath("druck.pdf"));
    QProcess pdftotext;
    if (QtPrinter::renderDocument(printer, document))
        pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pages.removeLast(); // behind the last page break
    return pages;
}

// A message box asked for, the key pressed on it; what it showed and the answer given.
struct BoxCase
{
    Buttons buttons;
    Icon icon;
    Qt::Key key;
    QMessageBox::Icon shownIcon;
    Answer answer;
};

} // namespace

class QtServicesTest : public QObject
{
    Q_OBJECT

private slots:
    // Esc is "Nein", Enter "Ja"; stop is the critical icon, exclamation the warning.
    void messageBoxShowsWhatItIsGiven_data()
    {
        QTest::addColumn<BoxCase>("c");
        QTest::newRow("stop, Esc") << BoxCase{Buttons::YesNo, Icon::Stop, Qt::Key_Escape,
                                              QMessageBox::Critical, Answer::No};
        QTest::newRow("exclamation, Enter") << BoxCase{
            Buttons::YesNo, Icon::Exclamation, Qt::Key_Return, QMessageBox::Warning, Answer::Yes};
        QTest::newRow("OK alone") << BoxCase{Buttons::Ok, Icon::None, Qt::Key_Escape,
                                             QMessageBox::NoIcon, Answer::Ok};
    }
    void messageBoxShowsWhatItIsGiven()
    {
        QFETCH(const BoxCase, c);
        whenModal<QMessageBox>([&c](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), "Titel");
            QCOMPARE(box->text(), "Wirklich?");
            QCOMPARE(box->icon(), c.shownIcon);
            QTest::keyClick(box, c.key);
        });
        QCOMPARE(QtMessageBox().show(nullptr, "Wirklich?", "Titel", c.buttons, c.icon), c.answer);
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
            return QtInputBox().ask(nullptr, "Name?", "Titel");
        };
        QCOMPARE(asked(true), " Englisch ");
        QCOMPARE(asked(false), "");
    }

    // A missing help file is told; the end hides the help as every window.
    void helpIsShownUntilTheEnd()
    {
        QTemporaryDir dir;
        testing::ScriptedMessages messages;
        QtHelpViewer help(messages);
        help.setHelpFile(dir.filePath("Paukomat.hlp"));
        messages.queueOk();
        help.showHelp(nullptr);
        QCOMPARE(messages.texts(),
                 QStringList{"Die Hilfedatei \"Paukomat.hlp\" wurde nicht gefunden."});
        testing::writeFile(help.helpFile(), "<h1>Übersicht</h1>");
        help.showHelp(nullptr);
        auto* viewer = qobject_cast<QTextBrowser*>(testing::TestProgram::visibleWindows().value(0));
        QVERIFY(viewer);
        QVERIFY(viewer->toPlainText().contains("Übersicht"));
        QtProgramEnd().endNow();
        QVERIFY(!viewer->isVisible());
    }

    void randomDrawsDiffer()
    {
        QtRandom random;
        const double first = random.nextUniform();
        QVERIFY(first >= 0);
        QVERIFY(first < 1);
        QVERIFY(random.nextUniform() != first);
    }

    // The speech output as this machine has it, with or without an engine: a locale of no
    // language never has a voice, nor has any locale without an engine; speaking returns.
    void speechMeetsTheSystem()
    {
        QtSpeech speech;
        QVERIFY(!speech.voiceAvailable("xx"));
        QVERIFY(!speech.voiceAvailable(""));
        if (!speech.engineAvailable())
            QVERIFY(!speech.voiceAvailable("en"));
        speech.say("house", "en");
        speech.say("house", "xx");
    }

    // A word list wraps long meanings in their column, loses no word and numbers every page; a
    // chart with too little room left below the lines goes on a page of its own.
    void printoutIntoAPdf()
    {
        QList<lesson::WordPair> pairs;
        QStringList meanings;
        for (int i = 100; i < 228; ++i) {
            pairs << lesson::WordPair::parse(QString("word%1\\\\Wort\\\\\\f").arg(i));
            meanings << QString("Bedeutung%1").arg(i);
        }
        pairs << lesson::WordPair::parse("house\\\\Haus;Gebäude\\\\\\r")
              << lesson::WordPair::parse("account\\\\" + meanings.mid(0, 20).join(';') + "\\\\\\f");
        PrintDocument document =
            mainwindow::wordListDocument(lesson::wordList("Englisch", "Lektion 1", pairs));
        document.chart = [](QPainter& painter, const QRectF& area) {
            results::paintRunChart(painter, area, QList<results::RunScore>(10000, {80, 2}));
        };
        const QStringList pages = printedPages(document);
        QCOMPARE(pages.size(), 4);
        QVERIFY(pages.first().contains("Vokabelliste: Englisch – Lektion 1"));
        const QString all = pages.join('\n');
        QVERIFY(all.contains(QRegularExpression("\\n\\s*house\\s{3,}Haus; Gebäude\\s*\\n")));
        QCOMPARE(all.count("Bedeutung"), 20);
        QCOMPARE(all.count(QRegularExpression("\\bword\\d{3}\\b")), 128);
        QVERIFY(pages[2].contains("word227 ")); // the lines end on the third page
        for (int page = 1; page <= 4; ++page)
            QVERIFY(pages[page - 1].contains(QString("Seite %1 von 4").arg(page)));
        QVERIFY(pages.last().contains("Verlauf: Prozent richtig je Übung"));
        QVERIFY(pages.last().contains("letzte 50 von 10000 Übungen"));
    }

    // A lock whose owner died is taken over; a directory that takes no files is no second copy.
    void lockOfTheProgramDirectory()
    {
        QTemporaryDir dir;
        testing::writeFile(dir.filePath("Paukomat.lock"),
                           "2147483600\nPaukomat\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QCOMPARE(SingleInstance(dir.path()).acquire(), QString());
        testing::SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small disk: " + disk.reason()));
        disk.setReadOnly(true);
        QVERIFY(!SingleInstance(disk.path()).acquire().isEmpty());
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
