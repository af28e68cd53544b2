#include "editor/frmEditUnit.h"
#include "TestProgram.h"

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
    return TestProgram::shown<editor::frmEditUnit>()->findChild<T*>(name);
}

QString text(const char* field)
{
    return child(field)->text();
}

// Types into the fields given by name, then clicks the button named, if any.
void fill(const QList<std::pair<const char*, QString>>& fields, const char* button = nullptr)
{
    for (const auto& [name, typed] : fields) {
        child(name)->clear();
        QTest::keyClicks(child(name), typed);
    }
    if (button)
        child<QPushButton>(button)->click();
}

void addPair(const QString& foreign, const QString& german)
{
    fill({{"txtNewVokabelSprache", foreign}, {"txtNewVokabelDeutsch", german}}, "cmdVokabelNeu");
}

QStringList entries()
{
    const auto* model = child<QListView>("lstVokabeln")->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown << model->index(row, 0).data().toString();
    return shown;
}

void clickEntry(const QString& entry)
{
    auto* list = child<QListView>("lstVokabeln");
    const QModelIndex index = list->model()->index(entries().indexOf(entry), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// The editor on anna's lesson "U1" of "Englisch", opened from the main screen.
void openEditor(TestProgram& program, const QStringList& lesson)
{
    program.writeScrambled("anna/Englisch/U1", lesson);
    program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
    program.screens().showEditor();
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
        openEditor(program, {"long\\\\" + meanings + "\\\\\\f", "ohne Trenner"});
        auto* e = TestProgram::shown<editor::frmEditUnit>();
        QVERIFY(e);
        QCOMPARE(e->windowTitle(), "Paukomat V1.1  ...  Englisch  -  Lektion 1 ändern");
        QCOMPARE(e->focusWidget(), child<QPushButton>("cmdVokabelDelete"));
        // A long pair is shown whole; a click on the entry already chosen brings its meanings back.
        fill({{"txtChangeVokabelDeutsch", "anders"}});
        clickEntry("long");
        QCOMPARE(text("txtChangeVokabelDeutsch"), meanings);

        // "Ähre" sorts as if with "A".
        addPair("the", "der;die;das");
        addPair("Ähre", " Ähre: spitz ");
        QCOMPARE(entries(), (QStringList{"Ähre", "long", "ohne Trenner", "the"}));

        // A refusal keeps what was typed; a known word is selected as it is refused.
        program.messages.queueOk();
        addPair("the", "anders");
        QCOMPARE(program.messages.shown.last().title, "Paukomat V1.1  ... neue Vokabel");
        QCOMPARE(text("txtChangeVokabelSprache"), "the");
        QCOMPARE(text("txtNewVokabelDeutsch"), "anders");

        // A listed word typed while another entry is selected takes the meanings typed.
        clickEntry("long");
        fill({{"txtChangeVokabelSprache", "the"}, {"txtChangeVokabelDeutsch", "Die"}},
             "cmdVokabelEdit");

        clickEntry("long");
        program.messages.queue(ui::Answer::No);
        child<QPushButton>("cmdVokabelDelete")->click();
        const auto question = program.messages.shown.last();
        QCOMPARE(question.text, "Soll die Vokabel 'long' wirklich gelöscht werden ?");
        QCOMPARE(question.buttons, ui::Buttons::YesNo);
        program.messages.queue(ui::Answer::Yes);
        child<QPushButton>("cmdVokabelDelete")->click();

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        QCOMPARE(program.bytes("anna/Englisch/U1"),
                 TestProgram::scrambledBytes(
                     {"ohne Trenner", "the\\\\Die\\\\\\f", "Ähre\\\\ Ähre: spitz \\\\\\f"}));
    }

    // The speaker beside the selected pair's foreign word speaks it as it stands in the field.
    void foreignWordIsReadAloud()
    {
        TestProgram program;
        openEditor(program, {"the house\\\\Haus\\\\\\f"});
        QTest::keyClicks(child("txtChangeVokabelSprache"), "s");
        child<QToolButton>("cmdVorlesen")->click();
        QCOMPARE(program.speech.spoken, QStringList{"en:the houses"});
    }

    // Opened by the main screen's menu, the editor takes over once it has been painted: until
    // then the main screen stays in sight, disabled.
    void mainScreenStaysUntilTheEditorIsPainted()
    {
        TestProgram program;
        program.writePlain("tmpUsr", {"anna", "geheim"});
        program.writeScrambled("anna/Spr.dat", {"Englisch\\\\LSp1"});
        program.writeScrambled("anna/LSp1", {"Lektion 1\\\\U1"});
        program.writeScrambled("anna/Englisch/U1", {"the\\\\der\\\\\\f"});
        program.screens().showMain();
        QWidget* main = program.screens().mainScreen();
        main->findChild<QAction*>("mnuLektionEdit")->trigger();
        QVERIFY(main->isVisible());
        QVERIFY(!main->isEnabled());
        QTRY_VERIFY(!main->isVisible());
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
