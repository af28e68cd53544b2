#include "signin/UserList.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(signin::Entry)

namespace {

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
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries); }
};

} // namespace

class UserListTest : public QObject
{
    Q_OBJECT

private slots:
    // A new user ("new") checked, a user signed in ("in") or removed when the question is answered
    // "Ja" or "Nein": the refusal and its title, the entry to correct; then the users, or the
    // sign-in hand-off's lines, each ended by "|".
    void checksInTheirOrder_data()
    {
        for (const char* column : {"action", "name", "password", "confirmation", "refusal", "after"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<signin::Entry>("entry");
        using signin::Entry;
        const Entry none = Entry::None, pw = Entry::Password;
        const QString plain = "|Paukomat V1.1", odd = "|PaukomaT V1.1";
        const QString forbidden = "Die Zeichen !§$%&/()=?'*+~.:,;<>|{[]}\\#^@^ sind nicht erlaubt !" + plain;
        const QString own = "Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine eigene Datei dieses "
                            "Namens verwendet !" + plain;
        const QString wrong = "Ungültiges Kennwort, versuchen Sie es noch einmal!" + plain;
        const QString all = "anna|Anna|..|bert|rest|", kept = "alt|alt|drei|", tooLong(256, 'a');
        const auto row = [](const char* tag, const char* action, const QString& name, const QString& password,
                            const QString& confirmation, const QString& refusal, Entry entry, const QString& after) {
            QTest::newRow(tag) << action << name << password << confirmation << refusal << after << entry;
        };
        row("^ in name, before completeness", "new", "an^na", "", "", forbidden, none, all);
        row("§ in password", "new", "neu", "p§", "p§", forbidden, none, all);
        row("empty name first", "new", "", "x", "y", "Ein Benutzername ist erforderlich !" + odd, none, all);
        row("mismatch first", "new", "neu", "", "x!", "Das Kennwort ist fehlerhaft !" + odd, none, all);
        row("no password", "new", "neu", "", "", "Ein Kennwort ist erforderlich !" + odd, none, all);
        row("existing", "new", "anna", "x", "x", "Der Benutzer ist bereits vorhanden !" + odd, none, all);
        row("Cyrillic", "new", "Иван", "x", "x", store::unstorableTextMessage("Иван") + plain, none, all);
        row("tab", "new", "neu", "a\tb", "a\tb", store::unstorableTextMessage("\t") + plain, none, all);
        row("too long", "new", tooLong, "x", "x", store::tooLongNameMessage(tooLong) + plain, none, all);
        row("hand-off file", "new", "tmpUsr", "x", "x", own.arg("tmpUsr"), none, all);
        row("program file", "new", "Paukomat", "x", "x", own.arg("Paukomat"), none, all);
        // Before the unpaired last line of a damaged list, so that every record keeps its lines.
        row("created", "new", "ANNA", "x", "x", "", none, "anna|Anna|..|bert|ANNA|rest|");
        row("other case", "in", "ANNA", "a1", "", wrong, pw, kept);
        row("other user's password", "in", "anna", "a2", "", wrong, pw, kept);
        row("trailing blank", "in", "anna", "a1 ", "", wrong, pw, kept);
        row("no password line", "in", "rest", "", "", wrong, pw, kept);
        row("damaged name", "in", "..", "p", "", store::unsafeNameMessage("..") + plain, none, kept);
        row("signed in", "in", "anna", "a1", "", "", none, "anna|a1|");
        row("no name", "Ja", "", "", "", "Benutzer in der Liste wählen !" + plain, Entry::Name, all);
        row("no password to remove", "Ja", "bert", "", "", "Kennwort eingeben !" + plain, pw, all);
        row("wrong password", "Ja", "bert", "a1", "", wrong, pw, all);
        row("answered no", "Nein", "bert", "b", "", "", none, all);
        row("removed", "Ja", "bert", "b", "", "", none, "anna|Anna|..|rest|");
        // From a damaged list the record goes, but nothing outside the program directory.
        row("removed, damaged name", "Ja", "..", "p", "", "", none, "anna|Anna|bert|rest|");
    }
    void checksInTheirOrder()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QString, refusal);
        QFETCH(QString, after);
        QFETCH(signin::Entry, entry);
        Program program({"anna", "a1", "Anna", "a2", "..", "p", "bert", "b", "rest"});
        (void)store::TextFile::writeLines(program.file("Paukomat"), {"ELF"});
        (void)store::TextFile::writeLines(program.file("tmpUsr"), {"alt", "alt", "drei"});
        QDir().mkpath(program.file("bert/Englisch"));
        (void)store::TextFile::writeLines(program.file("bert/Englisch/U1"), {"x"});
        const QStringList before = program.entries();
        QString asked;
        const auto confirm = [&](const signin::Message& question) {
            asked = question.text + '|' + question.title;
            return action == "Ja";
        };
        const signin::Outcome outcome = action == "new" ? program.users.createUser(name, password, confirmation)
                                        : action == "in" ? program.users.signIn(name, password)
                                                         : program.users.deleteUser(name, password, confirm);
        QCOMPARE(outcome.refused() ? outcome.refusal.text + '|' + outcome.refusal.title : "", refusal);
        QCOMPARE(outcome.entry, entry);
        QVERIFY(outcome.saved);
        const bool removal = action == "Ja" || action == "Nein";
        QCOMPARE(asked, removal && !outcome.refused()
                            ? "Soll der Benutzer " + name + " wirklich gelöscht werden ?|Paukomat V1.1" : "");
        const QStringList now = action == "in" ? store::TextFile::readLines(program.file("tmpUsr"))
                                               : program.users.names();
        QCOMPARE(now.join('|') + '|', after);
        // Nothing is written before every check has passed; a new user gets a directory.
        QStringList added = program.entries();
        for (const QString& entry : before)
            added.removeOne(entry);
        QCOMPARE(added, action == "new" && !outcome.refused() ? QStringList{name} : QStringList{});
        QCOMPARE(QFileInfo::exists(program.file("bert")), after.contains("bert|") || action != "Ja");
    }
};

QTEST_GUILESS_MAIN(UserListTest)
#include "UserListTest.moc"
