#include "store/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace store;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TextFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryLineEnd()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("f");
        put(p, "eins\r\nzwei\nDrei \"x\", y\r\n\r\nletzte");
        QCOMPARE(TextFile::readLines(p),
                 (QStringList{"eins", "zwei", "Drei \"x\", y", "", "letzte"}));
        QCOMPARE(TextFile::readFirstLine(p), QStringLiteral("eins"));
        put(p, "");
        QVERIFY(TextFile::readLines(p).isEmpty());
        QVERIFY(TextFile::readLines(dir.filePath("missing")).isEmpty());
        QCOMPARE(TextFile::readFirstLine(dir.filePath("missing")), QString());
    }

    void writesWindows1252WithCrLf()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("f");
        QVERIFY(TextFile::writeLines(p, {"Größe", " a b ", ""}));
        QCOMPARE(bytesOf(p), QByteArray("Gr\xF6\xDF" "e\r\n a b \r\n\r\n"));
        QVERIFY(TextFile::appendLines(p, {"€"}));
        QCOMPARE(bytesOf(p), QByteArray("Gr\xF6\xDF" "e\r\n a b \r\n\r\n\x80\r\n"));
        QVERIFY(TextFile::writeLines(p, {}));
        QCOMPARE(bytesOf(p), QByteArray());
    }

    void touchCreatesButNeverEmpties()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("Spr.dat");
        QVERIFY(TextFile::touch(p));
        QVERIFY(QFileInfo(p).isFile());
        put(p, "x\r\n");
        QVERIFY(TextFile::touch(p));
        QCOMPARE(bytesOf(p), QByteArray("x\r\n"));
    }

    void failedWritesKeepTheOldBytes()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("PK.dat");
        put(p, "alt\r\n");
        TextFile::setWriteFailureAfter(3);
        const FileResult replaced = TextFile::writeLines(p, {"neu und lang"});
        const FileResult appended = TextFile::appendLines(p, {"angehängt"});
        TextFile::setWriteFailureAfter(-1);
        QVERIFY(!replaced.ok);
        QCOMPARE(replaced.path, p);
        QVERIFY(!replaced.error.isEmpty());
        QVERIFY(!appended.ok);
        QCOMPARE(bytesOf(p), QByteArray("alt\r\n"));
        // Nothing of the failed write is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"PK.dat"});

        // A directory in the way cannot be replaced either, and says so.
        QDir(dir.path()).mkdir("sub");
        QVERIFY(!TextFile::writeLines(dir.filePath("sub"), {"x"}).ok);
    }

    void patternsFollowTheDotRule_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("no dot") << "tmp*.*" << "tmpUsr" << true;
        QTest::newRow("with dot") << "tmp*.*" << "tmpPK.dat" << true;
        QTest::newRow("ErgShow") << "tmp*.*" << "tmpErgShow" << true;
        QTest::newRow("other") << "tmp*.*" << "PK.dat" << false;
        QTest::newRow("bare tmp") << "tmp*.*" << "tmp" << true;
        QTest::newRow("dat only") << "tmp*.dat" << "tmpUsr" << false;
        QTest::newRow("dat") << "tmp*.dat" << "tmpPK.dat" << true;
        QTest::newRow("da2") << "tmp*.dat" << "tmpPK.da2" << false;
        QTest::newRow("tm") << "tm*.*" << "tmEdit" << true;
        QTest::newRow("case") << "tmp*" << "TmpX" << false;
        QTest::newRow("star") << "tmp*" << "tmpU1" << true;
        QTest::newRow("prefix") << "tmp*" << "xtmp" << false;
    }
    void patternsFollowTheDotRule()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(matchesPattern(name, pattern), matches);
    }

    void cleanUpDeletesOnlyMatchingFiles()
    {
        QTemporaryDir dir;
        QDir d(dir.path());
        for (const char* name : {"tmpUsr", "tmpErgShow", "tmpPK.dat", "PK.dat", "Paukomat.hlp"})
            put(d.filePath(name), "x");
        d.mkdir("tmpX");
        d.mkdir("anna");
        put(d.filePath("anna/tmpEdit"), "x");
        QCOMPARE(removeMatching(dir.path(), "tmp*.*"), 3);
        QCOMPARE(d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"PK.dat", "Paukomat.hlp", "anna", "tmpX"}));
        QVERIFY(QFileInfo(d.filePath("anna/tmpEdit")).isFile());
        QCOMPARE(removeMatching(dir.filePath("missing"), "tmp*.*"), 0);
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "TextFileTest.moc"
