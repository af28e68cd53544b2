#include "TestProgram.h"
#include "lessons/frmMain.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Forbidden =
    QStringLiteral("Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !");
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
    void screenAsDescribed()
    {
        TestProgram program;
        frmNewUser* screen = start(program);
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Paukomat V1.1 ... Neuer Benutzer"));
        QCOMPARE(screen->Label3->text(), QStringLiteral("Bestätigung:"));
        QCOMPARE(screen->txtKennwort2->toolTip(),
                 QStringLiteral("Bestätigen Sie hier das Kennwort des Nutzers"));
        QCOMPARE(screen->txtBenutzerName->echoMode(), QLineEdit::Normal);
        QCOMPARE(screen->txtKennwort1->echoMode(), QLineEdit::Password);
        QCOMPARE(screen->Unerlaubt.size(), 30);
        QCOMPARE(screen->Unerlaubt[25], QLatin1Char('\\'));
        QList<QWidget*> order = {screen->txtBenutzerName, screen->txtKennwort1, screen->txtKennwort2,
                                 screen->cmdNimmNutzer, screen->cmdCancel, screen->cmdHelp};
        for (QWidget* expected : order) {
            QCOMPARE(QApplication::focusWidget(), expected);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), screen->txtBenutzerName);
        for (QPushButton* button : {screen->cmdNimmNutzer, screen->cmdCancel, screen->cmdHelp})
            QVERIFY(!button->isDefault());
        // Enter and Esc in a box do nothing here.
        fill(screen, "neu", "x", "x");
        QTest::keyClick(screen->txtKennwort2, Qt::Key_Return);
        QTest::keyClick(screen->txtKennwort2, Qt::Key_Escape);
        QCOMPARE(TestProgram::shown<frmNewUser>(), screen);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
    }

    void checksInTheirOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString plain = QStringLiteral("Paukomat V1.1");
        const QString odd = QStringLiteral("PaukomaT V1.1");
        QTest::newRow("^ in name") << "an^na" << "a" << "a" << Forbidden << plain;
        QTest::newRow(". in name") << "a.b" << "a" << "a" << Forbidden << plain;
        QTest::newRow(", in name") << "a,b" << "a" << "a" << Forbidden << plain;
        QTest::newRow("§ in password") << "neu" << "p§" << "p§" << Forbidden << plain;
        QTest::newRow("characters before emptiness") << "a!" << "" << "" << Forbidden << plain;
        QTest::newRow("empty name") << "" << "x" << "y" << "Ein Benutzername ist erforderlich !" << odd;
        QTest::newRow("empty confirmation") << "neu" << "x" << "" << "Das Kennwort ist fehlerhaft !" << odd;
        QTest::newRow("confirmation unchecked") << "neu" << "x" << "x!" << "Das Kennwort ist fehlerhaft !" << odd;
        QTest::newRow("no password") << "neu" << "" << "" << "Ein Kennwort ist erforderlich !" << odd;
        QTest::newRow("existing") << "anna" << "x" << "x" << "Der Benutzer ist bereits vorhanden !" << odd;
        QTest::newRow("Cyrillic") << "Иван" << "x" << "x" << store::unstorableTextMessage("Иван") << plain;
        QTest::newRow("tab in password") << "neu" << "a\tb" << "a\tb"
                                         << store::unstorableTextMessage("\t") << plain;
        QTest::newRow("too long") << QString(256, 'a') << "x" << "x"
                                  << store::tooLongNameMessage(QString(256, 'a')) << plain;
        QTest::newRow("hand-off file") << "tmpUsr" << "x" << "x"
            << "Der Benutzername \"tmpUsr\" ist nicht möglich, weil Paukomat eine eigene Datei "
               "dieses Namens verwendet !" << plain;
        QTest::newRow("the program") << "Paukomat" << "x" << "x"
            << "Der Benutzername \"Paukomat\" ist nicht möglich, weil Paukomat eine eigene Datei "
               "dieses Namens verwendet !" << plain;
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
        QCOMPARE(program.messages.shown[0].icon, ui::Icon::None);
        QCOMPARE(TestProgram::shown<frmNewUser>(), screen);
        QCOMPARE(QApplication::focusWidget(), screen->cmdNimmNutzer);
        QCOMPARE(screen->txtBenutzerName->text(), name);
        QCOMPARE(screen->txtKennwort2->text(), p2);
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes(Users));
        QCOMPARE(program.entries(), before);
    }

    void takesOverAUserWhoCanSignInAtOnce()
    {
        TestProgram program;
        frmNewUser* screen = start(program);
        program.writePlain("Jörg Müller-2/Spr.dat", {"alt"});
        fill(screen, "Jörg Müller-2", " geh eim", " geh eim");
        screen->cmdNimmNutzer->click();
        QVERIFY(program.messages.shown.isEmpty());
        QVERIFY(!TestProgram::shown<frmNewUser>());
        auto* login = TestProgram::shown<frmLogin>();
        QVERIFY(login);
        const QStringList all = Users + QStringList{"Jörg Müller-2", " geh eim"};
        QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(all));
        QCOMPARE(program.bytes("tmpPK.dat"), TestProgram::plainBytes(all));
        QCOMPARE(program.bytes("Jörg Müller-2/Spr.dat"), TestProgram::plainBytes({"alt"}));
        QCOMPARE(login->cboBenutzer->itemText(1), QStringLiteral("Jörg Müller-2"));

        login->cboBenutzer->setCurrentIndex(1);
        login->txtPassword->setText("geh eim");
        program.messages.queueOk();
        login->cmdOK->click();
        QCOMPARE(program.messages.texts(),
                 QStringList{"Ungültiges Kennwort, versuchen Sie es noch einmal!"});
        login->txtPassword->setText(" geh eim");
        login->cmdOK->click();
        QVERIFY(TestProgram::shown<frmMain>());
        QCOMPARE(program.bytes("tmpUsr"), TestProgram::plainBytes({"Jörg Müller-2", " geh eim"}));

        // Another case is another user.
        program.screens().showLogin();
        TestProgram::shown<frmLogin>()->cmdNeuerUser->click();
        screen = TestProgram::shown<frmNewUser>();
        fill(screen, "Anna", "b", "b");
        screen->cmdNimmNutzer->click();
        QVERIFY(program.exists("Anna"));
        QCOMPARE(program.readScrambled("PK.dat").mid(4), (QStringList{"Anna", "b"}));
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
            QVERIFY(!TestProgram::shown<frmNewUser>());
            QVERIFY(TestProgram::shown<frmLogin>());
            QCOMPARE(program.bytes("PK.dat"), TestProgram::scrambledBytes(Users));
            QVERIFY(!program.exists("neu"));
            QCOMPARE(program.end.requests, 0);
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
        auto* login = TestProgram::shown<frmLogin>();
        QVERIFY(login);
        QCOMPARE(login->cboBenutzer->count(), 1);
    }
};

QTEST_MAIN(frmNewUserTest)
#include "frmNewUserTest.moc"
