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

// The dialog on a file's bytes; the lesson list takes every name but those nameProblem refuses.
struct Shown
{
    Shown(
        const QByteArray& bytes, const QString& fileName,
        std::function<QString(const QString&)> nameProblem =
            [](const QString&) { return QString(); })
        : source(exchange::readImportData(bytes, fileName))
        , dialog(source, "Englisch", services, std::move(nameProblem))
    { }
    template <class T> T* get(const char* name) { return dialog.findChild<T*>(name); }
    QString text(const char* label) { return get<QLabel>(label)->text(); }

    testing::TestProgram p;
    ui::Services services{p.messages, p.input,  p.help,  p.printer,
                          p.end,      p.random, p.files, p.speech};
    exchange::ImportSource source;
    exchange::frmImport dialog;
};

} // namespace

class frmImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The preview shows the rows with their numbers; the plan lists what it leaves out.
    void showsThePreviewAndThePlan()
    {
        Shown s("#separator:tab\nhouse\tHaus\nthe\tder;die;das\ntree\t\nhouse\tGebäude\n",
                "Haus.txt");
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        QCOMPARE(preview->verticalHeaderItem(1)->text(), "2");
        QCOMPARE(preview->item(1, 1)->text(), "der;die;das");
        QCOMPARE(s.text("lblZusammenfassung"), s.dialog.plan().summary());
        QCOMPARE(s.dialog.plan().leftOut.size(), 2);
        s.get<QPushButton>("cmdTauschen")->click();
        QCOMPARE(s.get<QComboBox>("cboFremdspalte")->currentText(), "Spalte 2");
        QCOMPARE(s.dialog.plan().pairs[0].foreign, "Haus");
    }

    // Only a name the lesson list accepts is taken; an empty one cannot be.
    void acceptsOnlyAGoodName()
    {
        Shown s("house\tHaus\n", "Haus.txt", [](const QString& name) {
            return name == "Haus" ? QString() : "Die Lektion ist bereits vorhanden !";
        });
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
        QVERIFY(s.get<QPushButton>("cmdImportieren")->isEnabled());
        const auto* list = s.get<QListWidget>("lstAusgelassen");
        QCOMPARE(list->item(list->count() - 1)->text(), "… und 1 weitere Zeile");
        s.get<QComboBox>("cboDeutschspalte")->setCurrentIndex(0);
        QVERIFY(s.dialog.plan().pairs.constData() != pairs);
    }

    // A first row of language names is proposed as header row: it names the columns and the German side
    // and is no pair; unchecked, it is a pair like any other, nothing marks German and the sides are the
    // first two columns again.
    void aHeaderRowNamesTheColumns()
    {
        Shown s("Nr;Deutsch;Englisch\n1;Haus;house\n2;\"der;die\";the\n", "a.csv");
        auto* header = s.get<QCheckBox>("chkKopfzeile");
        const auto* foreign = s.get<QComboBox>("cboFremdspalte");
        const auto* german = s.get<QComboBox>("cboDeutschspalte");
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        const auto* hint = s.get<QLabel>("lblHinweis");
        QVERIFY(header->isChecked());
        QCOMPARE(foreign->currentText(), "Englisch");
        QCOMPARE(german->currentText(), "Deutsch");
        QCOMPARE(preview->horizontalHeaderItem(1)->text(), "Deutsch");
        QCOMPARE(preview->verticalHeaderItem(0)->text(), "2");
        QCOMPARE(s.text("lblDatei"), "Die 2 Zeilen unter der Kopfzeile:");
        QVERIFY(hint->isHidden());
        QVERIFY(s.get<QComboBox>("cboLektion")->isHidden());
        header->click();
        QCOMPARE(foreign->currentText(), "Spalte 1");
        QCOMPARE(german->currentText(), "Spalte 2");
        QCOMPARE(preview->item(0, 2)->text(), "Englisch");
        QCOMPARE(s.text("lblZusammenfassung"), "3 Wortpaare werden importiert.");
        QCOMPARE(hint->text(),
                 "Keine Spalte ist als Deutsch gekennzeichnet – bitte prüfen, welche Spalte "
                 "deutsch ist.");
        QVERIFY(!hint->isHidden());
    }

    // Choosing a lesson of a KVTML file shows its entries and proposes its name, unless the user typed one.
    void aLessonOfTheFileShowsItselfAndItsName()
    {
        Shown s(R"(<kvtml version="2.0"><information><title>animals.kvtml</title></information>
<identifiers><identifier id="0"><locale>fr</locale></identifier><identifier id="1"/></identifiers>
<entries><entry id="a"><translation id="0"><text>le chien</text></translation></entry>
<entry id="b"><translation id="0"><text>le chat</text></translation></entry></entries>
<lessons><container><name>Hunde</name><entry id="a"/></container>
<container><name>Katzen</name><entry id="b"/></container></lessons></kvtml>)",
                "x.kvtml");
        auto* lesson = s.get<QComboBox>("cboLektion");
        auto* name = s.get<QLineEdit>("txtLektionsname");
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        QCOMPARE(name->text(), "animals");
        QVERIFY(s.get<QCheckBox>("chkKopfzeile")->isHidden());
        lesson->setCurrentIndex(2);
        QCOMPARE(name->text(), "Katzen");
        QCOMPARE(preview->rowCount(), 1);
        QCOMPARE(preview->verticalHeaderItem(0)->text(), "2");
        QCOMPARE(preview->item(0, 0)->text(), "le chat");
        QCOMPARE(s.text("lblDatei"), "Der einzige Eintrag der gewählten Lektion:");
        name->clear();
        QTest::keyClicks(name, "Tiere");
        lesson->setCurrentIndex(1);
        QCOMPARE(name->text(), "Tiere");
        QCOMPARE(s.dialog.plan().leftOut.value(0).text, "le chien = ");
    }

    // Rows keep their numbers after a field over two lines, whose reason says so in full; the columns
    // share the table by what they hold.
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
        const QHeaderView* columns = preview->horizontalHeader();
        QCOMPARE_GT(columns->sectionSize(0), 2 * columns->sectionSize(1));
        // The row numbers take their width once the table is laid out.
        QTRY_VERIFY(columns->length() <= preview->viewport()->width());
        QCOMPARE_GT(columns->length(), preview->viewport()->width() - 4);
    }
};

QTEST_MAIN(frmImportTest)
#include "frmImportTest.moc"
