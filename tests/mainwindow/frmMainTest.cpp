#include "mainwindow/frmMain.h"
#include "TestProgram.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The main screen shown for "anna".
struct MainScreen
{
    testing::TestProgram p;
    mainwindow::frmMain* main;

    MainScreen()
    {
        p.writePlain("tmpUsr", {"anna"});
        p.screens().showMain();
        main = testing::TestProgram::shown<mainwindow::frmMain>();
    }
    // Runs a menu command; a text given is typed into the box it asks with.
    void trigger(const char* command, const QString& typed = {})
    {
        if (!typed.isNull())
            p.input.queue(typed);
        main->findChild<QAction*>(command)->trigger();
    }
    QStringList texts(const char* list) const
    {
        QStringList texts;
        for (const auto* item :
             main->findChild<QListWidget*>(list)->findItems("*", Qt::MatchWildcard))
            texts << item->text();
        return texts;
    }
    QString goTip() const { return main->findChild<QPushButton*>("BtnGo")->toolTip(); }
    // Imports the lesson file under the name typed in the import screen.
    void importAs(const QString& file, const QString& name)
    {
        p.files.queue(file);
        QTimer::singleShot(0, [name] {
            auto* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("txtLektionsname")->setText(name);
            dialog->findChild<QPushButton*>("cmdImportieren")->click();
        });
        p.messages.queueOk();
        trigger("mnuLektionImport");
    }
};

} // namespace

class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    void commandsSayWhatIsMissing()
    {
        MainScreen s;
        QCOMPARE(s.goTip(), "Startet die gewählte Lektion in der gewählten Sprache");
        s.p.messages.queueOk(9);
        for (const char* command : {"mnuLektionEdit", "mnuTitleLektion", "mnuLektionDelete",
                                    "mnuLektionExport", "mnuVokabellisteDrucken", "mnuNeueLektion",
                                    "mnuTitleSprache", "mnuSpracheDelete", "mnuLektionImport"})
            s.trigger(command);
        QCOMPARE(s.p.messages.texts(),
                 QStringList(5, "Es ist keine Lektion vorhanden !")
                     + QStringList(4, "Zuerst eine Sprache bestimmen !!!"));
    }

    // A new language is chosen; a cancelled name changes nothing and says nothing.
    void newLanguagesAndLessonsAreShown()
    {
        MainScreen s;
        s.trigger("mnuNeueSprache", "Englisch");
        s.trigger("mnuNeueLektion", "Verben");
        s.trigger("mnuNeueSprache", "Dänisch");
        s.trigger("mnuNeueSprache", "");
        s.p.messages.queue(ui::Answer::No);
        s.trigger("mnuSpracheDelete");
        QCOMPARE(s.p.messages.texts(),
                 QStringList{"Soll die Sprache Dänisch wirklich gelöscht werden ?"});
        QCOMPARE(s.texts("lstSprachen"), (QStringList{"Dänisch", "Englisch"}));
        QCOMPARE(s.goTip(), "Startet Lektion \"\" der Sprache Dänisch");
        s.main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        QCOMPARE(s.texts("lstLektionen"), QStringList{"Verben"});
        QCOMPARE(s.goTip(), "Startet Lektion \"Verben\" der Sprache Englisch");
        s.trigger("mnuTitleLektion", "Nomen");
        QCOMPARE(s.p.input.asked.last().prompt,
                 "Geben Sie die neue Bezeichnung der Lektion Verben ein:");
        s.main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        QCOMPARE(s.texts("lstLektionen"), QStringList{"Nomen"});
    }

    // The chosen lesson goes out as KVTML and to the printer, and comes in again as a new lesson
    // with the boxes of its pairs.
    void lessonsGoOutAndComeIn()
    {
        MainScreen s;
        s.trigger("mnuNeueSprache", "Englisch");
        s.trigger("mnuNeueLektion", "Verben");
        s.p.writeScrambled("anna/Englisch/U1",
                           {"house\\\\Haus\\\\\\r", "kaputt", "the\\\\der;die;das\\\\\\f"});
        s.p.writeScrambled("anna/Englisch/.KU1", {"5\\\\2024-02-29\\\\house"});
        const QString list = s.p.path("Liste.kvtml");
        s.p.files.queue(list);
        s.p.messages.queueOk();
        s.trigger("mnuLektionExport");
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Verben\" wurde mit 2 Wortpaaren in die Datei \"" + list
                     + "\" exportiert.");
        s.trigger("mnuVokabellisteDrucken");
        QCOMPARE(s.p.printer.printedDocuments.size(), 1);

        s.importAs(list, "Kopie");
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Kopie\" wurde angelegt.\n2 Wortpaare wurden importiert.");
        QCOMPARE(s.p.bytes("anna/Englisch/U2"),
                 testing::TestProgram::scrambledBytes(
                     {"house\\\\Haus\\\\\\f", "the\\\\der;die;das\\\\\\f"}));
        QCOMPARE(s.p.bytes("anna/Englisch/.KU2"),
                 testing::TestProgram::scrambledBytes({"5\\\\2024-02-29\\\\house"}));
        // A file that cannot be read is refused before anything is asked.
        s.p.files.queue(s.p.path("anna"));
        s.p.messages.queueOk();
        s.trigger("mnuLektionImport");
        QCOMPARE(s.p.messages.shown.last().icon, ui::Icon::Exclamation);
        // A save that fails names the lesson as the user called it, not its file.
        QVERIFY(QDir(s.p.dir()).rename("anna/Englisch", "anna/weg"));
        s.importAs(list, "Neu");
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Neu\" konnte nicht gespeichert werden (das Verzeichnis "
                 "fehlt).\nSie wurde nicht angelegt.");
    }

    // No keeps the screen and the hand-off files; Yes by the end button removes them and ends.
    void theEndIsAskedFor()
    {
        MainScreen s;
        s.p.messages.queue(ui::Answer::No);
        s.main->close();
        QCOMPARE(s.p.messages.texts(), QStringList{"Wollen Sie wirklich beenden ?"});
        QVERIFY(testing::TestProgram::shown<mainwindow::frmMain>());
        QVERIFY(s.p.exists("tmpUsr"));
        s.p.messages.queue(ui::Answer::Yes);
        s.main->findChild<QPushButton*>("btnEnd")->click();
        QCOMPARE(s.p.end.requests, 1);
        QVERIFY(!s.p.exists("tmpUsr"));
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
