#include "signin/UserList.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using signin::Entry;

Q_DECLARE_METATYPE(signin::Entry)

namespace {

const QString Wrong = QStringLiteral("Ungültiges Kennwort, versuchen Sie es noch einmal!");

// A program directory whose user list holds these plain lines, with its plain copy made.
struct Program
{
    QTemporaryDir dir;
    signin::UserList users{store::DataTree(dir.path())};

    explicit Program(const QStringList& lines)
    {
        QList<QByteArray> stored;
        for (const QString& line : lines)
            stored.append(store::Scrambler::scrambleText(line));
        (void)store::TextFile::writeRawLines(file("PK.dat"), stored);
        (void)users.makePlainCopy();
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    QByteArray bytes(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

} // namespace

class UserListTest : public QObject
{
    Q_OBJECT

private slots:
    void newUserChecksInTheirOrder_data()
    {
        for (const char* column : {"name", "p1", "p2", "text", "title"})
            QTest::addColumn<QString>(column);
        const QString forbidden = "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !";
        const QString own = "Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine eigene "
                            "Datei dieses Namens verwendet !";
        const QString plain = "Paukomat V1.1";
        const QString odd = "PaukomaT V1.1";
        QTest::newRow("^ in name, before completeness") << "an^na" << "" << "" << forbidden << plain;
        QTest::newRow("§ in password") << "neu" << "p§" << "p§" << forbidden << plain;
        QTest::newRow("empty name first") << "" << "x" << "y" << "Ein Benutzername ist erforderlich !" << odd;
        QTest::newRow("mismatch first") << "neu" << "" << "x!" << "Das Kennwort ist fehlerhaft !" << odd;
        QTest::newRow("no password") << "neu" << "" << "" << "Ein Kennwort ist erforderlich !" << odd;
        QTest::newRow("existing") << "anna" << "x" << "x" << "Der Benutzer ist bereits vorhanden !" << odd;
        QTest::newRow("Cyrillic") << "Иван" << "x" << "x" << store::unstorableTextMessage("Иван") << plain;
        QTest::newRow("tab") << "neu" << "a\tb" << "a\tb" << store::unstorableTextMessage("\t") << plain;
        QTest::newRow("too long") << QString(256, 'a') << "x" << "x"
                                  << store::tooLongNameMessage(QString(256, 'a')) << plain;
        QTest::newRow("hand-off file") << "tmpUsr" << "x" << "x" << own.arg("tmpUsr") << plain;
        QTest::newRow("program file") << "Paukomat" << "x" << "x" << own.arg("Paukomat") << plain;
        QTest::newRow("other case") << "Anna" << "x" << "x" << "" << "";
    }
    void newUserChecksInTheirOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, p1);
        QFETCH(QString, p2);
        QFETCH(QString, text);
        QFETCH(QString, title);
        Program program({"anna", "a"});
        (void)store::TextFile::writeLines(program.file("Paukomat"), {"ELF"});
        const QStringList before = program.entries();
        const signin::Outcome outcome = program.users.createUser(name, p1, p2);
        QCOMPARE(outcome.refusal.text, text);
        QCOMPARE(outcome.refused() ? outcome.refusal.title : QString(), title);
        QVERIFY(outcome.saved);
        // Nothing is written before every check has passed.
        QCOMPARE(program.users.names(), outcome.refused() ? QStringList{"anna"} : (QStringList{"anna", name}));
        QVERIFY(outcome.refused() ? program.entries() == before : QFileInfo(program.file(name)).isDir());
    }

    void signInNeedsTheExactPasswordAndASafeName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("text");
        QTest::newRow("other case") << "ANNA" << "a1" << Wrong;
        QTest::newRow("other user's password") << "anna" << "a2" << Wrong;
        QTest::newRow("trailing blank") << "anna" << "a1 " << Wrong;
        QTest::newRow("empty") << "" << "" << Wrong;
        QTest::newRow("name without password line") << "rest" << "" << Wrong;
        QTest::newRow("damaged name") << ".." << "p" << store::unsafeNameMessage("..");
        QTest::newRow("signed in") << "anna" << "a1" << "";
    }
    void signInNeedsTheExactPasswordAndASafeName()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, text);
        Program program({"anna", "a1", "Anna", "a2", "..", "p", "rest"});
        (void)store::TextFile::writeLines(program.file("tmpUsr"), {"alt", "alt", "drei"});
        const signin::Outcome outcome = program.users.signIn(name, password);
        QCOMPARE(outcome.refusal.text, text);
        QCOMPARE(outcome.refused() ? outcome.refusal.title : "Paukomat V1.1", "Paukomat V1.1");
        QCOMPARE(outcome.entry, text == Wrong ? Entry::Password : Entry::None);
        // Exactly the two lines of the user signed in, an older longer hand-off replaced.
        QCOMPARE(program.bytes("tmpUsr"), outcome.refused() ? QByteArray("alt\r\nalt\r\ndrei\r\n")
                                                            : QByteArray("anna\r\na1\r\n"));
    }

    void deletesOnlyAfterPasswordAndQuestion_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QStringList>("left");
        const QStringList all = {"anna", "bert", "cora"};
        QTest::newRow("no name") << "" << "" << true << "Benutzer in der Liste wählen !" << Entry::Name << all;
        QTest::newRow("no password") << "bert" << "" << true << "Kennwort eingeben !" << Entry::Password << all;
        QTest::newRow("wrong password") << "bert" << "a" << true << Wrong << Entry::Password << all;
        QTest::newRow("answered no") << "bert" << "b" << false << "" << Entry::None << all;
        QTest::newRow("answered yes") << "bert" << "b" << true << "" << Entry::None
                                      << QStringList{"anna", "cora"};
    }
    void deletesOnlyAfterPasswordAndQuestion()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, yes);
        QFETCH(QString, text);
        QFETCH(Entry, entry);
        QFETCH(QStringList, left);
        Program program({"anna", "a", "bert", "b", "cora", "c"});
        QDir().mkpath(program.file("bert/Englisch"));
        (void)store::TextFile::writeLines(program.file("bert/Englisch/U1"), {"x"});
        QStringList asked;
        const signin::Outcome outcome = program.users.deleteUser(name, password, [&](const signin::Message& question) {
            asked << question.text + '|' + question.title;
            return yes;
        });
        QCOMPARE(outcome.refusal.text, text);
        QCOMPARE(outcome.entry, entry);
        QCOMPARE(asked, outcome.refused() ? QStringList{}
                                          : QStringList{"Soll der Benutzer bert wirklich gelöscht werden ?|Paukomat V1.1"});
        QCOMPARE(program.users.names(), left);
        QCOMPARE(QFileInfo::exists(program.file("bert")), left.contains("bert"));
    }
};

QTEST_GUILESS_MAIN(UserListTest)
#include "UserListTest.moc"
