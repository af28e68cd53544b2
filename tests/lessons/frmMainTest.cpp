#include "MainSession.h"

#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "signin/frmLogin.h"

using testing::TestProgram;

class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    void showsSortedLanguagesAndTheLessonsOfTheChosenOne()
    {
        MainSession s;
        const QStringList languages = {"Spanisch\\\\LSp2", "englisch\\\\LSp1", "Ägyptisch\\\\LSp3",
                                       "Eng\\\\LSp4"};
        s.put("Spr.dat", languages);
        s.put("LSp3", {"Zahlen\\\\U5", "Farben\\\\U2"});
        s.put("LSp1", {"Englisch 1\\\\U1"});
        s.put("LSp4", {"Nur Eng\\\\U7"});
        QVERIFY(s.load());
        frmMain* main = s.main;
        QCOMPARE(s.bytes("tmpSpr.dat"), TestProgram::plainBytes(languages));

        // German order, case ignored; the lessons in file order; first of each chosen.
        QCOMPARE(MainSession::items(main->lstSprachen), (QStringList{"Ägyptisch", "Eng", "englisch", "Spanisch"}));
        QCOMPARE(MainSession::chosen(main->lstSprachen), QStringLiteral("Ägyptisch"));
        QCOMPARE(MainSession::items(main->lstLektionen), (QStringList{"Zahlen", "Farben"}));
        QCOMPARE(MainSession::chosen(main->lstLektionen), QStringLiteral("Zahlen"));
        QCOMPARE(main->txtLektDatei->text(), QStringLiteral("LSp3"));
        QVERIFY(!main->txtLektDatei->isVisible());
        QCOMPARE(main->BtnGo->toolTip(), QStringLiteral("Startet Lektion \"Zahlen\" der Sprache Ägyptisch"));
        QTest::mouseClick(main->lstLektionen->viewport(), Qt::LeftButton, {},
                          main->lstLektionen->visualItemRect(main->lstLektionen->item(1)).center());
        QCOMPARE(main->BtnGo->toolTip(), QStringLiteral("Startet Lektion \"Farben\" der Sprache Ägyptisch"));

        // The whole name counts: Eng shows its own lessons, not those of a longer name.
        MainSession::choose(main->lstSprachen, "Eng");
        QCOMPARE(MainSession::items(main->lstLektionen), QStringList{"Nur Eng"});
        // A language without lessons: its list file is made, the lesson name in the tip is empty.
        MainSession::choose(main->lstSprachen, "Spanisch");
        QCOMPARE(main->lstLektionen->count(), 0);
        QVERIFY(s.program.exists("anna/LSp2"));
        QCOMPARE(main->BtnGo->toolTip(), QStringLiteral("Startet Lektion \"\" der Sprache Spanisch"));

        QVERIFY(!main->BtnGo->icon().isNull() && !main->btnEnd->icon().isNull());
    }

    void aNewUserStartsEmptyAndEveryCommandWantsASelection()
    {
        MainSession s;
        QVERIFY(s.load());
        frmMain* main = s.main;
        QCOMPARE(s.entries(), (QStringList{"Spr.dat", "tmpSpr.dat"}));
        QCOMPARE(s.bytes("Spr.dat") + s.bytes("tmpSpr.dat"), QByteArray());
        QCOMPARE(main->lstSprachen->count() + main->lstLektionen->count(), 0);
        QCOMPARE(main->BtnGo->toolTip(), QStringLiteral("Startet die gewählte Lektion in der gewählten Sprache"));

        s.program.messages.queueOk(7);
        main->BtnGo->click();
        for (QAction* command : {main->mnuLektionEdit, main->mnuTitleLektion, main->mnuLektionDelete,
                                 main->mnuNeueLektion, main->mnuTitleSprache, main->mnuSpracheDelete})
            command->trigger();
        const QString none = "Es ist keine Lektion vorhanden !";
        const QString first = "Zuerst eine Sprache bestimmen !!!";
        QCOMPARE(s.program.messages.texts(), (QStringList{none, none, none, none, first, first, first}));
        QCOMPARE(s.program.messages.shown.last().title, QStringLiteral("Paukomat V1.1"));
        QCOMPARE(s.entries(), (QStringList{"Spr.dat", "tmpSpr.dat"}));
    }

    void withoutAUserTheSignInComesBack()
    {
        for (const QString& name : {QString(), QStringLiteral("..")}) {
            TestProgram program;
            if (!name.isNull())
                program.writePlain("tmpUsr", {name});
            program.messages.queueOk();
            program.screens().showMain();
            QVERIFY(!TestProgram::shown<frmMain>());
            QVERIFY(TestProgram::shown<frmLogin>());
            // Only the sign-in screen's own files: no user directory was made.
            QStringList expected{"PK.dat", "tmpPK.dat"};
            if (!name.isNull())
                expected.append("tmpUsr");
            QCOMPARE(program.entries(), expected);
        }
    }

    void openingALessonHandsItOverAndComesBack()
    {
        MainSession s;
        s.put("Spr.dat", {"Latein\\\\LSp1"});
        s.put("LSp1", {"Verben\\\\U4", "Lektion 1\\\\U6"});
        QDir().mkpath(s.program.path("anna/Latein"));
        QVERIFY(s.load());
        frmMain* main = s.main;
        MainSession::choose(main->lstLektionen, "Lektion 1");
        main->BtnGo->click();
        QCOMPARE(s.bytes("tmpEdit"), TestProgram::plainBytes({"Latein", "Lektion 1", "U6"}));
        QVERIFY(!main->isVisible() && !main->isEnabled());
        QVERIFY(TestProgram::shown<frmPaukomat>());
        s.program.screens().restoreMain();
        QVERIFY(main->isVisible() && main->isEnabled());
        QCOMPARE(MainSession::chosen(main->lstLektionen), QStringLiteral("Lektion 1"));

        MainSession::choose(main->lstLektionen, "Verben");
        main->mnuLektionEdit->trigger();
        QCOMPARE(s.bytes("tmpEdit"), TestProgram::plainBytes({"Latein", "Verben", "U4"}));
        QVERIFY(!main->isVisible());
        QVERIFY(TestProgram::shown<frmEditUnit>());
    }

    void endingAsksThenRemovesEveryHandOffFile()
    {
        MainSession s;
        s.program.writePlain("PK.dat", {"x"});
        s.program.writePlain("tmpPK.dat", {"anna", "geheim"});
        s.program.writePlain("tmErgShow", {"x"});
        s.put("Spr.dat", {"Latein\\\\LSp1"});
        s.put("LSp1", {"Verben\\\\U4"});
        s.program.writePlain("anna/tmpEdit", {"Latein", "Verben", "U4"});
        s.program.writePlain("anna/Latein/tmpU4", {"x"});
        QVERIFY(s.load());
        const QStringList before = s.entries() + s.program.entries();

        // No, by the button and by the frame: nothing changes, the window stays; Yes by the
        // frame ends as the button does.
        s.program.messages.queue(ui::Answer::No);
        s.program.messages.queue(ui::Answer::No);
        s.main->btnEnd->click();
        s.main->close();
        QVERIFY(TestProgram::shown<frmMain>());
        QCOMPARE(s.entries() + s.program.entries(), before);
        QCOMPARE(s.program.end.requests, 0);
        QCOMPARE(s.program.messages.shown.last().text, QStringLiteral("Wollen Sie wirklich beenden ?"));
        QCOMPARE(s.program.messages.shown.last().buttons, ui::Buttons::YesNo);

        s.program.messages.queue(ui::Answer::Yes);
        s.main->close();
        QVERIFY(!TestProgram::shown<frmMain>());
        QCOMPARE(s.program.end.requests, 1);
        QCOMPARE(s.entries(), (QStringList{"LSp1", "Latein", "Spr.dat"}));
        QCOMPARE(s.program.entries(), (QStringList{"PK.dat", "anna"}));
        QCOMPARE(s.entries("Latein"), QStringList{"tmpU4"});
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
