#include "TestProgram.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using testing::TestProgram;

namespace {

// Every entry below a directory: files as relative path -> bytes, directories as "path/".
using Tree = QMap<QString, QByteArray>;
const QByteArray Gone = "<none>"; // as a change: the entry is removed

// Applies the changes to the tree wanted; names the first entry where the directory differs.
QString differs(const QString& root, Tree& want, const Tree& changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it)
        it.value() == Gone ? (void)want.remove(it.key()) : (void)want.insert(it.key(), *it);
    Tree now;
    QDirIterator entry(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (entry.hasNext()) {
        QFile file(entry.next()); // a directory does not open, and holds no bytes
        const QString name = QDir(root).relativeFilePath(file.fileName());
        now.insert(entry.fileInfo().isDir() ? name + '/' : name,
                   file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    for (const QString& key : now.keys() + want.keys())
        if (now.value(key, Gone) != want.value(key, Gone))
            return key + ": " + now.value(key, Gone).toHex(' ');
    return {};
}

QByteArray S(const QStringList& lines) { return TestProgram::scrambledBytes(lines); }
QByteArray P(const QStringList& lines) { return TestProgram::plainBytes(lines); }
// A list line of a name and its key, and a word-pair line with its mark.
QString keyed(const QString& name, const QString& key) { return name + "\\\\" + key; }
QString pair(const QString& f, const QString& g, char m) { return keyed(f, g) + "\\\\\\" + m; }

// The one visible window when it is of class T and usable; nullptr otherwise.
template <class T>
T* only()
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    return windows.size() == 1 && windows[0]->isEnabled() ? qobject_cast<T*>(windows[0]) : nullptr;
}

// Types key by key; keyClicks() takes ASCII only, and German words need umlauts.
void type(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void answer(const QString& text)
{
    if (auto* drill = only<frmPaukomat>()) {
        type(drill->findChild<QLineEdit*>("txtLoesung"), text);
        QTest::keyClick(drill->findChild<QLineEdit*>("txtLoesung"), Qt::Key_Return);
    }
}

// The window made the active one, as the window manager would, has the focus on the first of
// these widgets, and Tab walks through them in this order and round to the first again.
bool focusIn(QWidget* window, const QList<QWidget*>& order)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window) || QApplication::focusWidget() != order[0])
        return false;
    for (int i = 1; order.size() > 1 && i <= order.size(); ++i) {
        press(Qt::Key_Tab);
        if (QApplication::focusWidget() != order[i % order.size()])
            return false;
    }
    return true;
}

// Alt and the menu's access key, then the entry's access key.
void byKeys(int menuKey, QMenu* menu, int entryKey)
{
    press(menuKey, Qt::AltModifier);
    QCOMPARE(QApplication::activePopupWidget(), menu);
    QTest::keyClick(menu, Qt::Key(entryKey));
}

} // namespace

