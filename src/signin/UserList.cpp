#include "signin/UserList.h"

#include "handoff/HandOff.h"

#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace signin {

using store::Access;
using store::DataTree;
using store::Outcome;
namespace TextFile = store::TextFile;
using store::isSafePathName;
using store::Scrambler;
using store::toCp1252;
namespace {

const QString Title = QStringLiteral("Paukomat V1.1");
// The completeness and uniqueness checks of a new user have always carried this spelling.
const QString CheckTitle = QStringLiteral("PaukomaT V1.1");
const QString WrongPassword = QStringLiteral("Ungültiges Kennwort, versuchen Sie es noch einmal!");

using store::Message;
using store::Result;

Result<Entry> refusal(const QString& text, const QString& title, Entry entry = Entry::None)
{
    return {entry, Outcome::refused(text, title)};
}

bool holdsForbiddenCharacter(const QString& text)
{
    for (const QChar c : text)
        if (UserList::ForbiddenCharacters.contains(c))
            return true;
    return false;
}

// Adds a record. Behind an unpaired last line (a damaged file) the new name would be read as
// its password, so the record goes in front of it and every record keeps its own two lines.
void insertRecord(QList<QByteArray>& lines, QByteArray name, QByteArray password)
{
    const qsizetype at = lines.size() % 2 == 0 ? lines.size() : lines.size() - 1;
    lines.insert(at, std::move(password));
    lines.insert(at, std::move(name));
}

// Gives the scratch file the target's name in one step (rename replaces the old file).
Outcome replaceFile(const QString& scratch, const QString& target)
{
    if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(target).constData())
        == 0)
        return Outcome::done();
    return Outcome::failed(target, qt_error_string(errno));
}

// Deletes the files of a directory, links included (never what they point to); subdirectories
// stay.
void removeFilesIn(const QString& directory)
{
    const QDir dir(directory);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
        if (entry.isSymLink() || !entry.isDir())
            QFile::remove(entry.filePath());
}

} // namespace

UserList::UserList(DataTree tree)
    : m_tree(std::move(tree))
{ }

Outcome UserList::makePlainCopy() const
{
    const QString stored = m_tree.programFile(DataTree::UserList);
    const QString plain = m_tree.programFile(DataTree::PlainUserList);
    Outcome created;
    if (!QFileInfo::exists(stored))
        created = TextFile::touch(stored);
    const Outcome copied = Scrambler::passFile(stored, plain, Access::OwnerOnly);
    if (!copied)
        TextFile::remove(plain);
    if (!created)
        return created.about(ListName);
    if (!copied && copied.failure->kind == store::FileFailure::Kind::Read)
        return copied.about(ListName).meaning(
            QStringLiteral("Die Benutzer werden erst angezeigt, wenn die Datei wieder lesbar ist; "
                           "Paukomat verändert sie nicht."));
    // The stored list is untouched; only its copy for this screen is missing.
    return copied.about(QStringLiteral("Arbeitskopie der Benutzerliste"))
        .meaning(QStringLiteral("Die gespeicherte Benutzerliste \"PK.dat\" bleibt unverändert; "
                                "ihre Benutzer werden angezeigt, sobald wieder gespeichert "
                                "werden kann."));
}

QStringList UserList::names() const
{
    const QStringList lines = TextFile::readLines(m_tree.programFile(DataTree::PlainUserList));
    QStringList result;
    for (qsizetype i = 0; i < lines.size(); i += 2)
        result.append(lines[i]);
    return result;
}

bool UserList::passwordMatches(const QString& name, const QString& password) const
{
    const QStringList lines = TextFile::readLines(m_tree.programFile(DataTree::PlainUserList));
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        if (lines[i] == name && lines[i + 1] == password)
            return true;
    return false;
}

bool UserList::isNameFree(const QString& name) const
{
    const QStringList lines = TextFile::readLines(m_tree.programFile(DataTree::PlainUserList));
    for (qsizetype i = 0; i < lines.size(); i += 2)
        if (lines[i] == name)
            return false;
    return true;
}

