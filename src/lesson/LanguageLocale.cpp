#include "lesson/LanguageLocale.h"

#include <QHash>

namespace lesson {

QString localeOfLanguage(const QString& language)
{
    static const QHash<QString, QString> locales = {
        {QStringLiteral("deutsch"), QStringLiteral("de")},
        {QStringLiteral("german"), QStringLiteral("de")},
        {QStringLiteral("englisch"), QStringLiteral("en")},
        {QStringLiteral("english"), QStringLiteral("en")},
        {QStringLiteral("französisch"), QStringLiteral("fr")},
        {QStringLiteral("french"), QStringLiteral("fr")},
        {QStringLiteral("spanisch"), QStringLiteral("es")},
        {QStringLiteral("spanish"), QStringLiteral("es")},
        {QStringLiteral("italienisch"), QStringLiteral("it")},
        {QStringLiteral("italian"), QStringLiteral("it")},
        {QStringLiteral("latein"), QStringLiteral("la")},
        {QStringLiteral("latin"), QStringLiteral("la")},
        {QStringLiteral("portugiesisch"), QStringLiteral("pt")},
        {QStringLiteral("portuguese"), QStringLiteral("pt")},
        {QStringLiteral("niederländisch"), QStringLiteral("nl")},
        {QStringLiteral("dutch"), QStringLiteral("nl")},
        {QStringLiteral("russisch"), QStringLiteral("ru")},
        {QStringLiteral("russian"), QStringLiteral("ru")},
        {QStringLiteral("polnisch"), QStringLiteral("pl")},
        {QStringLiteral("polish"), QStringLiteral("pl")},
        {QStringLiteral("schwedisch"), QStringLiteral("sv")},
        {QStringLiteral("swedish"), QStringLiteral("sv")},
        {QStringLiteral("dänisch"), QStringLiteral("da")},
        {QStringLiteral("danish"), QStringLiteral("da")},
        {QStringLiteral("norwegisch"), QStringLiteral("nb")},
        {QStringLiteral("norwegian"), QStringLiteral("nb")},
        {QStringLiteral("finnisch"), QStringLiteral("fi")},
        {QStringLiteral("finnish"), QStringLiteral("fi")},
        {QStringLiteral("tschechisch"), QStringLiteral("cs")},
        {QStringLiteral("czech"), QStringLiteral("cs")},
        {QStringLiteral("ungarisch"), QStringLiteral("hu")},
        {QStringLiteral("hungarian"), QStringLiteral("hu")},
        {QStringLiteral("türkisch"), QStringLiteral("tr")},
        {QStringLiteral("turkish"), QStringLiteral("tr")},
        {QStringLiteral("griechisch"), QStringLiteral("el")},
        {QStringLiteral("greek"), QStringLiteral("el")}};
    // No language name is long; a cell or title may be megabytes.
    return language.size() > 64 ? QString() : locales.value(language.trimmed().toLower());
}

QString readAloudRefusal(const QString& language, bool engine, bool voice)
{
    const QString refused = QStringLiteral("Vorlesen ist nicht möglich: ");
    if (!engine)
        return refused + QStringLiteral("Es ist keine Sprachausgabe installiert.");
    if (localeOfLanguage(language).isEmpty())
        return refused
            + QStringLiteral("Die Sprache \"%1\" ist Paukomat nicht bekannt.").arg(language);
    if (!voice)
        return refused + QStringLiteral("Für %1 ist keine Stimme installiert.").arg(language);
    return {};
}

} // namespace lesson
