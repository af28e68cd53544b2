#include "exchange/Messages.h"

#include "exchange/Exchange.h"

#include <QLocale>
#include <QStringList>

namespace exchange::message {

QString number(qsizetype n)
{
    return QLocale(QLocale::German).toString(n);
}

namespace {

QString rowName(int row, bool entries)
{
    return (entries ? QStringLiteral("Eintrag %1") : QStringLiteral("Zeile %1")).arg(number(row));
}

} // namespace

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
        .arg(fileName, number(line));
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
    return QStringLiteral(
               "Die Datei \"%1\" ist beschädigt oder unvollständig (Fehler in Zeile %2).")
        .arg(fileName, number(line));
}

QString wrongEncoding(const QString& fileName, const QString& encoding)
{
    return QStringLiteral("Die Datei \"%1\" ist nicht in der angegebenen Zeichenkodierung (%2) "
                          "gespeichert.")
        .arg(fileName, encoding);
}

QString unknownEncoding(const QString& fileName, const QString& encoding)
{
    return QStringLiteral("Die Datei \"%1\" ist in einer Zeichenkodierung (%2) gespeichert, die "
                          "Paukomat nicht lesen kann.")
        .arg(fileName, encoding);
}

QString xmlEntities(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält eigene XML-Entitäten (&...;). Solche Dateien "
                          "werden aus Sicherheitsgründen nicht importiert.")
        .arg(fileName);
}

QString xmlDeclarations(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" enthält eine eigene Dokumenttypdefinition (<!DOCTYPE "
                          "… [ … ]>). Solche Dateien werden aus Sicherheitsgründen nicht "
                          "importiert.")
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

QString cancelled(const QString& fileName)
{
    return QStringLiteral("Das Lesen der Datei \"%1\" wurde abgebrochen.").arg(fileName);
}

QString tooDeep(const QString& fileName)
{
    return QStringLiteral("Die Datei \"%1\" ist zu tief verschachtelt. Importiert werden "
                          "KVTML-Dateien mit bis zu %2 Ebenen.")
        .arg(fileName, number(MaxXmlDepth));
}

QString tooManyAttributes(const QString& fileName, qsizetype line)
{
    return QStringLiteral("Die Datei \"%1\" enthält in Zeile %2 ein Element mit zu vielen "
                          "Attributen. Importiert werden KVTML-Dateien mit bis zu %3 Attributen je "
                          "Element.")
        .arg(fileName, number(line), number(MaxXmlAttributes));
}

namespace {

// what: a plural that reads the same after "bis zu".
QString tooManyInKvtml(const QString& fileName, const QString& what, qsizetype limit)
{
    return QStringLiteral("Die Datei \"%1\" enthält zu viele %2. Importiert werden KVTML-Dateien "
                          "mit bis zu %3 %2.")
        .arg(fileName, what, number(limit));
}

} // namespace

QString tooManyLanguages(const QString& fileName)
{
    return tooManyInKvtml(fileName, QStringLiteral("Sprachen"), MaxColumns);
}

QString tooManyLessons(const QString& fileName)
{
    return tooManyInKvtml(fileName, QStringLiteral("Lektionen"), MaxLessons);
}

QString tooManyColumns(const QString& fileName, int line)
{
    return QStringLiteral("Die Datei \"%1\" enthält in Zeile %2 zu viele Spalten. Importiert "
                          "werden Dateien mit bis zu %3 Spalten.")
        .arg(fileName, number(line), number(MaxColumns));
}

QString tooManyRows(const QString& fileName, bool entries)
{
    return (entries ? QStringLiteral("Die Datei \"%1\" enthält zu viele Einträge. Importiert "
                                     "werden KVTML-Dateien mit bis zu %2 Einträgen.")
                    : QStringLiteral("Die Datei \"%1\" enthält zu viele Zeilen. Importiert "
                                     "werden Dateien mit bis zu %2 Zeilen."))
        .arg(fileName, number(MaxRows));
}

QString tooManyCells(const QString& fileName, bool entries)
{
    return QStringLiteral("Die Datei \"%1\" enthält zu viele Felder. Importiert werden Dateien "
                          "mit bis zu %2 Feldern (%3).")
        .arg(fileName, number(MaxCells),
             entries ? QStringLiteral("Einträge mal Sprachen")
                     : QStringLiteral("Zeilen mal Spalten"));
}

QString emptyForeign()
{
    return QStringLiteral("Das fremdsprachige Wort fehlt.");
}

QString emptyGerman()
{
    return QStringLiteral("Die deutsche Bedeutung fehlt.");
}

