#include "TestProgram.h"
#include "exchange/frmImport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class frmImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The preview, the plan following every choice, and a name the lesson list must accept.
    void showsThePlanAndAcceptsOnlyAGoodName()
    {
        testing::TestProgram p;
        ui::Services services{p.messages, p.input, p.help, p.printer, p.end, p.random, p.files, p.speech};
        const auto text = exchange::readImportData("#separator:tab\nhouse\tHaus\nthe\tder;die;das\ntree\t\n"
                                                   "house\tGebäude\n", "Haus.txt");
        frmImport dialog(text, "Englisch", services, [](const QString& name) {
            return name == "Haus" ? QString() : QStringLiteral("Die Lektion ist bereits vorhanden !");
        });
        const auto* preview = dialog.findChild<QTableWidget*>("grdVorschau");
        QCOMPARE(preview->verticalHeaderItem(0)->text() + " " + preview->item(1, 1)->text(), "2 der;die;das");
        QCOMPARE(dialog.findChild<QLabel*>("lblZusammenfassung")->text(),
                 "2 Wortpaare werden importiert, 1 doppelte Zeile wird zusammengeführt, 1 Zeile wird "
                 "ausgelassen.");
        QCOMPARE(dialog.findChild<QListWidget*>("lstAusgelassen")->item(1)->text(),
                 "Zeile 5: house = Gebäude – Doppelt (wie Zeile 2): Die neuen Bedeutungen werden dort "
                 "angefügt.");
        dialog.findChild<QPushButton*>("cmdTauschen")->click();
        QCOMPARE(dialog.findChild<QComboBox*>("cboFremdspalte")->currentText(), QStringLiteral("Spalte 2"));
        QCOMPARE(dialog.plan().pairs[0].foreign, QStringLiteral("Haus"));
        auto* name = dialog.findChild<QLineEdit*>("txtLektionsname");
        auto* import = dialog.findChild<QPushButton*>("cmdImportieren");
        name->clear();
        QVERIFY(!import->isEnabled() && dialog.findChild<QComboBox*>("cboLektion")->isHidden());
        name->setText("Lektion 1");
        p.messages.queueOk();
        import->click();
        QCOMPARE(p.messages.texts(), QStringList{"Die Lektion ist bereits vorhanden !"});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        name->setText("Haus");
        import->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // Typing a name keeps the plan; the list of rows left out ends with how many it does not show.
    void typingKeepsThePlan()
    {
        testing::TestProgram p;
        ui::Services services{p.messages, p.input, p.help, p.printer, p.end, p.random, p.files, p.speech};
        const auto text = exchange::readImportData("a\tA\n" + QByteArray("\tleer\n").repeated(1001), "Viele.txt");
        frmImport dialog(text, "Englisch", services, [](const QString&) { return QString(); });
        const auto* pairs = dialog.plan().pairs.constData();
        QTest::keyClicks(dialog.findChild<QLineEdit*>("txtLektionsname"), " 2");
        QCOMPARE(dialog.plan().pairs.constData(), pairs);
        QVERIFY(dialog.findChild<QPushButton*>("cmdImportieren")->isEnabled());
        const auto* list = dialog.findChild<QListWidget*>("lstAusgelassen");
        QCOMPARE(list->item(list->count() - 1)->text(), "… und 1 weitere Zeile");
        dialog.findChild<QComboBox*>("cboDeutschspalte")->setCurrentIndex(0);
        QVERIFY(dialog.plan().pairs.constData() != pairs);
    }
};

QTEST_MAIN(frmImportTest)
#include "frmImportTest.moc"
