#include "results/LessonResults.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A program directory with anna's "Lektion 1" of "Englisch" asked for; "@" in the hand-off
// stands for the program directory. Result lines given are stored scrambled; none: no file.
struct Lesson
{
    QTemporaryDir dir;

    results::LessonResults load(const QStringList& results, QStringList handOff = {}) const
    {
        QDir().mkpath(dir.filePath("anna/Englisch"));
        if (!results.isEmpty()) {
            QList<QByteArray> stored;
            for (const QString& line : results)
                stored.append(store::Scrambler::scrambleText(line));
            (void)store::TextFile::writeRawLines(dir.filePath("anna/Englisch/EU1"), stored);
        }
        if (handOff.isEmpty())
            handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
        (void)store::TextFile::writeLines(dir.filePath("tmpErgShow"),
                                          handOff.replaceInStrings("@", dir.path()));
        return results::LessonResults::load(store::DataTree(dir.path()));
    }
};

// The values of every result block, totals first, as "words/right/wrong/percent/grade".
QStringList blocks(const results::LessonResults& shown)
{
    QStringList values = shown.totals().mid(5, 5), out;
    values += shown.runs().filter(QRegularExpression("^(?!---|Einzel)"));
    for (QString& value : values)
        value = value.mid(value.lastIndexOf(": ") + 2);
    for (qsizetype i = 0; i + 5 <= values.size(); i += 5)
        out.append(values.mid(i, 5).join('/'));
    return out;
}

} // namespace

class LessonResultsTest : public QObject
{
    Q_OBJECT

private slots:
    void blocksOfTheResultFile_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no run yet, no file") << QStringList{} << QStringList{" 0/ 0/ 0/ 0/-"};
        QTest::newRow("percentages cut") << QStringList{" 311\\\\ 3", "3\\\\2", "8\\\\1", "300\\\\1"}
            << QStringList{" 311/ 3/ 308/ .96/6", " 3/ 2/ 1/ 66.66/3", " 8/ 1/ 7/ 12.5/6", " 300/ 1/ 299/ .33/6"};
        // Totals come from the first line, never summed up; a line without the separator keeps
        // the values read before it.
        QTest::newRow("damaged lines") << QStringList{" 99\\\\ 98", "Müll", "4\\\\1", "", "10\\\\12", "-4\\\\2"}
            << QStringList{" 99/ 98/ 1/ 98.98/1", " 99/ 98/ 1/ 98.98/1", " 4/ 1/ 3/ 25/6", " 4/ 1/ 3/ 25/6",
                           " 10/ 12/-2/ 120/", "-4/ 2/-6/ 0/6"};
        QTest::newRow("huge counts") << QStringList{" 70000\\\\ 1", "100000000000000000000\\\\1"}
            << QStringList{" 70000/ 1/ 69999/ .00/6", " 1E+20/ 1/ 1E+20/ 1E-18/6"};
        QTest::newRow("no separator") << QStringList{"kaputt"} << QStringList{" 0/ 0/ 0/ 0/-"};
    }
    void blocksOfTheResultFile()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, expected);
        Lesson lesson;
        const results::LessonResults shown = lesson.load(stored);
        QVERIFY2(shown.ok(), qPrintable(shown.problem()));
        QCOMPARE(blocks(shown), expected);
        // Showing changes no file: a missing one is not created.
        QCOMPARE(QFileInfo::exists(lesson.dir.filePath("anna/Englisch/EU1")), !stored.isEmpty());
    }

    void unusableHandOffOrFileIsRefused_data()
    {
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("text");
        const QString unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von "
                               "Paukomat verändert; Paukomat greift nicht darauf zu.";
        QTest::newRow("empty hand-off") << QStringList{""}
            << "Die Ergebnisse können nicht angezeigt werden: Die Datei \"tmpErgShow\" fehlt oder ist unvollständig.";
        QTest::newRow("user outside the tree") << QStringList{"p", "..", "Englisch", "L1", "@/../Englisch/EU1"}
                                               << unsafe.arg("..");
        QTest::newRow("file outside the language") << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/../../x"}
                                                   << unsafe.arg("@/anna/Englisch/../../x");
        // A directory in place of the result file cannot be read.
        QTest::newRow("directory") << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/EU1"}
            << "Die Ergebnisse der Lektion \"L1\" können nicht angezeigt werden: Die Datei \"EU1\" kann nicht gelesen werden.";
    }
    void unusableHandOffOrFileIsRefused()
    {
        QFETCH(QStringList, handOff);
        QFETCH(QString, text);
        Lesson lesson;
        QDir().mkpath(lesson.dir.filePath("anna/Englisch/EU1"));
        const results::LessonResults shown = lesson.load({}, handOff);
        QCOMPARE(shown.problem(), text.replace('@', lesson.dir.path()));
        QVERIFY(shown.totals().isEmpty() && shown.runs().isEmpty());
    }
};

QTEST_GUILESS_MAIN(LessonResultsTest)
#include "LessonResultsTest.moc"
