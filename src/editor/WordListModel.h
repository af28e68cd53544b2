#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

namespace editor {

// The foreign words of the vocabulary list, one row each, in the order they are given. A view
// asks only for the rows it shows, so a long lesson costs no more to show than a short one.
class WordListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    // The word for display and as the row's accessible name.
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] QString word(qsizetype row) const { return m_words.at(row); }
    // The first row that holds exactly this word, or -1.
    [[nodiscard]] int rowOf(const QString& word) const;

    void setWords(QStringList words);
    void insertWord(qsizetype row, const QString& word);
    // Removes every row that holds exactly this word.
    void removeWord(const QString& word);

private:
    QStringList m_words;
};

} // namespace editor
