#include "TestProgram.h"

#include <QAction>
#include <QDate>
#include <QDirIterator>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::TestProgram;

namespace {

// Every entry below a directory: files as relative path -> bytes, directories as "path/".
using Tree = QMap<QString, QByteArray>;
const QByteArray Gone = "<none>"; // as a change: the entry is removed

Tree tree(const QString& root)
{
    Tree now;
    const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    for (QDirIterator it(root, all, QDirIterator::Subdirectories); it.hasNext();) {
        const QString name = QDir(root).relativeFilePath(it.next());
        now.insert(it.fileInfo().isDir() ? name + '/' : name, testing::readFile(it.filePath()));
    }
    return now;
}

QByteArray scrambled(const QStringList& lines)
{
    return TestProgram::scrambledBytes(lines);
}
QByteArray plain(const QStringList& lines)
{
    return TestProgram::plainBytes(lines);
}
// A list line of a name and its key, and a word-pair line with its mark.
QString keyed(const QString& name, const QString& key)
{
    return name + "\\\\" + key;
}
QString pair(const QString& foreign, const QString& german, char mark)
{
    return keyed(foreign, german) + "\\\\\\" + mark;
}
// The lesson's two pairs with their marks.
QStringList lesson(const char* marks)
{
    return {pair("house", "Haus;Gebäude", marks[0]), pair("the", "der;die;das", marks[1])};
}

// The one visible window when it is usable, and the screen named; nullptr otherwise.
QWidget* only(const char* screen = nullptr)
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    return windows.size() == 1 && windows[0]->isEnabled()
            && (!screen || windows[0]->objectName() == QLatin1String(screen))
        ? windows[0]
        : nullptr;
}

// A control, menu or timer of the one usable window.
template <class T = QWidget> T* control(const char* name)
{
    return only() ? only()->findChild<T*>(name) : nullptr;
}

void press(int key, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(qApp->focusWidget(), Qt::Key(key), m);
}
void click(const char* button)
{
    QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
}

// Types key by key; keyClicks() takes ASCII only, and German words need umlauts. A tab is the Tab
// key, a line end the Enter key, both pressed where the focus is.
void type(const QString& text, QWidget* box = nullptr)
{
    for (const QChar c : text)
        if (c == '\t' || c == '\n')
            press(c == '\t' ? Qt::Key_Tab : Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, box ? box : qApp->focusWidget(),
                                Qt::Key(c.toUpper().unicode()), QString(c), {});
}

// With the window made the active one, as the window manager would, the controls the focus
// visits from where it is, Tab by Tab.
QString focusRound(int tabs)
{
    const auto focused = [] {
        return qApp->focusWidget() ? qApp->focusWidget()->objectName() : "-";
    };
    only()->activateWindow();
    QStringList names{QTest::qWaitForWindowActive(only()) ? focused() : "inactive"};
    for (int i = 0; i < tabs; ++i) {
        press(Qt::Key_Tab);
        names.append(focused());
    }
    return names.join(' ');
}

// Alt and the menu's access key, then the entry's access key.
void byKeys(int menuKey, const char* menu, int entryKey)
{
    press(menuKey, Qt::AltModifier);
    QCOMPARE(QApplication::activePopupWidget(), control<QMenu>(menu));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(entryKey));
}

} // namespace

