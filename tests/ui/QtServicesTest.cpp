#include "Doubles.h"
#include "ui/QtServices.h"
#include "ui/SingleInstance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

// Runs check on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        check(modal);
    });
}

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
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
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            seen = box->windowTitle() + '|' + box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->buttons().size(), 2);
            buttonNamed(box, "&Nein")->click();
        });
        QCOMPARE(messages.show(nullptr, "Soll die Sprache X wirklich gelöscht werden ?",
                               "Paukomat V1.1", ui::Buttons::YesNo, ui::Icon::Stop),
                 ui::Answer::No);
        QCOMPARE(seen, QStringLiteral("Paukomat V1.1|Soll die Sprache X wirklich gelöscht werden ?"));

        whenModal([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QTest::keyClick(box, Qt::Key_Return); // "Ja" is the default
        });
        QCOMPARE(messages.show(nullptr, "?", "t", ui::Buttons::YesNo, ui::Icon::Exclamation),
                 ui::Answer::Yes);

        whenModal([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(messages.show(nullptr, "a\r\r", "t", ui::Buttons::Ok, ui::Icon::None),
                 ui::Answer::Ok);
    }

    void inputBoxGivesTheTextOrNothing()
    {
        ui::QtInputBox input;
        whenModal([](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Paukomat V1.1"));
            QCOMPARE(dialog->labelText(), QStringLiteral("Geben Sie die Sprache ein..."));
            QCOMPARE(dialog->textValue(), QString());
            dialog->setTextValue(" Englisch ");
            dialog->accept();
        });
        QCOMPARE(input.ask(nullptr, "Geben Sie die Sprache ein...", "Paukomat V1.1"),
                 QStringLiteral(" Englisch "));
        whenModal([](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
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
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.contains("Paukomat.hlp"));

        QFile file(dir.filePath("Paukomat.hlp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>Übersicht</h1></body></html>");
        file.close();
        help.showHelp(nullptr);
        QTextBrowser* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "helpViewer")
                viewer = qobject_cast<QTextBrowser*>(w);
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->toPlainText().contains(QStringLiteral("Übersicht")));
        QCOMPARE(messages.shown.size(), 1);
    }

    void endingHidesEveryWindow()
    {
        QWidget a, b;
        a.show();
        b.show();
        ui::QtProgramEnd().endNow();
        QVERIFY(!a.isVisible() && !b.isVisible());
    }

    void randomDrawsDifferWithinOneSecond()
    {
        ui::QtRandom random;
        QSet<double> seen;
        for (int i = 0; i < 100; ++i) {
            const double x = random.nextUniform();
            QVERIFY(x >= 0 && x < 1);
            seen.insert(x);
        }
        QVERIFY(seen.size() > 90);
    }

    void oneCopyPerProgramDirectory()
    {
        QTemporaryDir dir;
        ui::SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        ui::SingleInstance second(dir.path());
        QVERIFY(!second.acquire());

        // A lock whose owner died is taken over.
        QTemporaryDir other;
        QFile lock(other.filePath(ui::SingleInstance::LockName));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483600\nPaukomat\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        ui::SingleInstance third(other.path());
        QVERIFY(third.acquire());
    }
};

QTEST_MAIN(QtServicesTest)
#include "QtServicesTest.moc"