// The one usable window is a T, a hidden main screen is disabled, and the tree is as given.
#define STEP(T, ...)                                                                              \
    do {                                                                                          \
        QVERIFY2(only<T>(), #T " is not the one usable window");                                  \
        if (QWidget* hub = p.screens().mainScreen())                                              \
            QCOMPARE(hub->isEnabled(), hub->isVisible());                                         \
        QCOMPARE(differs(p.dir(), want, Tree __VA_ARGS__), QString());                            \
    } while (false)

class JourneyTest : public QObject
{
    Q_OBJECT

private slots:
    // anna's whole road by mouse; then Jürgen's by keyboard, with a language of the same name.
    void twoUsersGoTheWholeRoad()
    {
        // The program directory lies below a folder whose name Windows-1252 cannot spell.
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir("Łódź"));
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(parent.filePath("Łódź")));
        TestProgram p;
        tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
        QVERIFY(p.dir().contains("Łódź"));
        // A menu entry given the name it asks for, or confirmed with "Ja".
        const auto choose = [&](QAction* entry, const QString& name = {}) {
            name.isEmpty() ? p.messages.queue(ui::Answer::Yes) : p.input.queue(name);
            entry->trigger();
        };
        const auto lesson = [](const char* m) {
            return QStringList{pair("house", "Haus;Gebäude", m[0]),
                               pair("the", "der;die;das", m[1]), pair("cat", "Katze", m[2])};
        };
        // The end button ends the program, leaving no hand-off file anywhere.
        Tree want;
        auto endProgram = [&, runs = 0](frmMain* screen) mutable {
            p.messages.queue(ui::Answer::Yes);
            click(screen->findChild<QPushButton*>("btnEnd"));
            want.removeIf([](Tree::iterator it) { return ("/" + it.key()).contains("/tm"); });
            QCOMPARE(differs(p.dir(), want, {}), QString());
            QCOMPARE(p.end.requests, ++runs);
        };
        const QStringList tmpEdit = {"Englisch", "Lektion 1", "U1"};

        p.writePlain("PK.dat", {});
        p.screens().showIntro();
        STEP(frmIntro, {{"PK.dat", ""}});
        QTRY_VERIFY_WITH_TIMEOUT(only<frmLogin>(), 5000);
        STEP(frmLogin, {{"tmpPK.dat", ""}});
        click(only<frmLogin>()->findChild<QPushButton*>("cmdNeuerUser"));
        STEP(frmNewUser, {});
        type(only<frmNewUser>()->findChild<QLineEdit*>("txtBenutzerName"), "anna");
        type(only<frmNewUser>()->findChild<QLineEdit*>("txtKennwort1"), "geheim");
        type(only<frmNewUser>()->findChild<QLineEdit*>("txtKennwort2"), "geheim");
        click(only<frmNewUser>()->findChild<QPushButton*>("cmdNimmNutzer"));
        STEP(frmLogin, {{"PK.dat", S({"anna", "geheim"})}, {"tmpPK.dat", P({"anna", "geheim"})},
                        {"anna/", ""}});
        type(only<frmLogin>()->findChild<QComboBox*>("cboBenutzer"), "anna");
        type(only<frmLogin>()->findChild<QLineEdit*>("txtPassword"), "geheim");
        click(only<frmLogin>()->findChild<QPushButton*>("cmdOK"));
        STEP(frmMain, {{"tmpUsr", P({"anna", "geheim"})}, {"anna/Spr.dat", ""},
                       {"anna/tmpSpr.dat", ""}});

        // Two languages; two lessons in the first, one in the second.
        auto* main = only<frmMain>();
        choose(main->findChild<QAction*>("mnuNeueSprache"), "Englisch");
        choose(main->findChild<QAction*>("mnuNeueSprache"), "Französisch");
        choose(main->findChild<QAction*>("mnuNeueLektion"), "Lektion 1");
        choose(main->findChild<QAction*>("mnuNeueLektion"), "Lektion 2");
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        choose(main->findChild<QAction*>("mnuNeueLektion"), "Verben");
        QStringList languages = {keyed("Englisch", "LSp1"), keyed("Französisch", "LSp2")};
        STEP(frmMain, {{"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)},
                       {"anna/Englisch/", ""}, {"anna/Französisch/", ""},
                       {"anna/LSp1", S({keyed("Lektion 1", "U1"), keyed("Lektion 2", "U2")})},
                       {"anna/LSp2", S({keyed("Verben", "U3")})}});

        // Words in the editor reach the lesson file when the editor is left.
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(0);
        main->findChild<QAction*>("mnuLektionEdit")->trigger();
        STEP(frmEditUnit, {{"anna/tmpEdit", P(tmpEdit)}, {"anna/Englisch/U1", ""},
                           {"anna/Englisch/tmpU1", ""}});
        auto* editor = only<frmEditUnit>();
        for (const QString& line : lesson("fff")) {
            type(editor->findChild<QLineEdit*>("txtNewVokabelSprache"), line.section("\\\\", 0, 0));
            type(editor->findChild<QLineEdit*>("txtNewVokabelDeutsch"), line.section("\\\\", 1, 1));
            click(editor->findChild<QPushButton*>("cmdVokabelNeu"));
        }
        click(editor->findChild<QPushButton*>("cmdExit"));
        STEP(frmMain, {{"anna/tmpEdit", Gone}, {"anna/Englisch/tmpU1", Gone},
                       {"anna/Englisch/U1", S(lesson("fff"))}});

        // Every word from English to German; "Zurück" stores the marks.
        click(main->findChild<QPushButton*>("BtnGo"));
        STEP(frmPaukomat, {{"anna/tmpEdit", P(tmpEdit)}, {"anna/Englisch/EU1", ""},
                           {"anna/Englisch/tmpU1", P(lesson("fff"))}});
        click(only<frmPaukomat>()->findChild<QPushButton*>("cmdStartUebung"));
        answer("Haus");
        STEP(frmPaukomat, {{"anna/Englisch/tmpUxx", P({pair("house", "Haus;Gebäude", 'r')})}});
        answer("das");
        p.messages.queueOk(2); // the solution of the wrong answer, then the end of the run
        answer("Hund");
        STEP(frmPaukomat, {{"anna/Englisch/tmpUxx", Gone},
                           {"anna/Englisch/tmpU1", P(lesson("rrf"))},
                           {"anna/Englisch/U1", S(lesson("rrf"))},
                           {"anna/Englisch/EU1", S({" 3\\\\ 2", "3\\\\2"})}});
        click(only<frmPaukomat>()->findChild<QPushButton*>("cmdCancel"));
        STEP(frmMain, {{"anna/Englisch/tmpU1", Gone}, {"anna/Englisch/U1", S(lesson("rrf"))}});

        // Only the word marked wrong, from German to English.
        click(main->findChild<QPushButton*>("BtnGo"));
        STEP(frmPaukomat, {{"anna/Englisch/tmpU1", P(lesson("rrf"))}});
        auto* drill = only<frmPaukomat>();
        click(drill->findChild<QRadioButton*>("optPaukomatLanguage_1"));
        click(drill->findChild<QRadioButton*>("optPaukomatWelcheVokabeln_1"));
        click(drill->findChild<QPushButton*>("cmdStartUebung"));
        p.messages.queueOk();
        answer("cat");
        STEP(frmPaukomat, {{"anna/Englisch/tmpU1", P(lesson("rrr"))},
                           {"anna/Englisch/U1", S(lesson("rrr"))},
                           {"anna/Englisch/EU1", S({" 4\\\\ 3", "3\\\\2", "1\\\\1"})}});

        // The results of both runs, printed; "OK" gives a drill loaded afresh from the lesson,
        // which kept the marks of the finished run.
        click(drill->findChild<QPushButton*>("cmdShowErgebnis"));
        const QString dir = p.dir() + "/anna/Englisch/";
        STEP(frmErgebnis,
             {{"tmpErgShow", P({dir, "anna", "Englisch", "Lektion 1", dir + "EU1"})}});
        click(only<frmErgebnis>()->findChild<QPushButton*>("cmdPrintErgebnis"));
        QCOMPARE(p.printer.printedDocuments.size(), 1);
        click(only<frmErgebnis>()->findChild<QPushButton*>("cmdCancel"));
        STEP(frmPaukomat, {{"anna/Englisch/tmpU1", P(lesson("rrr"))}});
        click(only<frmPaukomat>()->findChild<QPushButton*>("cmdCancel"));
        STEP(frmMain, {{"anna/Englisch/tmpU1", Gone}});

        // A lesson and a language renamed, then deleted.
        main->findChild<QListWidget*>("lstLektionen")->setCurrentRow(1);
        choose(main->findChild<QAction*>("mnuTitleLektion"), "Grammatik");
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        choose(main->findChild<QAction*>("mnuTitleSprache"), "Spanisch");
        languages[1] = keyed("Spanisch", "LSp2");
        STEP(frmMain, {{"anna/LSp1", S({keyed("Lektion 1", "U1"), keyed("Grammatik", "U2")})},
                       {"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)},
                       {"anna/Spanisch/", ""}, {"anna/Französisch/", Gone}});
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(1);
        choose(main->findChild<QAction*>("mnuSpracheDelete"));
        main->findChild<QListWidget*>("lstSprachen")->setCurrentRow(0);
        main->findChild<QListWidget*>("lstLektionen")->setCurrentRow(1);
        choose(main->findChild<QAction*>("mnuLektionDelete"));
        languages.removeLast();
        STEP(frmMain, {{"anna/LSp1", S({keyed("Lektion 1", "U1")})},
                       {"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)},
                       {"anna/Spanisch/", Gone}, {"anna/LSp2", Gone}});

        endProgram(main);

        // The next run: Jürgen signs up and in by keyboard alone.
        delete main;
        p.screens().showLogin();
        STEP(frmLogin, {{"tmpPK.dat", P({"anna", "geheim"})}});
        auto* login = only<frmLogin>();
        QVERIFY(focusIn(login, {login->findChild<QComboBox*>("cboBenutzer"), login->findChild<QLineEdit*>("txtPassword"), login->findChild<QPushButton*>("cmdOK"),
                                login->findChild<QPushButton*>("cmdCancel"), login->findChild<QPushButton*>("cmdNeuerUser"), login->findChild<QPushButton*>("cmdUserLoeschen"),
                                login->findChild<QPushButton*>("cmdHelp")}));
        press(Qt::Key_N, Qt::AltModifier); // the click an access key gives is animated
        QTRY_VERIFY(only<frmNewUser>());
        auto* newUser = only<frmNewUser>();
        QVERIFY(focusIn(newUser, {newUser->findChild<QLineEdit*>("txtBenutzerName"), newUser->findChild<QLineEdit*>("txtKennwort1"),
                                  newUser->findChild<QLineEdit*>("txtKennwort2"), newUser->findChild<QPushButton*>("cmdNimmNutzer"), newUser->findChild<QPushButton*>("cmdCancel"),
                                  newUser->findChild<QPushButton*>("cmdHelp")}));
        for (const QString text : {"Jürgen", "pw", "pw"}) {
            type(QApplication::focusWidget(), text);
            press(Qt::Key_Tab);
        }
        press(Qt::Key_Return);
        login = only<frmLogin>();
        QVERIFY(focusIn(login, {login->findChild<QComboBox*>("cboBenutzer")}));
        type(login->findChild<QComboBox*>("cboBenutzer"), "Jürgen");
        press(Qt::Key_K, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), login->findChild<QLineEdit*>("txtPassword"));
        type(login->findChild<QLineEdit*>("txtPassword"), "pw");
        press(Qt::Key_Return);
        const QStringList users = {"anna", "geheim", "Jürgen", "pw"};
        STEP(frmMain, {{"PK.dat", S(users)}, {"tmpPK.dat", P(users)},
                       {"tmpUsr", P({"Jürgen", "pw"})}, {"Jürgen/", ""}, {"Jürgen/Spr.dat", ""},
                       {"Jürgen/tmpSpr.dat", ""}});

        // The menus by their access keys: a language and a lesson of the same names as anna's,
        // and so of the same keys; her files stay as they are.
        main = only<frmMain>();
        QVERIFY(focusIn(main, {main->findChild<QListWidget*>("lstSprachen")}));
        p.input.queue("Englisch");
        byKeys(Qt::Key_S, main->findChild<QMenu*>("mnuSprache"), Qt::Key_N);
        p.input.queue("Lektion 1");
        byKeys(Qt::Key_L, main->findChild<QMenu*>("mnuLektionen"), Qt::Key_N);
        byKeys(Qt::Key_L, main->findChild<QMenu*>("mnuLektionen"), Qt::Key_B);
        editor = only<frmEditUnit>();
        QVERIFY(editor);
        type(editor->findChild<QLineEdit*>("txtNewVokabelSprache"), "dog");
        type(editor->findChild<QLineEdit*>("txtNewVokabelDeutsch"), "Hund");
        click(editor->findChild<QPushButton*>("cmdVokabelNeu"));
        click(editor->findChild<QPushButton*>("cmdExit"));
        languages = {keyed("Englisch", "LSp1")};
        STEP(frmMain, {{"Jürgen/Spr.dat", S(languages)}, {"Jürgen/tmpSpr.dat", P(languages)},
                       {"Jürgen/Englisch/", ""}, {"Jürgen/LSp1", S({keyed("Lektion 1", "U1")})},
                       {"Jürgen/Englisch/U1", S({pair("dog", "Hund", 'f')})}});

        // One drill: Shift+Tab to the start button, Space starts, Enter judges, Tab to "Zurück".
        QVERIFY(focusIn(main, {main->findChild<QListWidget*>("lstSprachen"), main->findChild<QListWidget*>("lstLektionen"), main->findChild<QPushButton*>("btnEnd"), main->findChild<QPushButton*>("cmdHelp"),
                               main->findChild<QPushButton*>("BtnGo")}));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Space);
        drill = only<frmPaukomat>();
        QVERIFY(drill && focusIn(drill, {drill->findChild<QPushButton*>("cmdStartUebung")}));
        press(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), drill->findChild<QLineEdit*>("txtLoesung"));
        p.messages.queueOk();
        answer("Hund");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        STEP(frmMain, {{"Jürgen/tmpEdit", P(tmpEdit)},
                       {"Jürgen/Englisch/EU1", S({" 1\\\\ 1", "1\\\\1"})},
                       {"Jürgen/Englisch/U1", S({pair("dog", "Hund", 'r')})}});
        choose(main->findChild<QAction*>("mnuSpracheDelete"));
        STEP(frmMain, {{"Jürgen/Spr.dat", ""}, {"Jürgen/tmpSpr.dat", ""}, {"Jürgen/LSp1", Gone},
                       {"Jürgen/Englisch/", Gone}, {"Jürgen/Englisch/U1", Gone},
                       {"Jürgen/Englisch/EU1", Gone}});

        endProgram(main);
    }

    // Every way out of every screen that the road above does not take, and the end button once
    // more: the screen shown first, then buttons or menu entries pressed or the frame closed, the
    // last being the way out.
    void everyWayOutLeavesOneUsableWindowOrEnds()
    {
        // "Ja" and "Nein" answer the question asked on the way out; after "->" the class of the
        // one usable window left, or "end".
        const QStringList ways = {
            "intro frame -> frmIntro", "login frame -> end", "login cmdCancel -> end",
            "newUser frame -> frmLogin", "newUser cmdCancel -> frmLogin",
            "main frame Nein -> frmMain", "main frame Ja -> end", "main btnEnd Nein -> frmMain",
            "main btnEnd Ja -> end", "main mnuLektionEdit frame -> frmMain",
            "main BtnGo frame -> frmMain", "main BtnGo cmdStartUebung frame -> frmMain",
            "main BtnGo cmdStartUebung cmdStopUebung -> frmMain",
            "main BtnGo cmdShowErgebnis frame -> frmPaukomat"};
        for (const QString& way : ways) {
            TestProgram p;
            p.writeScrambled("PK.dat", {"anna", "geheim"});
            p.writeScrambled("anna/Spr.dat", {keyed("Englisch", "LSp1")});
            p.writeScrambled("anna/LSp1", {keyed("Lektion 1", "U1")});
            p.writeScrambled("anna/Englisch/U1", {pair("the", "der;die;das", 'f')});
            p.writePlain("tmpUsr", {"anna", "geheim"});
            QStringList road = way.section(" -> ", 0, 0).split(' ');
            const QString first = road.takeFirst(), next = way.section(" -> ", 1);
            first == "intro"   ? p.screens().showIntro()
            : first == "login" ? p.screens().showLogin()
            : first == "main"  ? p.screens().showMain()
                               : p.screens().showNewUser();
            for (const QString answer : {"Ja", "Nein"})
                if (road.removeAll(answer) > 0)
                    p.messages.queue(answer == "Ja" ? ui::Answer::Yes : ui::Answer::No);
            QPointer<QWidget> screen;
            for (const QString& step : road) {
                screen = only<QWidget>();
                QVERIFY2(screen, qPrintable(way));
                if (step == "frame")
                    screen->close();
                else if (auto* button = screen->findChild<QAbstractButton*>(step))
                    click(button);
                else
                    screen->findChild<QAction*>(step)->trigger();
            }

            // When the program ends, nothing opens; its own end hides what is left. A main
            // screen left is the same one, its lists as they were.
            QWidget* left = only<QWidget>();
            const bool rightWindow =
                next == "end"       ? TestProgram::visibleWindows().isEmpty() || left == screen
                : next == "frmMain" ? left && left == p.screens().mainScreen()
                                    : left && left->metaObject()->className() == next;
            QVERIFY2(rightWindow && p.messages.pending() == 0 && p.end.requests == (next == "end"),
                     qPrintable(way));
        }
    }
};

QTEST_MAIN(JourneyTest)
#include "JourneyTest.moc"
