#include "TestProgram.h"
#include "exercise/frmPaukomat.h"
#include "results/frmErgebnis.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using testing::TestProgram;

namespace {

const QString Sep(51, QLatin1Char('-'));
const QString ResultFile = QStringLiteral("anna/Englisch/EU1");

// The hand-off as the exercise screen writes it for anna's lesson "Lektion 1".
void writeHandOff(TestProgram& program, const QString& resultPath)
{
    program.writePlain(QStringLiteral("tmpErgShow"),
                       {program.path(QStringLiteral("anna/Englisch/")), QStringLiteral("anna"),
                        QStringLiteral("Englisch"), QStringLiteral("Lektion 1"), resultPath});
}

frmErgebnis* open(TestProgram& program)
{
    writeHandOff(program, program.path(ResultFile));
    program.screens().showResults();
    return TestProgram::shown<frmErgebnis>();
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList header()
{
    return {QStringLiteral("Name: anna"), QStringLiteral("Sprache: Englisch"),
            QStringLiteral("Lektion: Lektion 1"), Sep, QStringLiteral("Gesamtergebnis:")};
}

// Every file of the program tree with its bytes, to show that nothing was written.
QMap<QString, QByteArray> snapshot(const TestProgram& program)
{
    QMap<QString, QByteArray> files;
    QDir root(program.dir());
    const QStringList names = {QStringLiteral("tmpErgShow"), QStringLiteral("anna"),
                               QStringLiteral("anna/Englisch")};
    for (const QString& dir : names)
        for (const QString& name : QDir(root.filePath(dir)).entryList(QDir::Files))
            files.insert(dir + '/' + name, program.bytes(dir + '/' + name));
    files.insert(QStringLiteral("tmpErgShow"), program.bytes(QStringLiteral("tmpErgShow")));
    return files;
}

} // namespace

class frmErgebnisTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTotalsAndEveryRun()
    {
        TestProgram program;
        program.writeScrambled(ResultFile, {" 15\\\\ 12", "10\\\\7", "5\\\\5"});
        writeHandOff(program, program.path(ResultFile));
        const auto before = snapshot(program);
        program.screens().showResults();
        auto* screen = TestProgram::shown<frmErgebnis>();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Paukomat V1.1 - Ergebnisse"));

        QCOMPARE(entries(screen->lstGErgebnis),
                 header() + QStringList({"Vokabeln:  15", "davon richtig:  12",
                                         "davon falsch:  3", "in Prozent:  80",
                                         "entspricht der Zensur : 2", Sep}));
        QCOMPARE(entries(screen->lstErgebnisse),
                 QStringList({Sep, "Einzelergebnis Nr.  1", "Vokabeln:  10",
                              "davon richtig:  7", "davon falsch:  3", "in Prozent:  70",
                              "entspricht der Zensur : 3", Sep, "Einzelergebnis Nr.  2",
                              "Vokabeln:  5", "davon richtig:  5", "davon falsch:  0",
                              "in Prozent:  100", "entspricht der Zensur : 1", Sep}));
        QCOMPARE(snapshot(program), before);
        QVERIFY(program.messages.shown.isEmpty());
    }

    void controlsAndTabOrder()
    {
        TestProgram program;
        auto* screen = open(program);
        QVERIFY(screen);
        const QFont font = screen->lstGErgebnis->font();
        QVERIFY(font.bold());
        QCOMPARE(font.pointSize(), 12);
        QVERIFY(!screen->lstErgebnisse->font().bold());
        QCOMPARE(screen->cmdCancel->text(), QStringLiteral("OK"));
        QCOMPARE(screen->cmdCancel->toolTip(), QStringLiteral("Zurück zum Paukomat Dialog"));
        QCOMPARE(screen->cmdPrintErgebnis->text(), QStringLiteral("Drucken"));
        QCOMPARE(screen->cmdPrintErgebnis->toolTip(),
                 QStringLiteral("Ausgabe der Ergebnisse auf dem Drucker"));
        QCOMPARE(screen->findChild<QPushButton*>("cmdHelp"), screen->cmdHelp);
        // The separator line fits its list without a scroll bar.
        for (QListWidget* list : {screen->lstGErgebnis, screen->lstErgebnisse})
            QVERIFY(list->fontMetrics().horizontalAdvance(Sep) < list->viewport()->width());

        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        QCOMPARE(QApplication::focusWidget(), screen->lstGErgebnis);
        const QList<QWidget*> order = {screen->cmdPrintErgebnis, screen->lstErgebnisse,
                                       screen->cmdCancel, screen->cmdHelp, screen->lstGErgebnis};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(screen, Qt::Key_F1);
        QTest::mouseClick(screen->cmdHelp, Qt::LeftButton);
        QCOMPARE(program.help.requests.size(), 2);
    }

