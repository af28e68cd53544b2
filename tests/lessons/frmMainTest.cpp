#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "exchange/LessonExport.h"
#include "exchange/frmImport.h"
#include "lessons/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::TestProgram;

namespace {

const QString GoTip = QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache");

// The user "anna" signed in; file names are those of the user directory.
struct Session
{
    TestProgram program;
    frmMain* main = nullptr;

    Session() { program.writePlain("tmpUsr", {"anna"}); }
    QStringList lines(const QString& name) const { return program.readScrambled(in(name)); }
    QByteArray bytes(const QString& name) const { return program.bytes(in(name)); }
    QStringList entries(const QString& name = {}) const { return program.entries(in(name)); }
    static QString in(const QString& name) { return "anna/" + name; }
    bool load() { program.screens().showMain(); return (main = TestProgram::shown<frmMain>()) != nullptr; }
    // Runs a command, answering its input box or its question.
    void type(QAction* command, const QString& text) { program.input.queue(text); command->trigger(); }
    void confirm(QAction* c, ui::Answer a = ui::Answer::Yes) { program.messages.queue(a); c->trigger(); }
    static void choose(QListWidget* l, const QString& t) { l->setCurrentItem(l->findItems(t, Qt::MatchExactly).value(0)); }
    QAction* menu(const char* name) const { return main->findChild<QAction*>(name); }
    QPushButton* button(const char* name) const { return main->findChild<QPushButton*>(name); }
    QListWidget* list(const char* name) const { return main->findChild<QListWidget*>(name); }
    // Both lists as "Dänisch*,Englisch / Lektion 1*": entries in order, the chosen one starred.
    QString view() const { return listed(list("lstSprachen")) + " / " + listed(list("lstLektionen")); }
    static QString listed(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text() + (i == list->currentRow() ? "*" : ""));
        return texts.join(',');
    }
};

} // namespace

