#pragma once

#include <QString>

namespace lesson {

// The locale ("en", "fr", ...) of a language as users name it in German or English ("Englisch",
// "English"; "Deutsch" is "de"), letter case and surrounding blanks aside; empty for every other
// name. It names the language in exported files, finds the German side of an imported file and
// picks the voice that reads its words aloud.
[[nodiscard]] QString localeOfLanguage(const QString& language);

// Why the words of a language cannot be read aloud, as the tool-tip of the speaker button
// says it; empty when they can. engine: a speech output is installed; voice: it has a voice
// for the language's locale.
[[nodiscard]] QString readAloudRefusal(const QString& language, bool engine, bool voice);

inline const QString ReadAloudTip = QStringLiteral("Vorlesen");
// In the drill from German to the language the foreign word is the answer.
inline const QString GermanQuestionRefusal =
    QStringLiteral("Vorlesen ist nicht möglich: Die Frage ist deutsch, und die Lösung wird "
                   "nicht verraten.");

} // namespace lesson
