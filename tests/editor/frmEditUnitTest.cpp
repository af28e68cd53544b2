#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "store/TextRules.h"

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
    void newLessonGrowsAndIsStoredOnlyOnLeaving()
    {
        TestProgram program;
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

        // Only the lesson named last is opened, and created empty.
        QCOMPARE(program.entries("anna/Englisch"), (QStringList{"U1", "tmpU1"}));
        QCOMPARE(program.bytes(Lesson), QByteArray());
        type(e->findChild<QLineEdit*>("txtNewVokabelSprache"), "halb");
        program.messages.queue(ui::Answer::Yes);
        e->findChild<QPushButton*>("cmdVokabelDelete")->click();
        const auto question = program.messages.shown.last();
        QCOMPARE(question.text, QStringLiteral("Soll die Vokabel '' wirklich gelöscht werden ?"));
        QCOMPARE(question.title, QStringLiteral("Paukomat V1.1"));
        QVERIFY(question.buttons == ui::Buttons::YesNo && question.icon == ui::Icon::None);
        // "Ja" empties the boxes as every refill does, even with nothing to remove.
        QCOMPARE(e->findChild<QLineEdit*>("txtNewVokabelSprache")->text(), QString());
        QCOMPARE(program.bytes(Working), QByteArray());

        // "The" and "the" sort as equals, in the order they came; "Ähre" sorts as if with "A".
        add(e, "The", "Der");
        add(e, "the", "der;die;das");
        add(e, "Ähre", " Ähre, die: spitz ");
        QCOMPARE(entries(e->findChild<QListWidget*>("lstVokabeln")), (QStringList{"Ähre*", "The", "the"}));
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), QStringLiteral(" Ähre, die: spitz "));
        QVERIFY(e->findChild<QLineEdit*>("txtNewVokabelSprache")->text().isEmpty()
                && e->findChild<QLineEdit*>("txtNewVokabelDeutsch")->text().isEmpty());
        const QStringList lines{pair("The", "Der"), pair("the", "der;die;das"),
                                pair("Ähre", " Ähre, die: spitz ")};
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        QCOMPARE(program.bytes(Lesson), QByteArray());

        e->findChild<QPushButton*>("cmdExit")->click();
        QVERIFY(!TestProgram::shown<frmEditUnit>());
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes(lines));
        QVERIFY(!program.exists("anna/tmpEdit"));
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"U1"});
        QVERIFY(program.screens().mainScreen()->isVisible()
                && program.screens().mainScreen()->isEnabled());

        e = openEditor(program);
        QVERIFY(e);
        clickEntry(e->findChild<QListWidget*>("lstVokabeln"), "the");
        QCOMPARE(entries(e->findChild<QListWidget*>("lstVokabeln")), (QStringList{"Ähre", "The", "the*"}));
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelSprache")->text(), QStringLiteral("the"));
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), QStringLiteral("der;die;das"));
    }

    void longPairsAreShownWholeAndAClickRefills()
    {
        TestProgram program;
        const QString meanings(40000, 'm');
        program.writeScrambled(Lesson, {pair("long", meanings)});
        frmEditUnit* e = openEditor(program);
        QVERIFY(e);
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), meanings);
        // A click on the entry already chosen brings its stored meanings back.
        type(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch"), "anders");
        clickEntry(e->findChild<QListWidget*>("lstVokabeln"), "long");
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), meanings);
        e->findChild<QPushButton*>("cmdExit")->click();
        QCOMPARE(program.readScrambled(Lesson), QStringList{pair("long", meanings)});
    }

    void editsTouchOnlyTheirOwnLine()
    {
        TestProgram program;
        // Lines of a damaged file, without separator or too short for a mark, are listed and kept.
        QStringList lines{pair("the", "der", 'r'), pair("there", "dort", 'r'), pair("a", "ein"),
                          "ohne Trenner", "x\\\\ab"};
        program.writeScrambled(Lesson, lines);
        frmEditUnit* e = openEditor(program);
        QVERIFY(e);

        const QString noForeign = "Sie haben keine Vokabel der Sprache Englisch eingegeben !";
        const QString noGerman = "Sie haben keine Vokabel der Sprache Deutsch eingegeben !";
        const QString backslash = "Die Vokabel darf keine zwei aufeinanderfolgenden Backslashes "
                                  "(\\\\) enthalten und nicht auf einen Backslash (\\) enden !";
        const struct
        {
            bool change; // the change fields and command, or the new ones
            QString foreign, german, message;
        } refused[] = {
            {false, "", "x", noForeign},
            {false, " ", "", noGerman},
            {true, "", "x", noForeign},
            {true, "the", "", noGerman},
            {true, "The", "x", "Die zu ändernde Vokabel ist nicht vorhanden !\r\r"},
            {false, "a\\\\b", "x", backslash},
            {true, "a\\", "x", backslash},
            {false, "dom", "дом", store::unstorableTextMessage("дом")},
            {true, "the", "a\tb", store::unstorableTextMessage("\t")},
            // A duplicate also selects the listed entry.
            {false, "the", "anders", "Die Vokabel ist bereits vorhanden !\r\r"},
        };
        for (const auto& c : refused) {
            QLineEdit* german = c.change ? e->findChild<QLineEdit*>("txtChangeVokabelDeutsch") : e->findChild<QLineEdit*>("txtNewVokabelDeutsch");
            (c.change ? e->findChild<QLineEdit*>("txtChangeVokabelSprache") : e->findChild<QLineEdit*>("txtNewVokabelSprache"))->setText(c.foreign);
            german->setText(c.german);
            program.messages.queueOk();
            (c.change ? e->findChild<QPushButton*>("cmdVokabelEdit") : e->findChild<QPushButton*>("cmdVokabelNeu"))->click();
            const auto shown = program.messages.shown.last();
            QCOMPARE(shown.text, c.message);
            QCOMPARE(shown.title, QStringLiteral("Paukomat V1.1  ... neue Vokabel"));
            QVERIFY(shown.icon == ui::Icon::None);
            QCOMPARE(german->text(), c.german);
        }
        QCOMPARE(entries(e->findChild<QListWidget*>("lstVokabeln")),
                 (QStringList{"a", "ohne Trenner", "the*", "there", "x"}));
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));

        clickEntry(e->findChild<QListWidget*>("lstVokabeln"), "there");
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), QStringLiteral("dort"));
        clickEntry(e->findChild<QListWidget*>("lstVokabeln"), "the");
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), QStringLiteral("der"));
        type(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch"), "der;die;das");
        e->findChild<QPushButton*>("cmdVokabelEdit")->click();
        lines[0] = pair("the", "der;die;das");
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        QCOMPARE(entries(e->findChild<QListWidget*>("lstVokabeln")), (QStringList{"a*", "ohne Trenner", "the", "there", "x"}));
        QCOMPARE(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch")->text(), QStringLiteral("ein"));

        // A listed word typed while another entry is selected keeps the meanings typed.
        type(e->findChild<QLineEdit*>("txtChangeVokabelSprache"), "there");
        type(e->findChild<QLineEdit*>("txtChangeVokabelDeutsch"), "da");
        e->findChild<QPushButton*>("cmdVokabelEdit")->click();
        lines[1] = pair("there", "da");
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));

        clickEntry(e->findChild<QListWidget*>("lstVokabeln"), "the");
        program.messages.queue(ui::Answer::No);
        e->findChild<QPushButton*>("cmdVokabelDelete")->click();
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Soll die Vokabel 'the' wirklich gelöscht werden ?"));
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        program.messages.queue(ui::Answer::Yes);
        e->findChild<QPushButton*>("cmdVokabelDelete")->click();
        QCOMPARE(entries(e->findChild<QListWidget*>("lstVokabeln")), (QStringList{"a*", "ohne Trenner", "there", "x"}));
        lines.removeFirst();
        // Backslashes in the meanings are fine.
        add(e, "\\x", "a\\\\b\\");
        lines.append(pair("\\x", "a\\\\b\\"));
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        QVERIFY(!TestProgram::shown<frmEditUnit>());
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes(lines));
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"U1"});
        QVERIFY(program.screens().mainScreen()->isVisible());
    }

    void badHandOffGivesTheMainScreenBack_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("handOff");
        const QStringList anna{"anna"};
        const QStringList u1{"Englisch", "L", "U1"};
        QTest::newRow("no user") << QStringList{} << u1;
        QTest::newRow("unsafe user") << QStringList{".."} << u1;
        QTest::newRow("short hand-off") << anna << QStringList{"Englisch", "L"};
        QTest::newRow("unsafe file") << anna << QStringList{"Englisch", "L", "../U1"};
        QTest::newRow("no language dir") << anna << QStringList{"Spanisch", "L", "U1"};
        QTest::newRow("unreadable lesson") << anna << u1;
    }

    void badHandOffGivesTheMainScreenBack()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, handOff);
        TestProgram program;
        // A lesson that cannot be read must not pass for an empty one.
        if (QString(QTest::currentDataTag()) == "unreadable lesson")
            QDir().mkpath(program.path(Lesson));
        program.messages.queueOk();
        QVERIFY(!openEditor(program, user, handOff));
        QCOMPARE(program.messages.shown.value(0).title, QStringLiteral("Paukomat V1.1  -  Fehler"));
        QVERIFY(program.screens().mainScreen()->isVisible()
                && program.screens().mainScreen()->isEnabled());
        for (const char* made : {"anna/U1", "anna/tmpU1", "anna/Spanisch", "anna/Englisch/tmpU1"})
            QVERIFY2(!program.exists(made), made);
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
