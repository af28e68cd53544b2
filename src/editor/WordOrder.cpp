#include "editor/WordOrder.h"

#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
#include <vector>

namespace editor {

namespace {

constexpr char16_t FirstPrintable = 0x20;
constexpr char16_t LastPrintable = 0x7E;
constexpr qsizetype PrefixLength = 8;

} // namespace

WordOrder::WordOrder()
    : m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Each printable ASCII character weighs the same wherever it stands in a word, and words of
    // them compare character by character, the shorter first. So their ranks, taken once from
    // the collation itself, sort such words without asking it for every word.
    QStringList single;
    for (char16_t c = FirstPrintable; c <= LastPrintable; ++c)
        single.append(QString(QChar(c)));
    std::stable_sort(single.begin(), single.end(),
                     [this](const QString& a, const QString& b) { return lessThan(a, b); });
    std::uint8_t rank = 0;
    for (qsizetype i = 0; i < single.size(); ++i) {
        if (i == 0 || lessThan(single[i - 1], single[i]))
            ++rank;
        m_rank[single[i].front().unicode()] = rank;
    }
}

bool WordOrder::packPrefix(const QString& word, std::uint64_t& prefix) const
{
    prefix = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c < FirstPrintable || c > LastPrintable)
            return false;
        if (i < PrefixLength)
            prefix |= std::uint64_t(m_rank[c]) << (8 * (PrefixLength - 1 - i));
    }
    return true;
}

int WordOrder::compareBeyondPrefix(const QString& a, const QString& b) const
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = PrefixLength; i < common; ++i) {
        const int difference = m_rank[a[i].unicode()] - m_rank[b[i].unicode()];
        if (difference != 0)
            return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

QList<qsizetype> WordOrder::order(const QStringList& words) const
{
    struct Plain
    {
        std::uint64_t prefix;
        qsizetype index;
    };
    std::vector<Plain> plain;
    std::vector<qsizetype> other;
    plain.reserve(static_cast<std::size_t>(words.size()));
    for (qsizetype i = 0; i < words.size(); ++i) {
        std::uint64_t prefix = 0;
        if (packPrefix(words[i], prefix))
            plain.push_back({prefix, i});
        else
            other.push_back(i);
    }
    std::sort(plain.begin(), plain.end(), [&](const Plain& a, const Plain& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int beyond = compareBeyondPrefix(words[a.index], words[b.index]);
        return beyond != 0 ? beyond < 0 : a.index < b.index;
    });

    // Any other word is sorted by its collation key, computed once per word.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(other.size());
    for (const qsizetype i : other)
        keys.push_back(m_collator.sortKey(words[i]));
    std::vector<std::size_t> byKey(other.size());
    std::iota(byKey.begin(), byKey.end(), std::size_t(0));
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });

    // The two sorted runs merged; of words that compare equal, the one that came first leads.
    QList<qsizetype> result;
    result.reserve(words.size());
    auto p = plain.cbegin();
    auto o = byKey.cbegin();
    while (p != plain.cend() && o != byKey.cend()) {
        const qsizetype otherIndex = other[*o];
        const int c = m_collator.compare(words[p->index], words[otherIndex]);
        if (c < 0 || (c == 0 && p->index < otherIndex))
            result.append((p++)->index);
        else
            result.append(other[*o++]);
    }
    for (; p != plain.cend(); ++p)
        result.append(p->index);
    for (; o != byKey.cend(); ++o)
        result.append(other[*o]);
    return result;
}

QStringList WordOrder::sorted(const QStringList& words) const
{
    QStringList result;
    result.reserve(words.size());
    for (const qsizetype i : order(words))
        result.append(words[i]);
    return result;
}

} // namespace editor