Outcome UserList::addUser(const QString& name, const QString& password) const
{
    // Each step is tried even when the one before failed; the plain copy is rebuilt from
    // "PK.dat" on the next load of the sign-in screen anyway.
    const QString plainPath = m_tree.programFile(DataTree::PlainUserList);
    QList<QByteArray> plain = TextFile::readRawLines(plainPath);
    insertRecord(plain, toCp1252(name), toCp1252(password));
    (void)TextFile::writeRawLines(plainPath, plain, Access::OwnerOnly);

    if (isSafePathName(name))
        QDir(m_tree.programPath()).mkdir(name);

    const QString storedPath = m_tree.programFile(DataTree::UserList);
    QList<QByteArray> stored;
    if (Outcome read = TextFile::readRawLines(storedPath, stored); !read)
        return read.about(ListName);
    insertRecord(stored, Scrambler::scrambleText(name), Scrambler::scrambleText(password));
    return TextFile::writeRawLines(storedPath, stored).about(ListName);
}

Outcome UserList::removeUser(const QString& name) const
{
    const QString storedPath = m_tree.programFile(DataTree::UserList);
    const QString plainPath = m_tree.programFile(DataTree::PlainUserList);
    const QString scratch = m_tree.programFile(ScratchList);
    const QString plainScratch = m_tree.programFile(ScratchPlainList);

    // Both new lists come from "PK.dat" itself, so they agree record for record even when the
    // plain copy was not written.
    QList<QByteArray> stored;
    if (Outcome read = TextFile::readRawLines(storedPath, stored); !read)
        return read.about(ListName);
    QList<QByteArray> keptStored;
    QList<QByteArray> keptPlain;
    bool found = false;
    for (qsizetype i = 0; i < stored.size(); i += 2) {
        if (Scrambler::unscrambleText(stored[i]) == name) {
            found = true;
            continue;
        }
        for (qsizetype k = i; k < qMin(i + 2, stored.size()); ++k) {
            keptStored.append(stored[k]);
            keptPlain.append(Scrambler::scramble(stored[k]));
        }
    }

    Outcome result = TextFile::writeRawLines(scratch, keptStored);
    if (result)
        result = replaceFile(scratch, storedPath);
    if (!result) {
        TextFile::remove(scratch);
        // The user hears about the list, not about its scratch file.
        return Outcome::failed(storedPath, result.failure->reason).about(ListName);
    }

    if (!TextFile::writeRawLines(plainScratch, keptPlain, Access::OwnerOnly)
        || !replaceFile(plainScratch, plainPath)) {
        // A stale plain copy would still let the removed user sign in.
        TextFile::remove(plainScratch);
        TextFile::remove(plainPath);
    }

    if (found)
        removeUserDirectory(name);
    return Outcome::done();
}

void UserList::removeUserDirectory(const QString& name) const
{
    if (!isSafePathName(name))
        return;
    const QString path = m_tree.programFile(name);
    const QFileInfo info(path);
    if (info.isSymLink()) {
        // The data behind a link lies outside the tree; only the link itself goes.
        QFile::remove(path);
        return;
    }
    if (!info.isDir())
        return;

    // Two levels: the files of the user directory, then each subdirectory with its files.
    // Anything nested deeper keeps its directory, and so every directory above it stays.
    removeFilesIn(path);
    QDir dir(path);
    const QFileInfoList subdirs =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& sub : subdirs) {
        if (sub.isSymLink())
            continue;
        removeFilesIn(sub.filePath());
        dir.rmdir(sub.fileName());
    }
    QDir(m_tree.programPath()).rmdir(name);
}

QString UserList::directoryClashMessage(const QString& name) const
{
    const QString existing = DataTree::entryUnderOtherCase(m_tree.programPath(), name);
    if (existing.isEmpty())
        return {};
    return QStringLiteral("Der Benutzername \"%1\" ist nicht möglich, weil hier schon \"%2\" "
                          "besteht und dieser Datenträger Groß- und Kleinschreibung nicht "
                          "unterscheidet !")
        .arg(name, existing);
}

