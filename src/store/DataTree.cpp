#include "store/DataTree.h"

#include <QDir>

namespace store {

DataTree::DataTree(QString programDir)
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

} // namespace store
