#pragma once

#include "store/DataTree.h"
#include "store/FileResult.h"

#include <QString>
#include <QStringList>

namespace signin {

// The user list "PK.dat": two scrambled lines per user, name then password, in the order the
// users were created. Lookups read its plain copy "tmpPK.dat", rebuilt whenever the sign-in
// screen loads. Names and passwords are compared exactly; nothing is trimmed.
class UserList
{
public:
    explicit UserList(store::DataTree tree);

    // Rebuilds "tmpPK.dat" from "PK.dat"; a missing "PK.dat" is created empty first (no users).
    // When the copy cannot be written, a stale copy is removed so that no lookup trusts it.
    [[nodiscard]] store::FileResult makePlainCopy() const;

    // The names of all records in file order; an unpaired last line counts as a name.
    [[nodiscard]] QStringList names() const;
    // True when a record holds exactly this name and this password. A name without a password
    // line (a damaged file) never matches.
    [[nodiscard]] bool passwordMatches(const QString& name, const QString& password) const;
    // True when no record holds this name.
    [[nodiscard]] bool isNameFree(const QString& name) const;

    // Adds the record to both lists and makes the user directory (an existing one is reused).
    // The result is that of "PK.dat"; on failure the stored list keeps its old bytes.
    [[nodiscard]] store::FileResult addUser(const QString& name, const QString& password) const;

    // Drops every record of the name from both lists through "PK.da2" and "tmpPK.da2", then
    // removes the user directory two levels deep. The directory is left alone when the list
    // could not be replaced (the user still exists) and when the name cannot be a directory
    // of this program (a damaged file).
    [[nodiscard]] store::FileResult removeUser(const QString& name) const;

    // True when the name is taken by a file of the program directory, or by a file the program
    // writes there, so it cannot be a user directory.
    [[nodiscard]] bool isProgramFileName(const QString& name) const;

    // The refusal of a name whose directory the file system would find under another case, as
    // on a vfat stick or a CIFS share; empty where the name is free.
    [[nodiscard]] QString directoryClashMessage(const QString& name) const;

    static inline const QString ListName = QStringLiteral("Benutzerliste");
    static inline const QString ScratchList = QStringLiteral("PK.da2");
    static inline const QString ScratchPlainList = QStringLiteral("tmpPK.da2");

private:
    void removeUserDirectory(const QString& name) const;

    store::DataTree m_tree;
};

} // namespace signin
