#include "editor/WordListPrint.h"

#include "editor/WordOrder.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QStringList>

#include <algorithm>

namespace editor {
namespace {

QString meaningsText(const QString& german)
{
    QStringList meanings = german.split(QLatin1Char(';'));
    for (QString& meaning : meanings)
        meaning = meaning.trimmed();
    meanings.removeAll(QString());
    return meanings.join(QStringLiteral("; "));
}

} // namespace

WordList wordList(const QString& language, const QString& lesson, const QList<WordPair>& pairs)
{
    WordList list;
    list.title = QStringLiteral("Vokabelliste: %1 \u2013 %2").arg(language, lesson);
    list.foreignHeading = language;
    list.germanHeading = QStringLiteral("Deutsch");
    list.rows.reserve(pairs.size());
    for (const WordPair& pair : pairs)
        if (pair.valid)
            list.rows.append({pair.foreign, meaningsText(pair.german)});
    const WordOrder order;
    std::stable_sort(list.rows.begin(), list.rows.end(),
                     [&order](const WordListRow& a, const WordListRow& b) {
                         return order.lessThan(a.foreign, b.foreign);
                     });
    return list;
}

store::FileResult readStoredPairs(const QString& storedPath, QList<WordPair>& pairs)
{
    pairs.clear();
    QList<QByteArray> lines;
    if (store::FileResult read = store::TextFile::readRawLines(storedPath, lines); !read)
        return read;
    pairs.reserve(lines.size());
    for (const QByteArray& line : std::as_const(lines))
        pairs.append(WordPair::parse(store::Scrambler::unscrambleText(line)));
    return store::FileResult::success();
}

} // namespace editor
