#include "editor/WordOrder.h"

#include <QCollatorSortKey>
#include <QList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace editor {

WordOrder::WordOrder()
    : m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

QStringList WordOrder::sorted(const QStringList& words) const
{
    // Sort keys once per word: far cheaper than collating every comparison of a long list.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(words.size()));
    for (const QString& word : words)
        keys.push_back(m_collator.sortKey(word));
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]) < 0;
    });
    QStringList result;
    result.reserve(words.size());
    for (const qsizetype i : order)
        result.append(words[i]);
    return result;
}

} // namespace editor
