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

// The dialog on a file's bytes, taking every lesson name.
struct Shown
{
    Shown(const QByteArray& bytes, const QString& fileName)
        : source(exchange::readImportData(bytes, fileName))
        , dialog(source, "Englisch", services, [](const QString&) { return QString(); })
    { }
    template <class T> T* get(const char* name) { return dialog.findChild<T*>(name); }

    testing::TestProgram p;
    ui::Services services{p.messages, p.input,  p.help,  p.printer,
                          p.end,      p.random, p.files, p.speech};
    exchange::ImportSource source;
    frmImport dialog;
};

} // namespace

class frmImportTest : public QObject
{
    Q_OBJECT

private slots:
    // The preview, the plan following every choice, and a name the lesson list must accept.
    void showsThePlanAndAcceptsOnlyAGoodName()
    {
        testing::TestProgram p;
        ui::Services services{p.messages, p.input,  p.help,  p.printer,
                              p.end,      p.random, p.files, p.speech};
        const auto text =
            exchange::readImportData("#separator:tab\nhouse\tHaus\nthe\tder;die;das\ntree\t\n"
                                     "house\tGebäude\n",
                                     "Haus.txt");
        frmImport dialog(text, "Englisch", services, [](const QString& name) {
            return name == "Haus" ? QString()
                                  : QStringLiteral("Die Lektion ist bereits vorhanden !");
        });
        const auto* preview = dialog.findChild<QTableWidget*>("grdVorschau");
        QCOMPARE(preview->verticalHeaderItem(1)->text() + " " + preview->item(1, 1)->text(),
                 "2 der;die;das");
        QCOMPARE(dialog.findChild<QLabel*>("lblZusammenfassung")->text(),
                 "2 Wortpaare werden importiert, 2 Zeilen werden ausgelassen (davon 1 doppelte "
                 "zusammengeführt).");
        QCOMPARE(dialog.findChild<QListWidget*>("lstAusgelassen")->item(1)->text(),
                 "Zeile 4: house = Gebäude – Doppelt (wie Zeile 1), zusammengeführt: Die neuen "
                 "Bedeutungen werden "
                 "dort angefügt.");
        dialog.findChild<QPushButton*>("cmdTauschen")->click();
        QCOMPARE(dialog.findChild<QComboBox*>("cboFremdspalte")->currentText(),
                 QStringLiteral("Spalte 2"));
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
        const auto sides = [&] {
            return s.get<QComboBox>("cboFremdspalte")->currentText() + ">"
                + s.get<QComboBox>("cboDeutschspalte")->currentText();
        };
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        const auto* hint = s.get<QLabel>("lblHinweis");
        QVERIFY(s.get<QCheckBox>("chkKopfzeile")->isChecked());
        QCOMPARE(sides(), "Englisch>Deutsch");
        QCOMPARE(preview->horizontalHeaderItem(1)->text() + " "
                     + preview->verticalHeaderItem(0)->text(),
                 "Deutsch 2");
        QCOMPARE(s.get<QLabel>("lblDatei")->text(), "Die 2 Zeilen unter der Kopfzeile:");
        QCOMPARE(s.get<QLabel>("lblZusammenfassung")->text(), "2 Wortpaare werden importiert.");
        QVERIFY(hint->isHidden());
        s.get<QCheckBox>("chkKopfzeile")->click();
        QCOMPARE(sides(), "Spalte 1>Spalte 2");
        QCOMPARE(preview->item(0, 2)->text(), "Englisch");
        QCOMPARE(s.get<QLabel>("lblZusammenfassung")->text(), "3 Wortpaare werden importiert.");
        QCOMPARE(s.dialog.plan().pairs.first().german, "Deutsch");
        QCOMPARE(hint->text(),
                 "Keine Spalte ist als Deutsch gekennzeichnet – bitte prüfen, welche Spalte "
                 "deutsch ist.");
        QVERIFY(!hint->isHidden());
    }

    // Choosing a lesson of a KVTML file shows its entries and proposes its name, unless the user typed one.
    void aLessonOfTheFileShowsItselfAndItsName()
    {
        const auto entry = [](const char* id, const char* fr, const char* en) {
            return QString(
                       R"(<entry id="%1"><translation id="0"><text>%2</text></translation><translation id="1">)"
                       R"(<text>%3</text></translation></entry>)")
                .arg(id, fr, en)
                .toUtf8();
        };
        Shown s(
            R"(<kvtml version="2.0"><information><title>animals.kvtml</title></information><identifiers>)"
            R"(<identifier id="0"><locale>fr</locale></identifier><identifier id="1"/></identifiers><entries>)"
                + entry("a", "le chien", "the dog") + entry("b", "le chat", "the cat")
                + R"(</entries><lessons><container><name>Hunde</name><entry id="a"/></container><container>)"
                  R"(<name>Katzen</name><entry id="b"/></container></lessons></kvtml>)",
            "x.kvtml");
        auto* lesson = s.get<QComboBox>("cboLektion");
        auto* name = s.get<QLineEdit>("txtLektionsname");
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        QCOMPARE(name->text(), "animals");
        QVERIFY(!s.get<QLabel>("lblHinweis")->isHidden());
        QVERIFY(s.get<QCheckBox>("chkKopfzeile")->isHidden());
        lesson->setCurrentIndex(2);
        QCOMPARE(name->text(), "Katzen");
        QCOMPARE(preview->rowCount(), 1);
        QCOMPARE(preview->verticalHeaderItem(0)->text() + " " + preview->item(0, 0)->text(),
                 "2 le chat");
        QCOMPARE(s.get<QLabel>("lblDatei")->text(), "Der einzige Eintrag der gewählten Lektion:");
        name->clear();
        QTest::keyClicks(name, "Tiere");
        lesson->setCurrentIndex(1);
        QCOMPARE(name->text(), "Tiere");
        QCOMPARE(s.dialog.plan().pairs.value(0).foreign, "le chien");
    }

    // Rows keep their numbers after a field over two lines, whose reason says so in full; the columns
    // share the table by what they hold.
    void longRowsAndReasonsShowInFull()
    {
        Shown s("the lawyer reads the contract twice\tlesen\n\"two\nlines\"\tzwei\nlast one of "
                "all\tletzte\n",
                "a.txt");
        s.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.dialog));
        const auto* preview = s.get<QTableWidget>("grdVorschau");
        QCOMPARE(preview->verticalHeaderItem(2)->text(), "3");
        QCOMPARE(s.get<QLabel>("lblDatei")->text(), "Die 3 Zeilen der Datei:");
        QCOMPARE(s.get<QListWidget>("lstAusgelassen")->item(0)->toolTip(),
                 "Zeile 2: two lines = zwei – Das Feld enthält einen Zeilenumbruch; eine Vokabel "
                 "muss in einer Zeile "
                 "stehen.");
        const QHeaderView* columns = preview->horizontalHeader();
        QCOMPARE_GT(columns->sectionSize(0), 2 * columns->sectionSize(1));
        // The row numbers take their width once the table is laid out.
        QTRY_VERIFY(columns->length() <= preview->viewport()->width());
        QCOMPARE_GT(columns->length(), preview->viewport()->width() - 4);
    }
};

QTEST_MAIN(frmImportTest)
#include "frmImportTest.moc"
