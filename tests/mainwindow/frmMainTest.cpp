#include "mainwindow/frmMain.h"
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
    void trigger(const char* command) { main->findChild<QAction*>(command)->trigger(); }
    void type(const char* command, const QString& text)
    {
        p.input.queue(text);
        trigger(command);
    }
    void answer(const char* command, ui::Answer answer)
    {
        p.messages.queue(answer);
        trigger(command);
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
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("txtLektionsname")->setText(name);
            dialog->findChild<QPushButton*>("cmdImportieren")->click();
        });
        answer("mnuLektionImport", ui::Answer::Ok);
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
        s.type("mnuNeueSprache", "Englisch");
        s.type("mnuNeueLektion", "Verben");
        s.type("mnuNeueSprache", "Dänisch");
        s.type("mnuNeueSprache", "");
        s.answer("mnuSpracheDelete", ui::Answer::No);
        QCOMPARE(s.p.messages.texts(),
                 QStringList{"Soll die Sprache Dänisch wirklich gelöscht werden ?"});
        QCOMPARE(s.texts("lstSprachen"), (QStringList{"Dänisch", "Englisch"}));
        QCOMPARE(s.goTip(), "Startet Lektion \"\" der Sprache Dänisch");
        s.main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        QCOMPARE(s.texts("lstLektionen"), QStringList{"Verben"});
        QCOMPARE(s.goTip(), "Startet Lektion \"Verben\" der Sprache Englisch");
    }

    // The chosen lesson goes out as KVTML and to the printer, and comes in again as a new lesson.
    void lessonsGoOutAndComeIn()
    {
        MainScreen s;
        s.type("mnuNeueSprache", "Englisch");
        s.type("mnuNeueLektion", "Verben");
        s.p.writeScrambled("anna/Englisch/U1",
                           {"house\\\\Haus\\\\\\r", "kaputt", "the\\\\der;die;das\\\\\\f"});
        s.p.files.queue(s.p.path("Liste"), exchange::KvtmlFilter);
        s.answer("mnuLektionExport", ui::Answer::Ok);
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Verben\" wurde mit 2 Wortpaaren in die Datei \""
                     + s.p.path("Liste.kvtml") + "\" exportiert.");
        s.trigger("mnuVokabellisteDrucken");
        QCOMPARE(s.p.printer.printedDocuments.value(0).lines.last().secondColumn, "der; die; das");

        s.importAs(s.p.path("Liste.kvtml"), "Kopie");
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Kopie\" wurde angelegt.\n2 Wortpaare wurden importiert.");
        QCOMPARE(s.p.bytes("anna/Englisch/U2"),
                 testing::TestProgram::scrambledBytes(
                     {"house\\\\Haus\\\\\\f", "the\\\\der;die;das\\\\\\f"}));
        QCOMPARE(s.texts("lstLektionen"), (QStringList{"Verben", "Kopie"}));
        // A file that cannot be read is refused before anything is asked.
        s.p.files.queue(s.p.path("anna"));
        s.answer("mnuLektionImport", ui::Answer::Ok);
        QCOMPARE(s.p.messages.shown.last().icon, ui::Icon::Exclamation);
        // A save that fails names the lesson as the user called it, not its file.
        QVERIFY(QDir(s.p.dir()).rename("anna/Englisch", "anna/weg"));
        s.importAs(s.p.path("Liste.kvtml"), "Neu");
        QCOMPARE(s.p.messages.texts().last(),
                 "Die Lektion \"Neu\" konnte nicht gespeichert werden (das Verzeichnis "
                 "fehlt).\nSie wurde nicht angelegt.");
        QCOMPARE(s.p.messages.shown.last().icon, ui::Icon::Stop);
    }

    // No keeps the screen and every file; Yes removes only the "tm" files directly in the user
    // and program directories.
    void theEndIsAskedFor()
    {
        MainScreen s;
        for (const char* name : {"tmErgShow", "anna/Englisch/tmpU3", "anna/tmpU9"})
            s.p.writePlain(name, {"x"});
        s.p.messages.queue(ui::Answer::No);
        s.main->close();
        QVERIFY(testing::TestProgram::shown<mainwindow::frmMain>());
        QVERIFY(s.p.exists("anna/tmpU9"));
        s.p.messages.queue(ui::Answer::Yes);
        s.main->findChild<QPushButton*>("btnEnd")->click();
        QCOMPARE(s.p.end.requests, 1);
        QCOMPARE(s.p.messages.texts().last(), "Wollen Sie wirklich beenden ?");
        QCOMPARE(s.p.entries() + s.p.entries("anna") + s.p.entries("anna/Englisch"),
                 (QStringList{"anna", "Englisch", "Spr.dat", "tmpU3"}));
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