    void noRunsYet()
    {
        const QStringList zeros = header() + QStringList{"Vokabeln:  0", "davon richtig:  0",
                                                         "davon falsch:  0", "in Prozent:  0",
                                                         "entspricht der Zensur : -", Sep};
        for (bool fileExists : {false, true}) {
            TestProgram program;
            if (fileExists)
                program.writePlain(ResultFile, {});
            else
                QDir().mkpath(program.path("anna/Englisch"));
            auto* screen = open(program);
            QVERIFY(screen);
            QCOMPARE(entries(screen->lstGErgebnis), zeros);
            QCOMPARE(entries(screen->lstErgebnisse), QStringList{Sep});
            // A missing result file is not created by only looking at it.
            QCOMPARE(program.exists(ResultFile), fileExists);
        }
    }

    void unusableHandOffGivesTheExerciseBack_data()
    {
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral(
            "Die Ergebnisse können nicht angezeigt werden: Die Datei \"tmpErgShow\" fehlt oder "
            "ist unvollständig.");
        QTest::newRow("missing") << QStringList{"-"} << missing;
        QTest::newRow("empty") << QStringList{} << missing;
        QTest::newRow("four lines") << QStringList{"p", "anna", "Englisch", "L1"} << missing;
        QTest::newRow("unsafe user")
            << QStringList{"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}
            << QStringLiteral("Der Name \"..\" ist ungültig. Die Datei wurde außerhalb von "
                              "Paukomat verändert; Paukomat greift nicht darauf zu.");
        QTest::newRow("outside the tree")
            << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/../../../x"}
            << QStringLiteral("Der Name \"@/anna/Englisch/../../../x\" ist ungültig. Die Datei "
                              "wurde außerhalb von Paukomat verändert; Paukomat greift nicht "
                              "darauf zu.");
        QTest::newRow("unreadable") << QStringList{"p", "anna", "Englisch", "L1",
                                                   "@/anna/Englisch/EU1"}
                                    << QStringLiteral("Die Ergebnisse der Lektion \"L1\" können "
                                                      "nicht angezeigt werden: Die Datei \"EU1\" "
                                                      "kann nicht gelesen werden.");
    }

    void unusableHandOffGivesTheExerciseBack()
    {
        QFETCH(QStringList, handOff);
        QFETCH(QString, message);
        TestProgram program;
        // A directory in place of the result file cannot be read.
        QDir().mkpath(program.path("anna/Englisch/EU1"));
        if (handOff != QStringList{"-"}) {
            for (QString& line : handOff)
                line.replace('@', program.dir());
            program.writePlain(QStringLiteral("tmpErgShow"), handOff);
        }
        message.replace('@', program.dir());
        program.messages.queueOk();
        program.screens().showResults();
        QCOMPARE(program.messages.texts(), QStringList{message});
        QCOMPARE(program.messages.shown.first().title, QStringLiteral("Paukomat V1.1  -  Fehler"));
        QVERIFY(!TestProgram::shown<frmErgebnis>());
        QVERIFY(TestProgram::shown<frmPaukomat>());
        QCOMPARE(TestProgram::visibleWindows().size(), 1);
    }

    void okAndTheFrameOpenAFreshExercise()
    {
        for (bool byFrame : {false, true}) {
            TestProgram program;
            auto* screen = open(program);
            QVERIFY(screen);
            if (byFrame)
                QVERIFY(screen->close());
            else
                QTest::mouseClick(screen->cmdCancel, Qt::LeftButton);
            QVERIFY(!TestProgram::shown<frmErgebnis>());
            QVERIFY(TestProgram::shown<frmPaukomat>());
            QCOMPARE(TestProgram::visibleWindows().size(), 1);
        }
    }

    void printsTitleAndBothListsEveryTime()
    {
        TestProgram program;
        program.writeScrambled(ResultFile, {" 3\\\\ 2", "3\\\\2"});
        auto* screen = open(program);
        QVERIFY(screen);
        QTest::mouseClick(screen->cmdPrintErgebnis, Qt::LeftButton);
        QTest::mouseClick(screen->cmdPrintErgebnis, Qt::LeftButton);
        QCOMPARE(program.printer.documents.size(), 2);
        QCOMPARE(program.printer.documents[0], program.printer.documents[1]);

        const QString tnr = QStringLiteral("Times New Roman");
        QList<ui::PrintLine> expected = {{"Paukomat V1.1", tnr, 14, true, true}};
        for (int i = 0; i < 3; ++i)
            expected.append({" ", tnr, 14, true, true});
        for (const QString& text : entries(screen->lstGErgebnis))
            expected.append({text, tnr, 12, true, false});
        for (const QString& text : entries(screen->lstErgebnisse))
            expected.append({text, tnr, 12, false, false});
        QCOMPARE(expected.size(), 4 + 11 + 8);
        QCOMPARE(program.printer.documents[0], expected);
        QVERIFY(TestProgram::shown<frmErgebnis>() == screen);
    }
};

QTEST_MAIN(frmErgebnisTest)
#include "frmErgebnisTest.moc"
