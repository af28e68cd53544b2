#include "TestProgram.h"
#include "editor/frmEditUnit.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Lesson = QStringLiteral("anna/Englisch/U1");
const QString Working = QStringLiteral("anna/Englisch/tmpU1");
// Of several threes the last counts; a partial one behind it is ignored.
const QStringList HandOff{"Englisch", "Alt", "U9", "Englisch", "Lektion 1", "U1", "Englisch"};

QString pair(const QString& foreign, const QString& german, char mark = 'f')
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// The main screen, loaded for "anna", hides and disables itself and opens the editor with these
// hand-off files.
frmEditUnit* openEditor(TestProgram& program, const QStringList& user = {"anna", "geheim"},
                        const QStringList& handOff = HandOff)
{
    QDir().mkpath(program.path("anna/Englisch"));
    program.handOverFromMain(user, handOff);
    program.screens().showEditor();
    return TestProgram::shown<frmEditUnit>();
}

void type(QLineEdit* field, const QString& text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

void add(frmEditUnit* e, const QString& foreign, const QString& german)
{
    type(e->findChild<QLineEdit*>("txtNewVokabelSprache"), foreign);
    type(e->findChild<QLineEdit*>("txtNewVokabelDeutsch"), german);
    e->findChild<QPushButton*>("cmdVokabelNeu")->click();
}

void clickEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

// The entries of the list, the selected one marked by "*".
QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text() + (list->item(i)->isSelected() ? "*" : ""));
    return texts;
}

} // namespace

class frmEditUnitTest : public QObject
{
    Q_OBJECT

private slots:
    void refusedLoadGivesTheMainScreenBack()
    {
        TestProgram program;
        program.messages.queueOk();
        QVERIFY(!openEditor(program, {"anna"}, {"Spanisch", "L", "U1"}));
        const auto refused = program.messages.shown.value(0);
        QCOMPARE(refused.text, QStringLiteral("Die Lektion \"L\" kann nicht geöffnet werden, die Datei "
                                              "\"U1\" ist nicht zugänglich (das Verzeichnis fehlt)."));
        QVERIFY(refused.title == "Paukomat V1.1  -  Fehler" && refused.icon == ui::Icon::Stop);
        QVERIFY(program.screens().mainScreen()->isVisible()
                && program.screens().mainScreen()->isEnabled());
    }

    void commandsReachTheLessonAndLeavingStoresIt()
    {
        TestProgram program;
        const QString meanings(40000, 'm');
        program.writeScrambled(Lesson, {pair("long", meanings), "ohne Trenner"});
        frmEditUnit* e = openEditor(program);
        QVERIFY(e);
        QCOMPARE(e->windowTitle(),
                 QStringLiteral("Paukomat V1.1  ...  Englisch  -  Lektion 1 ändern"));
        QCOMPARE(e->findChild<QLabel*>("Label4")->text(), QStringLiteral("Englisch:"));
        QCOMPARE(e->focusWidget(), e->findChild<QPushButton*>("cmdVokabelDelete"));
        // No caption is cut by the font.
        for (QPushButton* b : e->findChildren<QPushButton*>())
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        for (QLabel* l : {e->findChild<QLabel*>("Label5"), e->findChild<QLabel*>("Label6")})
            QVERIFY(l->heightForWidth(l->width()) <= l->height());
        // Only the lesson named last is opened; a long pair is shown whole.
        QCOMPARE(program.entries("anna/Englisch"), (QStringList{"U1", "tmpU1"}));
        auto* list = e->findChild<QListWidget*>("lstVokabeln");
        auto* changeGerman = e->findChild<QLineEdit*>("txtChangeVokabelDeutsch");
        QCOMPARE(changeGerman->text(), meanings);
        // A click on the entry already chosen brings its stored meanings back.
        type(changeGerman, "anders");
        clickEntry(list, "long");
        QCOMPARE(changeGerman->text(), meanings);

        // "The" and "the" sort as equals, in the order they came; "Ähre" sorts as if with "A".
        add(e, "The", "Der");
        add(e, "the", "der;die;das");
        add(e, "Ähre", " Ähre, die: spitz ");
        QCOMPARE(entries(list), (QStringList{"Ähre*", "long", "ohne Trenner", "The", "the"}));
        QCOMPARE(changeGerman->text(), QStringLiteral(" Ähre, die: spitz "));
        QVERIFY(e->findChild<QLineEdit*>("txtNewVokabelSprache")->text().isEmpty()
                && e->findChild<QLineEdit*>("txtNewVokabelDeutsch")->text().isEmpty());
        QStringList lines{pair("long", meanings), "ohne Trenner", pair("The", "Der"),
                          pair("the", "der;die;das"), pair("Ähre", " Ähre, die: spitz ")};
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));

        // A refusal keeps what was typed; a known word is selected as it is refused.
        program.messages.queueOk();
        add(e, "the", "anders");
        QCOMPARE(e->findChild<QLineEdit*>("txtNewVokabelDeutsch")->text(), QStringLiteral("anders"));
        const auto known = program.messages.shown.last();
        QVERIFY(known.text == "Die Vokabel ist bereits vorhanden !\r\r"
                && known.title == "Paukomat V1.1  ... neue Vokabel" && known.icon == ui::Icon::None);
        QCOMPARE(entries(list).last(), QStringLiteral("the*"));
        QCOMPARE(changeGerman->text(), QStringLiteral("der;die;das"));

        // A listed word typed while another entry is selected takes the meanings typed.
        clickEntry(list, "long");
        type(e->findChild<QLineEdit*>("txtChangeVokabelSprache"), "The");
        type(changeGerman, "Die");
        e->findChild<QPushButton*>("cmdVokabelEdit")->click();
        lines[2] = pair("The", "Die");
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        QCOMPARE(entries(list).first(), QStringLiteral("Ähre*"));

        clickEntry(list, "the");
        program.messages.queue(ui::Answer::No);
        e->findChild<QPushButton*>("cmdVokabelDelete")->click();
        const auto question = program.messages.shown.last();
        QCOMPARE(question.text, QStringLiteral("Soll die Vokabel 'the' wirklich gelöscht werden ?"));
        QVERIFY(question.title == "Paukomat V1.1" && question.buttons == ui::Buttons::YesNo
                && question.icon == ui::Icon::None);
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        program.messages.queue(ui::Answer::Yes);
        e->findChild<QPushButton*>("cmdVokabelDelete")->click();
        QCOMPARE(entries(list), (QStringList{"Ähre*", "long", "ohne Trenner", "The"}));
        lines.removeAt(3);
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes({pair("long", meanings), "ohne Trenner"}));

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        QVERIFY(!TestProgram::shown<frmEditUnit>());
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes(lines));
        QVERIFY(!program.exists("anna/tmpEdit"));
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"U1"});
        QVERIFY(program.screens().mainScreen()->isVisible()
                && program.screens().mainScreen()->isEnabled());
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