QString lineBreak()
{
    return QStringLiteral("Das Feld enthält einen Zeilenumbruch; eine Vokabel muss in einer Zeile "
                          "stehen.");
}

QString controlCharacter()
{
    return QStringLiteral("Das Feld enthält ein Steuerzeichen wie einen Tabulator, das eine "
                          "Lektion nicht speichern kann.");
}

QString duplicateMerged(int first, bool entries)
{
    return QStringLiteral("Doppelt (wie %1), zusammengeführt: Die neuen Bedeutungen werden dort "
                          "angefügt.")
        .arg(rowName(first, entries));
}

QString duplicateUnchanged(int first, bool entries)
{
    return QStringLiteral("Doppelt (wie %1), zusammengeführt: ohne neue Bedeutung.")
        .arg(rowName(first, entries));
}

QString summary(qsizetype pairs, qsizetype merged, qsizetype leftOut, bool entries, bool done)
{
    // "1 Zeile wird", "2 Zeilen werden"; the verb follows the number.
    const char* is = done ? " wurde" : " wird";
    const char* are = done ? " wurden" : " werden";
    const auto counted = [&](qsizetype n, const char* one, const char* many) {
        return number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? one : many)
            + QLatin1String(n == 1 ? is : are);
    };
    QString text = pairs == 0 ? (done ? QStringLiteral("Kein Wortpaar wurde importiert")
                                      : QStringLiteral("Kein Wortpaar kann importiert werden"))
                              : counted(pairs, "Wortpaar", "Wortpaare") + " importiert";
    if (leftOut > 0)
        text += QStringLiteral(", ")
            + (entries ? counted(leftOut, "Eintrag", "Einträge")
                       : counted(leftOut, "Zeile", "Zeilen"))
            + " ausgelassen";
    if (merged > 0)
        text += QStringLiteral(" (davon %1 %2 zusammengeführt)")
                    .arg(number(merged),
                         entries && merged == 1 ? QStringLiteral("doppelter")
                                                : QStringLiteral("doppelte"));
    return text + QLatin1Char('.');
}

QString leftOutHeading(bool entries)
{
    return entries ? QStringLiteral("Ausgelassene Einträge:")
                   : QStringLiteral("Ausgelassene Zeilen:");
}

QString leftOutLine(int row, const QString& text, const QString& reason, bool entries)
{
    return QStringLiteral("%1: %2 – %3").arg(rowName(row, entries), text, reason);
}

QString moreLeftOut(qsizetype more, bool entries)
{
    const QString what = entries
        ? (more == 1 ? QStringLiteral("weiterer Eintrag") : QStringLiteral("weitere Einträge"))
        : (more == 1 ? QStringLiteral("weitere Zeile") : QStringLiteral("weitere Zeilen"));
    return QStringLiteral("… und %1 %2").arg(number(more), what);
}

QString previewCaption(qsizetype shown, qsizetype total, bool entries, PreviewOf of)
{
    const QString where = of == PreviewOf::Lesson ? QStringLiteral("der gewählten Lektion")
        : of == PreviewOf::File                   ? QStringLiteral("der Datei")
                                                  : QStringLiteral("unter der Kopfzeile");
    if (total == 0)
        return of == PreviewOf::Lesson
            ? QStringLiteral("Die gewählte Lektion enthält keine Einträge.")
            : QStringLiteral("Unter der Kopfzeile steht keine Zeile.");
    if (shown < total)
        // After "von" the dative: "von 35 Einträgen", "von 35 Zeilen".
        return QStringLiteral("Die ersten %1 von %2 %3 %4:")
            .arg(number(shown), number(total),
                 entries ? QStringLiteral("Einträgen") : QStringLiteral("Zeilen"), where);
    if (total == 1)
        return QStringLiteral("%1 %2:").arg(entries ? QStringLiteral("Der einzige Eintrag")
                                                    : QStringLiteral("Die einzige Zeile"),
                                            where);
    return QStringLiteral("Die %1 %2 %3:")
        .arg(number(total), entries ? QStringLiteral("Einträge") : QStringLiteral("Zeilen"), where);
}

QString noGermanColumn()
{
    return QStringLiteral("Keine Spalte ist als Deutsch gekennzeichnet – bitte prüfen, welche "
                          "Spalte deutsch ist.");
}

QString fallbackLessonName()
{
    return QStringLiteral("Importierte Lektion");
}

QString column(int n)
{
    return QStringLiteral("Spalte %1").arg(n);
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
