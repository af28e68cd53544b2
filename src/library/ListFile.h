#pragma once

#include "store/Outcome.h"
#include "store/TextRules.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>

namespace library {

// File names of the user directory that belong to the language and lesson lists.
inline const QString LanguageListFile = QStringLiteral("Spr.dat");
inline const QString PlainLanguageListFile = QStringLiteral("tmpSpr.dat");

// How the messages name the lists.
inline const QString LanguageListName = QStringLiteral("Sprachenliste");
[[nodiscard]] inline QString lessonListName(const QString& language)
{
    return QStringLiteral("Lektionsliste der Sprache \"%1\"").arg(language);
}

// Characters a language or lesson name may not hold.
inline const QString& Unerlaubt = store::ForbiddenListNameCharacters;

// The highest number a language or lesson key may carry; a counter at this value takes no more.
inline constexpr int MaxKeyNumber = std::numeric_limits<int>::max();

// One line of a list file: name, key separator, key. The stored bytes are kept so that a line
// that is not changed is written back byte for byte.
struct ListLine
{
    QByteArray stored;
    QString name; // the whole line when it holds no separator
    QString key;  // empty when the line holds no separator
    bool hasSeparator = false;

    // A new line, scrambled for storing.
    [[nodiscard]] static ListLine make(const QString& name, const QString& key);
    // This line with its name part replaced; separator and key stay as they are.
    [[nodiscard]] ListLine renamed(const QString& newName) const;
};

using ListLines = QList<ListLine>;

// Reads a scrambled list file ("Spr.dat" or a lesson list "LSp"n), creating it empty when missing.
// With read given, a file that exists but cannot be read is reported there, so that a command
// never rewrites a list from nothing.
[[nodiscard]] ListLines readList(const QString& path, store::Outcome* read = nullptr);
// Replaces a scrambled list file as a whole.
[[nodiscard]] store::Outcome writeList(const QString& path, const ListLines& lines);

// The key of the first line whose whole name part equals name; empty when there is none.
[[nodiscard]] QString keyOf(const ListLines& lines, const QString& name);
[[nodiscard]] bool containsName(const ListLines& lines, const QString& name);
// The key in the plain language list "tmpSpr.dat", looked up the same way.
[[nodiscard]] QString keyInPlainList(const QString& path, const QString& name);

// The number of a language key ("LSp"n) or lesson key ("U"n), read as a leading number behind
// the prefix; 0 when there is none, and never above MaxKeyNumber.
[[nodiscard]] int languageNumber(const QString& key);
[[nodiscard]] int lessonNumber(const QString& key);
[[nodiscard]] QString languageKey(int number);
[[nodiscard]] QString lessonKey(int number);

// Only keys of the form the program gives them, "LSp" or "U" followed by digits, name a file. Any
// other key comes from a damaged list and might name another file of the user, such as the
// language list or a result file.
[[nodiscard]] bool isLanguageKey(const QString& key);
[[nodiscard]] bool isLessonKey(const QString& key);

// The messages that refuse a typed name; each is empty when the name is fine.
// The forbidden characters, listed whole.
[[nodiscard]] QString forbiddenCharacterMessage(const QString& name);
// A language name also becomes a directory beside the user's list files.
[[nodiscard]] QString languageNameMessage(const QString& name, const ListLines& languages,
                                          const QString& userPath);
[[nodiscard]] QString lessonNameMessage(const QString& name, const ListLines& lessons);

// Names the user directory needs for its own files.
[[nodiscard]] bool isReservedLanguageName(const QString& name);

} // namespace library
