#include "store/TextRules.h"

#include "store/Cp1252.h"

#include <QFileInfo>

namespace store {

QString unstorableTextMessage(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            return QStringLiteral("Die Eingabe darf keine Steuerzeichen wie Tabulatoren oder "
                                  "Zeilenumbrüche enthalten !");
    }
    // Most text fits as a whole; only text that does not is taken apart to name the character.
    if (fitsCp1252(text))
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Report a whole character, even when it takes two UTF-16 units.
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        if (!fitsCp1252(ch))
            return QStringLiteral(
                       "Das Zeichen \"%1\" kann nicht gespeichert werden. Erlaubt sind "
                       "nur Buchstaben, Ziffern und Zeichen der westeuropäischen Schrift !")
                .arg(ch);
        i += len - 1;
    }
    return {};
}

QString tooLongNameMessage(const QString& name)
{
    if (name.toUtf8().size() <= 255)
        return {};
    return QStringLiteral("Der Name ist zu lang, für ihn kann kein Verzeichnis angelegt werden !");
}

bool isSafePathName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString unsafeNameMessage(const QString& name)
{
    return QStringLiteral("Der Name \"%1\" ist ungültig. Die Datei wurde außerhalb von Paukomat "
                          "verändert; Paukomat greift nicht darauf zu.")
        .arg(name);
}

QString lessonInaccessibleMessage(const QString& lesson, const QString& path, const QString& reason)
{
    return QStringLiteral("Die Lektion \"%1\" kann nicht geöffnet werden, die Datei \"%2\" ist "
                          "nicht zugänglich (%3).")
        .arg(lesson, QFileInfo(path).fileName(), reason);
}

QString lessonSubject(const QString& lesson)
{
    return QStringLiteral("Lektion \"%1\"").arg(lesson);
}

QString resultsSubject(const QString& lesson)
{
    return QStringLiteral("Ergebnisse der Lektion \"%1\"").arg(lesson);
}

QString failureMessage(const FileFailure& failure)
{
    QString file = QStringLiteral("\"%1\"").arg(QFileInfo(failure.path).fileName());
    if (!failure.subject.isEmpty())
        file += QStringLiteral(" (%1)").arg(failure.subject);
    const QString what = failure.kind == FileFailure::Kind::Read
        ? QStringLiteral("Die Datei %1 kann nicht gelesen werden (%2).")
        : QStringLiteral("Die Datei %1 konnte nicht gespeichert werden (%2).");
    QString text = what.arg(file, failure.reason);
    if (!failure.consequence.isEmpty())
        text += QLatin1Char('\n') + failure.consequence;
    return text;
}

QString failureMessage(const Outcome& outcome)
{
    return outcome.failure ? failureMessage(*outcome.failure) : QString();
}

} // namespace store
