#include "store/DataTree.h"

#include <QDir>
#include <QFileInfo>

namespace store {

DataTree::DataTree(const QString& programDir)
    : m_programPath(QDir::fromNativeSeparators(programDir))
{
    if (!m_programPath.endsWith(QLatin1Char('/')))
        m_programPath += QLatin1Char('/');
}

QString DataTree::userPath(const QString& user) const
{
    return m_programPath + user + QLatin1Char('/');
}

QString DataTree::languagePath(const QString& user, const QString& language) const
{
    return userPath(user) + language + QLatin1Char('/');
}

QString DataTree::entryUnderOtherCase(const QString& parentPath, const QString& name)
{
    const QDir parent(parentPath);
    if (!QFileInfo(parent.filePath(name)).exists())
        return {};
    const QStringList entries =
        parent.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (entries.contains(name))
        return {};
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

} // namespace store
