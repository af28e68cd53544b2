#pragma once

#include <QByteArrayView>
#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace lesson {

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

    // The words in this order, given as their positions in words; as stored in Windows-1252, or
    // as text.
    [[nodiscard]] QList<qsizetype> order(const QList<QByteArrayView>& words) const;
    [[nodiscard]] QList<qsizetype> order(const QStringList& words) const;

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
    // A word of printable ASCII as the ranks of its characters, the first eight packed into a
    // number that compares as the word does; false for any other word.
    bool packPrefix(QByteArrayView word, std::uint64_t& prefix) const;
    [[nodiscard]] int compareBeyondPrefix(QByteArrayView a, QByteArrayView b) const;

    QCollator m_collator;
    // The collation's rank of each printable ASCII character, letter case ignored, counted from 1.
    std::array<std::uint8_t, 256> m_rank{};
};

} // namespace lesson