bool UserList::isProgramFileName(const QString& name) const
{
    static const QStringList ownFiles = {DataTree::UserList,    DataTree::PlainUserList,
                                         handoff::SignedInFile, handoff::ResultsRequestFile,
                                         DataTree::HelpFile,    ScratchList,
                                         ScratchPlainList,      QStringLiteral("Paukomat.lock")};
    if (ownFiles.contains(name))
        return true;
    const QFileInfo info(m_tree.programFile(name));
    return (info.exists() || info.isSymLink()) && !info.isDir();
}

Result<Entry> UserList::signIn(const QString& name, const QString& password) const
{
    if (!passwordMatches(name, password))
        return refusal(WrongPassword, Title, Entry::Password);
    // Every later screen makes the user directory from this name.
    if (!isSafePathName(name))
        return refusal(store::unsafeNameMessage(name), Title);
    return {Entry::None, handoff::writeSignedInUser(m_tree, name, password)};
}

Outcome UserList::createUser(const QString& name, const QString& password,
                             const QString& confirmation) const
{
    if (const Message refused = newUserRefusal(name, password, confirmation);
        !refused.text.isEmpty())
        return Outcome::refused(refused.text, refused.title);
    return addUser(name, password);
}

Message UserList::newUserRefusal(const QString& name, const QString& password,
                                 const QString& confirmation) const
{
    // The confirmation is not searched: it has to equal the password anyway.
    if (holdsForbiddenCharacter(name) || holdsForbiddenCharacter(password))
        return {QStringLiteral("Die Zeichen ") + ForbiddenCharacters
                    + QStringLiteral(" sind nicht erlaubt !"),
                Title};
    if (name.isEmpty())
        return {QStringLiteral("Ein Benutzername ist erforderlich !"), CheckTitle};
    if (password != confirmation)
        return {QStringLiteral("Das Kennwort ist fehlerhaft !"), CheckTitle};
    if (password.isEmpty())
        return {QStringLiteral("Ein Kennwort ist erforderlich !"), CheckTitle};
    if (!isNameFree(name))
        return {QStringLiteral("Der Benutzer ist bereits vorhanden !"), CheckTitle};
    return {unstorableUserMessage(name, password), Title};
}

// What the files and the directory tree cannot take; empty when they can.
QString UserList::unstorableUserMessage(const QString& name, const QString& password) const
{
    for (const QString& refused :
         {store::unstorableTextMessage(name), store::unstorableTextMessage(password),
          store::tooLongNameMessage(name)})
        if (!refused.isEmpty())
            return refused;
    if (isProgramFileName(name))
        return QStringLiteral("Der Benutzername \"%1\" ist nicht möglich, weil Paukomat eine "
                              "eigene Datei dieses Namens verwendet !")
            .arg(name);
    return directoryClashMessage(name);
}

Result<Entry> UserList::deleteUser(const QString& name, const QString& password,
                                   const Confirm& confirm) const
{
    if (name.isEmpty())
        return refusal(QStringLiteral("Benutzer in der Liste wählen !"), Title, Entry::Name);
    if (password.isEmpty())
        return refusal(QStringLiteral("Kennwort eingeben !"), Title, Entry::Password);
    if (!passwordMatches(name, password))
        return refusal(WrongPassword, Title, Entry::Password);
    const Message question{QStringLiteral("Soll der Benutzer ") + name
                               + QStringLiteral(" wirklich gelöscht werden ?"),
                           Title};
    if (!confirm(question))
        return {Entry::None, Outcome::unchanged()};
    return {Entry::None, removeUser(name)};
}

void UserList::removeWorkingFiles(WorkingFiles which) const
{
    store::removeMatching(m_tree.programPath(),
                          which == WorkingFiles::All ? QStringLiteral("tmp*.*")
                                                     : QStringLiteral("tmp*.dat"));
}

} // namespace signin
