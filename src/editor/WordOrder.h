#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>

namespace editor {

// The order of the vocabulary list: German collation with letter case ignored. Words that
// compare equal ("The", "the") keep the order in which they came.
class WordOrder
{
public:
    WordOrder();

    [[nodiscard]] bool lessThan(const QString& a, const QString& b) const
    {
        return m_collator.compare(a, b) < 0;
    }

    [[nodiscard]] QStringList sorted(const QStringList& words) const;

    // Where a word joins a sorted list of count words, read through at(i): behind every word
    // that does not sort after it.
    template <class At>
    [[nodiscard]] qsizetype insertPosition(qsizetype count, At at, const QString& word) const
    {
        qsizetype low = 0;
        qsizetype high = count;
        while (low < high) {
            const qsizetype mid = low + (high - low) / 2;
            if (lessThan(word, at(mid)))
                high = mid;
            else
                low = mid + 1;
        }
        return low;
    }

private:
    QCollator m_collator;
};

} // namespace editor
