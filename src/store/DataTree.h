#pragma once

#include <QString>

namespace store {

// The three levels of the data tree. Directory paths use "/" and end in "/", as every screen's
// Pfad does; file names are appended to them unchanged.
class DataTree
{
public:
    explicit DataTree(QString programDir);

    // The program directory with its trailing "/".
    [[nodiscard]] QString programPath() const { return m_programPath; }
    [[nodiscard]] QString programFile(const QString& name) const { return m_programPath + name; }
    [[nodiscard]] QString userPath(const QString& user) const;
    [[nodiscard]] QString languagePath(const QString& user, const QString& language) const;

    // On a file system that ignores case ("Anna" finds "anna"), the name of the entry that a new
    // directory name would share; empty where the name is free or taken exactly.
    [[nodiscard]] static QString entryUnderOtherCase(const QString& parentPath, const QString& name);

    // File names of the program directory.
    static inline const QString UserList = QStringLiteral("PK.dat");
    static inline const QString PlainUserList = QStringLiteral("tmpPK.dat");
    static inline const QString SignedInUser = QStringLiteral("tmpUsr");
    static inline const QString ResultHandOff = QStringLiteral("tmpErgShow");
    static inline const QString HelpFile = QStringLiteral("Paukomat.hlp");
    // File name of the user directory's lesson hand-off.
    static inline const QString LessonHandOff = QStringLiteral("tmpEdit");

private:
    QString m_programPath;
};

} // namespace store
