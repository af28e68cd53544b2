#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"
#include "signin/UserList.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace store;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

void put(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
}

// The bytes of a file holding these lines, scrambled or plain.
QByteArray linesOf(const QStringList& lines, bool scrambled)
{
    QByteArray data;
    for (const QString& line : lines)
        data += (scrambled ? Scrambler::scrambleText(line) : toCp1252(line)) + "\r\n";
    return data;
}

// A program directory "prog" inside a scratch root, so tests can see what lies outside it.
struct Users
{
    QTemporaryDir root;
    DataTree tree{root.filePath("prog")};
    signin::UserList list{tree};

    QString file(const QString& name) const { return tree.programFile(name); }
    void expect(const QStringList& lines) const
    {
        QCOMPARE(bytesOf(file("PK.dat")), linesOf(lines, true));
        QCOMPARE(bytesOf(file("tmpPK.dat")), linesOf(lines, false));
    }
    void start(const QStringList& lines) const
    {
        put(file("PK.dat"), linesOf(lines, true));
        QVERIFY(list.makePlainCopy());
        expect(lines);
    }
};

} // namespace

class StoreFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void scramblingTwiceGivesTheLineBack()
    {
        for (int n : {0, 1, 4, 5, 300}) {
            const QByteArray line(n, 'x'), once = Scrambler::scramble(line);
            QCOMPARE(once == line, n == 0);
            QCOMPARE(Scrambler::scramble(once), line);
        }
        // Every byte value at every key position; a printable one never becomes CR, LF or
        // another control character.
        for (int pos = 0; pos < 4; ++pos) {
            for (int b = 0; b < 256; ++b) {
                const QByteArray line = QByteArray(pos, 'x') + static_cast<char>(b);
                const QByteArray once = Scrambler::scramble(line);
                QCOMPARE(Scrambler::scramble(once), line);
                QVERIFY2(b < 32 || static_cast<unsigned char>(once.at(pos)) >= 32,
                         qPrintable(QString::number(b)));
            }
        }
        // Position i takes element i mod 4 of both key tables, over the eight-byte steps too,
        // whether the line shares its bytes with another array or not.
        QByteArray line, expected;
        for (int i = 0; i < 37; ++i) {
            line += static_cast<char>('A' + i % 26);
            expected += static_cast<char>(line[i] ^ Scrambler::Key1[i % 4] ^ Scrambler::Key2[i % 4]);
        }
        const QByteArray shared = line;
        QCOMPARE(Scrambler::scramble(shared), expected);
        QCOMPARE(Scrambler::scramble(QByteArray(line.constData(), line.size())), expected);
        QCOMPARE(shared, line);
        const QString umlauts = QStringLiteral("äöüÄÖÜß§€");
        QCOMPARE(toCp1252(umlauts), QByteArray("\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xA7\x80"));
        QCOMPARE(Scrambler::unscrambleText(Scrambler::scrambleText(umlauts)), umlauts);
    }

    void textFilesKeepWholeLines()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath("f");
        put(p, "eins\r\nzwei\nDrei \"x\", y\r\n\r\nletzte");
        QCOMPARE(TextFile::readLines(p),
                 (QStringList{"eins", "zwei", "Drei \"x\", y", "", "letzte"}));
        QCOMPARE(TextFile::readFirstLine(p), QStringLiteral("eins"));
        QVERIFY(TextFile::readLines(dir.filePath("missing")).isEmpty());
        // Before a rewrite, a missing file reads as empty, one that cannot be opened fails.
        QList<QByteArray> raw{"alt"};
        QVERIFY(TextFile::readRawLines(dir.filePath("missing"), raw) && raw.isEmpty());
        QDir(dir.path()).mkdir("unlesbar");
        QVERIFY(!TextFile::readRawLines(dir.filePath("unlesbar"), raw).ok);

        const QByteArray written("Gr\xF6\xDF" "e\r\n a b \r\n\r\n\x80\r\n");
        QVERIFY(TextFile::writeLines(p, {"Größe", " a b ", ""}));
        QVERIFY(TextFile::appendLines(p, {"€"}));
        QVERIFY(TextFile::touch(p)); // never empties an existing file
        QCOMPARE(bytesOf(p), written);

        // Scrambling a whole file: empty and missing sources both give an empty destination.
        const QString src = dir.filePath("src"), dst = dir.filePath("dst");
        QVERIFY(TextFile::touch(src));
        QCOMPARE(bytesOf(src), QByteArray());
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(bytesOf(dst), QByteArray());
        put(dst, "alt\r\n");
        QVERIFY(Scrambler::passFile(dir.filePath("missing"), dst));
        QCOMPARE(bytesOf(dst), QByteArray());
        // Every line starts at the first key position again.
        const QStringList lines = {"the\\\\der;die;das\\\\\\f", "", "Haus"};
        put(src, linesOf(lines, false));
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(bytesOf(dst), linesOf(lines, true));
        QVERIFY(Scrambler::passFile(dst, dir.filePath("back")));
        QCOMPARE(bytesOf(dir.filePath("back")), bytesOf(src));
        // A damaged stored line that unscrambles to a line end stays one line in the copy.
        put(src, Scrambler::scramble("an\nna") + "\r\n" + Scrambler::scramble("pw") + "\r\n");
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(bytesOf(dst), QByteArray("an?na\r\npw\r\n"));
    }

    void cleanUpFollowsTheDotRule()
    {
        QVERIFY(matchesPattern("tmpPK.dat", "tmp*.dat") && matchesPattern("tmp", "tmp*.*"));
        for (const char* name : {"tmpUsr", "tmpPK.da2", "TmpPK.dat", "xtmpPK.dat"})
            QVERIFY2(!matchesPattern(name, "tmp*.dat"), name);

        QTemporaryDir dir;
        for (const char* name : {"tmpUsr", "tmpErgShow", "tmpPK.dat", "PK.dat", "anna/tmpEdit"})
            put(dir.filePath(name), "x");
        QDir(dir.path()).mkdir("tmpX");
        QCOMPARE(removeMatching(dir.path(), "tmp*.*"), 3);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"PK.dat", "anna", "tmpX"}));
        QCOMPARE(bytesOf(dir.filePath("anna/tmpEdit")), QByteArray("x"));
    }

    void usersAreExactAndComeAndGoInPairs()
    {
        Users u;
        u.start({"anna", "a1", "  \"Bob\", jr.", " a b \"c\"", "anna", "a2", "Jörg", "ßüÄ", "rest"});
        QCOMPARE(u.list.names(), (QStringList{"anna", "  \"Bob\", jr.", "anna", "Jörg", "rest"}));
        QVERIFY(u.list.passwordMatches("anna", "a2")); // a second record of the name counts too
        QVERIFY(u.list.passwordMatches("  \"Bob\", jr.", " a b \"c\"") && u.list.passwordMatches("Jörg", "ßüÄ"));
        QVERIFY(!u.list.passwordMatches("ANNA", "a1") && !u.list.passwordMatches("anna", "a1 "));
        QVERIFY(!u.list.passwordMatches("rest", "")); // a name without a password line
        QVERIFY(!u.list.isNameFree("rest") && u.list.isNameFree("ANNA"));

        QVERIFY(u.list.addUser("cora", "c")); // goes before the unpaired line
        u.expect({"anna", "a1", "  \"Bob\", jr.", " a b \"c\"", "anna", "a2", "Jörg", "ßüÄ", "cora",
                  "c", "rest"});
        // Every record of the name goes, and the user directory two levels deep; a directory
        // nested deeper stays, and so does every directory above it.
        for (const char* name : {"anna/Spr.dat", "anna/.versteckt", "anna/Englisch/U1",
                                 "Jörg/Englisch/U1", "Jörg/Englisch/tief/datei"})
            put(u.file(name), "x");
        QVERIFY(u.list.removeUser("anna"));
        QVERIFY(u.list.removeUser("Jörg"));
        u.expect({"  \"Bob\", jr.", " a b \"c\"", "cora", "c", "rest"});
        QVERIFY(!QFileInfo::exists(u.file("anna")));
        QCOMPARE(bytesOf(u.file("Jörg/Englisch/tief/datei")), QByteArray("x"));
        QVERIFY(!QFileInfo::exists(u.file("Jörg/Englisch/U1")));
        QCOMPARE(QDir(u.tree.programPath()).entryList(QDir::Files),
                 (QStringList{"PK.dat", "tmpPK.dat"}));
    }

    void damagedUserListsAreHandledSafely()
    {
        Users u;
        put(u.root.filePath("fremd/daten"), "fremd");
        put(u.file("echt/Spr.dat"), "x");
        QVERIFY(QFile::link(u.root.filePath("fremd"), u.file("link")));
        u.start({"..", "p", ".", "p", "../fremd", "p", "link", "p", "echt", "p"});
        for (const char* name : {"..", ".", "../fremd", "link"})
            QVERIFY(u.list.removeUser(name));
        u.expect({"echt", "p"});
        QCOMPARE(bytesOf(u.root.filePath("fremd/daten")), QByteArray("fremd"));
        QVERIFY(!QFileInfo(u.file("link")).isSymLink()); // only the link itself went
        QCOMPARE(bytesOf(u.file("echt/Spr.dat")), QByteArray("x"));

        // A list that cannot be read is never rewritten from nothing.
        QFile::setPermissions(u.file("PK.dat"), QFileDevice::WriteOwner);
        if (QFile(u.file("PK.dat")).open(QIODevice::ReadOnly))
            QSKIP("the rest needs a user who cannot read every file");
        QVERIFY(!u.list.addUser("cora", "c").ok);
        QVERIFY(!u.list.removeUser("echt").ok);
        QFile::setPermissions(u.file("PK.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(bytesOf(u.file("PK.dat")), linesOf({"echt", "p"}, true));
    }
};

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "StoreFilesTest.moc"