// The one usable window is a T, a hidden main screen is disabled, and the tree is the one
// before with the changes given.
#define STEP(T, ...)                                                                               \
    do {                                                                                           \
        QVERIFY2(only(#T), #T " is not the one usable window");                                    \
        if (QWidget* hub = p().screens().mainScreen())                                             \
            QCOMPARE(hub->isEnabled(), hub->isVisible());                                          \
        want.insert(Tree __VA_ARGS__);                                                             \
        want.removeIf([](Tree::iterator it) { return *it == Gone; });                              \
        QCOMPARE(tree(p().dir()), want);                                                           \
    } while (false)

// anna's whole road by keyboard, stage by stage, each from where the one before left.
class JourneyTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    Tree want;
    TestProgram& p() { return *program; }

private slots:
    void initTestCase()
    {
        // The program directory lies below a folder whose name Windows-1252 cannot spell.
        static QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir("Łódź"));
        program = std::make_unique<TestProgram>(parent.filePath("Łódź/Paukomat-XXXXXX"));
    }

    // The splash names the help file at once and opens it on F1; its frame does nothing, and its
    // one tick leads to the sign-in, which makes the user list.
    void splashThenSignUpAndIn()
    {
        p().screens().showIntro();
        QCOMPARE(p().help.helpFile(), p().path("Paukomat.hlp"));
        QTest::keyClick(only(), Qt::Key_F1);
        QCOMPARE(p().help.requests.size(), 1);
        only()->close();
        QPointer<QTimer> tick = control<QTimer>("tmrIntro");
        QVERIFY(tick && tick->isActive());
        tick->setInterval(0);
        QTRY_VERIFY(only("frmLogin"));
        QVERIFY(!tick || !tick->isActive());
        STEP(frmLogin, {{"PK.dat", ""}, {"tmpPK.dat", ""}});
        QCOMPARE(focusRound(7),
                 "cboBenutzer txtPassword cmdOK cmdCancel cmdNeuerUser cmdUserLoeschen cmdHelp "
                 "cboBenutzer");
        press(Qt::Key_N, Qt::AltModifier); // the click an access key gives is animated
        QTRY_VERIFY(only("frmNewUser"));
        QCOMPARE(focusRound(6),
                 "txtBenutzerName txtKennwort1 txtKennwort2 cmdNimmNutzer cmdCancel cmdHelp "
                 "txtBenutzerName");
        // A confirmation that differs is refused; the entries stay, the focus goes to the button.
        p().messages.queueOk();
        type("anna\tgeheim\tgeheimx");
        control<QPushButton>("cmdNimmNutzer")->click(); // leaves the focus in the box
        QCOMPARE(p().messages.shown.value(0).title, "PaukomaT V1.1");
        press(Qt::Key_Tab, Qt::ShiftModifier);
        type("geheim\t\n");
        QCOMPARE(focusRound(0), "cboBenutzer");
        type("anna");
        press(Qt::Key_K, Qt::AltModifier);
        // A wrong password is refused and left selected, so that typing replaces it.
        p().messages.queueOk();
        type("Geheim\n");
        QCOMPARE(p().messages.texts().value(1),
                 "Ungültiges Kennwort, versuchen Sie es noch einmal!");
        type("geheim\n");
        STEP(frmMain,
             {{"PK.dat", scrambled({"anna", "geheim"})},
              {"tmpPK.dat", plain({"anna", "geheim"})},
              {"anna/", ""},
              {"tmpUsr", plain({"anna", "geheim"})},
              {"anna/Spr.dat", ""},
              {"anna/tmpSpr.dat", ""}});
    }

    // A language and a lesson by the menus' access keys; words in the editor reach the lesson
    // file when the editor is left.
    void aLessonWritten()
    {
        QCOMPARE(focusRound(5), "lstSprachen lstLektionen btnEnd cmdHelp BtnGo lstSprachen");
        p().input.queue("Englisch");
        byKeys(Qt::Key_S, "mnuSprache", Qt::Key_N);
        p().input.queue("Lektion 1");
        byKeys(Qt::Key_L, "mnuLektionen", Qt::Key_N);
        byKeys(Qt::Key_L, "mnuLektionen", Qt::Key_B);
        const QStringList languages = {keyed("Englisch", "LSp1")};
        STEP(frmEditUnit,
             {{"anna/Spr.dat", scrambled(languages)},
              {"anna/tmpSpr.dat", plain(languages)},
              {"anna/Englisch/", ""},
              {"anna/LSp1", scrambled({keyed("Lektion 1", "U1")})},
              {"anna/tmpEdit", plain({"Englisch", "Lektion 1", "U1"})},
              {"anna/Englisch/U1", ""},
              {"anna/Englisch/tmpU1", ""}});
        for (const QString& line : lesson("ff")) {
            type(line.section("\\\\", 0, 0), control("txtNewVokabelSprache"));
            type(line.section("\\\\", 1, 1), control("txtNewVokabelDeutsch"));
            click("cmdVokabelNeu");
        }
        click("cmdExit");
        STEP(frmMain,
             {{"anna/tmpEdit", Gone},
              {"anna/Englisch/tmpU1", Gone},
              {"anna/Englisch/U1", scrambled(lesson("ff"))}});
    }

    // One run by keys: Shift+Tab to the start button, Space starts, Enter judges. Its results
    // are shown; "OK" gives a drill loaded afresh from the lesson.
    void aRunAndItsResults()
    {
        QCOMPARE(focusRound(0), "lstSprachen");
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Space);
        STEP(frmPaukomat,
             {{"anna/tmpEdit", plain({"Englisch", "Lektion 1", "U1"})},
              {"anna/Englisch/EU1", ""},
              {"anna/Englisch/tmpU1", plain(lesson("ff"))}});
        QCOMPARE(focusRound(0), "cmdStartUebung");
        press(Qt::Key_Space); // the focus goes to the answer box
        type("Haus\n");
        p().messages.queueOk(2); // the solution of the wrong answer, then the end of the run
        type("Hund\n");
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        const QString dir = p().dir() + "/anna/Englisch/";
        // The run moved its pairs through the boxes, beside the lesson.
        const QString day = QDate::currentDate().toString(Qt::ISODate);
        STEP(frmErgebnis,
             {{"tmpErgShow", plain({dir, "anna", "Englisch", "Lektion 1", dir + "EU1"})},
              {"anna/Englisch/tmpU1", plain(lesson("rf"))},
              {"anna/Englisch/U1", scrambled(lesson("rf"))},
              {"anna/Englisch/EU1", scrambled({" 2\\\\ 1", "2\\\\1"})},
              {"anna/Englisch/.KU1",
               scrambled({"2\\\\" + day + "\\\\house", "1\\\\" + day + "\\\\the"})}});
        click("cmdCancel");
        click("cmdCancel");
        STEP(frmMain, {{"anna/Englisch/tmpU1", Gone}});
    }

    // The end button ends the program, leaving no hand-off file anywhere.
    void endLeavesNoHandOff()
    {
        p().messages.queue(ui::Answer::Yes);
        click("btnEnd");
        want.removeIf([](Tree::iterator it) { return ("/" + it.key()).contains("/tm"); });
        QCOMPARE(tree(p().dir()), want);
        QCOMPARE(p().end.requests, 1);
    }
};

QTEST_MAIN(JourneyTest)
#include "JourneyTest.moc"
