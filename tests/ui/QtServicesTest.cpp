#include "Doubles.h"
#include "SmallDisk.h"
#include "editor/WordListDocument.h"
#include "results/RunChart.h"
#include "ui/QtServices.h"
#include "ui/ScreenBase.h"
#include "ui/SingleInstance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

// Runs check on the modal dialog of the given class once it is up.
template <class Dialog>
void whenModal(std::function<void(Dialog*)> check)
{
    QTimer::singleShot(0, [check] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        check(dialog);
    });
}

// The pages of a document printed into a PDF, as pdftotext reads them keeping the layout.
QStringList printedPages(const ui::PrintDocument& document)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    // The rows that fit on a page depend on its size; the locale would choose Letter in places.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir.filePath("druck.pdf"));
    if (!ui::QtPrinter::renderDocument(printer, document))
        return {};
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class QtServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxShowsWhatItIsGiven()
    {
        ui::QtMessageBox messages;
        QString seen;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            seen = box->windowTitle() + '|' + box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->buttons().size(), 2);
            QTest::keyClick(box, Qt::Key_Escape); // "Nein"
        });
        QCOMPARE(messages.show(nullptr, "Soll die Sprache X wirklich gelöscht werden ?",
                               "Paukomat V1.1", ui::Buttons::YesNo, ui::Icon::Stop),
                 ui::Answer::No);
        QCOMPARE(seen, QStringLiteral("Paukomat V1.1|Soll die Sprache X wirklich gelöscht werden ?"));

        whenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QTest::keyClick(box, Qt::Key_Return); // "Ja" is the default
        });
        QCOMPARE(messages.show(nullptr, "?", "t", ui::Buttons::YesNo, ui::Icon::Exclamation),
                 ui::Answer::Yes);

        whenModal<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(messages.show(nullptr, "a", "t", ui::Buttons::Ok, ui::Icon::None), ui::Answer::Ok);
    }

    void inputBoxGivesTheTextOrNothing()
    {
        ui::QtInputBox input;
        whenModal<QInputDialog>([](QInputDialog* dialog) {
            QCOMPARE(dialog->windowTitle() + '|' + dialog->labelText() + '|' + dialog->textValue(),
                     QStringLiteral("Paukomat V1.1|Geben Sie die Sprache ein...|"));
            dialog->setTextValue(" Englisch ");
            dialog->accept();
        });
        QCOMPARE(input.ask(nullptr, "Geben Sie die Sprache ein...", "Paukomat V1.1"),
                 QStringLiteral(" Englisch "));
        whenModal<QInputDialog>([](QInputDialog* dialog) {
            dialog->setTextValue("typed, then cancelled");
            dialog->reject();
        });
        QCOMPARE(input.ask(nullptr, "p", "t"), QString());
    }

    void helpViewerShowsTheFileOrSaysItIsMissing()
    {
        QTemporaryDir dir;
        testing::ScriptedMessages messages;
        ui::QtHelpViewer help(messages);
        help.setHelpFile(dir.filePath("Paukomat.hlp"));
        messages.queueOk();
        help.showHelp(nullptr);
        QCOMPARE(messages.texts(), QStringList{"Die Hilfedatei \"Paukomat.hlp\" wurde nicht gefunden."});

        QFile file(dir.filePath("Paukomat.hlp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>Übersicht</h1></body></html>");
        file.close();
        help.showHelp(nullptr);
        QTextBrowser* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            viewer = w->objectName() == "helpViewer" ? qobject_cast<QTextBrowser*>(w) : viewer;
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->toPlainText().contains(QStringLiteral("Übersicht")));
    }

    void enterPressesTheFocusedButton()
    {
        QWidget window;
        QPushButton* button = ui::ScreenBase::createButton(&window, "cmdX", "X", "Tipp");
        window.show();
        button->setFocus();
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(button->objectName() + button->toolTip(), QStringLiteral("cmdXTipp"));
    }

    void endingHidesEveryWindow()
    {
        QWidget a, b;
        a.show();
        b.show();
        ui::QtProgramEnd().endNow();
        QVERIFY(!a.isVisible() && !b.isVisible());
    }

    void randomDrawsDiffer()
    {
        ui::QtRandom random;
        QSet<double> seen;
        for (int i = 0; i < 100; ++i)
            seen.insert(random.nextUniform());
        QVERIFY(seen.size() > 90 && *std::min_element(seen.begin(), seen.end()) >= 0
                && *std::max_element(seen.begin(), seen.end()) < 1);
    }

    void wordListPrintsIntoAPdf()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        QList<editor::WordPair> pairs;
        for (int i = 1; i <= 118; ++i)
            pairs.append(editor::WordPair::parse(
                QStringLiteral("word%1\\\\Wort %1;Begriff\\\\\\f").arg(i, 3, 10, QLatin1Char('0'))));
        pairs.append(editor::WordPair::parse("house\\\\Haus;Gebäude\\\\\\r"));
        const QString meanings = "etwas berücksichtigen;etwas in Betracht ziehen;etwas einkalkulieren;"
                                 "mit etwas rechnen;an etwas denken;etwas einplanen;etwas beachten";
        pairs.append(editor::WordPair::parse("to take into account\\\\" + meanings + "\\\\\\f"));
        const QStringList pages = printedPages(
            editor::wordListDocument(editor::wordList("Englisch", "Lektion 1", pairs)));
        QVERIFY(pages.size() >= 2);
        QVERIFY(pages.first().contains(QStringLiteral("Vokabelliste: Englisch – Lektion 1")));
        QVERIFY(pages.first().contains(QRegularExpression("\\n\\s*Englisch\\s{3,}Deutsch\\s*\\n")));
        const QString all = pages.join('\n');
        QVERIFY(all.contains(QRegularExpression("\\n\\s*house\\s{3,}Haus; Gebäude\\s*\\n")));
        QVERIFY(all.contains(QRegularExpression("\\n\\s*word118\\s{3,}Wort 118; Begriff\\s*\\n")));
        // The long meanings wrap in their column; no word is lost.
        for (const QString& word : QString(meanings).replace(';', ' ').split(' '))
            QVERIFY2(all.contains(word), qPrintable(word));
        QCOMPARE(all.count(QRegularExpression("\\bword\\d{3}\\b")), 118);
        for (int page = 1; page <= pages.size(); ++page)
            QVERIFY(pages.at(page - 1).contains(
                QStringLiteral("Seite %1 von %2").arg(page).arg(pages.size())));
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
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        ui::PrintDocument document;
        for (int i = 1; i <= lines; ++i)
            document.lines.append({QStringLiteral("Zeile %1").arg(i), "Times New Roman", 12});
        document.chart = [runs](QPainter& painter, const QRectF& area) {
            results::paintRunChart(painter, area, QList<results::RunScore>(runs, {80, 2}));
        };
        const QStringList pages = printedPages(document);
        QCOMPARE(pages.size(), chartPage);
        QVERIFY(pages.first().contains(QStringLiteral("Zeile %1\n").arg(lines)));
        QVERIFY(pages.last().contains(QStringLiteral("Verlauf: Prozent richtig je Übung")));
        QVERIFY(pages.last().contains(caption));
        QVERIFY(!pages.join(' ').contains("Seite"));
    }

    void oneCopyPerProgramDirectory()
    {
        QTemporaryDir dir;
        ui::SingleInstance first(dir.path()), second(dir.path());
        QCOMPARE(first.acquire(), QString());
        QCOMPARE(second.acquire(), ui::SingleInstance::RefusedMessage);
        // A lock whose owner died is taken over.
        QTemporaryDir other;
        QFile lock(other.filePath(ui::SingleInstance::LockName));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483600\nPaukomat\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QCOMPARE(ui::SingleInstance(other.path()).acquire(), QString());
        // A directory that takes no files is no second copy.
        testing::SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        disk.setReadOnly(true);
        QCOMPARE(ui::SingleInstance(disk.path()).acquire(),
                 "Paukomat kann im Programmverzeichnis \"" + disk.path() + "\" nicht schreiben "
                 "und daher nichts speichern. Bitte geben Sie sich Schreibrechte für dieses "
                 "Verzeichnis oder kopieren Sie Paukomat in ein Verzeichnis, in dem Sie schreiben "
                 "dürfen.");
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
