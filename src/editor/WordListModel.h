#pragma once

#include "lesson/LessonFile.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>

namespace editor {

// The foreign words of a lesson as the rows of the vocabulary list, in the order given. A row
// refers to its line of the lesson and reads its word only when a view asks for it, so a long
// lesson costs no more to show than a short one.
class WordListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    // The word for display and as the row's accessible name.
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] QString word(qsizetype row) const;
    // The row of a line of the lesson, or -1.
    [[nodiscard]] int rowOfLine(qsizetype line) const;

    // The rows show these lines of the lesson, which must outlive the model or the next call.
    void setLines(const lesson::LessonFile* lesson, QList<qsizetype> lines);
    void insertLine(qsizetype row, qsizetype line);
    // Drops the rows of lines the lesson no longer has (given in ascending order); the lines
    // after them have moved up.
    void removeLines(const QList<qsizetype>& gone);

private:
    const lesson::LessonFile* m_lesson = nullptr;
    QList<qsizetype> m_lines;
};

} // namespace editor
