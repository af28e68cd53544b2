#include "exchange/Messages.h"

#include <QStringList>

namespace exchange::message {

QString cannotRead(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(fileName);
}

QString tooBig(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist zu groß. Importiert werden Dateien bis 20 MB.")
        .arg(fileName);
}

QString empty(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist leer.").arg(fileName);
}

QString notText(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist keine Textdatei. Importiert werden Textdateien, "
                          "deren Spalten durch Tabulator, Semikolon oder Komma getrennt sind, "
                          "und KVTML-Dateien.")
        .arg(fileName);
}

QString noColumns(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält keine Zeile mit zwei Spalten. Die Spalten "
                          "müssen durch Tabulator, Semikolon oder Komma getrennt sein.")
        .arg(fileName);
}

QString openQuote(const QString& fileName, int line)
{
    return QStringLiteral("Die Datei \"%1\" ist beschädigt oder unvollständig: Das "
                          "Anführungszeichen in Zeile %2 wird nicht geschlossen.")
        .arg(fileName)
        .arg(line);
}

QString notKvtml(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist keine KVTML-Datei.").arg(fileName);
}

QString kvtmlVersion(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist nicht im Format KVTML 2.0 gespeichert, nur "
                          "dieses kann importiert werden.")
        .arg(fileName);
}

QString xmlDamaged(const QString& fileName, qint64 line)
{
    return QStringLiteral("Die Datei \"%1\" ist beschädigt oder unvollständig (Fehler in Zeile %2).")
        .arg(fileName)
        .arg(line);
}

QString xmlEntities(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält eigene XML-Entitäten (&...;). Solche Dateien "
                          "werden aus Sicherheitsgründen nicht importiert.")
        .arg(fileName);
}

QString kvtmlLanguages(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält keine zwei Sprachen.").arg(fileName);
}

QString noEntries(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält keine Vokabeln.").arg(fileName);
}

QString emptyForeign()
{
    return QStringLiteral("Das fremdsprachige Wort fehlt.");
}

QString emptyGerman()
{
    return QStringLiteral("Die deutsche Bedeutung fehlt.");
}

namespace {

QString rowName(int number, bool entries)
{
    return (entries ? QStringLiteral("Eintrag %1") : QStringLiteral("Zeile %1")).arg(number);
}

// "1 Zeile", "2 Zeilen"; the verb follows the number.
QString counted(qsizetype n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many);
}

} // namespace

QString duplicateMerged(int first, bool entries)
{
    return QStringLiteral("Doppelt (wie %1): Die neuen Bedeutungen werden dort angefügt.")
        .arg(rowName(first, entries));
}

QString duplicateUnchanged(int first, bool entries)
{
    return QStringLiteral("Doppelt (wie %1), ohne neue Bedeutung.").arg(rowName(first, entries));
}

QString summary(qsizetype pairs, qsizetype merged, qsizetype leftOut, bool entries)
{
    QStringList parts;
    parts << (pairs == 0 ? QStringLiteral("Kein Wortpaar kann importiert werden")
                         : counted(pairs, "Wortpaar wird", "Wortpaare werden") + " importiert");
    if (merged > 0)
        parts << (entries ? counted(merged, "doppelter Eintrag wird", "doppelte Einträge werden")
                          : counted(merged, "doppelte Zeile wird", "doppelte Zeilen werden"))
                     + " zusammengeführt";
    if (leftOut > 0)
        parts << (entries ? counted(leftOut, "Eintrag wird", "Einträge werden")
                          : counted(leftOut, "Zeile wird", "Zeilen werden"))
                     + " ausgelassen";
    return parts.join(QStringLiteral(", ")) + QLatin1Char('.');
}

QString fallbackLessonName()
{
    return QStringLiteral("Importierte Lektion");
}

QString column(int number)
{
    return QStringLiteral("Spalte %1").arg(number);
}

QString language(int id)
{
    return QStringLiteral("Sprache %1").arg(id);
}

QString unnamedLesson(qsizetype number)
{
    return QStringLiteral("Lektion %1").arg(number);
}

} // namespace exchange::message
