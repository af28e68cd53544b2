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
    void nameAndFilterGiveTheFormat_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("kvtml");
        QTest::newRow("plain name, first filter") << "/d/Haus" << DelimitedFilter << "/d/Haus.tsv" << false;
        QTest::newRow("plain name, KVTML filter") << "/d/Haus" << KvtmlFilter << "/d/Haus.kvtml" << true;
        QTest::newRow("name says KVTML") << "/d/Haus.KVTML" << DelimitedFilter << "/d/Haus.KVTML" << true;
        QTest::newRow("xml") << "/d/Haus.xml" << DelimitedFilter << "/d/Haus.xml" << true;
        QTest::newRow("name says text") << "/d/Haus.txt" << KvtmlFilter << "/d/Haus.txt" << false;
    }
    void nameAndFilterGiveTheFormat()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, filter);
        QFETCH(QString, path);
        QFETCH(bool, kvtml);
        const ExportTarget target = exportTarget(chosen, filter);
        QCOMPARE(target.path, path);
        QCOMPARE(target.format == Format::Kvtml, kvtml);
    }

    void exportedLessonsComeBackAndFailuresKeepTheOldFile()
    {
        testing::SmallDisk disk;
        if (!disk.isMounted())
            QSKIP(qPrintable("no small file system here: " + disk.reason()));
        const QList<editor::WordPair> lesson = {editor::WordPair::parse("house\\\\Haus;Gebäude\\\\\\f"),
                                                editor::WordPair::parse("kaputt"),
                                                editor::WordPair::parse("the\\\\der;die;das\\\\\\r")};
        const QList<Pair> pairs = pairsOf(lesson);
        QCOMPARE(pairs.size(), 2);
        const ExportTarget target{disk.path() + "/Haus.tsv", Format::Delimited};
        QVERIFY(exportLesson(target, pairs, "Englisch", "Haus"));
        QFile file(target.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("#separator:tab\n#html:false\nhouse\tHaus;Gebäude\nthe\tder;die;das\n"));
        QCOMPARE(planImport(readImportFile(target.path), {}).pairs, pairs);
        QCOMPARE(exportedMessage("Haus", target, 2),
                 "Die Lektion \"Haus\" wurde mit 2 Wortpaaren in die Datei \"" + target.path + "\" exportiert.");

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
