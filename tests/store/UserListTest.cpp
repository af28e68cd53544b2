#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/UserList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using store::Scrambler;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The bytes of a list file holding these lines, stored or plain.
QByteArray listBytes(const QStringList& lines, bool stored = true)
{
    QByteArray data;
    for (const QString& line : lines)
        data += (stored ? Scrambler::scrambleText(line) : store::toCp1252(line)) + "\r\n";
    return data;
}

void put(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// A program directory "prog" inside a scratch root, so tests can see what lies outside it.
struct Fixture
{
    QTemporaryDir root;
    store::DataTree tree{root.filePath("prog")};
    store::UserList list{tree};

    QString file(const QString& name) const { return tree.programFile(name); }
    void users(const QStringList& lines)
    {
        put(file("PK.dat"), listBytes(lines));
        QVERIFY(list.makePlainCopy());
    }
};

} // namespace

class UserListTest : public QObject
{
    Q_OBJECT

private slots:
    void lookupsAreExactAndReadWholeLines()
    {
        Fixture f;
        const QStringList lines = {"anna", "geheim", "Anna", "x", "  \"Bob\", jr.", " a b \"c\"",
                                   "anna", "zweites", "Jörg", "ßüÄ", "rest"};
        f.users(lines);
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), listBytes(lines, false));
        QCOMPARE(f.list.names(), (QStringList{"anna", "Anna", "  \"Bob\", jr.", "anna", "Jörg", "rest"}));
        QVERIFY(f.list.Check_Pwd("anna", "geheim"));
        QVERIFY(f.list.Check_Pwd("anna", "zweites")); // a second record of the name counts too
        QVERIFY(f.list.Check_Pwd("  \"Bob\", jr.", " a b \"c\""));
        QVERIFY(f.list.Check_Pwd("Jörg", "ßüÄ"));
        QVERIFY(!f.list.Check_Pwd("ANNA", "geheim"));
        QVERIFY(!f.list.Check_Pwd("\"Bob\", jr.", " a b \"c\""));
        QVERIFY(!f.list.Check_Pwd("anna", "geheim "));
        QVERIFY(!f.list.Check_Pwd("rest", "")); // a name without a password line
        QVERIFY(!f.list.Check_If_Unikat("rest"));
        QVERIFY(f.list.Check_If_Unikat("ANNA"));
        QVERIFY(f.list.Check_If_Unikat("geheim"));
    }

    void newRecordStaysApartFromAnUnpairedLine()
    {
        Fixture f;
        f.users({"anna", "geheim", "rest"});
        QVERIFY(f.list.addUser("bert", "pw"));
        QCOMPARE(bytesOf(f.file("PK.dat")), listBytes({"anna", "geheim", "bert", "pw", "rest"}));
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), listBytes({"anna", "geheim", "bert", "pw", "rest"}, false));
        QVERIFY(f.list.Check_Pwd("bert", "pw"));
    }

    void removeUserDropsEveryRecordAndTwoDirectoryLevels()
    {
        Fixture f;
        f.users({"anna", "a1", "bert", "b", "anna", "a2", "cora", "c"});
        for (const char* name : {"anna/Spr.dat", "anna/.versteckt", "anna/Englisch/U1",
                                 "bert/Englisch/U1", "bert/Englisch/tief/datei"})
            put(f.file(name), "x");
        QVERIFY(f.list.removeUser("anna"));
        QCOMPARE(bytesOf(f.file("PK.dat")), listBytes({"bert", "b", "cora", "c"}));
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), listBytes({"bert", "b", "cora", "c"}, false));
        QVERIFY(!QFileInfo::exists(f.file("anna")));
        QVERIFY(QFileInfo::exists(f.file("bert/Englisch/U1")));
        QVERIFY(!QFileInfo::exists(f.file("PK.da2")));
        QVERIFY(!QFileInfo::exists(f.file("tmpPK.da2")));

        // A directory nested deeper stays, and so does every directory above it.
        QVERIFY(f.list.removeUser("bert"));
        QVERIFY(QFileInfo::exists(f.file("bert/Englisch/tief/datei")));
        QVERIFY(!QFileInfo::exists(f.file("bert/Englisch/U1")));
        QCOMPARE(bytesOf(f.file("PK.dat")), listBytes({"cora", "c"}));
    }

    void damagedNamesNeverReachOutsideTheProgramDirectory()
    {
        Fixture f;
        put(f.root.filePath("fremd/daten"), "fremd");
        put(f.root.filePath("daneben"), "daneben");
        put(f.file("echt/Spr.dat"), "x");
        QVERIFY(QFile::link(f.root.filePath("fremd"), f.file("link")));
        f.users({"..", "p", ".", "p", "../fremd", "p", "link", "p", "echt", "p"});
        for (const char* name : {"..", ".", "../fremd", "link"})
            QVERIFY(f.list.removeUser(name));
        QCOMPARE(f.list.names(), QStringList{"echt"});
        QCOMPARE(bytesOf(f.root.filePath("fremd/daten")), QByteArray("fremd"));
        QCOMPARE(bytesOf(f.root.filePath("daneben")), QByteArray("daneben"));
        QVERIFY(!QFileInfo(f.file("link")).isSymLink()); // only the link itself went
        QCOMPARE(bytesOf(f.file("echt/Spr.dat")), QByteArray("x"));
    }

    void failedWritesKeepTheListAndTheUser()
    {
        Fixture f;
        f.users({"anna", "a", "bert", "b"});
        put(f.file("anna/Spr.dat"), "x");
        const QByteArray before = bytesOf(f.file("PK.dat"));
        store::TextFile::setWriteFailureAfter(0);
        const store::FileResult removed = f.list.removeUser("anna");
        const store::FileResult added = f.list.addUser("cora", "c");
        store::TextFile::setWriteFailureAfter(-1);
        QVERIFY(!removed.ok);
        QCOMPARE(removed.path, f.file("PK.dat"));
        QVERIFY(!added.ok);
        QCOMPARE(bytesOf(f.file("PK.dat")), before);
        QVERIFY(QFileInfo::exists(f.file("anna/Spr.dat")));
        QVERIFY(!QFileInfo::exists(f.file("PK.da2")));
    }

    void unreadableListIsNeverRewrittenFromNothing()
    {
        Fixture f;
        f.users({"anna", "a", "bert", "b"});
        const QByteArray before = bytesOf(f.file("PK.dat"));
        QFile::setPermissions(f.file("PK.dat"), QFileDevice::WriteOwner);
        if (QFile(f.file("PK.dat")).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        QVERIFY(!f.list.addUser("cora", "c").ok);
        QVERIFY(!f.list.removeUser("bert").ok);
        QFile::setPermissions(f.file("PK.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(bytesOf(f.file("PK.dat")), before);
    }
};

QTEST_GUILESS_MAIN(UserListTest)
#include "UserListTest.moc"
