#include "TestProgram.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using testing::TestProgram;

class frmIntroTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheSplashThenTheSignInOnce()
    {
        TestProgram program;
        program.screens().showIntro();
        auto* intro = TestProgram::shown<frmIntro>();
        QVERIFY(intro);
        QCOMPARE(intro->windowTitle(), QString());
        QCOMPARE(intro->size(), QSize(320, 179));
        QCOMPARE(intro->Label1.size(), 2);
        QCOMPARE(intro->Label1[0]->text(), QStringLiteral("Paukomat V1.1"));
        QCOMPARE(intro->Label1[1]->text(), QStringLiteral("Vokabeltrainer"));
        QVERIFY(intro->Label1[0]->font().bold() && intro->Label1[0]->font().italic());
        QCOMPARE(intro->Image1.size(), 26);
        for (QLabel* image : intro->Image1) {
            QCOMPARE(image->size(), QSize(32, 32));
            QVERIFY(intro->rect().contains(image->geometry()));
        }
        // The help file is named at once, whether or not it exists.
        QCOMPARE(program.help.helpFile(), program.path("Paukomat.hlp"));
        QCOMPARE(intro->tmrIntro->interval(), 3000);

        // Closing the splash by its frame does nothing.
        intro->close();
        QVERIFY(TestProgram::shown<frmIntro>());
        QVERIFY(!TestProgram::shown<frmLogin>());

        QTest::qWait(2500);
        QVERIFY(TestProgram::shown<frmIntro>());
        QVERIFY(!TestProgram::shown<frmLogin>());
        QTRY_VERIFY_WITH_TIMEOUT(TestProgram::shown<frmLogin>() != nullptr, 2000);
        QVERIFY(!TestProgram::shown<frmIntro>());

        // The tick comes once: no second sign-in screen after another interval.
        QTest::qWait(3200);
        int logins = 0;
        for (QWidget* w : TestProgram::visibleWindows())
            logins += qobject_cast<frmLogin*>(w) ? 1 : 0;
        QCOMPARE(logins, 1);
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
    }

    void f1OpensTheHelp()
    {
        TestProgram program;
        program.screens().showIntro();
        auto* intro = TestProgram::shown<frmIntro>();
        QVERIFY(intro);
        QTest::keyClick(intro, Qt::Key_F1);
        QCOMPARE(program.help.requests.size(), 1);
    }
};

QTEST_MAIN(frmIntroTest)
#include "frmIntroTest.moc"
