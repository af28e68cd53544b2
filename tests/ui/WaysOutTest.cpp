#include "Drive.h"

#include <QAction>
#include <QPointer>

using namespace drive;

namespace {

enum class Screen { Intro, Login, NewUser, Main, Editor, Drill, Running, Results };

// Presses a button or chooses a menu entry of the screen.
void press(QWidget* screen, const QString& name)
{
    if (auto* button = screen->findChild<QAbstractButton*>(name))
        click(button);
    else if (auto* entry = screen->findChild<QAction*>(name))
        entry->trigger();
    else
        QFAIL(qPrintable("no " + name));
}

// anna with a lesson of one word, and the screen reached the way a user reaches it.
QWidget* open(TestProgram& p, Screen screen)
{
    p.writeScrambled("PK.dat", {"anna", "geheim"});
    p.writeScrambled("anna/Spr.dat", {keyed("Englisch", "LSp1")});
    p.writeScrambled("anna/LSp1", {keyed("Lektion 1", "U1")});
    p.writeScrambled("anna/Englisch/U1", {pair("the", "der;die;das", 'f')});
    p.writePlain("tmpUsr", {"anna", "geheim"});
    if (screen == Screen::Intro)
        p.screens().showIntro();
    else if (screen == Screen::Login)
        p.screens().showLogin();
    else if (screen == Screen::NewUser)
        p.screens().showNewUser();
    else
        p.screens().showMain();
    const QMap<Screen, QStringList> road = {{Screen::Editor, {"mnuLektionEdit"}},
                                            {Screen::Drill, {"BtnGo"}},
                                            {Screen::Running, {"BtnGo", "cmdStartUebung"}},
                                            {Screen::Results, {"BtnGo", "cmdShowErgebnis"}}};
    for (const QString& name : road.value(screen))
        if (QWidget* on = only<QWidget>())
            press(on, name);
    return only<QWidget>();
}

struct Way
{
    Screen from;
    QString leave;                 // "frame", or the button or menu entry pressed
    QStringList typed;             // "box=text", typed first
    QList<ui::Answer> answers;     // to the questions asked on the way out
    QString next;                  // the class of the one usable window left, or "end"
};

} // namespace

class WaysOutTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWayOutLeavesOneUsableWindowOrEnds()
    {
        using enum Screen;
        const ui::Answer Yes = ui::Answer::Yes, No = ui::Answer::No;
        const QList<Way> ways = {
            {Intro, "frame", {}, {}, "frmIntro"},
            {Login, "frame", {}, {}, "end"},
            {Login, "cmdCancel", {}, {}, "end"},
            {Login, "cmdNeuerUser", {}, {}, "frmNewUser"},
            {Login, "cmdOK", {"cboBenutzer=anna", "txtPassword=geheim"}, {}, "frmMain"},
            {NewUser, "frame", {}, {}, "frmLogin"},
            {NewUser, "cmdCancel", {}, {}, "frmLogin"},
            {NewUser, "cmdNimmNutzer", {"txtBenutzerName=bea", "txtKennwort1=x", "txtKennwort2=x"},
             {}, "frmLogin"},
            {Main, "frame", {}, {No}, "frmMain"},
            {Main, "frame", {}, {Yes}, "end"},
            {Main, "btnEnd", {}, {No}, "frmMain"},
            {Main, "btnEnd", {}, {Yes}, "end"},
            {Main, "BtnGo", {}, {}, "frmPaukomat"},
            {Main, "mnuLektionEdit", {}, {}, "frmEditUnit"},
            {Editor, "frame", {}, {}, "frmMain"},
            {Editor, "cmdExit", {}, {}, "frmMain"},
            {Drill, "frame", {}, {}, "frmMain"},
            {Drill, "cmdCancel", {}, {}, "frmMain"},
            {Drill, "cmdShowErgebnis", {}, {}, "frmErgebnis"},
            {Running, "frame", {}, {}, "frmMain"},
            {Running, "cmdStopUebung", {}, {}, "frmMain"},
            {Results, "frame", {}, {}, "frmPaukomat"},
            {Results, "cmdCancel", {}, {}, "frmPaukomat"},
        };
        for (const Way& way : ways) {
            TestProgram p;
            const QPointer<QWidget> screen = open(p, way.from);
            QVERIFY(screen);
            const QByteArray label = screen->metaObject()->className() + (' ' + way.leave).toUtf8();
            for (const QString& entry : way.typed)
                type(screen->findChild<QWidget*>(entry.section('=', 0, 0)), entry.section('=', 1));
            for (const ui::Answer answer : way.answers)
                p.messages.queue(answer);
            if (way.leave == "frame")
                screen->close();
            else
                press(screen, way.leave);

            QVERIFY2(p.messages.pending() == 0 && p.end.requests == (way.next == "end"), label);
            QWidget* left = only<QWidget>();
            if (way.next == "end") // nothing opened; the program's own end hides what is left
                QVERIFY2(TestProgram::visibleWindows().isEmpty() || left == screen, label);
            else if (way.next == "frmMain") // the same main screen, its lists as they were
                QVERIFY2(left && left == p.screens().mainScreen(), label);
            else
                QVERIFY2(left && left->metaObject()->className() == way.next, label);
        }
    }
};

QTEST_MAIN(WaysOutTest)
#include "WaysOutTest.moc"
