#include "Doubles.h"
#include "SmallDisk.h"
#include "ui/QtServices.h"
#include "ui/ScreenBase.h"
#include "ui/SingleInstance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
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
