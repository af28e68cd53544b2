#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QStringList Users = {"anna", "a"};

frmNewUser* start(TestProgram& program)
{
    program.writeScrambled("PK.dat", Users);
    program.screens().showLogin();
    TestProgram::shown<frmLogin>()->cmdNeuerUser->click();
    return TestProgram::shown<frmNewUser>();
}

void fill(frmNewUser* screen, const QString& name, const QString& p1, const QString& p2)
{
    screen->txtBenutzerName->setText(name);
    screen->txtKennwort1->setText(p1);
    screen->txtKennwort2->setText(p2);
}

} // namespace

class frmNewUserTest : public QObject
{
    Q_OBJECT

private slots:
    void checksInTheirOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString forbidden = "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !";
        const QString own = "Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine eigene "
                            "Datei dieses Namens verwendet !";
        const QString plain = "Paukomat V1.1";
        const QString odd = "PaukomaT V1.1";
        QTest::newRow("^ in name") << "an^na" << "a" << "a" << forbidden << plain;
        QTest::newRow("§ in password") << "neu" << "p§" << "p§" << forbidden << plain;
        QTest::newRow("characters first") << "a.b" << "" << "" << forbidden << plain;
        QTest::newRow("empty name") << "" << "x" << "y" << "Ein Benutzername ist erforderlich !" << odd;
        QTest::newRow("no confirmation") << "neu" << "x" << "" << "Das Kennwort ist fehlerhaft !" << odd;
        QTest::newRow("confirmation unchecked") << "neu" << "x" << "x!" << "Das Kennwort ist fehlerhaft !" << odd;
        QTest::newRow("no password") << "neu" << "" << "" << "Ein Kennwort ist erforderlich !" << odd;
        QTest::newRow("existing") << "anna" << "x" << "x" << "Der Benutzer ist bereits vorhanden !" << odd;
        QTest::newRow("Cyrillic") << "Иван" << "x" << "x" << store::unstorableTextMessage("Иван") << plain;
        QTest::newRow("tab") << "neu" << "a\tb" << "a\tb" << store::unstorableTextMessage("\t") << plain;
        QTest::newRow("too long") << QString(256, 'a') << "x" << "x"
                                  << store::tooLongNameMessage(QString(256, 'a')) << plain;
        QTest::newRow("hand-off file") << "tmpUsr" << "x" << "x" << own.arg("tmpUsr") << plain;
        QTest::newRow("program file") << "Paukomat" << "x" << "x" << own.arg("Paukomat") << plain;
    }
    void checksInTheirOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, p1);
        QFETCH(QString, p2);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QVERIFY(!text.isEmpty());
        TestProgram program;
        program.writePlain("Paukomat", {"ELF"});
        frmNewUser* screen = start(program);
        const QStringList before = program.entries();
        fill(screen, name, p1, p2);
        program.messages.queueOk();
        screen->cmdNimmNutzer->click();
        QCOMPARE(program.messages.shown.size(), 1);
        QCOMPARE(program.messages.shown[0].text, text);
        QCOMPARE(program.messages.shown[0].title, title);
        QCOMPARE(TestProgram::shown<frmNewUser>(), screen);
        QCOMPARE(QApplication::focusWidget(), screen->cmdNimmNutzer);
        QCOMPARE(screen->txtBenutzerName->text() + screen->txtKennwort2->text(), name + p2);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
        QCOMPARE(program.entries(), before);
    }

    void takesOverAUserWhoCanSignInAtOnce()
    {
        TestProgram program;
        frmNewUser* screen = start(program);
        program.writePlain("Jörg Müller-2/Spr.dat", {"alt"}); // left over, reused
        fill(screen, "Jörg Müller-2", " geh eim", " geh eim");
        screen->cmdNimmNutzer->click();
        auto* login = TestProgram::shown<frmLogin>();
        QVERIFY(login && !TestProgram::shown<frmNewUser>());
        const QStringList all = Users + QStringList{"Jörg Müller-2", " geh eim"};
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(all));
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes(all));
        QCOMPARE(program.bytes("Jörg Müller-2/Spr.dat"), TestProgram::plainBytes({"alt"}));
        QCOMPARE(login->cboBenutzer->itemText(1), QStringLiteral("Jörg Müller-2"));

        login->cboBenutzer->setCurrentIndex(1);
        login->txtPassword->setText("geh eim");
        program.messages.queueOk();
        login->cmdOK->click();
        QCOMPARE(program.messages.shown.size(), 1);
        login->txtPassword->setText(" geh eim");
        login->cmdOK->click();
        QVERIFY(TestProgram::shown<frmMain>());
    }

    void cancelAndFrameReturnWithoutChange()
    {
        for (const bool byFrame : {false, true}) {
            TestProgram program;
            frmNewUser* screen = start(program);
            fill(screen, "neu", "x", "x");
            if (byFrame)
                screen->close();
            else
                screen->cmdCancel->click();
            QVERIFY(TestProgram::shown<frmLogin>() && !TestProgram::shown<frmNewUser>());
            QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
            QVERIFY(!program.exists("neu"));
        }
    }

    void failedSaveIsReportedAndNothingListed()
    {
        TestProgram program;
        frmNewUser* screen = start(program);
        fill(screen, "neu", "x", "x");
        program.messages.queueOk();
        // The disk recovers once the failure has been reported.
        program.messages.onShow = [](QWidget*) { store::TextFile::setWriteFailureAfter(-1); };
        store::TextFile::setWriteFailureAfter(0);
        screen->cmdNimmNutzer->click();
        QCOMPARE(program.messages.shown.size(), 1);
        QCOMPARE(program.messages.shown[0].title, store::ErrorTitle);
        QVERIFY(program.messages.shown[0].text.contains("PK.dat"));
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
        QCOMPARE(TestProgram::shown<frmLogin>()->cboBenutzer->count(), 1);
    }
};

QTEST_MAIN(frmNewUserTest)
#include "frmNewUserTest.moc"
