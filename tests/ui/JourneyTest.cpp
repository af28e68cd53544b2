#include "Drive.h"
#include "editor/frmEditUnit.h"
#include "exercise/frmPaukomat.h"
#include "lessons/frmMain.h"
#include "results/frmErgebnis.h"
#include "signin/frmIntro.h"
#include "signin/frmLogin.h"
#include "signin/frmNewUser.h"
#include "ui/QtServices.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

using namespace drive;

namespace {

QByteArray S(const QStringList& lines) { return TestProgram::scrambledBytes(lines); }
QByteArray P(const QStringList& lines) { return TestProgram::plainBytes(lines); }

// The lines rendered to a real PDF and read back, blanks collapsed and empty lines dropped.
QStringList pdfText(const QList<ui::PrintLine>& lines)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("ergebnis.pdf"));
    QProcess pdftotext;
    if (ui::QtPrinter::renderLines(printer, lines))
        pdftotext.start("pdftotext", {"-layout", printer.outputFileName(), "-"});
    pdftotext.waitForFinished();
    QStringList text = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\n');
    for (QString& line : text)
        line = line.simplified();
    text.removeAll(QString());
    return text;
}

// From the sign-in screen to the new-user screen and back, then signed in.
void signUpAndIn(const QString& name, const QString& password)
{
    click(only<frmLogin>()->cmdNeuerUser);
    auto* newUser = only<frmNewUser>();
    QVERIFY(newUser);
    for (QLineEdit* box : {newUser->txtBenutzerName, newUser->txtKennwort1, newUser->txtKennwort2})
        type(box, box == newUser->txtBenutzerName ? name : password);
    click(newUser->cmdNimmNutzer);
    auto* login = only<frmLogin>();
    QVERIFY(login && login->cboBenutzer->findText(name) >= 0);
    type(login->cboBenutzer, name);
    type(login->txtPassword, password);
    click(login->cmdOK);
}

// Types the answer to the word asked and presses Enter.
void answer(const QString& text)
{
    auto* drill = only<frmPaukomat>();
    QVERIFY(drill);
    type(drill->txtLoesung, text);
    QTest::keyClick(drill->txtLoesung, Qt::Key_Return);
}

} // namespace

