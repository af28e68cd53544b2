#include "TestProgram.h"
#include "exchange/frmImport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using testing::TestProgram;

class frmImportTest : public QObject
{
    Q_OBJECT

private slots:
    void showsThePlanAndAcceptsOnlyAGoodName()
    {
        TestProgram p;
        ui::Services services{p.messages, p.input, p.help, p.printer, p.end, p.random, p.files};
        const exchange::ImportSource source = exchange::readImportData(
            "#separator:tab\nhouse\tHaus\nthe\tder;die;das\ntree\t\nhouse\tGebäude\n", "Haus.txt");
        QStringList asked;
        frmImport dialog(source, "Englisch", services, [&](const QString& name) {
            asked << name;
            return name == "Lektion 1" ? QStringLiteral("Die Lektion ist bereits vorhanden !") : QString();
        });
        auto* preview = dialog.findChild<QTableWidget*>("grdVorschau");
        QCOMPARE(preview->rowCount(), 4);
        QCOMPARE(preview->item(1, 1)->text(), QStringLiteral("der;die;das"));
        QCOMPARE(preview->verticalHeaderItem(0)->text(), QStringLiteral("2")); // after the header line
        QVERIFY(dialog.findChild<QComboBox*>("cboLektion")->isHidden());
        QCOMPARE(dialog.findChild<QLineEdit*>("txtLektionsname")->text(), QStringLiteral("Haus"));
        QCOMPARE(dialog.findChild<QLabel*>("lblZusammenfassung")->text(),
                 QStringLiteral("2 Wortpaare werden importiert, 1 doppelte Zeile wird zusammengeführt, "
                                "1 Zeile wird ausgelassen."));
        auto* leftOut = dialog.findChild<QListWidget*>("lstAusgelassen");
        QCOMPARE(leftOut->count(), 2);
        QCOMPARE(leftOut->item(0)->text(), QStringLiteral("Zeile 4: tree =  – Die deutsche Bedeutung fehlt."));

        // Swapped sides make the German column the foreign word.
        dialog.findChild<QPushButton*>("cmdTauschen")->click();
        QCOMPARE(dialog.plan().pairs.first().foreign, QStringLiteral("Haus"));
        dialog.findChild<QPushButton*>("cmdTauschen")->click();

        // A name the lesson list refuses keeps the dialog open; an empty one cannot be taken.
        auto* name = dialog.findChild<QLineEdit*>("txtLektionsname");
        auto* import = dialog.findChild<QPushButton*>("cmdImportieren");
        name->setText("");
        QVERIFY(!import->isEnabled());
        name->setText("Lektion 1");
        p.messages.queueOk();
        import->click();
        QCOMPARE(p.messages.texts(), QStringList{"Die Lektion ist bereits vorhanden !"});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        name->setText("Haus");
        import->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(asked, (QStringList{"Lektion 1", "Haus"}));
        QCOMPARE(dialog.lessonName(), QStringLiteral("Haus"));
        QCOMPARE(dialog.plan().pairs.size(), 2);
        QCOMPARE(dialog.plan().pairs.first().german, QStringLiteral("Haus;Gebäude"));
    }

    void kvtmlLessonsCanBeChosen()
    {
        TestProgram p;
        ui::Services services{p.messages, p.input, p.help, p.printer, p.end, p.random, p.files};
        const exchange::ImportSource source = exchange::readImportData(
            "<?xml version=\"1.0\"?><kvtml version=\"2.0\"><identifiers>"
            "<identifier id=\"0\"><name>Deutsch</name><locale>de</locale></identifier>"
            "<identifier id=\"1\"><name>Englisch</name><locale>en</locale></identifier></identifiers>"
            "<entries><entry id=\"0\"><translation id=\"0\"><text>Haus</text></translation>"
            "<translation id=\"1\"><text>house</text></translation></entry>"
            "<entry id=\"1\"><translation id=\"0\"><text>Baum</text></translation>"
            "<translation id=\"1\"><text>tree</text></translation></entry></entries>"
            "<lessons><container><name>Garten</name><entry id=\"1\"/></container></lessons></kvtml>",
            "wald.kvtml");
        frmImport dialog(source, "Englisch", services, [](const QString&) { return QString(); });
        auto* lesson = dialog.findChild<QComboBox*>("cboLektion");
        QVERIFY(!lesson->isHidden());
        QCOMPARE(dialog.findChild<QComboBox*>("cboDeutschspalte")->currentText(), QStringLiteral("Deutsch"));
        QCOMPARE(dialog.plan().pairs.size(), 2);
        lesson->setCurrentIndex(1);
        QCOMPARE(dialog.plan().pairs.size(), 1);
        QCOMPARE(dialog.plan().pairs.first().foreign, QStringLiteral("tree"));
    }
};

QTEST_MAIN(frmImportTest)
#include "frmImportTest.moc"
