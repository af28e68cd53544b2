#include "editor/WordListModel.h"

namespace editor {

int WordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_words.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_words.at(index.row());
    return {};
}

int WordListModel::rowOf(const QString& word) const
{
    return static_cast<int>(m_words.indexOf(word));
}

void WordListModel::setWords(QStringList words)
{
    beginResetModel();
    m_words = std::move(words);
    endResetModel();
}

void WordListModel::insertWord(qsizetype row, const QString& word)
{
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
    m_words.insert(row, word);
    endInsertRows();
}

void WordListModel::removeWord(const QString& word)
{
    for (qsizetype row = m_words.lastIndexOf(word); row >= 0;
         row = row > 0 ? m_words.lastIndexOf(word, row - 1) : -1) {
        beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
        m_words.removeAt(row);
        endRemoveRows();
    }
}

} // namespace editor
