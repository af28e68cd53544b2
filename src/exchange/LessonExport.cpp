#include "exchange/LessonExport.h"

#include "exchange/Messages.h"
#include "store/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace exchange {

ExportTarget exportTarget(const QString& chosenPath, const QString& selectedFilter)
{
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    ExportTarget target{chosenPath, Format::Delimited};
    if (suffix == QLatin1String("kvtml") || suffix == QLatin1String("xml")
        || (suffix.isEmpty() && selectedFilter == KvtmlFilter))
        target.format = Format::Kvtml;
    if (suffix.isEmpty())
        target.path +=
            target.format == Format::Kvtml ? QStringLiteral(".kvtml") : QStringLiteral(".tsv");
    return target;
}

QList<Pair> pairsOf(const QList<lesson::WordPair>& lesson, const boxes::Boxes& boxes)
{
    QList<Pair> pairs;
    for (const lesson::WordPair& pair : lesson)
        if (pair.valid)
            pairs.append({pair.foreign, pair.german, boxes.place(pair.foreign)});
    return pairs;
}

store::Outcome exportLesson(const ExportTarget& target, const QList<Pair>& pairs,
                            const QString& language, const QString& lesson)
{
    const QByteArray bytes = target.format == Format::Kvtml ? exportKvtml(pairs, language, lesson)
                                                            : exportDelimited(pairs);
    return store::TextFile::writeBytes(target.path, bytes)
        .about(QStringLiteral("Export der Lektion \"%1\"").arg(lesson))
        .meaning(QStringLiteral("Die Lektion selbst bleibt unverändert."));
}

QString exportedMessage(const QString& lesson, const ExportTarget& target, qsizetype pairs)
{
    const QString count = pairs == 1 ? QStringLiteral("1 Wortpaar")
                                     : QStringLiteral("%1 Wortpaaren").arg(message::number(pairs));
    return QStringLiteral("Die Lektion \"%1\" wurde mit %2 in die Datei \"%3\" exportiert.")
        .arg(lesson, count, QDir::toNativeSeparators(target.path));
}

} // namespace exchange
