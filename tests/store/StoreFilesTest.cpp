#include "TestProgram.h"
#include "results/GradeScale.h"
#include "signin/UserList.h"
#include "store/NumberText.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QTest>

#include <sys/stat.h>

using namespace store;
using testing::readFile;
using testing::writeFile;
using S = testing::TestProgram;

class StoreFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void scrambling()
    {
        // The key tables combine to 1D 17 14 17; the twelve bytes take the eight-byte steps and the rest.
        const QByteArray plain("Haus und Hof"), stored("Uvad=bzs=_{q");
        QCOMPARE(Scrambler::scramble(plain), stored);
        QCOMPARE(Scrambler::scramble(QByteArray(stored.constData(), stored.size())), plain);
        QCOMPARE(plain, QByteArray("Haus und Hof")); // a shared line is not changed in place
    }

    // Every length meets each step of the loop; a line handed over whole is changed in place.
    void scramblingLongLines_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("inPlace");
        for (const int length : {1, 7, 31, 32, 33, 63, 100, 127, 128, 161, 4099})
            for (const bool inPlace : {false, true})
                QTest::addRow("%d bytes%s", length, inPlace ? ", in place" : "")
                    << length << inPlace;
    }
    void scramblingLongLines()
    {
        QFETCH(int, length);
        QFETCH(bool, inPlace);
        QByteArray plain(length, Qt::Uninitialized), expected = plain;
        for (int i = 0; i < length; ++i) {
            plain[i] = static_cast<char>(32 + i % 200);
            expected[i] =
                static_cast<char>(plain[i] ^ Scrambler::Key1[i % 4] ^ Scrambler::Key2[i % 4]);
        }
        QCOMPARE(inPlace ? Scrambler::scramble(QByteArray(plain)) : Scrambler::scramble(plain),
                 expected);
    }

    void textFilesKeepWholeLines()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("f"), src = dir.filePath("src"), dst = dir.filePath("dst");
        writeFile(p, "eins\r\nzwei\nDrei \"x\", y\r\n\r\nletzte");
        QCOMPARE(TextFile::readLines(p),
                 (QStringList{"eins", "zwei", "Drei \"x\", y", "", "letzte"}));
        QCOMPARE(TextFile::readFirstLine(p), "eins");
        // Before a rewrite, a missing file reads as empty, one that cannot be opened fails.
        QList<QByteArray> raw{"alt"};
        QVERIFY(TextFile::readRawLines(dir.filePath("missing"), raw) && raw.isEmpty());
        QVERIFY(!TextFile::readRawLines(dir.path(), raw).ok());
        QVERIFY(TextFile::writeLines(p, {"Größe", " a b ", ""}) && TextFile::appendLines(p, {"€"}));
        QVERIFY(TextFile::touch(p)); // never empties an existing file
        QCOMPARE(readFile(p),
                 QByteArray("Gr\xF6\xDF"
                            "e\r\n a b \r\n\r\n\x80\r\n"));
        // A name becomes a directory of at most 255 bytes.
        QVERIFY(tooLongNameMessage(QString(255, 'a')).isEmpty()
                && !tooLongNameMessage(QString(128, u'ä')).isEmpty());
        QVERIFY(TextFile::touch(src) && Scrambler::passFile(src, dst));
        QCOMPARE(readFile(dst), QByteArray());
        writeFile(dst, "alt\r\n");
        QVERIFY(Scrambler::passFile(dir.filePath("missing"), dst));
        QCOMPARE(readFile(dst), QByteArray());
        // Every line starts at the first key position; a damaged line holding a line end stays one.
        writeFile(src,
                  "the\\\\der;die\\\\\\f\r\n\r\nHaus und Hof\r\n" + Scrambler::scramble("an\nna")
                      + "\r\n");
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(readFile(dst), QByteArray("i\x7fqKAsqe&s}rAKHq\r\n\r\nUvad=bzs=_{q\r\nan?na\r\n"));
        // The files that hold passwords are the owner's alone; others keep their permissions.
        QVERIFY(TextFile::writeLines(p, {"anna", "geheim"}, Access::OwnerOnly));
        QFile::setPermissions(src, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(TextFile::writeLines(src, {"b"}));
        struct stat info
        { };
        QVERIFY(::stat(QFile::encodeName(p).constData(), &info) == 0
                && (info.st_mode & 0777) == 0600);
        QVERIFY(::stat(QFile::encodeName(src).constData(), &info) == 0
                && (info.st_mode & 0777) == 0640);
    }

    // Records are pairs of lines; damaged names never reach outside the program directory.
    void usersComeAndGoInPairs()
    {
        QTemporaryDir root;
        const DataTree tree(root.filePath("prog"));
        const signin::UserList list{tree};
        const auto file = [&](const QString& name) { return tree.programFile(name); };
        const QStringList kept = {"  \"Bob\", jr.", " a b \"c\"", "cora", "c", "rest"};
        writeFile(file("PK.dat"),
                  S::scrambledBytes({"anna", "a1", "..", "p", "../fremd", "p", "link", "p", kept[0],
                                     kept[1], "anna", "a2", "Jörg", "ßüÄ", "rest"}));
        for (const char* name : {"anna/.versteckt", "Jörg/Englisch/U1", "Jörg/Englisch/tief/datei"})
            writeFile(file(name), "x");
        writeFile(root.filePath("fremd/daten"), "x");
        QVERIFY(QFile::link(root.filePath("fremd"), file("link")));
        QVERIFY(list.makePlainCopy() && list.passwordMatches("anna", "a2")
                && list.passwordMatches(kept[0], kept[1]));
        QVERIFY(!list.isNameFree("rest") && list.names().contains(kept[0]));
        QVERIFY(list.addUser("cora", "c")); // goes before the unpaired line
        for (const char* name : {"anna", "..", ".", "../fremd", "link", "Jörg"})
            QVERIFY(list.removeUser(name));
        QCOMPARE(readFile(file("PK.dat")), S::scrambledBytes(kept));
        QCOMPARE(readFile(file("tmpPK.dat")), S::plainBytes(kept));
        // The user directory goes two levels deep; what lies deeper stays, and so does the way there.
        QCOMPARE(readFile(file("Jörg/Englisch/tief/datei"))
                     + readFile(root.filePath("fremd/daten")),
                 QByteArray("xx"));
        QVERIFY(!QFileInfo::exists(file("anna")) && !QFileInfo::exists(file("Jörg/Englisch/U1")));
        QVERIFY(!QFileInfo(file("link")).isSymLink());
        // A list that cannot be read is never rewritten from nothing.
        QFile::setPermissions(file("PK.dat"), QFileDevice::WriteOwner);
        if (QFile(file("PK.dat")).open(QIODevice::ReadOnly))
            QSKIP("the rest needs a user who cannot read every file");
        QVERIFY(!list.addUser("dora", "d").ok() && !list.removeUser("cora").ok());
        QFile::setPermissions(file("PK.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readFile(file("PK.dat")), S::scrambledBytes(kept));
    }

    void numbersPercentagesAndGrades()
    {
        const QList<std::tuple<double, const char*, const char*>> cases = {
            {7, " 7", " 7"},
            {0.5, " .5", " .5"},
            {-0.25, "-.25", "-.25"},
            {0, " 0", " 0"},
            {1e15, " 1E+15", " 1E+15"},
            {99.999, " 99.999", " 99.99"},
            {200.0 / 3, " 66.6666666666667", " 66.66"},
            {123456789012345.0, " 123456789012345", " 123456789012345"}};
        for (const auto& [value, number, percent] : cases)
            QVERIFY2(numberText(value) == number && percentText(value) == percent, number);
        const QList<std::pair<const char*, double>> values = {
            {" 15", 15}, {"  2.5x", 2.5}, {".5", 0.5},  {"-3", -3},
            {"abc", 0},  {"-", 0},        {"1E3", 1000}};
        for (const auto& [text, value] : values)
            QVERIFY2(numericValue(text) == value, text);
        // Grades go by the whole-number part of the percentage.
        const QList<std::pair<double, int>> bands = {
            {0, 6},  {30.9, 6}, {31, 5},   {49.99, 5}, {50, 4},    {64, 4},  {65, 3},
            {79, 3}, {80, 2},   {94.9, 2}, {95, 1},    {100.5, 1}, {101, 0}, {-1, 0}};
        for (const auto& [percent, grade] : bands)
            QVERIFY2(results::gradeFor(percent) == grade, qPrintable(QString::number(percent)));
    }
};

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "StoreFilesTest.moc"