class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    // A new user's session through the real widgets: what each command asks and says, the files
    // it writes, the lesson handed over to the drill and the editor, and the end of the program.
    void aSessionFromScratchToTheEnd()
    {
        Session s;
        QVERIFY(s.load());
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("tmpSpr.dat"), QByteArray());
        QCOMPARE(s.view() + s.button("BtnGo")->toolTip(), " / " + GoTip);
        // Without a language or a lesson every command says what is missing and writes nothing.
        s.program.messages.queueOk(8);
        s.button("BtnGo")->click();
        for (const char* command : {"mnuLektionEdit", "mnuTitleLektion", "mnuLektionDelete", "mnuNeueLektion",
                                    "mnuTitleSprache", "mnuSpracheDelete"})
            s.menu(command)->trigger();
        s.type(s.menu("mnuNeueSprache"), "Eng,lisch");
        QCOMPARE(s.program.messages.texts(), QStringList(4, "Es ist keine Lektion vorhanden !")
                                                 + QStringList(3, "Zuerst eine Sprache bestimmen !!!")
                                                 + QStringList{"Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !"});
        QCOMPARE(s.program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
        s.program.messages.shown.clear();

        s.type(s.menu("mnuNeueSprache"), "Englisch");
        QCOMPARE(s.program.input.asked.last().prompt, QStringLiteral("Geben Sie die Sprache ein..."));
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.bytes("tmpSpr.dat"), TestProgram::plainBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.entries(), (QStringList{"Englisch", "LSp1", "Spr.dat", "tmpSpr.dat"}));
        s.type(s.menu("mnuNeueLektion"), "Verben");
        s.type(s.menu("mnuNeueLektion"), "Adjektive");
        QCOMPARE(s.bytes("LSp1"), TestProgram::scrambledBytes({"Verben\\\\U1", "Adjektive\\\\U2"}));
        QCOMPARE(s.view(), QStringLiteral("Englisch* / Verben*,Adjektive"));
        s.type(s.menu("mnuNeueSprache"), "Dänisch");
        s.type(s.menu("mnuNeueSprache"), ""); // Cancel: nothing changes, nothing is said
        QCOMPARE(s.view() + s.button("BtnGo")->toolTip(), "Dänisch*,Englisch / Startet Lektion \"\" der Sprache Dänisch");

        // The start button names the chosen lesson; learning and editing hand it over and hide
        // the screen until it is given back.
        Session::choose(s.list("lstSprachen"), "Englisch");
        Session::choose(s.list("lstLektionen"), "Adjektive");
        QCOMPARE(s.button("BtnGo")->toolTip(), QStringLiteral("Startet Lektion \"Adjektive\" der Sprache Englisch"));
        QVERIFY(s.main->findChild<QLineEdit*>("txtLektDatei")->text() == "LSp1" && !s.main->findChild<QLineEdit*>("txtLektDatei")->isVisible());
        QVERIFY(!s.button("BtnGo")->icon().isNull() && !s.button("btnEnd")->icon().isNull());
        s.button("BtnGo")->click();
        QCOMPARE(s.bytes("tmpEdit"), TestProgram::plainBytes({"Englisch", "Adjektive", "U2"}));
        QVERIFY(!s.main->isVisible() && !s.main->isEnabled() && TestProgram::shown<frmPaukomat>());
        s.program.screens().restoreMain();
        QCOMPARE(s.view(), QStringLiteral("Dänisch,Englisch* / Verben,Adjektive*"));
        s.menu("mnuLektionEdit")->trigger();
        QVERIFY(!s.main->isVisible() && TestProgram::shown<frmEditUnit>());
        s.program.screens().restoreMain();

        // Renaming asks for the new name of the chosen entry, then shows the first language.
        s.type(s.menu("mnuTitleLektion"), "Anfang");
        QCOMPARE(s.program.input.asked.last().prompt, QStringLiteral("Geben Sie die neue Bezeichnung der Lektion Adjektive ein:"));
        QCOMPARE(s.view(), QStringLiteral("Dänisch*,Englisch / "));
        s.type(s.menu("mnuTitleSprache"), "Dänemark");
        QCOMPARE(s.program.input.asked.last().prompt, QStringLiteral("Geben Sie die neue Bezeichnung der Sprache Dänisch ein:"));
        QCOMPARE(s.lines("Spr.dat"), (QStringList{"Englisch\\\\LSp1", "Dänemark\\\\LSp2"}));

        // Deleting asks first; No keeps everything.
        Session::choose(s.list("lstSprachen"), "Englisch");
        s.confirm(s.menu("mnuLektionDelete"), ui::Answer::No);
        s.confirm(s.menu("mnuSpracheDelete"), ui::Answer::No);
        QCOMPARE(s.program.messages.texts(), (QStringList{"Soll die Lektion Verben wirklich gelöscht werden ?",
                                                          "Soll die Sprache Englisch wirklich gelöscht werden ?"}));
        QCOMPARE(s.program.messages.shown.last().buttons, ui::Buttons::YesNo);
        s.confirm(s.menu("mnuLektionDelete"));
        QCOMPARE(s.bytes("LSp1"), TestProgram::scrambledBytes({"Anfang\\\\U2"}));
        s.confirm(s.menu("mnuSpracheDelete"));
        QCOMPARE(s.view(), QStringLiteral("Englisch* / Anfang*"));
        s.confirm(s.menu("mnuSpracheDelete"));
        QCOMPARE(s.view() + s.main->findChild<QLineEdit*>("txtLektDatei")->text() + s.button("BtnGo")->toolTip(), " / " + GoTip);

        // No, by the button and by the frame, keeps every file; Yes removes only the "tm" files
        // directly in the user and program directories.
        for (const char* name : {"PK.dat", "tmErgShow", "anna/Dänemark/tmpU3", "anna/tmpU9"})
            s.program.writePlain(name, {"x"});
        const QStringList before = s.entries() + s.program.entries();
        s.program.messages.shown.clear();
        s.program.messages.queue(ui::Answer::No);
        s.program.messages.queue(ui::Answer::No);
        s.button("btnEnd")->click();
        s.main->close();
        QVERIFY(TestProgram::shown<frmMain>() && s.program.end.requests == 0);
        QCOMPARE(s.entries() + s.program.entries(), before);
        QCOMPARE(s.program.messages.texts(), QStringList(2, "Wollen Sie wirklich beenden ?"));
        s.program.messages.queue(ui::Answer::Yes);
        s.main->close();
        QVERIFY(!TestProgram::shown<frmMain>() && s.program.end.requests == 1);
        QCOMPARE(s.entries() + s.program.entries() + s.entries("Dänemark"),
                 (QStringList{"Dänemark", "Spr.dat", "PK.dat", "anna", "tmpU3"}));
    }

    // Export to KVTML and import it again as a second lesson, then print the word list; a file
    // that is no word list is refused before anything is asked.
    void wordListsGoOutAndComeBack()
    {
        Session s;
        s.program.writeScrambled(Session::in("Spr.dat"), {"Englisch\\\\LSp1"});
        s.program.writeScrambled(Session::in("LSp1"), {"Lektion 1\\\\U1"});
        const QStringList lesson{"house\\\\Haus;Gebäude\\\\\\r", "kaputt", "the\\\\der;die;das\\\\\\f"};
        s.program.writeScrambled(Session::in("Englisch/U1"), lesson);
        QVERIFY(s.load());

        s.program.files.queue(s.program.path("Liste"), exchange::KvtmlFilter);
        s.program.messages.queueOk();
        s.menu("mnuLektionExport")->trigger();
        const QString exported = s.program.path("Liste.kvtml");
        QCOMPARE(s.program.files.proposedNames, QStringList{"Lektion 1.tsv"});
        QCOMPARE(s.program.messages.texts().last(),
                 "Die Lektion \"Lektion 1\" wurde mit 2 Wortpaaren in die Datei \"" + exported + "\" exportiert.");

        s.program.files.queue(exported);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<frmImport*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->findChild<QLineEdit*>("txtLektionsname")->text(), QStringLiteral("Lektion 1"));
            dialog->findChild<QLineEdit*>("txtLektionsname")->setText("Kopie");
            dialog->findChild<QPushButton*>("cmdImportieren")->click();
        });
        s.program.messages.queueOk();
        s.menu("mnuLektionImport")->trigger();
        QCOMPARE(s.program.messages.texts().last(),
                 QStringLiteral("Die Lektion \"Kopie\" wurde angelegt.\n2 Wortpaare werden importiert."));
        QCOMPARE(s.lines("LSp1"), (QStringList{"Lektion 1\\\\U1", "Kopie\\\\U2"}));
        QCOMPARE(s.lines("Englisch/U2"), (QStringList{"house\\\\Haus;Gebäude\\\\\\f", "the\\\\der;die;das\\\\\\f"}));
        QCOMPARE(s.view(), QStringLiteral("Englisch* / Lektion 1*,Kopie"));

        s.menu("mnuVokabellisteDrucken")->trigger();
        QCOMPARE(s.program.printer.printedDocuments.size(), 1);
        const testing::RecordedDocument& list = s.program.printer.printedDocuments.first();
        QVERIFY(list.pageNumbers && !list.chart);
        QCOMPARE(list.lines.last().text + " | " + list.lines.last().secondColumn.value_or(""),
                 QStringLiteral("the | der; die; das"));

        testing::writeFile(s.program.path("Bild.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
        s.program.files.queue(s.program.path("Bild.png"));
        s.program.messages.queueOk();
        s.menu("mnuLektionImport")->trigger();
        QVERIFY(s.program.messages.shown.last().icon == ui::Icon::Exclamation);
        QVERIFY(s.program.messages.texts().last().startsWith("Die Datei \"Bild.png\" ist keine Textdatei."));
        QCOMPARE(s.lines("LSp1").size(), 2);
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
