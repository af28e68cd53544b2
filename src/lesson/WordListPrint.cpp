#include "lesson/WordListPrint.h"

#include "lesson/WordOrder.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QStringList>

namespace lesson {
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
    QList<const WordPair*> valid;
    QStringList foreign;
    for (const WordPair& pair : pairs)
        if (pair.valid) {
            valid.append(&pair);
            foreign.append(pair.foreign);
        }
    list.rows.reserve(valid.size());
    for (const qsizetype i : WordOrder().order(foreign))
        list.rows.append({valid[i]->foreign, meaningsText(valid[i]->german)});
    return list;
}

store::Outcome readStoredPairs(const QString& storedPath, QList<WordPair>& pairs)
{
    pairs.clear();
    QList<QByteArray> lines;
    if (store::Outcome read = store::TextFile::readRawLines(storedPath, lines); !read)
        return read;
    pairs.reserve(lines.size());
    for (const QByteArray& line : std::as_const(lines))
        pairs.append(WordPair::parse(store::Scrambler::unscrambleText(line)));
    return store::Outcome::done();
}

} // namespace lesson
