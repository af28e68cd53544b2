#pragma once

#include "store/DataTree.h"
#include "store/Outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace signin {

// Which entry the user is to correct after a refusal.
enum class Entry { None, Name, Password };

// The working files of the program directory that go when the program ends: the plain copies
// ("tmp*.dat") when it ends normally, every hand-off file ("tmp*.*") when the user leaves it
// from the sign-in screen.
enum class WorkingFiles { PlainCopies, All };

// The user list "PK.dat": two scrambled lines per user, name then password, in the order the
// users were created. Lookups read its plain copy "tmpPK.dat", rebuilt whenever the sign-in
// screen loads. Names and passwords are compared exactly; nothing is trimmed.
class UserList
{
public:
    explicit UserList(store::DataTree tree);

    // Rebuilds "tmpPK.dat" from "PK.dat"; a missing "PK.dat" is created empty first (no users).
    // When the copy cannot be written, a stale copy is removed so that no lookup trusts it.
    [[nodiscard]] store::Outcome makePlainCopy() const;

    // The names of all records in file order; an unpaired last line counts as a name.
    [[nodiscard]] QStringList names() const;
    // True when a record holds exactly this name and this password. A name without a password
    // line (a damaged file) never matches.
    [[nodiscard]] bool passwordMatches(const QString& name, const QString& password) const;
    // True when no record holds this name.
    [[nodiscard]] bool isNameFree(const QString& name) const;

    // Adds the record to both lists and makes the user directory (an existing one is reused).
    // The result is that of "PK.dat"; on failure the stored list keeps its old bytes.
    [[nodiscard]] store::Outcome addUser(const QString& name, const QString& password) const;

    // Drops every record of the name from both lists through "PK.da2" and "tmpPK.da2", then
    // removes the user directory two levels deep. The directory is left alone when the list
    // could not be replaced (the user still exists) and when the name cannot be a directory
    // of this program (a damaged file).
    [[nodiscard]] store::Outcome removeUser(const QString& name) const;

    // Signs the user in when the password matches: the sign-in hand-off then names the user for
    // the screens that follow. A name that cannot become a directory (a damaged list) is refused.
    // A refusal's value is the entry to correct.
    [[nodiscard]] store::Result<Entry> signIn(const QString& name, const QString& password) const;

    // Checks a new user's entries in their order and adds the user when all pass.
    [[nodiscard]] store::Outcome createUser(const QString& name, const QString& password,
                                            const QString& confirmation) const;

    // Removes the user after the name, the password and then the user's answer to the question
    // (confirm) allow it; when the user answers no nothing changes. A refusal's value is the entry
    // to correct.
    using Confirm = std::function<bool(const store::Message& question)>;
    [[nodiscard]] store::Result<Entry> deleteUser(const QString& name, const QString& password,
                                                  const Confirm& confirm) const;

    void removeWorkingFiles(WorkingFiles which) const;

    // True when the name is taken by a file of the program directory, or by a file the program
    // writes there, so it cannot be a user directory.
    [[nodiscard]] bool isProgramFileName(const QString& name) const;

    // The refusal of a name whose directory the file system would find under another case, as
    // on a vfat stick or a CIFS share; empty where the name is free.
    [[nodiscard]] QString directoryClashMessage(const QString& name) const;

    // Characters that neither a user name nor a password may hold.
    static inline const QString ForbiddenCharacters =
        QStringLiteral("!§$%&/()=?'*+~.:,;<>|{[]}\\#^@^");

    static inline const QString ListName = QStringLiteral("Benutzerliste");
    static inline const QString ScratchList = QStringLiteral("PK.da2");
    static inline const QString ScratchPlainList = QStringLiteral("tmpPK.da2");

private:
    [[nodiscard]] store::Message newUserRefusal(const QString& name, const QString& password,
                                                const QString& confirmation) const;
    [[nodiscard]] QString unstorableUserMessage(const QString& name, const QString& password) const;
    void removeUserDirectory(const QString& name) const;

    store::DataTree m_tree;
};

} // namespace signin
