#include "SmallDisk.h"
#include "exchange/LessonExport.h"
#include "store/TextRules.h"

#include <QFile>
#include <QTest>

using namespace exchange;

class LessonExportTest : public QObject
{
    Q_OBJECT

private slots:
    // A name without extension gets the one of the first filter; damaged lines stay behind; a full
    // disk keeps the file written before and names it.
    void writesTheValidPairsOrKeepsTheOldFile()
    {
        testing::SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        const QList<Pair> pairs = pairsOf({editor::WordPair::parse("house\\\\Haus;Gebäude\\\\\\f"),
                                           editor::WordPair::parse("kaputt"),
                                           editor::WordPair::parse("the\\\\der;die;das\\\\\\r")});
        const ExportTarget target = exportTarget(disk.path() + "/Haus", DelimitedFilter);
        QVERIFY(exportLesson(target, pairs, "Englisch", "Haus"));
        QFile file(disk.path() + "/Haus.tsv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("#separator:tab\n#html:false\nhouse\tHaus;Gebäude\nthe\tder;die;das\n"));

        disk.fill();
        const store::FileResult failed = exportLesson(target, pairs + pairs, "Englisch", "Haus");
        disk.makeRoom();
        QCOMPARE(store::failureMessage(failed),
                 QStringLiteral("Die Datei \"Haus.tsv\" (Export der Lektion \"Haus\") konnte nicht "
                                "gespeichert werden (Der Datenträger ist voll).\nDie Lektion selbst "
                                "bleibt unverändert."));
        QCOMPARE(planImport(readImportFile(target.path), {}).pairs, pairs);
    }
};

QTEST_GUILESS_MAIN(LessonExportTest)
#include "LessonExportTest.moc"
