#include "TestProgram.h"
#include "editor/frmEditUnit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

template <class T = QLineEdit>
T* child(const char* name)
{
    return TestProgram::shown<frmEditUnit>()->findChild<T*>(name);
}

void type(const char* field, const QString& text)
{
    child(field)->clear();
    QTest::keyClicks(child(field), text);
}

void add(const QString& foreign, const QString& german)
{
    type("txtNewVokabelSprache", foreign);
    type("txtNewVokabelDeutsch", german);
    child<QPushButton>("cmdVokabelNeu")->click();
}

void clickEntry(const QString& text)
{
    auto* list = child<QListWidget>("lstVokabeln");
    const QRect at = list->visualItemRect(list->findItems(text, Qt::MatchExactly).value(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
}

// The entries of the list, the selected one marked by "*".
QStringList entries()
{
    QStringList texts;
    for (const QListWidgetItem* item : child<QListWidget>("lstVokabeln")->findItems("*", Qt::MatchWildcard))
        texts << item->text() + (item->isSelected() ? "*" : "");
    return texts;
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
        // A refused hand-off gives the main screen back.
        program.messages.queueOk();
        program.handOverFromMain({"anna", "geheim"}, {"Spanisch", "L", "U1"});
        program.screens().showEditor();
        QWidget* main = program.screens().mainScreen();
        QVERIFY(!TestProgram::shown<frmEditUnit>() && main->isVisible() && main->isEnabled());
        QVERIFY(program.messages.shown.value(0).title == "Paukomat V1.1  -  Fehler");

        program.handOverFromMain({"anna", "geheim"}, {"Englisch", "Lektion 1", "U1"});
        program.screens().showEditor();
        auto* e = TestProgram::shown<frmEditUnit>();
        QVERIFY(e);
        QCOMPARE(e->windowTitle(), QStringLiteral("Paukomat V1.1  ...  Englisch  -  Lektion 1 ändern"));
        QCOMPARE(e->focusWidget(), child<QPushButton>("cmdVokabelDelete"));
        // No caption is cut by the font.
        for (QPushButton* b : e->findChildren<QPushButton*>())
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        for (QWidget* hint : {child<QWidget>("Label5"), child<QWidget>("Label6")})
            QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());
        // A long pair is shown whole; a click on the entry already chosen brings its meanings back.
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), meanings);
        type("txtChangeVokabelDeutsch", "anders");
        clickEntry("long");
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), meanings);

        // "The" and "the" sort as equals, in the order they came; "Ähre" sorts as if with "A".
        add("The", "Der");
        add("the", "der;die;das");
        add("Ähre", " Ähre, die: spitz ");
        QCOMPARE(entries(), (QStringList{"Ähre*", "long", "ohne Trenner", "The", "the"}));
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), QStringLiteral(" Ähre, die: spitz "));
        QCOMPARE(child("txtNewVokabelSprache")->text() + child("txtNewVokabelDeutsch")->text(), QString());

        // A refusal keeps what was typed; a known word is selected as it is refused.
        program.messages.queueOk();
        add("the", "anders");
        QCOMPARE(program.messages.shown.last().title, QStringLiteral("Paukomat V1.1  ... neue Vokabel"));
        QCOMPARE(child("txtNewVokabelDeutsch")->text(), QStringLiteral("anders"));
        QCOMPARE(entries().last(), QStringLiteral("the*"));
        QCOMPARE(child("txtChangeVokabelDeutsch")->text(), QStringLiteral("der;die;das"));

        // A listed word typed while another entry is selected takes the meanings typed.
        clickEntry("long");
        type("txtChangeVokabelSprache", "The");
        type("txtChangeVokabelDeutsch", "Die");
        child<QPushButton>("cmdVokabelEdit")->click();

        clickEntry("the");
        program.messages.queue(ui::Answer::No);
        child<QPushButton>("cmdVokabelDelete")->click();
        const auto question = program.messages.shown.last();
        QCOMPARE(question.text, QStringLiteral("Soll die Vokabel 'the' wirklich gelöscht werden ?"));
        QVERIFY(question.title == "Paukomat V1.1" && question.buttons == ui::Buttons::YesNo);
        QCOMPARE(entries().size(), 5);
        program.messages.queue(ui::Answer::Yes);
        child<QPushButton>("cmdVokabelDelete")->click();
        QCOMPARE(entries(), (QStringList{"Ähre*", "long", "ohne Trenner", "The"}));
        QCOMPARE(program.bytes("anna/Englisch/U1"), TestProgram::scrambledBytes(lines));

        // Closing the window by its frame stores the lesson as "beenden" does.
        QVERIFY(e->close());
        lines << "The\\\\Die\\\\\\f" << "Ähre\\\\ Ähre, die: spitz \\\\\\f";
        QCOMPARE(program.bytes("anna/Englisch/U1"), TestProgram::scrambledBytes(lines));
        QCOMPARE(program.entries("anna/Englisch"), QStringList{"U1"});
        QVERIFY(!TestProgram::shown<frmEditUnit>() && !program.exists("anna/tmpEdit"));
        QVERIFY(main->isVisible() && main->isEnabled());
    }
};

QTEST_MAIN(frmEditUnitTest)
#include "frmEditUnitTest.moc"
