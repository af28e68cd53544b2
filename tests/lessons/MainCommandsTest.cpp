#include "MainSession.h"

#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>

using testing::TestProgram;

class MainCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void twoLanguagesWithLessonsFromScratch()
    {
        MainSession s;
        QVERIFY(s.load());
        frmMain* main = s.main;
        s.type(main->mnuNeueSprache, "Englisch");
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.bytes("tmpSpr.dat"), TestProgram::plainBytes({"Englisch\\\\LSp1"}));
        QCOMPARE(s.entries(), (QStringList{"Englisch", "LSp1", "Spr.dat", "tmpSpr.dat"}));
        QCOMPARE(s.bytes("LSp1") + s.entries("Englisch").join(""), QByteArray());
        QCOMPARE(MainSession::chosen(main->lstSprachen), QStringLiteral("Englisch"));

        s.type(main->mnuNeueLektion, "Lektion 1");
        s.type(main->mnuNeueLektion, "Lektion 2");
        QCOMPARE(s.bytes("LSp1"), TestProgram::scrambledBytes({"Lektion 1\\\\U1", "Lektion 2\\\\U2"}));
        QCOMPARE(MainSession::items(main->lstLektionen), (QStringList{"Lektion 1", "Lektion 2"}));
        QCOMPARE(MainSession::chosen(main->lstLektionen), QStringLiteral("Lektion 1"));

        // Umlauts survive; the list is sorted again with its first language chosen.
        s.type(main->mnuNeueSprache, "Dänisch");
        s.type(main->mnuNeueLektion, "Grüße");
        s.type(main->mnuNeueSprache, ""); // Cancel: nothing changes, nothing is said
        QCOMPARE(s.lines("Spr.dat"), (QStringList{"Englisch\\\\LSp1", "Dänisch\\\\LSp2"}));
        QCOMPARE(s.lines("LSp2"), QStringList{"Grüße\\\\U3"});
        QCOMPARE(MainSession::items(main->lstSprachen), (QStringList{"Dänisch", "Englisch"}));
        QCOMPARE(s.program.messages.shown.size(), 0);
    }

    void numbersRiseAndAreNotReusedWhileLoaded()
    {
        MainSession s;
        s.put("Spr.dat", {"Französisch\\\\LSp7", "Englisch\\\\LSp2"});
        s.put("LSp2", {"a\\\\U1", "b\\\\U2", "c\\\\U3"});
        s.put("LSp7", {"z\\\\U9"});
        QVERIFY(s.load());
        s.type(s.main->mnuNeueSprache, "Aaa");
        QCOMPARE(s.lines("Spr.dat").last(), QStringLiteral("Aaa\\\\LSp8"));
        s.confirm(s.main->mnuSpracheDelete);
        s.type(s.main->mnuNeueSprache, "Abc");
        QCOMPARE(s.lines("Spr.dat").last(), QStringLiteral("Abc\\\\LSp9"));
        s.confirm(s.main->mnuSpracheDelete);

        // U10 once the list holding U9 has been shown, whichever language gets the lesson.
        MainSession::choose(s.main->lstSprachen, "Französisch");
        MainSession::choose(s.main->lstSprachen, "Englisch");
        s.type(s.main->mnuNeueLektion, "d");
        QCOMPARE(s.lines("LSp2").last(), QStringLiteral("d\\\\U10"));

        // A fresh load counts from the files again.
        s.program.messages.queue(ui::Answer::Yes);
        s.main->close();
        s.program.writePlain("tmpUsr", {"anna"});
        QVERIFY(s.load());
        s.type(s.main->mnuNeueSprache, "Ccc");
        QCOMPARE(s.lines("Spr.dat").last(), QStringLiteral("Ccc\\\\LSp8"));

        // Beyond the 16-bit range, and a refusal at the very top.
        s.put("Spr.dat", {"Alt\\\\LSp32767"});
        s.main->Fuelle_Sprachen();
        s.type(s.main->mnuNeueSprache, "Neu");
        QCOMPARE(s.lines("Spr.dat").last(), QStringLiteral("Neu\\\\LSp32768"));
        s.put("Spr.dat", {"Voll\\\\LSp2147483647"});
        s.main->Fuelle_Sprachen();
        s.program.messages.queueOk();
        s.type(s.main->mnuNeueSprache, "Noch");
        QVERIFY(s.program.messages.shown.last().text.startsWith("Es können keine weiteren Sprachen"));
        QCOMPARE(s.lines("Spr.dat"), QStringList{"Voll\\\\LSp2147483647"});
        QVERIFY(!s.entries().contains("Noch"));
    }

    void refusedNamesWriteNothing()
    {
        MainSession s;
        s.put("Spr.dat", {"Englisch\\\\LSp1"});
        s.put("LSp1", {"Lektion 1\\\\U1", "Lektion 2\\\\U2"});
        QVERIFY(s.load());
        const QStringList before = s.entries();
        const QByteArray files = s.bytes("Spr.dat") + s.bytes("LSp1");
        s.program.messages.queueOk(6);
        s.type(s.main->mnuNeueSprache, "Eng,lisch");
        s.type(s.main->mnuNeueSprache, "Englisch");
        s.type(s.main->mnuNeueSprache, "LSp4");
        s.type(s.main->mnuTitleSprache, "Spr\tx");
        s.type(s.main->mnuNeueLektion, "Lektion 2");
        s.type(s.main->mnuTitleLektion, "Lektion 2");
        s.type(s.main->mnuTitleSprache, "Englisch"); // its own name: nothing to do or say
        const QString twice = "Die Lektion ist bereits vorhanden !";
        QCOMPARE(s.program.messages.texts(),
                 (QStringList{"Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#@^ sind nicht erlaubt !",
                              "Die Sprache ist bereits vorhanden !",
                              lessons::languageNameMessage("LSp4", {}, {}),
                              store::unstorableTextMessage("Spr\tx"), twice, twice}));
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("LSp1"), files);
        QCOMPARE(s.entries(), before);
    }

    void renamingAndDeletingLanguages()
    {
        MainSession s;
        s.put("Spr.dat", {"Englisch\\\\LSp1", "Eng\\\\LSp2", "Spanisch\\\\LSp3"});
        s.put("LSp1", {"Vokabeln\\\\U1"});
        s.put("LSp2", {"Kurz\\\\U2"});
        s.program.writePlain("anna/Englisch/U1", {"x"});
        s.program.writePlain("anna/Eng/U2", {"y"});
        s.program.writePlain("anna/Eng/EU2", {"z"});
        QDir().mkpath(s.program.path("anna/Altlast"));
        QVERIFY(s.load());
        frmMain* main = s.main;

        // A directory of the new name already there: told, nothing changed.
        MainSession::choose(main->lstSprachen, "Englisch");
        s.program.messages.queueOk();
        s.type(main->mnuTitleSprache, "Altlast");
        QCOMPARE(s.program.messages.shown.last().text,
                 QStringLiteral("Die Sprache Englisch kann nicht in Altlast umbenannt werden, da das "
                                "Verzeichnis \"Altlast\" bereits vorhanden ist !"));
        QCOMPARE(s.lines("Spr.dat").first(), QStringLiteral("Englisch\\\\LSp1"));

        // The second language renamed: key, lessons and other lines kept; the first chosen.
        MainSession::choose(main->lstSprachen, "Englisch");
        s.type(main->mnuTitleSprache, "Britisch");
        QCOMPARE(s.program.input.asked.last().prompt, QStringLiteral("Geben Sie die neue Bezeichnung der Sprache Englisch ein:"));
        const QStringList renamed = {"Britisch\\\\LSp1", "Eng\\\\LSp2", "Spanisch\\\\LSp3"};
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes(renamed));
        QCOMPARE(s.bytes("tmpSpr.dat"), TestProgram::plainBytes(renamed));
        QCOMPARE(s.entries("Britisch"), QStringList{"U1"});
        QCOMPARE(MainSession::chosen(main->lstSprachen), QStringLiteral("Britisch"));
        QCOMPARE(MainSession::items(main->lstLektionen), QStringList{"Vokabeln"});

        // Deleting Eng leaves Britisch (once Englisch) alone; No first changes nothing.
        MainSession::choose(main->lstSprachen, "Eng");
        s.confirm(main->mnuSpracheDelete, ui::Answer::No);
        QCOMPARE(s.program.messages.shown.last().text, QStringLiteral("Soll die Sprache Eng wirklich gelöscht werden ?"));
        QCOMPARE(s.lines("Spr.dat"), renamed);
        s.confirm(main->mnuSpracheDelete);
        QCOMPARE(s.bytes("Spr.dat"), TestProgram::scrambledBytes({"Britisch\\\\LSp1", "Spanisch\\\\LSp3"}));
        QCOMPARE(s.entries(), (QStringList{"Altlast", "Britisch", "LSp1", "Spr.dat", "tmpSpr.dat"}));

        // With the last language gone, the start button names none.
        s.confirm(main->mnuSpracheDelete);
        s.confirm(main->mnuSpracheDelete);
        QCOMPARE(main->lstSprachen->count() + main->lstLektionen->count(), 0);
        QCOMPARE(main->txtLektDatei->text(), QString());
        QCOMPARE(main->BtnGo->toolTip(), QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache"));
        QCOMPARE(s.entries(), (QStringList{"Altlast", "Spr.dat", "tmpSpr.dat"}));
    }

    void renamingAndDeletingLessonsInTheSecondLanguage()
    {
        MainSession s;
        s.put("Spr.dat", {"Latein\\\\LSp2", "Deutsch\\\\LSp1"});
        s.put("LSp1", {"Grammatik\\\\U1"});
        s.put("LSp2", {"Lektion 1\\\\U3", "Lektion 10\\\\U4", "Lektion 2\\\\U5"});
        for (const char* file : {"anna/Latein/U3", "anna/Latein/EU3", "anna/Latein/U4"})
            s.program.writePlain(file, {"x"});
        QVERIFY(s.load());
        frmMain* main = s.main;

        MainSession::choose(main->lstSprachen, "Latein");
        s.type(main->mnuTitleLektion, "Anfang");
        QCOMPARE(s.bytes("LSp2"), TestProgram::scrambledBytes({"Anfang\\\\U3", "Lektion 10\\\\U4", "Lektion 2\\\\U5"}));
        QCOMPARE(MainSession::chosen(main->lstSprachen), QStringLiteral("Deutsch"));
        QCOMPARE(MainSession::chosen(main->lstLektionen), QStringLiteral("Grammatik"));

        // The lesson file and its results go with it; a never opened lesson goes silently.
        MainSession::choose(main->lstSprachen, "Latein");
        s.confirm(main->mnuLektionDelete);
        QCOMPARE(s.program.messages.shown.last().text, QStringLiteral("Soll die Lektion Anfang wirklich gelöscht werden ?"));
        QCOMPARE(s.bytes("LSp2"), TestProgram::scrambledBytes({"Lektion 10\\\\U4", "Lektion 2\\\\U5"}));
        QCOMPARE(s.entries("Latein"), QStringList{"U4"});
        QCOMPARE(MainSession::chosen(main->lstSprachen), QStringLiteral("Deutsch"));
        MainSession::choose(main->lstSprachen, "Latein");
        MainSession::choose(main->lstLektionen, "Lektion 2");
        s.confirm(main->mnuLektionDelete);
        QCOMPARE(s.lines("LSp2"), QStringList{"Lektion 10\\\\U4"});
        QCOMPARE(s.program.messages.shown.size(), 2);
    }

    void aFailedSaveKeepsTheOldFiles()
    {
        MainSession s;
        s.put("Spr.dat", {"Latein\\\\LSp1", "Zulu\\\\LSp2"});
        s.put("LSp1", {"Verben\\\\U1"});
        QVERIFY(s.load());
        const QStringList entries = s.entries();
        const QByteArray files = s.bytes("Spr.dat") + s.bytes("LSp1");
        store::TextFile::setWriteFailureAfter(0);
        s.program.messages.queueOk(2);
        s.program.messages.queue(ui::Answer::Yes);
        s.program.messages.queueOk(4);
        s.type(s.main->mnuNeueSprache, "Griechisch");
        s.type(s.main->mnuTitleSprache, "Altlatein");
        s.main->mnuSpracheDelete->trigger();
        s.type(s.main->mnuNeueLektion, "Nomen");
        s.type(s.main->mnuTitleLektion, "Substantive");
        s.main->BtnGo->click();
        store::TextFile::setWriteFailureAfter(-1);

        int failures = 0;
        for (const auto& m : s.program.messages.shown)
            failures += m.title == store::ErrorTitle && m.icon == ui::Icon::Stop;
        QCOMPARE(failures, 6);
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("LSp1"), files);
        QCOMPARE(s.entries(), entries);
        QVERIFY(s.main->isVisible() && s.main->isEnabled());
        QCOMPARE(MainSession::items(s.main->lstSprachen), (QStringList{"Latein", "Zulu"}));
    }

    void namesFromDamagedFilesNeverLeaveTheTree()
    {
        MainSession s;
        s.program.writePlain("PK.dat", {"x"});
        s.put("Spr.dat", {"..\\\\LSp1", "Gut\\\\../PK.dat", "Ohne Schlüssel", "Sicher\\\\LSp1"});
        s.put("LSp1", {"Lektion\\\\../../PK.dat"});
        QVERIFY(s.load());
        frmMain* main = s.main;

        s.program.messages.queueOk(7);
        main->mnuSpracheDelete->trigger(); // ".." comes first
        main->mnuTitleSprache->trigger();
        main->BtnGo->click();
        MainSession::choose(main->lstSprachen, "Gut");
        QCOMPARE(main->lstLektionen->count(), 0);
        main->mnuNeueLektion->trigger();
        main->mnuSpracheDelete->trigger();
        MainSession::choose(main->lstSprachen, "Sicher");
        main->BtnGo->click();
        main->mnuLektionDelete->trigger();
        const QStringList texts = s.program.messages.texts();
        QCOMPARE(texts.mid(0, 3), QStringList(3, store::unsafeNameMessage("..")));
        QVERIFY(texts[3].contains("keinen gültigen Schlüssel") && texts[4] == texts[3]);
        QVERIFY(texts[5].startsWith("Die Lektionsliste enthält für die Lektion \"Lektion\" keinen gültigen Schlüssel"));
        QCOMPARE(texts[6], texts[5]);

        // A line without a key shows no lessons and can still be removed.
        MainSession::choose(main->lstSprachen, "Ohne Schlüssel");
        s.confirm(main->mnuSpracheDelete);
        QCOMPARE(s.lines("Spr.dat"), (QStringList{"..\\\\LSp1", "Gut\\\\../PK.dat", "Sicher\\\\LSp1"}));
        QCOMPARE(s.program.bytes("PK.dat"), TestProgram::plainBytes({"x"}));
        QCOMPARE(s.program.entries(), (QStringList{"PK.dat", "anna", "tmpUsr"}));
        QVERIFY(!s.entries().contains("tmpEdit"));
    }
};

QTEST_MAIN(MainCommandsTest)
#include "MainCommandsTest.moc"
