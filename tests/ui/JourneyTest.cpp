#include "TestProgram.h"

#include <QAction>
#include <QDate>
#include <QDirIterator>
#include <QMenu>
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

const auto scrambled = TestProgram::scrambledBytes;
const auto plain = TestProgram::plainBytes;
const QString en = "anna/Englisch/";

// The lesson's two pairs with their marks.
QStringList lesson(const char* marks)
{
    return {QString("house\\\\Haus;Gebäude\\\\\\") + marks[0],
            QString("the\\\\der;die;das\\\\\\") + marks[1]};
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

// With the window made the active one, as the window manager would, the control that has the
// focus.
QString focused()
{
    only()->activateWindow();
    return QTest::qWaitForWindowActive(only()) && qApp->focusWidget()
        ? qApp->focusWidget()->objectName()
        : "inactive";
}

// Alt and the menu's access key, then the entry's access key.
void byKeys(int menuKey, const char* menu, int entryKey)
{
    press(menuKey, Qt::AltModifier);
    QCOMPARE(QApplication::activePopupWidget(), control<QMenu>(menu));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(entryKey));
}

} // namespace

// The one usable window is a T, and the tree is the one before with the changes given.
#define STEP(T, ...)                                                                               \
    do {                                                                                           \
        QVERIFY2(only(#T), #T " is not the one usable window");                                    \
        want.insert(Tree __VA_ARGS__);                                                             \
        want.removeIf([](Tree::iterator it) { return *it == Gone; });                              \
        QCOMPARE(tree(p().dir()), want);                                                           \
    } while (false)

// anna's whole road by keyboard, stage by stage, each from where the one before left.
class JourneyTest : public QObject
{
    Q_OBJECT

    // The program directory lies below a folder whose name Windows-1252 cannot spell.
    QTemporaryDir parent;
    const bool made = QDir(parent.path()).mkdir("Łódź");
    TestProgram program{parent.filePath("Łódź/Paukomat-XXXXXX")};
    Tree want;
    TestProgram& p() { return program; }

private slots:
    void initTestCase() { QVERIFY(made); }

    // The splash opens the help on F1; its frame does nothing, and its tick leads to the sign-in,
    // which makes the user list.
    void splashThenSignUpAndIn()
    {
        p().screens().showIntro();
        QTest::keyClick(only(), Qt::Key_F1);
        QCOMPARE(p().help.requests.size(), 1);
        only()->close();
        auto* tick = control<QTimer>("tmrIntro");
        QVERIFY(tick);
        tick->setInterval(0);
        QTRY_VERIFY(only("frmLogin"));
        QCOMPARE(focused(), "cboBenutzer");
        press(Qt::Key_N, Qt::AltModifier); // the click an access key gives is animated
        QTRY_VERIFY(only("frmNewUser"));
        QCOMPARE(focused(), "txtBenutzerName");
        // A confirmation that differs is refused; the entries stay, the focus goes to the button.
        p().messages.queueOk();
        type("anna\tgeheim\tgeheimx");
        control<QPushButton>("cmdNimmNutzer")->click(); // leaves the focus in the box
        QCOMPARE(p().messages.shown.size(), 1);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        type("geheim\t\n");
        QCOMPARE(focused(), "cboBenutzer");
        type("anna");
        press(Qt::Key_K, Qt::AltModifier);
        // A wrong password is refused and left selected, so that typing replaces it.
        p().messages.queueOk();
        type("Geheim\n");
        QCOMPARE(p().messages.shown.size(), 2);
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
        QCOMPARE(focused(), "lstSprachen");
        p().input.queue("Englisch");
        byKeys(Qt::Key_S, "mnuSprache", Qt::Key_N);
        p().input.queue("Lektion 1");
        byKeys(Qt::Key_L, "mnuLektionen", Qt::Key_N);
        byKeys(Qt::Key_L, "mnuLektionen", Qt::Key_B);
        QVERIFY(only("frmEditUnit"));
        for (const QString& line : lesson("ff")) {
            type(line.section("\\\\", 0, 0), control("txtNewVokabelSprache"));
            type(line.section("\\\\", 1, 1), control("txtNewVokabelDeutsch"));
            click("cmdVokabelNeu");
        }
        click("cmdExit");
        const QStringList languages = {"Englisch\\\\LSp1"};
        STEP(frmMain,
             {{"anna/Spr.dat", scrambled(languages)},
              {"anna/tmpSpr.dat", plain(languages)},
              {en, ""},
              {"anna/LSp1", scrambled({"Lektion 1\\\\U1"})},
              {en + "U1", scrambled(lesson("ff"))}});
    }

    // One run by keys: Shift+Tab to the start button, Space starts, Enter judges. Its results
    // are shown; "OK" gives a drill loaded afresh from the lesson.
    void aRunAndItsResults()
    {
        QCOMPARE(focused(), "lstSprachen");
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Space);
        QVERIFY(only("frmPaukomat"));
        QCOMPARE(focused(), "cmdStartUebung");
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
              {"anna/tmpEdit", plain({"Englisch", "Lektion 1", "U1"})},
              {en + "tmpU1", plain(lesson("rf"))},
              {en + "U1", scrambled(lesson("rf"))},
              {en + "EU1", scrambled({" 2\\\\ 1", "2\\\\1"})},
              {en + ".KU1", scrambled({"2\\\\" + day + "\\\\house", "1\\\\" + day + "\\\\the"})}});
        click("cmdCancel");
        click("cmdCancel");
        STEP(frmMain, {{en + "tmpU1", Gone}});
    }
};

QTEST_MAIN(JourneyTest)
#include "JourneyTest.moc"
