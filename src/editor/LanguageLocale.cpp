#include "editor/LanguageLocale.h"

#include <QHash>

namespace editor {

QString localeOfLanguage(const QString& language)
{
    static const QHash<QString, QString> locales = {
        {QStringLiteral("englisch"), QStringLiteral("en")},
        {QStringLiteral("französisch"), QStringLiteral("fr")},
        {QStringLiteral("spanisch"), QStringLiteral("es")},
        {QStringLiteral("italienisch"), QStringLiteral("it")},
        {QStringLiteral("latein"), QStringLiteral("la")},
        {QStringLiteral("portugiesisch"), QStringLiteral("pt")},
        {QStringLiteral("niederländisch"), QStringLiteral("nl")},
        {QStringLiteral("russisch"), QStringLiteral("ru")},
        {QStringLiteral("polnisch"), QStringLiteral("pl")},
        {QStringLiteral("schwedisch"), QStringLiteral("sv")},
        {QStringLiteral("türkisch"), QStringLiteral("tr")},
        {QStringLiteral("griechisch"), QStringLiteral("el")}};
    return locales.value(language.trimmed().toLower());
}

QString readAloudRefusal(const QString& language, bool engine, bool voice)
{
    const QString refused = QStringLiteral("Vorlesen ist nicht möglich: ");
    if (!engine)
        return refused + QStringLiteral("Es ist keine Sprachausgabe installiert.");
    if (localeOfLanguage(language).isEmpty())
        return refused + QStringLiteral("Die Sprache \"%1\" ist Paukomat nicht bekannt.").arg(language);
    if (!voice)
        return refused + QStringLiteral("Für %1 ist keine Stimme installiert.").arg(language);
    return {};
}

} // namespace editor
