#include "results/LessonResults.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The results of anna's "Lektion 1" of "Englisch", asked for by this hand-off ("@" stands for the
// program directory), with these result lines stored scrambled; none: no file.
results::LessonResults load(const QTemporaryDir& dir, const QStringList& lines, QStringList handOff = {})
{
    QList<QByteArray> stored;
    for (const QString& line : lines)
        stored.append(store::Scrambler::scrambleText(line));
    QDir().mkpath(dir.filePath("anna/Englisch"));
    if (!lines.isEmpty())
        (void)store::TextFile::writeRawLines(dir.filePath("anna/Englisch/EU1"), stored);
    if (handOff.isEmpty())
        handOff = {"@/anna/Englisch/", "anna", "Englisch", "Lektion 1", "@/anna/Englisch/EU1"};
    (void)store::TextFile::writeLines(dir.filePath("tmpErgShow"), handOff.replaceInStrings("@", dir.path()));
    return results::LessonResults::load(store::DataTree(dir.path()));
}

} // namespace

class LessonResultsTest : public QObject
{
    Q_OBJECT

private slots:
    // The values of every result block, totals first, as "words/right/wrong/percent/grade"; the
    // bars of the chart, oldest first, as "percent/grade" or "-" for a run without one; or why
    // nothing can be shown.
    void blocksAndBarsOfTheResultFile_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<QString>("bars");
        QTest::addColumn<QStringList>("handOff");
        QTest::addColumn<QString>("problem");
        const QStringList none;
        QTest::newRow("no run yet, no file") << none << QStringList{" 0/ 0/ 0/ 0/-"} << "" << none << "";
        QTest::newRow("percentages cut") << QStringList{" 311\\\\ 3", "3\\\\2", "8\\\\1", "300\\\\1"}
            << QStringList{" 311/ 3/ 308/ .96/6", " 3/ 2/ 1/ 66.66/3", " 8/ 1/ 7/ 12.5/6", " 300/ 1/ 299/ .33/6"}
            << "66.67/3 12.50/6 0.33/6" << none << "";
        // Totals come from the first line, never summed up; a line without the separator keeps
        // the values read before it in the list, but gets no bar of its own.
        QTest::newRow("damaged lines") << QStringList{" 99\\\\ 98", "Müll", "4\\\\1", "", "10\\\\12", "-4\\\\2", " 8\\\\ 6"}
            << QStringList{" 99/ 98/ 1/ 98.98/1", " 99/ 98/ 1/ 98.98/1", " 4/ 1/ 3/ 25/6", " 4/ 1/ 3/ 25/6",
                           " 10/ 12/-2/ 120/", "-4/ 2/-6/ 0/6", " 8/ 6/ 2/ 75/3"}
            << "- 25.00/6 - - - 75.00/3" << none << "";
        QTest::newRow("huge counts") << QStringList{" 70000\\\\ 1", "100000000000000000000\\\\1"}
            << QStringList{" 70000/ 1/ 69999/ .00/6", " 1E+20/ 1/ 1E+20/ 1E-18/6"} << "0.00/6" << none << "";
        QTest::newRow("no separator") << QStringList{"kaputt"} << QStringList{" 0/ 0/ 0/ 0/-"} << "" << none << "";
        const QString unsafe = "Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von "
                               "Paukomat verändert; Paukomat greift nicht darauf zu.";
        QTest::newRow("empty hand-off") << none << none << "" << QStringList{""}
            << "Die Ergebnisse können nicht angezeigt werden: Die Datei \"tmpErgShow\" fehlt oder ist unvollständig.";
        QTest::newRow("user outside the tree") << none << none << ""
            << QStringList{"p", "..", "Englisch", "L1", "@/../Englisch/EU1"} << unsafe.arg("..");
        QTest::newRow("file outside the language") << none << none << ""
            << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/../../x"} << unsafe.arg("@/anna/Englisch/../../x");
        QTest::newRow("directory for a file") << none << none << ""
            << QStringList{"p", "anna", "Englisch", "L1", "@/anna/Englisch/EU9"}
            << "Die Ergebnisse der Lektion \"L1\" können nicht angezeigt werden: Die Datei \"EU9\" kann nicht gelesen werden.";
    }
    void blocksAndBarsOfTheResultFile()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, blocks);
        QFETCH(QString, bars);
        QFETCH(QStringList, handOff);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("anna/Englisch/EU9"));
        const results::LessonResults shown = load(dir, stored, handOff);
        QCOMPARE(shown.problem(), problem.replace('@', dir.path()));
        QStringList values = shown.totals().mid(5, 5) + shown.runs().filter(QRegularExpression("^(?!---|Einzel)"));
        QStringList found;
        for (qsizetype i = 0; i < values.size(); i += 5)
            found.append(values.mid(i, 5).replaceInStrings(QRegularExpression(".*: "), "").join('/'));
        QCOMPARE(found, blocks);
        found.clear();
        for (const results::RunScore& run : shown.scores())
            found.append(run.hasBar() ? QString("%1/%2").arg(*run.percent, 0, 'f', 2).arg(run.grade) : "-");
        QCOMPARE(found.join(' '), bars);
        // Showing changes no file: a missing one is not created.
        QCOMPARE(QFileInfo::exists(dir.filePath("anna/Englisch/EU1")), !stored.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LessonResultsTest)
#include "LessonResultsTest.moc"
