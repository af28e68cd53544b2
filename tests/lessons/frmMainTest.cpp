#include "lessons/frmMain.h"
#include "TestProgram.h"
#include "exchange/LessonExport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    // A new user's session through the real widgets: what the commands ask and say, the files
    // they write and read, and what the end of the program leaves.
    void aSessionFromScratchToTheEnd()
    {
        testing::TestProgram p;
        p.writePlain("tmpUsr", {"anna"});
        p.screens().showMain();
        frmMain* main = testing::TestProgram::shown<frmMain>();
        QVERIFY(main);
        const auto trigger = [&](const char* command) {
            main->findChild<QAction*>(command)->trigger();
        };
        // A command answered in its input box or its message box.
        const auto type = [&](const char* command, const QString& text) {
            p.input.queue(text);
            trigger(command);
        };
        const auto run = [&](const char* command, ui::Answer a) {
            p.messages.queue(a);
            trigger(command);
        };
        // Both lists as "Dänisch*,Englisch / Verben*", the chosen entries starred, and the start button's tip.
        const auto view = [&] {
            QStringList lists;
            for (const auto* l : {main->findChild<QListWidget*>("lstSprachen"),
                                  main->findChild<QListWidget*>("lstLektionen")}) {
                QStringList texts;
                for (int i = 0; i < l->count(); ++i)
                    texts.append(l->item(i)->text() + (i == l->currentRow() ? "*" : ""));
                lists.append(texts.join(','));
            }
            return lists.join(" / ") + " | " + main->findChild<QPushButton*>("BtnGo")->toolTip();
        };
        QCOMPARE(view(), " /  | Startet die gewählte Lektion in der gewählten Sprache");
        // Without a language or a lesson every command says what is missing (and a forbidden name
        // below, what is wrong with it).
        p.messages.queueOk(10);
        for (const char* command : {"mnuLektionEdit", "mnuTitleLektion", "mnuLektionDelete",
                                    "mnuLektionExport", "mnuVokabellisteDrucken", "mnuNeueLektion",
                                    "mnuTitleSprache", "mnuSpracheDelete", "mnuLektionImport"})
            trigger(command);
        QCOMPARE(p.messages.texts(),
                 QStringList(5, "Es ist keine Lektion vorhanden !")
                     + QStringList(4, "Zuerst eine Sprache bestimmen !!!"));

        type("mnuNeueSprache", "Englisch");
        type("mnuNeueLektion", "Verben");
        type("mnuNeueSprache", "Dänisch");
        type("mnuNeueSprache", ""); // cancelled: nothing changes, nothing is said
        type("mnuNeueSprache", "Eng,lisch");
        run("mnuSpracheDelete", ui::Answer::No);
        QCOMPARE(p.messages.texts().last(), "Soll die Sprache Dänisch wirklich gelöscht werden ?");
        QCOMPARE(view(), "Dänisch*,Englisch /  | Startet Lektion \"\" der Sprache Dänisch");

        // The chosen lesson goes out as KVTML and to the printer, and comes in again as a new lesson;
        // a file that cannot be read is refused before anything is asked.
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        p.writeScrambled("anna/Englisch/U1",
                         {"house\\\\Haus\\\\\\r", "kaputt", "the\\\\der;die;das\\\\\\f"});
        p.files.queue(p.path("Liste"), exchange::KvtmlFilter);
        run("mnuLektionExport", ui::Answer::Ok);
        QCOMPARE(p.messages.texts().last(),
                 "Die Lektion \"Verben\" wurde mit 2 Wortpaaren in die Datei \""
                     + p.path("Liste.kvtml") + "\" exportiert.");
        trigger("mnuVokabellisteDrucken");
        QCOMPARE(p.printer.printedDocuments.value(0).lines.last().secondColumn, "der; die; das");
        // The exported file imported under a name of its own.
        const auto importAs = [&](const QString& name) {
            p.files.queue(p.path("Liste.kvtml"));
            QTimer::singleShot(0, [name] {
                QApplication::activeModalWidget()
                    ->findChild<QLineEdit*>("txtLektionsname")
                    ->setText(name);
                QApplication::activeModalWidget()
                    ->findChild<QPushButton*>("cmdImportieren")
                    ->click();
            });
            run("mnuLektionImport", ui::Answer::Ok);
        };
        importAs("Kopie");
        QCOMPARE(p.messages.texts().last(),
                 QStringLiteral(
                     "Die Lektion \"Kopie\" wurde angelegt.\n2 Wortpaare wurden importiert."));
        QCOMPARE(p.bytes("anna/Englisch/U2"),
                 testing::TestProgram::scrambledBytes(
                     {"house\\\\Haus\\\\\\f", "the\\\\der;die;das\\\\\\f"}));
        QCOMPARE(
            view(),
            "Dänisch,Englisch* / Verben*,Kopie | Startet Lektion \"Verben\" der Sprache Englisch");
        p.files.queue(p.path("anna"));
        run("mnuLektionImport", ui::Answer::Ok);
        QVERIFY(p.messages.shown.last().icon == ui::Icon::Exclamation);
        // A save that fails names the lesson as the user called it, not its file.
        QVERIFY(QDir(p.dir()).rename("anna/Englisch", "anna/weg"));
        importAs("Neu");
        QCOMPARE(p.messages.texts().last(),
                 "Die Lektion \"Neu\" konnte nicht gespeichert werden (das Verzeichnis "
                 "fehlt).\nSie wurde nicht angelegt.");
        QVERIFY(p.messages.shown.last().icon == ui::Icon::Stop);
        QVERIFY(QDir(p.dir()).rename("anna/weg", "anna/Englisch"));

        // No keeps the screen and every file; Yes removes only the "tm" files directly in the user
        // and program directories.
        for (const char* name : {"tmErgShow", "anna/Englisch/tmpU3", "anna/tmpU9"})
            p.writePlain(name, {"x"});
        p.messages.queue(ui::Answer::No);
        main->close();
        QVERIFY(testing::TestProgram::shown<frmMain>() && p.exists("anna/tmpU9"));
        p.messages.queue(ui::Answer::Yes);
        main->findChild<QPushButton*>("btnEnd")->click();
        QVERIFY(p.end.requests == 1
                && p.messages.texts().last() == "Wollen Sie wirklich beenden ?");
        QCOMPARE((p.entries() + p.entries("anna") + p.entries("anna/Englisch")).join(","),
                 "Liste.kvtml,anna,Dänisch,Englisch,LSp1,LSp2,Spr.dat,U1,U2,tmpU3");
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
