#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "store/TextRules.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using testing::TestProgram;

namespace {

const QString GoTip = QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache");

// The user "anna" signed in; file names are those of the user directory.
struct Session
{
    TestProgram program;
    frmMain* main = nullptr;

    Session() { program.writePlain("tmpUsr", {"anna"}); }
    void put(const QString& name, const QStringList& lines) const { program.writeScrambled(in(name), lines); }
    QStringList lines(const QString& name) const { return program.readScrambled(in(name)); }
    QByteArray bytes(const QString& name) const { return program.bytes(in(name)); }
    QStringList entries(const QString& name = {}) const { return program.entries(in(name)); }
    // The text of the last message shown.
    QString said() const { return program.messages.texts().value(program.messages.shown.size() - 1); }
    static QString in(const QString& name) { return "anna/" + name; }
    bool load() { program.screens().showMain(); return (main = TestProgram::shown<frmMain>()) != nullptr; }
    // Runs a command, answering its input box or its question.
    void type(QAction* command, const QString& text) { program.input.queue(text); command->trigger(); }
    void confirm(QAction* c, ui::Answer a = ui::Answer::Yes) { program.messages.queue(a); c->trigger(); }
    static void choose(QListWidget* l, const QString& t) { l->setCurrentItem(l->findItems(t, Qt::MatchExactly).value(0)); }
    // Both lists as "Dänisch*,Englisch / Lektion 1*": entries in order, the chosen one starred.
    QString view() const { return listed(main->findChild<QListWidget*>("lstSprachen")) + " / " + listed(main->findChild<QListWidget*>("lstLektionen")); }
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
    // A new user's session: languages and lessons made, a lesson opened to learn and to edit,
    // and the end of the program.
    void aSessionFromScratchToTheEnd()
    {
        Session s;
        QVERIFY(s.load());
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("tmpSpr.dat"), QByteArray());
        QCOMPARE(s.view() + s.main->findChild<QPushButton*>("BtnGo")->toolTip(), " / " + GoTip);
        // Without a language or a lesson every command says what is missing and writes nothing.
        s.program.messages.queueOk(7);
        s.main->findChild<QPushButton*>("BtnGo")->click();
        for (QAction* command : {s.main->findChild<QAction*>("mnuLektionEdit"), s.main->findChild<QAction*>("mnuTitleLektion"), s.main->findChild<QAction*>("mnuLektionDelete"),
                                 s.main->findChild<QAction*>("mnuNeueLektion"), s.main->findChild<QAction*>("mnuTitleSprache"), s.main->findChild<QAction*>("mnuSpracheDelete")})
            command->trigger();
        QCOMPARE(s.program.messages.texts(), QStringList(4, "Es ist keine Lektion vorhanden !")
                                                 + QStringList(3, "Zuerst eine Sprache bestimmen !!!"));
        QCOMPARE(s.program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
        s.program.messages.shown.clear();

        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), "Englisch");
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.bytes("tmpSpr.dat"), TestProgram::plainBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.entries(), (QStringList{"Englisch", "LSp1", "Spr.dat", "tmpSpr.dat"}));
        QCOMPARE(s.bytes("LSp1") + s.entries("Englisch").join(""), QByteArray());
        s.type(s.main->findChild<QAction*>("mnuNeueLektion"), "Verben");
        s.type(s.main->findChild<QAction*>("mnuNeueLektion"), "Adjektive");
        QCOMPARE(s.bytes("LSp1"), TestProgram::scrambledBytes({"Verben\\\\U1", "Adjektive\\\\U2"}));
        QCOMPARE(s.view(), QStringLiteral("Englisch* / Verben*,Adjektive")); // in file order

        // Umlauts survive; lesson numbers go on across languages; German order, case ignored.
        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), "Dänisch");
        s.type(s.main->findChild<QAction*>("mnuNeueLektion"), "Grüße");
        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), "ägyptisch");
        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), ""); // Cancel: nothing changes, nothing is said
        QCOMPARE(s.lines("Spr.dat") + s.lines("LSp2"),
                 (QStringList{"Englisch\\\\LSp1", "Dänisch\\\\LSp2", "ägyptisch\\\\LSp3", "Grüße\\\\U3"}));
        QCOMPARE(s.view(), QStringLiteral("ägyptisch*,Dänisch,Englisch / "));
        QCOMPARE(s.main->findChild<QPushButton*>("BtnGo")->toolTip(), QStringLiteral("Startet Lektion \"\" der Sprache ägyptisch"));

        // The start button names the chosen lesson; learning and editing hand it over and hide
        // the screen until it is given back.
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Englisch");
        Session::choose(s.main->findChild<QListWidget*>("lstLektionen"), "Adjektive");
        QCOMPARE(s.main->findChild<QPushButton*>("BtnGo")->toolTip(), QStringLiteral("Startet Lektion \"Adjektive\" der Sprache Englisch"));
        QVERIFY(s.main->findChild<QLineEdit*>("txtLektDatei")->text() == "LSp1" && !s.main->findChild<QLineEdit*>("txtLektDatei")->isVisible());
        QVERIFY(!s.main->findChild<QPushButton*>("BtnGo")->icon().isNull() && !s.main->findChild<QPushButton*>("btnEnd")->icon().isNull());
        s.main->findChild<QPushButton*>("BtnGo")->click();
        QCOMPARE(s.bytes("tmpEdit"), TestProgram::plainBytes({"Englisch", "Adjektive", "U2"}));
        QVERIFY(!s.main->isVisible() && !s.main->isEnabled() && TestProgram::shown<frmPaukomat>());
        s.program.screens().restoreMain();
        QCOMPARE(s.view(), QStringLiteral("ägyptisch,Dänisch,Englisch* / Verben,Adjektive*"));
        s.main->findChild<QAction*>("mnuLektionEdit")->trigger();
        QVERIFY(!s.main->isVisible() && TestProgram::shown<frmEditUnit>());
        s.program.screens().restoreMain();

        // No, by the button and by the frame, keeps every file; Yes removes only the "tm" files
        // directly in the user and program directories.
        for (const char* name : {"PK.dat", "tmErgShow", "anna/Dänisch/tmpU3"})
            s.program.writePlain(name, {"x"});
        const QStringList before = s.entries() + s.program.entries();
        s.program.messages.queue(ui::Answer::No);
        s.program.messages.queue(ui::Answer::No);
        s.main->findChild<QPushButton*>("btnEnd")->click();
        s.main->close();
        QVERIFY(TestProgram::shown<frmMain>() && s.program.end.requests == 0);
        QCOMPARE(s.entries() + s.program.entries(), before);
        QCOMPARE(s.program.messages.texts(), QStringList(2, "Wollen Sie wirklich beenden ?"));
        QCOMPARE(s.program.messages.shown.last().buttons, ui::Buttons::YesNo);
        s.program.messages.queue(ui::Answer::Yes);
        s.main->close();
        QVERIFY(!TestProgram::shown<frmMain>() && s.program.end.requests == 1);
        QCOMPARE(s.entries() + s.program.entries() + s.entries("Dänisch"),
                 (QStringList{"Dänisch", "Englisch", "LSp1", "LSp2", "LSp3", "Spr.dat", "ägyptisch",
                              "PK.dat", "anna", "tmpU3"}));
    }

    void keyNumbersRiseAndAreNotReusedWhileLoaded()
    {
        Session s;
        s.put("Spr.dat", {"Französisch\\\\LSp7", "Englisch\\\\LSp2"});
        s.put("LSp7", {"z\\\\U9"});
        QVERIFY(s.load());
        for (const QString key : {"Aaa\\\\LSp8", "Abc\\\\LSp9"}) { // the highest goes, is not reused
            s.type(s.main->findChild<QAction*>("mnuNeueSprache"), key.left(3));
            QCOMPARE(s.lines("Spr.dat").last(), key);
            s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        }
        // U10 once the list holding U9 has been shown, whichever language gets the lesson.
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Französisch");
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Englisch");
        s.type(s.main->findChild<QAction*>("mnuNeueLektion"), "d");
        QCOMPARE(s.lines("LSp2").last(), QStringLiteral("d\\\\U10"));

        // A fresh load counts from the files again; far past the 16-bit range up to the top,
        // where no further key is given.
        QVERIFY(s.main->Form_Load());
        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), "Ccc");
        QCOMPARE(s.lines("Spr.dat").last(), QStringLiteral("Ccc\\\\LSp8"));
        s.put("Spr.dat", {"Voll\\\\LSp2147483647"});
        s.main->Fuelle_Sprachen();
        s.program.messages.queueOk();
        s.type(s.main->findChild<QAction*>("mnuNeueSprache"), "Noch");
        QVERIFY(s.said().startsWith("Es können keine weiteren Sprachen angelegt werden"));
        QCOMPARE(s.lines("Spr.dat"), QStringList{"Voll\\\\LSp2147483647"});
    }

    void renamingAndDeletingLanguagesAndLessons()
    {
        Session s;
        s.put("Spr.dat", {"Englisch\\\\LSp1", "Eng\\\\LSp2", "Xhosa\\\\LSp3"});
        s.put("LSp1", {"Vokabeln\\\\U1"});
        s.put("LSp2", {"Lektion 1\\\\U3", "Lektion 10\\\\U4", "Lektion 2\\\\U5"});
        for (const char* file : {"Englisch/U1", "Eng/U3", "Eng/EU3", "Eng/U4", "Xhosa/U6"})
            s.program.writePlain(Session::in(file), {"x"});
        QDir().mkpath(s.program.path("anna/Altlast"));
        QVERIFY(s.load());

        // Refused names write nothing; renaming to the present name does nothing.
        const QByteArray files = s.bytes("Spr.dat") + s.bytes("LSp2") + s.entries().join(',').toUtf8();
        s.program.messages.queueOk(7);
        for (const char* name : {"Eng,lisch", "Englisch", "LSp4"})
            s.type(s.main->findChild<QAction*>("mnuNeueSprache"), name);
        for (const char* name : {"Spr\tx", "Altlast", "Eng"})
            s.type(s.main->findChild<QAction*>("mnuTitleSprache"), name);
        s.type(s.main->findChild<QAction*>("mnuNeueLektion"), "Lektion 2");
        s.type(s.main->findChild<QAction*>("mnuTitleLektion"), "Lektion 10");
        const QString twice = "Die Lektion ist bereits vorhanden !";
        QCOMPARE(s.program.messages.texts(),
                 (QStringList{"Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !",
                              "Die Sprache ist bereits vorhanden !", lessons::languageNameMessage("LSp4", {}, {}),
                              store::unstorableTextMessage("Spr\tx"),
                              "Die Sprache Eng kann nicht in Altlast umbenannt werden, da das Verzeichnis "
                              "\"Altlast\" bereits vorhanden ist !", twice, twice}));
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("LSp2") + s.entries().join(',').toUtf8(), files);

        // Lessons of Eng, not of Englisch: renamed with their keys, deleted with their lesson
        // and result files; one never opened goes with its line only.
        s.type(s.main->findChild<QAction*>("mnuTitleLektion"), "Anfang");
        QCOMPARE(s.bytes("LSp2"),
                 TestProgram::scrambledBytes({"Anfang\\\\U3", "Lektion 10\\\\U4", "Lektion 2\\\\U5"}));
        s.confirm(s.main->findChild<QAction*>("mnuLektionDelete"));
        QCOMPARE(s.said(), QStringLiteral("Soll die Lektion Anfang wirklich gelöscht werden ?"));
        Session::choose(s.main->findChild<QListWidget*>("lstLektionen"), "Lektion 2");
        s.confirm(s.main->findChild<QAction*>("mnuLektionDelete"));
        QCOMPARE(s.bytes("LSp2"), TestProgram::scrambledBytes({"Lektion 10\\\\U4"}));
        QCOMPARE(s.entries("Eng"), QStringList{"U4"});

        // Renaming a later language keeps its key, lessons and every other line; the first
        // language is shown afterwards.
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Xhosa");
        s.type(s.main->findChild<QAction*>("mnuTitleSprache"), "Zulu");
        QCOMPARE(s.program.input.asked.last().prompt,
                 QStringLiteral("Geben Sie die neue Bezeichnung der Sprache Xhosa ein:"));
        const QStringList renamed = {"Englisch\\\\LSp1", "Eng\\\\LSp2", "Zulu\\\\LSp3"};
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes(renamed));
        QCOMPARE(s.entries("Zulu"), QStringList{"U6"});
        QCOMPARE(s.view(), QStringLiteral("Eng*,Englisch,Zulu / Lektion 10*"));

        // Deleting Eng: No changes nothing; Yes takes its line, list file and directory only.
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"), ui::Answer::No);
        QCOMPARE(s.said(), QStringLiteral("Soll die Sprache Eng wirklich gelöscht werden ?"));
        QCOMPARE(s.lines("Spr.dat"), renamed);
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes({"Englisch\\\\LSp1", "Zulu\\\\LSp3"}));
        QCOMPARE(s.entries() + s.entries("Englisch"),
                 (QStringList{"Altlast", "Englisch", "LSp1", "LSp3", "Spr.dat", "Zulu", "tmpSpr.dat", "U1"}));
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        QCOMPARE(s.program.messages.shown.size(), 7 + 6); // the refusals, then one question each
        // With the last language gone, the start button names none.
        QCOMPARE(s.view() + s.main->findChild<QLineEdit*>("txtLektDatei")->text() + s.main->findChild<QPushButton*>("BtnGo")->toolTip(), " / " + GoTip);
        QCOMPARE(s.entries(), (QStringList{"Altlast", "Spr.dat", "tmpSpr.dat"}));
    }

    void aLinkedLanguageDirectoryLosesTheLinkOnly()
    {
        Session s;
        QTemporaryDir outside;
        testing::writeFile(outside.filePath("U1"), "fremd\r\n");
        s.put("Spr.dat", {"Englisch\\\\LSp1"});
        QVERIFY(QFile::link(outside.path(), s.program.path("anna/Englisch")));
        QVERIFY(s.load());
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        QCOMPARE(s.entries(), (QStringList{"Spr.dat", "tmpSpr.dat"}));
        QCOMPARE(QDir(outside.path()).entryList(QDir::Files), QStringList{"U1"});
    }

    void namesFromDamagedFilesNeverLeaveTheTree()
    {
        Session s;
        s.program.writePlain("PK.dat", {"x"});
        s.put("Spr.dat", {"..\\\\LSp1", "Gut\\\\../PK.dat", "Ohne Schlüssel", "Sicher\\\\LSp1"});
        s.put("LSp1", {"Lektion\\\\../../PK.dat"});
        QVERIFY(s.load());

        s.program.messages.queueOk(7);
        s.main->findChild<QAction*>("mnuSpracheDelete")->trigger(); // ".." comes first
        s.main->findChild<QAction*>("mnuTitleSprache")->trigger();
        s.main->findChild<QPushButton*>("BtnGo")->click();
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Gut");
        QCOMPARE(s.main->findChild<QListWidget*>("lstLektionen")->count(), 0);
        s.main->findChild<QAction*>("mnuNeueLektion")->trigger();
        s.main->findChild<QAction*>("mnuSpracheDelete")->trigger();
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Sicher");
        s.main->findChild<QPushButton*>("BtnGo")->click();
        s.main->findChild<QAction*>("mnuLektionDelete")->trigger();
        const QStringList texts = s.program.messages.texts();
        QCOMPARE(texts.mid(0, 3), QStringList(3, store::unsafeNameMessage("..")));
        QVERIFY(texts[3].contains("keinen gültigen Schlüssel") && texts[4] == texts[3]);
        QVERIFY(texts[5].startsWith("Die Lektionsliste enthält für die Lektion \"Lektion\" keinen gültigen"));
        QCOMPARE(texts[6], texts[5]);

        // A line without a key shows no lessons and can still be removed.
        Session::choose(s.main->findChild<QListWidget*>("lstSprachen"), "Ohne Schlüssel");
        s.confirm(s.main->findChild<QAction*>("mnuSpracheDelete"));
        QCOMPARE(s.lines("Spr.dat"), (QStringList{"..\\\\LSp1", "Gut\\\\../PK.dat", "Sicher\\\\LSp1"}));
        QCOMPARE(s.program.bytes("PK.dat"), TestProgram::plainBytes({"x"}));
        QCOMPARE(s.entries(), (QStringList{"LSp1", "Spr.dat", "tmpSpr.dat"}));

        // No signed-in name, or one that is no plain name: refused before anything is made.
        for (const char* name : {"", ".."}) {
            s.program.writePlain("tmpUsr", {name});
            s.program.messages.queueOk();
            QVERIFY(!s.main->Form_Load());
        }
        QCOMPARE(s.program.messages.texts().mid(8),
                 (QStringList{"Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !",
                              store::unsafeNameMessage("..")}));
        QCOMPARE(s.program.entries(), (QStringList{"PK.dat", "anna", "tmpUsr"}));
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