// The one usable window is a T, a hidden main screen is disabled, and the tree is `want`.
#define STEP(T)                                                                                   \
    do {                                                                                          \
        QVERIFY2(only<T>(), #T " is not the one usable window");                                  \
        if (QWidget* hub = p.screens().mainScreen())                                              \
            QCOMPARE(hub->isEnabled(), hub->isVisible());                                         \
        const Tree now = snapshot(p.dir());                                                       \
        QVERIFY2(now == want, qPrintable(difference(now, want)));                                 \
    } while (false)

class JourneyTest : public QObject
{
    Q_OBJECT

private slots:
    void newUserGoesTheWholeRoad_data()
    {
        QTest::addColumn<QString>("place");
        QTest::newRow("plain") << QString();
        // Installed below a directory whose name Windows-1252 cannot spell.
        QTest::newRow("Łódź") << QStringLiteral("Łódź");
    }

    // anna's whole road, then a second user beside her.
    void newUserGoesTheWholeRoad()
    {
        QFETCH(QString, place);
        QTemporaryDir parent;
        const QByteArray tmp = qgetenv("TMPDIR");
        if (!place.isEmpty() && QDir(parent.path()).mkdir(place))
            qputenv("TMPDIR", QFile::encodeName(parent.filePath(place)));
        TestProgram p;
        tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
        QVERIFY(p.dir().contains(place));
        const auto ask = [&](QAction* entry, const QString& text) {
            p.input.queue(text);
            entry->trigger();
        };
        const auto confirm = [&](QAction* entry) {
            p.messages.queue(ui::Answer::Yes);
            entry->trigger();
        };
        const QStringList words = {"house", "Haus;Gebäude", "the", "der;die;das", "cat", "Katze"};
        const auto lesson = [&](const char* m) {
            return QStringList{pair(words[0], words[1], m[0]), pair(words[2], words[3], m[1]),
                               pair(words[4], words[5], m[2])};
        };

        p.writePlain("PK.dat", {});
        Tree want = {{"PK.dat", ""}};
        p.screens().showIntro();
        STEP(frmIntro);
        QTRY_VERIFY_WITH_TIMEOUT(only<frmLogin>(), 5000);
        want["tmpPK.dat"] = "";
        STEP(frmLogin);
        signUpAndIn("anna", "geheim");
        want.insert({{"PK.dat", S({"anna", "geheim"})}, {"tmpPK.dat", P({"anna", "geheim"})},
                     {"tmpUsr", P({"anna", "geheim"})}, {"anna/", ""}, {"anna/Spr.dat", ""},
                     {"anna/tmpSpr.dat", ""}});
        STEP(frmMain);

        // Two languages; two lessons in the first, one in the second.
        auto* main = only<frmMain>();
        ask(main->mnuNeueSprache, "Englisch");
        ask(main->mnuNeueSprache, "Französisch");
        ask(main->mnuNeueLektion, "Lektion 1");
        ask(main->mnuNeueLektion, "Lektion 2");
        main->lstSprachen->setCurrentRow(1);
        ask(main->mnuNeueLektion, "Verben");
        QStringList languages = {keyed("Englisch", "LSp1"), keyed("Französisch", "LSp2")};
        want.insert({{"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)},
                     {"anna/Englisch/", ""}, {"anna/Französisch/", ""},
                     {"anna/LSp1", S({keyed("Lektion 1", "U1"), keyed("Lektion 2", "U2")})},
                     {"anna/LSp2", S({keyed("Verben", "U3")})}});
        STEP(frmMain);

        // Words in the editor reach the lesson file when the editor is left.
        main->lstSprachen->setCurrentRow(0);
        main->mnuLektionEdit->trigger();
        want.insert({{"anna/tmpEdit", P({"Englisch", "Lektion 1", "U1"})},
                     {"anna/Englisch/U1", ""}, {"anna/Englisch/tmpU1", ""}});
        STEP(frmEditUnit);
        auto* editor = only<frmEditUnit>();
        for (int i = 0; i < words.size(); i += 2) {
            type(editor->txtNewVokabelSprache, words[i]);
            type(editor->txtNewVokabelDeutsch, words[i + 1]);
            click(editor->cmdVokabelNeu);
        }
        want["anna/Englisch/tmpU1"] = P(lesson("fff"));
        STEP(frmEditUnit);
        click(editor->cmdExit);
        want.remove("anna/tmpEdit");
        want.remove("anna/Englisch/tmpU1");
        want["anna/Englisch/U1"] = S(lesson("fff"));
        STEP(frmMain);

        // Every word from English to German; "Zurück" stores the marks.
        click(main->BtnGo);
        want.insert({{"anna/tmpEdit", P({"Englisch", "Lektion 1", "U1"})},
                     {"anna/Englisch/tmpU1", P(lesson("fff"))}, {"anna/Englisch/EU1", ""}});
        STEP(frmPaukomat);
        click(only<frmPaukomat>()->cmdStartUebung);
        answer("Haus");
        want["anna/Englisch/tmpUxx"] = P({pair("house", "Haus;Gebäude", 'r')});
        STEP(frmPaukomat);
        answer("das");
        p.messages.queueOk(2); // the solution of the wrong answer, then the end of the run
        answer("Hund");
        want.remove("anna/Englisch/tmpUxx");
        want["anna/Englisch/tmpU1"] = P(lesson("rrf"));
        want["anna/Englisch/EU1"] = S({" 3\\\\ 2", "3\\\\2"});
        STEP(frmPaukomat);
        click(only<frmPaukomat>()->cmdCancel);
        want.remove("anna/Englisch/tmpU1");
        want["anna/Englisch/U1"] = S(lesson("rrf"));
        STEP(frmMain);

        // Only the word marked wrong, from German to English.
        click(main->BtnGo);
        want["anna/Englisch/tmpU1"] = P(lesson("rrf"));
        STEP(frmPaukomat);
        auto* drill = only<frmPaukomat>();
        click(drill->optPaukomatLanguage[1]);
        click(drill->optPaukomatWelcheVokabeln[1]);
        click(drill->cmdStartUebung);
        QCOMPARE(drill->lblVorgabe->text(), "Katze");
        p.messages.queueOk();
        answer("cat");
        want["anna/Englisch/tmpU1"] = P(lesson("rrr"));
        want["anna/Englisch/EU1"] = S({" 4\\\\ 3", "3\\\\2", "1\\\\1"});
        STEP(frmPaukomat);

        // The results, printed; "OK" gives a drill loaded afresh from the stored lesson.
        click(drill->cmdShowErgebnis);
        const QString englisch = p.dir() + "/anna/Englisch/";
        want["tmpErgShow"] = P({englisch, "anna", "Englisch", "Lektion 1", englisch + "EU1"});
        STEP(frmErgebnis);
        auto* results = only<frmErgebnis>();
        QCOMPARE(results->lstGErgebnis->item(8)->text(), "in Prozent:  75");
        click(results->cmdPrintErgebnis);
        QCOMPARE(p.printer.documents.size(), 1);
        QStringList printed;
        for (const ui::PrintLine& line : p.printer.documents.first())
            printed << line.text.simplified();
        printed.removeAll(QString());
        QCOMPARE(printed.size(), 1 + 11 + 15);
        QCOMPARE(pdfText(p.printer.documents.first()), printed);
        STEP(frmErgebnis);
        click(results->cmdCancel);
        want["anna/Englisch/tmpU1"] = P(lesson("rrf"));
        STEP(frmPaukomat);
        click(only<frmPaukomat>()->cmdCancel);
        want.remove("anna/Englisch/tmpU1");
        STEP(frmMain);

        // A lesson renamed, then deleted; a language renamed, then deleted.
        main->lstLektionen->setCurrentRow(1);
        ask(main->mnuTitleLektion, "Grammatik");
        want["anna/LSp1"] = S({keyed("Lektion 1", "U1"), keyed("Grammatik", "U2")});
        STEP(frmMain);
        main->lstLektionen->setCurrentRow(1);
        confirm(main->mnuLektionDelete);
        want["anna/LSp1"] = S({keyed("Lektion 1", "U1")});
        STEP(frmMain);
        main->lstSprachen->setCurrentRow(1);
        ask(main->mnuTitleSprache, "Spanisch");
        languages[1] = keyed("Spanisch", "LSp2");
        want.insert({{"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)},
                     {"anna/Spanisch/", ""}});
        want.remove("anna/Französisch/");
        STEP(frmMain);
        main->lstSprachen->setCurrentRow(1);
        confirm(main->mnuSpracheDelete);
        languages.removeLast();
        want.insert({{"anna/Spr.dat", S(languages)}, {"anna/tmpSpr.dat", P(languages)}});
        want.remove("anna/Spanisch/");
        want.remove("anna/LSp2");
        STEP(frmMain);

        // The end button leaves no hand-off file anywhere.
        const auto endProgram = [&](const QString& user) {
            p.messages.queue(ui::Answer::Yes);
            click(only<frmMain>()->btnEnd);
            for (const QString& name : QStringList{"tmpPK.dat", "tmpUsr", "tmpErgShow",
                                                   user + "/tmpSpr.dat", user + "/tmpEdit"})
                want.remove(name);
            const Tree last = snapshot(p.dir());
            QVERIFY2(last == want, qPrintable(difference(last, want)));
            QVERIFY(!("/" + QStringList(last.keys()).join('/')).contains("/tm"));
        };
        endProgram("anna");
        QCOMPARE(p.end.requests, 1);

        // The next run of the program: bernd makes a language and a lesson of the same names as
        // anna's, and so of the same keys; her files stay as they are.
        delete main;
        p.screens().showLogin();
        want["tmpPK.dat"] = P({"anna", "geheim"});
        STEP(frmLogin);
        signUpAndIn("bernd", "pw");
        main = only<frmMain>();
        QVERIFY(main);
        ask(main->mnuNeueSprache, "Englisch");
        ask(main->mnuNeueLektion, "Lektion 1");
        languages = {keyed("Englisch", "LSp1")};
        const QStringList users = {"anna", "geheim", "bernd", "pw"};
        want.insert({{"PK.dat", S(users)}, {"tmpPK.dat", P(users)}, {"tmpUsr", P({"bernd", "pw"})},
                     {"bernd/", ""}, {"bernd/Spr.dat", S(languages)},
                     {"bernd/tmpSpr.dat", P(languages)}, {"bernd/Englisch/", ""},
                     {"bernd/LSp1", S({keyed("Lektion 1", "U1")})}});
        STEP(frmMain);
        main->mnuLektionEdit->trigger();
        editor = only<frmEditUnit>();
        QVERIFY(editor);
        type(editor->txtNewVokabelSprache, "dog");
        type(editor->txtNewVokabelDeutsch, "Hund");
        click(editor->cmdVokabelNeu);
        click(editor->cmdExit);
        click(main->BtnGo);
        click(only<frmPaukomat>()->cmdStartUebung);
        p.messages.queueOk();
        answer("Hund");
        click(only<frmPaukomat>()->cmdCancel);
        want.insert({{"bernd/tmpEdit", P({"Englisch", "Lektion 1", "U1"})},
                     {"bernd/Englisch/U1", S({pair("dog", "Hund", 'r')})},
                     {"bernd/Englisch/EU1", S({" 1\\\\ 1", "1\\\\1"})}});
        STEP(frmMain);
        confirm(main->mnuSpracheDelete);
        for (const char* gone : {"LSp1", "Englisch/", "Englisch/U1", "Englisch/EU1"})
            want.remove(QString("bernd/") + gone);
        want.insert({{"bernd/Spr.dat", ""}, {"bernd/tmpSpr.dat", ""}});
        STEP(frmMain);
        endProgram("bernd");
        QCOMPARE(p.end.requests, 2);
    }
};

QTEST_MAIN(JourneyTest)
#include "JourneyTest.moc"
