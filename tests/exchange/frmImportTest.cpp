#include "exchange/frmImport.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// The dialog on a file's bytes; the lesson list holds a lesson "Lektion 1" already.
struct Shown
{
    Shown(const QByteArray& bytes, const QString& fileName)
        : source(exchange::readImportData(bytes, fileName))
        , dialog(source, "Englisch", services, [](const QString& name) {
            return name == "Lektion 1" ? "Die Lektion ist bereits vorhanden !" : QString();
        })
    { }
    template <class T> T* get(const char* name) { return dialog.findChild<T*>(name); }
    QString text(const char* label) { return get<QLabel>(label)->text(); }

    testing::TestProgram p;
    ui::Services services = p.screens().context().services;
    exchange::ImportSource source;
    exchange::frmImport dialog;
};

} // namespace

class frmImportTest : public QObject
{
    Q_OBJECT

private slots:
    // Only a name the lesson list accepts is taken; an empty one cannot be.
    void acceptsOnlyAGoodName()
    {
        Shown s("house\tHaus\n", "Haus.txt");
        auto* name = s.get<QLineEdit>("txtLektionsname");
        auto* import = s.get<QPushButton>("cmdImportieren");
        name->clear();
        QVERIFY(!import->isEnabled());
        name->setText("Lektion 1");
        s.p.messages.queueOk();
        import->click();
        QCOMPARE(s.p.messages.texts(), QStringList{"Die Lektion ist bereits vorhanden !"});
        QCOMPARE(s.dialog.result(), int(QDialog::Rejected));
        name->setText("Haus");
        import->click();
        QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
    }

    // Typing a name keeps the plan; the list of rows left out ends with how many it does not show.
    void typingKeepsThePlan()
    {
        Shown s("a\tA\n" + QByteArray("\tleer\n").repeated(1001), "Viele.txt");
        const auto* pairs = s.dialog.plan().pairs.constData();
        QTest::keyClicks(s.get<QLineEdit>("txtLektionsname"), " 2");
        QCOMPARE(s.dialog.plan().pairs.constData(), pairs);
        const auto* list = s.get<QListWidget>("lstAusgelassen");
        QCOMPARE(list->item(list->count() - 1)->text(), "… und 1 weitere Zeile");
        s.get<QComboBox>("cboDeutschspalte")->setCurrentIndex(0);
        QVERIFY(s.dialog.plan().pairs.constData() != pairs);
    }

    // A first row of language names is proposed as header row: it names the columns and the
    // German side and is no pair; unchecked, it is a pair like any other, nothing marks German and
    // the sides are the first two columns again, to be swapped at a click.
    void aHeaderRowNamesTheColumns()
    {
        Shown s("Nr;Deutsch;Englisch\n1;Haus;house\n2;\"der;die\";the\n", "a.csv");
        const auto* foreign = s.get<QComboBox>("cboFremdspalte");
        const auto* hint = s.get<QLabel>("lblHinweis");
        QCOMPARE(foreign->currentText(), "Englisch");
        QCOMPARE(s.get<QComboBox>("cboDeutschspalte")->currentText(), "Deutsch");
        QCOMPARE(s.text("lblDatei"), "Die 2 Zeilen unter der Kopfzeile:");
        QVERIFY(hint->isHidden());
        s.get<QCheckBox>("chkKopfzeile")->click();
        QCOMPARE(foreign->currentText(), "Spalte 1");
        QCOMPARE(s.get<QTableWidget>("grdVorschau")->item(0, 2)->text(), "Englisch");
        QCOMPARE(hint->text(),
                 "Keine Spalte ist als Deutsch gekennzeichnet – bitte prüfen, welche Spalte "
                 "deutsch ist.");
        QVERIFY(!hint->isHidden());
        s.get<QPushButton>("cmdTauschen")->click();
        QCOMPARE(s.dialog.plan().pairs[0].foreign, "Deutsch");
    }

    // Choosing a lesson of a KVTML file shows its entries and proposes its name, unless the user
    // typed one.
    void aLessonOfTheFileShowsItselfAndItsName()
    {
        Shown s(R"(<kvtml version="2.0"><identifiers><identifier id="0"/><identifier id="1"/>
</identifiers><entries><entry id="a"><translation id="0"><text>le chien</text></translation>
</entry><entry id="b"><translation id="0"><text>le chat</text></translation></entry></entries>
<lessons><container><name>Hunde</name><entry id="a"/></container>
<container><name>Katzen</name><entry id="b"/></container></lessons></kvtml>)",
                "animals.kvtml");
        auto* lesson = s.get<QComboBox>("cboLektion");
        auto* name = s.get<QLineEdit>("txtLektionsname");
        lesson->setCurrentIndex(2);
        QCOMPARE(name->text(), "Katzen");
        QCOMPARE(s.get<QTableWidget>("grdVorschau")->verticalHeaderItem(0)->text(), "2");
        QCOMPARE(s.text("lblDatei"), "Der einzige Eintrag der gewählten Lektion:");
        name->clear();
        QTest::keyClicks(name, "Tiere");
        lesson->setCurrentIndex(1);
        QCOMPARE(name->text(), "Tiere");
    }

    // Rows keep their numbers after a field over two lines, whose reason says so in full; the
    // columns fit the table.
    void longRowsAndReasonsShowInFull()
    {
        Shown s("the lawyer reads the contract twice\tlesen\n\"two\nlines\"\tzwei\nlast\tletzte\n",
                "a.txt");
        s.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.dialog));
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        QCOMPARE(preview->verticalHeaderItem(2)->text(), "3");
        QCOMPARE(s.text("lblDatei"), "Die 3 Zeilen der Datei:");
        QCOMPARE(s.get<QListWidget>("lstAusgelassen")->item(0)->toolTip(),
                 "Zeile 2: two lines = zwei – Das Feld enthält einen Zeilenumbruch; eine Vokabel "
                 "muss in einer Zeile stehen.");
        // The row numbers take their width once the table is laid out.
        QTRY_VERIFY(preview->horizontalHeader()->length() <= preview->viewport()->width());
    }
};

QTEST_MAIN(frmImportTest)
#include "frmImportTest.moc"
