#pragma once

#include <QString>

#include <utility>

namespace store {

// The three levels of the data tree. Directory paths use "/" and end in "/", as every screen's
// Pfad does; file names are appended to them unchanged.
class DataTree
{
public:
    explicit DataTree(const QString& programDir);

    // The program directory with its trailing "/".
    [[nodiscard]] QString programPath() const { return m_programPath; }
    [[nodiscard]] QString programFile(const QString& name) const { return m_programPath + name; }
    [[nodiscard]] QString userPath(const QString& user) const;
    [[nodiscard]] QString languagePath(const QString& user, const QString& language) const;

    // On a file system that ignores case ("Anna" finds "anna"), the name of the entry that a new
    // directory name would share; empty where the name is free or taken exactly.
    [[nodiscard]] static QString entryUnderOtherCase(const QString& parentPath,
                                                     const QString& name);

    // File names of the program directory.
    static inline const QString UserList = QStringLiteral("PK.dat");
    static inline const QString PlainUserList = QStringLiteral("tmpPK.dat");
    static inline const QString HelpFile = QStringLiteral("Paukomat.hlp");

private:
    QString m_programPath;
};

// The files of one lesson in its language directory, named from its lesson key ("U4").
class LessonFiles
{
public:
    LessonFiles(QString languagePath, QString key)
        : m_path(std::move(languagePath))
        , m_key(std::move(key))
    { }
    [[nodiscard]] QString languagePath() const { return m_path; }
    [[nodiscard]] QString key() const { return m_key; }
    [[nodiscard]] QString stored() const { return m_path + m_key; }
    // The plain working copy while the editor or the drill has the lesson open.
    [[nodiscard]] QString working() const { return m_path + QStringLiteral("tmp") + m_key; }
    // The editor's rebuild file and the drill's run copy.
    [[nodiscard]] QString rebuild() const { return m_path + QStringLiteral("tmpU"); }
    [[nodiscard]] QString runCopy() const { return m_path + QStringLiteral("tmpUxx"); }
    [[nodiscard]] QString results() const { return m_path + QStringLiteral("E") + m_key; }
    // The boxes of the lesson's pairs (".KU4"). Hidden, as the program's own bookkeeping: a
    // listing of the language directory shows the lesson's files as they always were, and no
    // lesson key, result file or "tmp" name begins with a dot.
    [[nodiscard]] QString boxes() const { return m_path + QStringLiteral(".K") + m_key; }

private:
    QString m_path;
    QString m_key;
};

} // namespace store
