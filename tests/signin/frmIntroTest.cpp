#include "TestProgram.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"

#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
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
        QCOMPARE(intro->findChild<QLabel*>("Label1_0")->text() + '|' + intro->findChild<QLabel*>("Label1_1")->text(),
                 QStringLiteral("Paukomat V1.1|Vokabeltrainer"));
        QVERIFY(intro->findChild<QLabel*>("Label1_0")->font().bold() && intro->findChild<QLabel*>("Label1_0")->font().italic());
        // Each label keeps its place and grows only where the font on this system needs room.
        const QRect places[] = {{72, 8, 169, 41}, {88, 48, 137, 17}};
        for (int i = 0; i < 2; ++i) {
            const QLabel* label = intro->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
            QVERIFY(label->geometry().contains(places[i]) && intro->rect().contains(label->geometry()));
            QVERIFY(label->width() >= label->sizeHint().width() && label->height() >= label->sizeHint().height());
            QVERIFY(label->width() == places[i].width() || label->width() == label->sizeHint().width());
        }
        const QList<QLabel*> images =
            intro->findChildren<QLabel*>(QRegularExpression("^Image1_\\d+$"));
        QCOMPARE(images.size(), 26);
        for (QLabel* image : images)
            QVERIFY(image->size() == QSize(32, 32) && intro->rect().contains(image->geometry()));
        // The help file is named at once, whether or not it exists; F1 opens it.
        QCOMPARE(program.help.helpFile(), program.path("Paukomat.hlp"));
        QTest::keyClick(intro, Qt::Key_F1);
        QCOMPARE(program.help.requests.size(), 1);

        QPointer<QTimer> tick = intro->findChild<QTimer*>("tmrIntro");
        QVERIFY(tick->isActive() && tick->interval() == 3000);
        intro->close(); // the frame does nothing
        TestProgram::settle();
        QVERIFY(TestProgram::shown<frmIntro>() && !TestProgram::shown<frmLogin>());
        QTRY_VERIFY_WITH_TIMEOUT(TestProgram::shown<frmLogin>() != nullptr, 5000);
        // The tick comes once: no timer is left running for a second sign-in screen.
        TestProgram::settle();
        QVERIFY(!tick || !tick->isActive());
        QCOMPARE(TestProgram::visibleWindows(), QList<QWidget*>{TestProgram::shown<frmLogin>()});
    }
};

QTEST_MAIN(frmIntroTest)
#include "frmIntroTest.moc"
