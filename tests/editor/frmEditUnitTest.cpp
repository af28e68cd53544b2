#include "editor/frmEditUnit.h"
#include "TestProgram.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using testing::TestProgram;

namespace {

template <class T = QLineEdit> T* child(const char* name)
{
    return TestProgram::shown<frmEditUnit>()->findChild<T*>(name);
}

// Types into the fields given by name, then clicks the button named, if any.
void fill(const QList<std::pair<const char*, QString>>& fields, const char* button = nullptr)
{
    for (const auto& [name, text] : fields) {
        child(name)->clear();
        QTest::keyClicks(child(name), text);
    }
    if (button)
        child<QPushButton>(button)->click();
}

void clickEntry(const QString& text)
{
    auto* list = child<QListView>("lstVokabeln");
    const QModelIndex entry =
        list->model()
            ->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly)
            .value(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

// The entries of the list, the selected one marked by "*", then the new and the change fields.
QString state()
{
    QStringList parts;
    auto* list = child<QListView>("lstVokabeln");
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex entry = list->model()->index(row, 0);
        parts << entry.data().toString() + (list->selectionModel()->isSelected(entry) ? "*" : "");
    }
    for (const char* name : {"txtNewVokabelSprache", "txtNewVokabelDeutsch",
                             "txtChangeVokabelSprache", "txtChangeVokabelDeutsch"})
        parts << child(name)->text();
    return parts.join('|');
}

} // namespace

class frmEditUnitTest : public QObject
{
    Q_OBJECT

private slots:
    void commandsReachTheLessonAndLeavingStoresIt()
    {
        TestProgram program;
        const QString meanings(40000, 'm');
        QStringList lines{"long\\\\" + meanings + "\\\\\\f", "ohne Trenner"};
        program.writeScrambled("anna/Englisch/U1", lines);
        // The main screen, loaded for "anna", hides and disables itself and opens the editor; a
        // hand-off it cannot open is refused with a message.
        program.messages.queueOk();
        program.handOverFromMain({"anna", "geheim"}, {"Spanisch", "L", "U1"});
        program.screens().showEditor();
        QCOMPARE(program.messages.shown.value(0).title, QStringLiteral("Paukomat V1.1  -  Fehler"));
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showEditor();
        auto* e = TestProgram::shown<frmEditUnit>();
        QVERIFY(e);
        QCOMPARE(e->windowTitle(),
                 QStringLiteral("Paukomat V1.1  ...  Englisch  -  Lektion 1 ändern"));
        QCOMPARE(e->focusWidget(), child<QPushButton>("cmdVokabelDelete"));
        // No caption is cut by the font.
        for (QPushButton* b : e->findChildren<QPushButton*>())
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        // A long pair is shown whole; a click on the entry already chosen brings its meanings back.
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), meanings);
        fill({{"txtChangeVokabelDeutsch", "anders"}});
        clickEntry("long");
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), meanings);

        // "The" and "the" sort as equals, in the order they came; "Ähre" sorts as if with "A".
        fill({{"txtNewVokabelSprache", "The"}, {"txtNewVokabelDeutsch", "Der"}}, "cmdVokabelNeu");
        fill({{"txtNewVokabelSprache", "the"}, {"txtNewVokabelDeutsch", "der;die;das"}},
             "cmdVokabelNeu");
        fill({{"txtNewVokabelSprache", "Ähre"}, {"txtNewVokabelDeutsch", " Ähre: spitz "}},
             "cmdVokabelNeu");
        QCOMPARE(state(), QStringLiteral("Ähre*|long|ohne Trenner|The|the|||Ähre| Ähre: spitz "));

        // A refusal keeps what was typed; a known word is selected as it is refused.
        program.messages.queueOk();
        fill({{"txtNewVokabelSprache", "the"}, {"txtNewVokabelDeutsch", "anders"}},
             "cmdVokabelNeu");
        QCOMPARE(program.messages.shown.last().title,
                 QStringLiteral("Paukomat V1.1  ... neue Vokabel"));
        QCOMPARE(state(),
                 QStringLiteral("Ähre|long|ohne Trenner|The|the*|the|anders|the|der;die;das"));

        // A listed word typed while another entry is selected takes the meanings typed.
        clickEntry("long");
        fill({{"txtChangeVokabelSprache", "The"}, {"txtChangeVokabelDeutsch", "Die"}},
             "cmdVokabelEdit");

        clickEntry("the");
        program.messages.queue(ui::Answer::No);
        child<QPushButton>("cmdVokabelDelete")->click();
        const auto question = program.messages.shown.last();
        QCOMPARE(question.text,
                 QStringLiteral("Soll die Vokabel 'the' wirklich gelöscht werden ?"));
        QVERIFY(question.title == "Paukomat V1.1" && question.buttons == ui::Buttons::YesNo);
        program.messages.queue(ui::Answer::Yes);
        child<QPushButton>("cmdVokabelDelete")->click();
        QCOMPARE(state(), QStringLiteral("Ähre*|long|ohne Trenner|The|||Ähre| Ähre: spitz "));

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        lines << "The\\\\Die\\\\\\f"
              << "Ähre\\\\ Ähre: spitz \\\\\\f";
        QCOMPARE(program.bytes("anna/Englisch/U1"), TestProgram::scrambledBytes(lines));
        QVERIFY(program.entries("anna/Englisch") == QStringList{"U1"}
                && !program.exists("anna/tmpEdit"));
        QWidget* main = program.screens().mainScreen();
        QVERIFY(!TestProgram::shown<frmEditUnit>() && main->isVisible() && main->isEnabled());
    }

    // The speaker beside the selected pair's foreign word speaks it as it stands in the field.
    void foreignWordIsReadAloud()
    {
        TestProgram program;
        program.writeScrambled("anna/Englisch/U1", {"the house\\\\Haus\\\\\\f"});
        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showEditor();
        QTest::keyClicks(child("txtChangeVokabelSprache"), "s");
        child<QToolButton>("cmdVorlesen")->click();
        QCOMPARE(program.speech.spoken, QStringList{"en:the houses"});
    }

    // Opened from the main screen, the editor takes over once it has been painted: until then the
    // main screen stays in sight, disabled. The list goes by keys and names each row for
    // assistive tools.
    void handOverKeysAndNames()
    {
        TestProgram program;
        program.writePlain("tmpUsr", {"anna", "geheim"});
        program.writeScrambled("anna/Spr.dat", {"Englisch\\\\LSp1"});
        program.writeScrambled("anna/LSp1", {"Lektion 1\\\\U1"});
        program.writeScrambled(
            "anna/Englisch/U1",
            {"the\\\\der\\\\\\f", "house\\\\Haus\\\\\\f", "Zug\\\\train\\\\\\r"});
        program.screens().showMain();
        QWidget* main = program.screens().mainScreen();
        main->findChild<QAction*>("mnuLektionEdit")->trigger();
        QVERIFY(main->isVisible() && !main->isEnabled());
        QTRY_VERIFY(!main->isVisible());
        auto* list = child<QListView>("lstVokabeln");
        QStringList names;
        QAccessibleInterface* listAccess = QAccessible::queryAccessibleInterface(list);
        for (int row = 0; row < list->model()->rowCount(); ++row)
            names << listAccess->child(row)->text(QAccessible::Name);
        QCOMPARE(names, (QStringList{"house", "the", "Zug"}));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(state(), QStringLiteral("house|the*|Zug|||the|der"));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(state(), QStringLiteral("house|the|Zug*|||Zug|train"));
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
