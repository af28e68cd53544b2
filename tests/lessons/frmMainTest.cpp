#include "TestProgram.h"
#include "exchange/LessonExport.h"
#include "lessons/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::TestProgram;

namespace {

struct Session
{
    TestProgram program;
    frmMain* main = nullptr;

    // Runs a command, answering its input box or its message.
    void type(const char* command, const QString& text) { program.input.queue(text); trigger(command); }
    void run(const char* command, ui::Answer a = ui::Answer::Ok) { program.messages.queue(a); trigger(command); }
    void trigger(const char* command) const { main->findChild<QAction*>(command)->trigger(); }
    QListWidget* list(const char* name) const { return main->findChild<QListWidget*>(name); }
    // A list as "Dänisch*,Englisch", the chosen entry starred.
    QString listed(const char* name) const
    {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i)
            texts.append(list(name)->item(i)->text() + (i == list(name)->currentRow() ? "*" : ""));
        return texts.join(',');
    }
    // Both lists and the start button's tip.
    QString view() const
    {
        return listed("lstSprachen") + " / " + listed("lstLektionen") + " | "
            + main->findChild<QPushButton*>("BtnGo")->toolTip();
    }
};

} // namespace

class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    // A new user's session through the real widgets: what the commands ask and say, the files
    // they write and read, and what the end of the program leaves.
    void aSessionFromScratchToTheEnd()
    {
        Session s;
        s.program.writePlain("tmpUsr", {"anna"});
        s.program.screens().showMain();
        QVERIFY(s.main = TestProgram::shown<frmMain>());
        QCOMPARE(s.view(), " /  | Startet die gewählte Lektion in der gewählten Sprache");
        // Without a language or a lesson every command says what is missing.
        s.program.messages.queueOk(9);
        for (const char* command : {"mnuLektionEdit", "mnuTitleLektion", "mnuLektionDelete", "mnuLektionExport",
                                    "mnuVokabellisteDrucken", "mnuNeueLektion", "mnuTitleSprache",
                                    "mnuSpracheDelete", "mnuLektionImport"})
            s.trigger(command);
        QCOMPARE(s.program.messages.texts(), QStringList(5, "Es ist keine Lektion vorhanden !")
                                                 + QStringList(4, "Zuerst eine Sprache bestimmen !!!"));

        s.type("mnuNeueSprache", "Englisch");
        s.type("mnuNeueLektion", "Verben");
        s.type("mnuNeueSprache", "Dänisch");
        s.type("mnuNeueSprache", ""); // cancelled: nothing changes, nothing is said
        s.run("mnuSpracheDelete", ui::Answer::No);
        QCOMPARE(s.program.messages.texts().last(), "Soll die Sprache Dänisch wirklich gelöscht werden ?");
        QCOMPARE(s.view(), "Dänisch*,Englisch /  | Startet Lektion \"\" der Sprache Dänisch");

        // A word list comes in as a new lesson of the chosen language, goes out as KVTML and to
        // the printer; a file that is no word list is refused before anything is asked.
        s.list("lstSprachen")->setCurrentRow(1);
        testing::writeFile(s.program.path("Liste.txt"), "house\tHaus\nthe\tder;die;das\nkaputt\n");
        s.program.files.queue(s.program.path("Liste.txt"));
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("cmdImportieren")->click(); });
        s.run("mnuLektionImport");
        QCOMPARE(s.program.messages.texts().last(),
                 "Die Lektion \"Liste\" wurde angelegt.\n2 Wortpaare werden importiert, 1 Zeile wird ausgelassen.");
        QCOMPARE(s.program.bytes("anna/Englisch/U2"),
                 TestProgram::scrambledBytes({"house\\\\Haus\\\\\\f", "the\\\\der;die;das\\\\\\f"}));
        s.list("lstLektionen")->setCurrentRow(1);
        QCOMPARE(s.view(), "Dänisch,Englisch* / Verben,Liste* | Startet Lektion \"Liste\" der Sprache Englisch");
        s.program.files.queue(s.program.path("Liste"), exchange::KvtmlFilter);
        s.run("mnuLektionExport");
        QCOMPARE(s.program.files.proposedNames, QStringList{"Liste.tsv"});
        QCOMPARE(s.program.messages.texts().last(), "Die Lektion \"Liste\" wurde mit 2 Wortpaaren in die Datei \""
                                                        + s.program.path("Liste.kvtml") + "\" exportiert.");
        s.trigger("mnuVokabellisteDrucken");
        const ui::PrintLine last = s.program.printer.printedDocuments.value(0).lines.last();
        QCOMPARE(last.text + " | " + last.secondColumn.value_or(""), QStringLiteral("the | der; die; das"));
        testing::writeFile(s.program.path("Bild.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
        s.program.files.queue(s.program.path("Bild.png"));
        s.run("mnuLektionImport");
        QVERIFY(s.program.messages.shown.last().icon == ui::Icon::Exclamation);

        // No keeps the screen and every file; Yes removes only the "tm" files directly in the user
        // and program directories.
        for (const char* name : {"tmErgShow", "anna/Englisch/tmpU3", "anna/tmpU9"})
            s.program.writePlain(name, {"x"});
        s.program.messages.queue(ui::Answer::No);
        s.main->close();
        QVERIFY(TestProgram::shown<frmMain>() && s.program.exists("anna/tmpU9"));
        s.program.messages.queue(ui::Answer::Yes);
        s.main->findChild<QPushButton*>("btnEnd")->click();
        QCOMPARE(s.program.messages.texts().last(), QStringLiteral("Wollen Sie wirklich beenden ?"));
        QCOMPARE(s.program.end.requests, 1);
        QCOMPARE((s.program.entries() + s.program.entries("anna") + s.program.entries("anna/Englisch")).join(","),
                 "Bild.png,Liste.kvtml,Liste.txt,anna,Dänisch,Englisch,LSp1,LSp2,Spr.dat,U2,tmpU3");
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
