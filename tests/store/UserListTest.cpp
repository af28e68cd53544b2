#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/UserList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using store::DataTree;
using store::Scrambler;
using store::UserList;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray scrambled(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += Scrambler::scrambleText(line) + "\r\n";
    return data;
}

QByteArray plain(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::toCp1252(line) + "\r\n";
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
    QString dir = root.filePath("prog");
    DataTree tree{dir};
    UserList list{tree};

    Fixture() { QDir().mkpath(dir); }
    QString file(const QString& name) const { return tree.programFile(name); }
    void users(const QStringList& lines)
    {
        put(file("PK.dat"), scrambled(lines));
        QVERIFY(list.makePlainCopy());
    }
};

} // namespace

class UserListTest : public QObject
{
    Q_OBJECT

private slots:
    void missingListIsCreatedEmpty()
    {
        Fixture f;
        QVERIFY(f.list.makePlainCopy());
        QVERIFY(QFileInfo(f.file("PK.dat")).isFile());
        QCOMPARE(bytesOf(f.file("PK.dat")), QByteArray());
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), QByteArray());
        QVERIFY(f.list.names().isEmpty());
        QVERIFY(!f.list.Check_Pwd("", ""));
        QVERIFY(f.list.Check_If_Unikat("anna"));
    }

    void lookupsAreExactAndReadWholeLines()
    {
        Fixture f;
        const QStringList lines = {"anna", "geheim", "Anna", "x", "  \"Bob\", jr.", " a b \"c\"",
                                   "anna", "zweites", "Jörg", "ßüÄ"};
        f.users(lines);
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), plain(lines));
        QCOMPARE(f.list.names(), (QStringList{"anna", "Anna", "  \"Bob\", jr.", "anna", "Jörg"}));
        QVERIFY(f.list.Check_Pwd("anna", "geheim"));
        QVERIFY(f.list.Check_Pwd("anna", "zweites")); // a second record of the name counts too
        QVERIFY(f.list.Check_Pwd("  \"Bob\", jr.", " a b \"c\""));
        QVERIFY(f.list.Check_Pwd("Jörg", "ßüÄ"));
        QVERIFY(!f.list.Check_Pwd("anna", "x"));
        QVERIFY(!f.list.Check_Pwd("ANNA", "geheim"));
        QVERIFY(!f.list.Check_Pwd("\"Bob\", jr.", " a b \"c\""));
        QVERIFY(!f.list.Check_Pwd("anna", "geheim "));
        QVERIFY(!f.list.Check_If_Unikat("Anna"));
        QVERIFY(f.list.Check_If_Unikat("ANNA"));
        QVERIFY(f.list.Check_If_Unikat("geheim")); // passwords are not names
    }

    void addUserAppendsToBothListsAndMakesTheDirectory()
    {
        Fixture f;
        f.users({"anna", "geheim"});
        put(f.file("Jörg Müller-2/Spr.dat"), "alt\r\n"); // left over: reused as it is
        QVERIFY(f.list.addUser("Jörg Müller-2", " pass wort"));
        QCOMPARE(bytesOf(f.file("PK.dat")), scrambled({"anna", "geheim", "Jörg Müller-2", " pass wort"}));
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), plain({"anna", "geheim", "Jörg Müller-2", " pass wort"}));
        QCOMPARE(bytesOf(f.file("Jörg Müller-2/Spr.dat")), QByteArray("alt\r\n"));
        QVERIFY(f.list.Check_Pwd("Jörg Müller-2", " pass wort"));

        QVERIFY(f.list.addUser("Anna", "x"));
        QVERIFY(QFileInfo(f.file("Anna")).isDir());
        QVERIFY(f.list.Check_Pwd("Anna", "x"));
    }

    void unpairedLastLineNeverMatchesAndKeepsRecordsApart()
    {
        Fixture f;
        f.users({"anna", "geheim", "rest"});
        QCOMPARE(f.list.names(), (QStringList{"anna", "rest"}));
        QVERIFY(!f.list.Check_Pwd("rest", ""));
        QVERIFY(!f.list.Check_If_Unikat("rest"));

        QVERIFY(f.list.addUser("bert", "pw"));
        QCOMPARE(bytesOf(f.file("PK.dat")), scrambled({"anna", "geheim", "bert", "pw", "rest"}));
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), plain({"anna", "geheim", "bert", "pw", "rest"}));
        QVERIFY(f.list.Check_Pwd("bert", "pw"));
        QVERIFY(!f.list.Check_Pwd("rest", "bert"));
    }

    void removeUserDropsEveryRecordAndTwoDirectoryLevels()
    {
        Fixture f;
        f.users({"anna", "a1", "bert", "b", "anna", "a2", "cora", "c"});
        put(f.file("anna/Spr.dat"), "x");
        put(f.file("anna/Englisch/U1"), "x");
        put(f.file("anna/.versteckt"), "x");
        put(f.file("bert/Spr.dat"), "bleibt");
        QVERIFY(f.list.removeUser("anna"));
        QCOMPARE(bytesOf(f.file("PK.dat")), scrambled({"bert", "b", "cora", "c"}));
        QCOMPARE(bytesOf(f.file("tmpPK.dat")), plain({"bert", "b", "cora", "c"}));
        QVERIFY(!QFileInfo::exists(f.file("anna")));
        QCOMPARE(bytesOf(f.file("bert/Spr.dat")), QByteArray("bleibt"));
        QVERIFY(!QFileInfo::exists(f.file("PK.da2")));
        QVERIFY(!QFileInfo::exists(f.file("tmpPK.da2")));

        // A directory nested deeper stays, and with it everything above it; files go.
        put(f.file("bert/Englisch/tief/datei"), "x");
        put(f.file("bert/Englisch/U1"), "x");
        QVERIFY(f.list.removeUser("bert"));
        QCOMPARE(bytesOf(f.file("PK.dat")), scrambled({"cora", "c"}));
        QVERIFY(QFileInfo::exists(f.file("bert/Englisch/tief/datei")));
        QVERIFY(!QFileInfo::exists(f.file("bert/Englisch/U1")));
        QVERIFY(!QFileInfo::exists(f.file("bert/Spr.dat")));

        // An unknown name changes nothing.
        put(f.file("dora/Spr.dat"), "x");
        QVERIFY(f.list.removeUser("dora"));
        QCOMPARE(bytesOf(f.file("PK.dat")), scrambled({"cora", "c"}));
        QVERIFY(QFileInfo::exists(f.file("dora/Spr.dat")));
    }

    void damagedNamesNeverReachOutsideTheProgramDirectory()
    {
        Fixture f;
        put(f.root.filePath("fremd/daten"), "fremd");
        put(f.root.filePath("daneben"), "daneben");
        QVERIFY(QFile::link(f.root.filePath("fremd"), f.file("link")));
        put(f.file("echt/Spr.dat"), "x");
        f.users({"..", "p", ".", "p", "../fremd", "p", "link", "p", "echt", "p"});
        QVERIFY(f.list.removeUser(".."));
        QVERIFY(f.list.removeUser("."));
        QVERIFY(f.list.removeUser("../fremd"));
        QVERIFY(f.list.removeUser("link"));
        QCOMPARE(f.list.names(), QStringList{"echt"});
        QCOMPARE(bytesOf(f.root.filePath("fremd/daten")), QByteArray("fremd"));
        QCOMPARE(bytesOf(f.root.filePath("daneben")), QByteArray("daneben"));
        QVERIFY(!QFileInfo(f.file("link")).isSymLink()); // only the link itself went
        QCOMPARE(bytesOf(f.file("echt/Spr.dat")), QByteArray("x"));
        QVERIFY(QFileInfo(f.file("PK.dat")).isFile());
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

    void programFilesAreNoUserNames()
    {
        Fixture f;
        put(f.file("Paukomat"), "");
        QDir().mkpath(f.file("anna"));
        for (const char* taken : {"Paukomat", "tmpUsr", "tmpErgShow", "PK.dat", "tmpPK.dat", "PK.da2",
                                  "Paukomat.lock", "Paukomat.hlp"})
            QVERIFY2(f.list.isProgramFileName(taken), taken);
        for (const char* free : {"anna", "tmpusr", "paukomat", "bert"})
            QVERIFY2(!f.list.isProgramFileName(free), free);
    }
};

QTEST_GUILESS_MAIN(UserListTest)
#include "UserListTest.moc"
