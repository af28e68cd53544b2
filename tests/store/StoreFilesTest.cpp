#include "TestProgram.h"
#include "results/GradeScale.h"
#include "signin/UserList.h"
#include "store/NumberText.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QTest>

using namespace store;
using namespace testing;

class StoreFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    // Every length meets each step of the loop: four blocks, one block, words and single bytes.
    void scramblingLongLines_data()
    {
        QTest::addColumn<int>("length");
        for (const int length : {7, 63, 128, 161, 4099})
            QTest::addRow("%d bytes", length) << length;
    }
    void scramblingLongLines()
    {
        QFETCH(int, length);
        QByteArray plain(length, Qt::Uninitialized), expected = plain;
        for (int i = 0; i < length; ++i) {
            plain[i] = char(32 + i % 200);
            expected[i] = char(plain[i] ^ Scrambler::Key1[i % 4] ^ Scrambler::Key2[i % 4]);
        }
        const QByteArray unchanged(plain.constData(), length);
        QCOMPARE(Scrambler::scramble(plain), expected);
        QCOMPARE(Scrambler::scramble(QByteArray(plain)), expected); // shared: never in place
        QCOMPARE(plain, unchanged);
    }

    // Every line starts at the first key position; a damaged line holding a line end stays one.
    void passingAFileKeepsItsLines()
    {
        const QString src = file("src"), dst = file("dst");
        writeFile(dst, "alt\r\n");
        QVERIFY(Scrambler::passFile(src, dst)); // a missing source
        QCOMPARE(readFile(dst), QByteArray());
        writeFile(src,
                  "the\\\\der;die\\\\\\f\r\n\r\nHaus und Hof\r\n" + Scrambler::scramble("an\nna"));
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(readFile(dst), QByteArray("i\x7fqKAsqe&s}rAKHq\r\n\r\nUvad=bzs=_{q\r\nan?na\r\n"));
    }

    // A line ends at CR LF or at LF alone; the last needs no end.
    void readingKeepsWholeLines()
    {
        const QString path = file("lines");
        writeFile(path, "eins\r\nzwei\n\r\nletzte");
        QCOMPARE(TextFile::readLines(path), (QStringList{"eins", "zwei", "", "letzte"}));
    }

    void writingInWindows1252()
    {
        const QString path = file("1252");
        QVERIFY(TextFile::writeLines(path, {"Größe", " a € ", ""}));
        QCOMPARE(readFile(path),
                 "Gr\xF6\xDF"
                 "e\r\n a \x80 \r\n\r\n");
    }

    // The files that hold passwords are the owner's alone; others keep their permissions.
    void writingKeepsWhoMayRead()
    {
        const auto ownerOnly =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        const QString secret = file("secret"), shared = file("shared");
        QVERIFY(TextFile::writeLines(secret, {"anna", "geheim"}, Access::OwnerOnly));
        QVERIFY(TextFile::touch(shared));
        QVERIFY(QFile::setPermissions(shared, ownerOnly | QFile::ReadGroup));
        QVERIFY(TextFile::writeLines(shared, {"b"}));
        QCOMPARE(QFileInfo(secret).permissions(), ownerOnly);
        QCOMPARE(QFileInfo(shared).permissions(), ownerOnly | QFile::ReadGroup);
    }

    // A name becomes a directory of at most 255 bytes.
    void namesFitADirectory()
    {
        QCOMPARE(tooLongNameMessage(QString(255, 'a')), QString());
        QVERIFY(!tooLongNameMessage(QString(128, u'ä')).isEmpty());
    }

    // Records are pairs of lines; damaged names never reach outside the program directory, and
    // the user directory goes two levels deep.
    void removingUsers()
    {
        const DataTree tree(file("prog"));
        const auto inTree = [&](const QString& name) { return tree.programFile(name); };
        const QStringList kept = {"  \"Bob\", jr.", " a b \"c\"", "rest"};
        writeFile(
            inTree("PK.dat"),
            TestProgram::scrambledBytes({"anna", "a1", "..", "p", "../fremd", "p", "link", "p",
                                         kept[0], kept[1], "anna", "a2", "Jörg", "ß", "rest"}));
        for (const char* name : {"anna/.versteckt", "Jörg/Englisch/U1", "Jörg/Englisch/tief/datei"})
            writeFile(inTree(name), "x");
        writeFile(file("fremd/daten"), "x");
        QVERIFY(QFile::link(file("fremd"), inTree("link")));
        const signin::UserList list{tree};
        for (const char* name : {"anna", "..", ".", "../fremd", "link", "Jörg"})
            QVERIFY(list.removeUser(name));
        QCOMPARE(readFile(inTree("PK.dat")), TestProgram::scrambledBytes(kept));
        QVERIFY(!QFileInfo::exists(inTree("anna")));
        QVERIFY(!QFileInfo::exists(inTree("Jörg/Englisch/U1")));
        QCOMPARE(readFile(inTree("Jörg/Englisch/tief/datei")), "x");
        QCOMPARE(readFile(file("fremd/daten")), "x");
        QVERIFY(!QFileInfo(inTree("link")).isSymLink());
    }

    // A list that cannot be read is never rewritten from nothing.
    void unreadableUserListIsKept()
    {
        const DataTree tree(file("locked"));
        const QString path = tree.programFile("PK.dat");
        writeFile(path, "cora\r\n");
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("needs a user who cannot read every file");
        const signin::UserList list{tree};
        QVERIFY(!list.addUser("dora", "d").ok());
        QVERIFY(!list.removeUser("cora").ok());
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        QCOMPARE(readFile(path), "cora\r\n");
    }

    void numberTexts()
    {
        for (const auto& [name, value, number, percent] :
             {std::tuple{"below 1", 0.5, " .5", " .5"},
              {"below 0", -0.25, "-.25", "-.25"},
              {"exponent", 1e15, " 1E+15", " 1E+15"},
              {"percent cut", 200.0 / 3, " 66.6666666666667", " 66.66"}}) {
            QVERIFY2(numberText(value) == number, name);
            QVERIFY2(percentText(value) == percent, name);
        }
    }

    void numericValues()
    {
        for (const auto& [text, value] :
             {std::pair{"  2.5x", 2.5}, {".5", 0.5}, {"-", 0.0}, {"1E3", 1000.0}})
            QVERIFY2(numericValue(text) == value, text);
    }

    // Grades go by the whole-number part of the percentage.
    void grades()
    {
        for (const auto& [percent, grade] : {std::pair{49.99, 5},
                                             {50.0, 4},
                                             {64.0, 4},
                                             {65.0, 3},
                                             {79.0, 3},
                                             {80.0, 2},
                                             {94.9, 2},
                                             {95.0, 1},
                                             {100.5, 1},
                                             {-1.0, 0}})
            QVERIFY2(results::gradeFor(percent) == grade, qPrintable(QString::number(percent)));
    }
};

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "StoreFilesTest.moc"
