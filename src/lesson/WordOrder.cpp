#include "lesson/WordOrder.h"

#include "store/Cp1252.h"

#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
#include <vector>

namespace lesson {

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

bool WordOrder::packPrefix(QByteArrayView word, std::uint64_t& prefix) const
{
    prefix = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        if (c < FirstPrintable || c > LastPrintable)
            return false;
        if (i < PrefixLength)
            prefix |= std::uint64_t(m_rank[c]) << (8 * (PrefixLength - 1 - i));
    }
    return true;
}

int WordOrder::compareBeyondPrefix(QByteArrayView a, QByteArrayView b) const
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = PrefixLength; i < common; ++i) {
        const int difference =
            m_rank[static_cast<unsigned char>(a[i])] - m_rank[static_cast<unsigned char>(b[i])];
        if (difference != 0)
            return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

QList<qsizetype> WordOrder::order(const QList<QByteArrayView>& words) const
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
    std::vector<QString> text;
    std::vector<QCollatorSortKey> keys;
    text.reserve(other.size());
    keys.reserve(other.size());
    for (const qsizetype i : other) {
        text.push_back(store::fromCp1252(words[i]));
        keys.push_back(m_collator.sortKey(text.back()));
    }
    std::vector<std::size_t> byKey(other.size());
    std::iota(byKey.begin(), byKey.end(), std::size_t(0));
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });

    // The two sorted runs merged; of words that compare equal, the one that came first leads.
    QList<qsizetype> result;
    result.reserve(words.size());
    auto p = plain.cbegin();
    auto o = byKey.cbegin();
    QString plainText;
    qsizetype plainTextOf = -1;
    while (p != plain.cend() && o != byKey.cend()) {
        if (plainTextOf != p->index) {
            plainText = store::fromCp1252(words[p->index]);
            plainTextOf = p->index;
        }
        const int c = m_collator.compare(plainText, text[*o]);
        if (c < 0 || (c == 0 && p->index < other[*o]))
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

QList<qsizetype> WordOrder::order(const QStringList& words) const
{
    QList<QByteArray> stored;
    stored.reserve(words.size());
    for (const QString& word : words)
        stored.append(store::toCp1252(word));
    return order(QList<QByteArrayView>(stored.cbegin(), stored.cend()));
}

} // namespace lesson
