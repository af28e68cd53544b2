#include "editor/WordListModel.h"

#include <algorithm>

namespace editor {

int WordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return word(index.row());
    return {};
}

QString WordListModel::word(qsizetype row) const
{
    return m_lesson->foreignWord(m_lines.at(row));
}

int WordListModel::rowOfLine(qsizetype line) const
{
    return static_cast<int>(m_lines.indexOf(line));
}

void WordListModel::setLines(const lesson::LessonFile* lesson, QList<qsizetype> lines)
{
    beginResetModel();
    m_lesson = lesson;
    m_lines = std::move(lines);
    endResetModel();
}

void WordListModel::insertLine(qsizetype row, qsizetype line)
{
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
    m_lines.insert(row, line);
    endInsertRows();
}

void WordListModel::removeLines(const QList<qsizetype>& gone)
{
    for (qsizetype row = m_lines.size() - 1; row >= 0; --row) {
        const auto at = std::lower_bound(gone.cbegin(), gone.cend(), m_lines[row]);
        if (at != gone.cend() && *at == m_lines[row]) {
            beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
            m_lines.removeAt(row);
            endRemoveRows();
        } else {
            m_lines[row] -= at - gone.cbegin();
        }
    }
}

} // namespace editor
