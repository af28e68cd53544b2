#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "store/TextFile.h"
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
const QString HandOff = QStringLiteral("anna/tmpEdit");
const QString NewTitle = QStringLiteral("Paukomat V1.1  ... neue Vokabel");

QString pair(const QString& foreign, const QString& german, char mark = 'f')
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

// The signed-in user "anna" opens lesson "U1" of "Englisch" from a hidden, disabled main screen.
frmEditUnit* openEditor(TestProgram& program, const QStringList& lesson = {})
{
    program.writePlain("tmpUsr", {"anna", "geheim"});
    program.writePlain(HandOff, {"Englisch", "Lektion 1", "U1"});
    QDir().mkpath(program.path("anna/Englisch"));
    if (!lesson.isEmpty())
        program.writeScrambled(Lesson, lesson);
    if (!program.screens().mainScreen())
        program.screens().showMain();
    program.screens().mainScreen()->setEnabled(false);
    program.screens().mainScreen()->hide();
    program.screens().showEditor();
    return TestProgram::shown<frmEditUnit>();
}

void type(QLineEdit* field, const QString& text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString current(const QListWidget* list)
{
    return list->currentItem() ? list->currentItem()->text() : QString();
}

} // namespace

class frmEditUnitTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { store::TextFile::setWriteFailureAfter(-1); }

    void newLessonOpensEmptyWithItsControls()
    {
        TestProgram program;
        frmEditUnit* e = openEditor(program);
        QVERIFY(e);
        QCOMPARE(e->windowTitle(),
                 QStringLiteral("Paukomat V1.1  ...  Englisch  -  Lektion 1 ändern"));
        QCOMPARE(e->Label4->text(), QStringLiteral("Englisch:"));
        QCOMPARE(e->focusWidget(), e->cmdVokabelDelete);

        // The tab chain, and no caption cut by the font.
        QList<QWidget*> chain{e->cmdVokabelDelete};
        QWidget* w = e->cmdVokabelDelete;
        for (int step = 0; step < 100 && chain.size() < 10; ++step)
            if ((w = w->nextInFocusChain())->focusPolicy() & Qt::TabFocus)
                chain.append(w);
        QCOMPARE(chain, (QList<QWidget*>{e->cmdVokabelDelete, e->cmdExit, e->txtNewVokabelSprache,
                                         e->txtNewVokabelDeutsch, e->cmdVokabelNeu,
                                         e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch,
                                         e->cmdVokabelEdit, e->lstVokabeln, e->cmdHelp}));
        for (QPushButton* b : e->findChildren<QPushButton*>())
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        for (QLabel* hint : {e->Label5, e->Label6})
            QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());

        QCOMPARE(e->lstVokabeln->count(), 0);
        QVERIFY(program.exists(Lesson));
        QCOMPARE(program.bytes(Lesson), QByteArray());
        type(e->txtNewVokabelSprache, "halb");
        program.messages.queue(ui::Answer::Yes);
        click(e->cmdVokabelDelete);
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Soll die Vokabel '' wirklich gelöscht werden ?"));
        QCOMPARE(program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
        QVERIFY(program.messages.shown.last().buttons == ui::Buttons::YesNo);
        QCOMPARE(e->txtNewVokabelSprache->text(), QStringLiteral("halb"));
        QCOMPARE(program.bytes(Working), QByteArray());
    }

    void addedPairsAreListedSortedAndStoredOnlyOnLeaving()
    {
        TestProgram program;
        frmEditUnit* e = openEditor(program);
        QVERIFY(e);
        const QStringList added{"the", "der;die;das", "The", "Der", "apple", " Apfel, der: rund "};
        for (int i = 0; i < added.size(); i += 2) {
            type(e->txtNewVokabelSprache, added[i]);
            type(e->txtNewVokabelDeutsch, added[i + 1]);
            click(e->cmdVokabelNeu);
        }
        QCOMPARE(entries(e->lstVokabeln), (QStringList{"apple", "the", "The"}));
        QCOMPARE(current(e->lstVokabeln), QStringLiteral("apple"));
        QCOMPARE(e->txtChangeVokabelDeutsch->text(), QStringLiteral(" Apfel, der: rund "));
        QVERIFY(e->txtNewVokabelSprache->text().isEmpty()
                && e->txtNewVokabelDeutsch->text().isEmpty());

        // A duplicate is refused and its entry selected; the typed text stays.
        type(e->txtNewVokabelSprache, "the");
        type(e->txtNewVokabelDeutsch, "anders");
        program.messages.queueOk();
        click(e->cmdVokabelNeu);
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Die Vokabel ist bereits vorhanden !\r\r"));
        QCOMPARE(program.messages.shown.last().title, NewTitle);
        QCOMPARE(current(e->lstVokabeln), QStringLiteral("the"));
        QCOMPARE(e->txtChangeVokabelDeutsch->text(), QStringLiteral("der;die;das"));
        QCOMPARE(e->txtNewVokabelDeutsch->text(), QStringLiteral("anders"));

        const QStringList lines{pair("the", "der;die;das"), pair("The", "Der"),
                                pair("apple", " Apfel, der: rund ")};
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes(lines));
        QCOMPARE(program.bytes(Lesson), QByteArray());

        click(e->cmdExit);
        QVERIFY(!TestProgram::shown<frmEditUnit>());
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes(lines));
        QVERIFY(!program.exists(Working));
        QVERIFY(!program.exists(HandOff));
        QVERIFY(program.screens().mainScreen()->isVisible());
        QVERIFY(program.screens().mainScreen()->isEnabled());

        e = openEditor(program);
        QVERIFY(e);
        QCOMPARE(entries(e->lstVokabeln), (QStringList{"apple", "the", "The"}));
        clickEntry(e->lstVokabeln, "the");
        QCOMPARE(e->txtChangeVokabelSprache->text(), QStringLiteral("the"));
        QCOMPARE(e->txtChangeVokabelDeutsch->text(), QStringLiteral("der;die;das"));
    }

    void emptyUnlistedAndUnstorableInputIsRefused()
    {
        TestProgram program;
        frmEditUnit* e = openEditor(program, {pair("the", "der")});
        QVERIFY(e);
        const QString noForeign
            = QStringLiteral("Sie haben keine Vokabel der Sprache Englisch eingegeben !");
        const QString noGerman
            = QStringLiteral("Sie haben keine Vokabel der Sprache Deutsch eingegeben !");
        const QString backslash = QStringLiteral("Die Vokabel darf keine zwei aufeinanderfolgenden "
                                                 "Backslashes (\\\\) enthalten und nicht auf einen "
                                                 "Backslash (\\) enden !");
        const struct
        {
            QLineEdit* foreign;
            QLineEdit* german;
            QPushButton* command;
            QString foreignText, germanText, message;
        } cases[] = {
            {e->txtNewVokabelSprache, e->txtNewVokabelDeutsch, e->cmdVokabelNeu, "", "x",
             noForeign},
            {e->txtNewVokabelSprache, e->txtNewVokabelDeutsch, e->cmdVokabelNeu, " ", "", noGerman},
            {e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch, e->cmdVokabelEdit, "", "x",
             noForeign},
            {e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch, e->cmdVokabelEdit, "the", "",
             noGerman},
            {e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch, e->cmdVokabelEdit, "The", "x",
             "Die zu ändernde Vokabel ist nicht vorhanden !\r\r"},
            {e->txtNewVokabelSprache, e->txtNewVokabelDeutsch, e->cmdVokabelNeu, "a\\\\b", "x",
             backslash},
            {e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch, e->cmdVokabelEdit, "a\\", "x",
             backslash},
            {e->txtNewVokabelSprache, e->txtNewVokabelDeutsch, e->cmdVokabelNeu, "dom", "дом",
             store::unstorableTextMessage("дом")},
            {e->txtChangeVokabelSprache, e->txtChangeVokabelDeutsch, e->cmdVokabelEdit, "the",
             "a\tb", store::unstorableTextMessage("\t")},
        };
        for (const auto& c : cases) {
            c.foreign->setText(c.foreignText);
            c.german->setText(c.germanText);
            program.messages.queueOk();
            click(c.command);
            QCOMPARE(program.messages.shown.last().text, c.message);
            QCOMPARE(program.messages.shown.last().title, NewTitle);
            QVERIFY(program.messages.shown.last().icon == ui::Icon::None);
            QCOMPARE(c.german->text(), c.germanText);
        }
        QCOMPARE(program.bytes(Working), TestProgram::plainBytes({pair("the", "der")}));

        // Backslashes in the meanings are fine.
        type(e->txtNewVokabelSprache, "\\x");
        type(e->txtNewVokabelDeutsch, "a\\\\b\\");
        click(e->cmdVokabelNeu);
        QCOMPARE(program.bytes(Working),
                 TestProgram::plainBytes({pair("the", "der"), pair("\\x", "a\\\\b\\")}));
    }

    void changeAndRemoveTouchOnlyTheirOwnLine()
    {
        TestProgram program;
        // The line without separator, from a damaged file, is listed as it stands and kept.
        const QStringList stored{pair("the", "der", 'r'), pair("there", "dort", 'r'),
                                 pair("a", "ein"), "ohne Trenner"};
        frmEditUnit* e = openEditor(program, stored);
        QVERIFY(e);
        QCOMPARE(entries(e->lstVokabeln), (QStringList{"a", "ohne Trenner", "the", "there"}));
        clickEntry(e->lstVokabeln, "the");
        QCOMPARE(e->txtChangeVokabelDeutsch->text(), QStringLiteral("der"));
        type(e->txtChangeVokabelDeutsch, "der;die;das");
        click(e->cmdVokabelEdit);
        QCOMPARE(
            program.bytes(Working),
            TestProgram::plainBytes({pair("the", "der;die;das"), stored[1], stored[2], stored[3]}));
        QCOMPARE(current(e->lstVokabeln), QStringLiteral("a"));
        QCOMPARE(e->txtChangeVokabelDeutsch->text(), QStringLiteral("ein"));

        // A listed word typed while another entry is selected keeps the meanings typed.
        type(e->txtChangeVokabelSprache, "there");
        type(e->txtChangeVokabelDeutsch, "da");
        click(e->cmdVokabelEdit);
        QCOMPARE(program.bytes(Working),
                 TestProgram::plainBytes(
                     {pair("the", "der;die;das"), pair("there", "da"), stored[2], stored[3]}));

        clickEntry(e->lstVokabeln, "the");
        program.messages.queue(ui::Answer::No);
        click(e->cmdVokabelDelete);
        QCOMPARE(program.messages.shown.last().text,
                 QStringLiteral("Soll die Vokabel 'the' wirklich gelöscht werden ?"));
        QCOMPARE(e->lstVokabeln->count(), 4);
        program.messages.queue(ui::Answer::Yes);
        click(e->cmdVokabelDelete);
        QCOMPARE(entries(e->lstVokabeln), (QStringList{"a", "ohne Trenner", "there"}));
        QCOMPARE(program.bytes(Working),
                 TestProgram::plainBytes({pair("there", "da"), stored[2], stored[3]}));
        QVERIFY(!program.exists("anna/Englisch/tmpU"));
        QCOMPARE(program.bytes(Lesson), TestProgram::scrambledBytes(stored));

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        QVERIFY(!TestProgram::shown<frmEditUnit>());
        QCOMPARE(program.bytes(Lesson),
                 TestProgram::scrambledBytes({pair("there", "da"), stored[2], stored[3]}));
        QVERIFY(program.screens().mainScreen()->isVisible());
    }

    void failedStoreKeepsTheEditorAndTheWorkingCopy()
    {
        TestProgram program;
        frmEditUnit* e = openEditor(program, {pair("the", "der")});
        QVERIFY(e);
        type(e->txtNewVokabelSprache, "a");
        type(e->txtNewVokabelDeutsch, "ein");
        click(e->cmdVokabelNeu);

        store::TextFile::setWriteFailureAfter(0);
        program.messages.queueOk(2);
        click(e->cmdExit);
        QVERIFY(!e->close());
        QCOMPARE(program.messages.shown.size(), 2);
        QCOMPARE(program.messages.shown.last().title, QStringLiteral("Paukomat V1.1  -  Fehler"));
        QVERIFY(program.messages.shown.last().icon == ui::Icon::Stop);
        QCOMPARE(TestProgram::shown<frmEditUnit>(), e);
        QVERIFY(!program.screens().mainScreen()->isVisible());
        QCOMPARE(program.readScrambled(Lesson), (QStringList{pair("the", "der")}));
        QVERIFY(program.exists(Working) && program.exists(HandOff));

        store::TextFile::setWriteFailureAfter(-1);
        click(e->cmdExit);
        QCOMPARE(program.readScrambled(Lesson),
                 (QStringList{pair("the", "der"), pair("a", "ein")}));
        QVERIFY(!TestProgram::shown<frmEditUnit>());
    }

    void badHandOffGivesTheMainScreenBack_data()
    {
        QTest::addColumn<QStringList>("user");
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("opened"); // lesson file the editor opens, empty for none
        QTest::newRow("no user") << QStringList{} << QStringList{"Englisch", "L", "U1"} << "";
        QTest::newRow("unsafe user")
            << QStringList{".."} << QStringList{"Englisch", "L", "U1"} << "";
        QTest::newRow("short hand-off")
            << QStringList{"anna"} << QStringList{"Englisch", "L"} << "";
        QTest::newRow("unsafe file")
            << QStringList{"anna"} << QStringList{"Englisch", "L", "../U1"} << "";
        QTest::newRow("no language dir")
            << QStringList{"anna"} << QStringList{"Spanisch", "L", "U1"} << "";
        QTest::newRow("last three counts")
            << QStringList{"anna"} << QStringList{"Englisch", "A", "U9", "Englisch", "B", "U2", "x"}
            << "U2";
    }

    void badHandOffGivesTheMainScreenBack()
    {
        QFETCH(QStringList, user);
        QFETCH(QStringList, handOff);
        QFETCH(QString, opened);
        TestProgram program;
        // The main screen loads for a signed-in user; the hand-offs go bad only afterwards.
        program.writePlain("tmpUsr", {"anna"});
        program.screens().showMain();
        program.screens().mainScreen()->hide();
        QFile::remove(program.path("tmpUsr"));
        if (!user.isEmpty())
            program.writePlain("tmpUsr", user);
        program.writePlain(HandOff, handOff);
        QDir().mkpath(program.path("anna/Englisch"));
        if (opened.isEmpty())
            program.messages.queueOk();
        program.screens().showEditor();
        auto* e = TestProgram::shown<frmEditUnit>();
        if (opened.isEmpty()) {
            QVERIFY(!e);
            QCOMPARE(program.messages.shown.size(), 1);
            QCOMPARE(program.messages.shown.first().title,
                     QStringLiteral("Paukomat V1.1  -  Fehler"));
            QVERIFY(program.screens().mainScreen()->isVisible());
            QCOMPARE(program.entries("anna/Englisch"), QStringList());
        } else {
            QVERIFY(e);
            QCOMPARE(e->windowTitle(), QStringLiteral("Paukomat V1.1  ...  Englisch  -  B ändern"));
            QCOMPARE(program.entries("anna/Englisch"), (QStringList{opened, "tmp" + opened}));
        }
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
