#include "library/Library.h"

#include "handoff/HandOff.h"
#include "store/KeyLine.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace library {

using store::Outcome;
using store::Result;

namespace {

// Every refusal of the lists is titled like the other messages of the main screen.
Outcome refused(const QString& text)
{
    return Outcome::refused(text, store::MessageTitle);
}

Outcome damagedKey(const QString& where, const QString& name)
{
    return refused(where
                   + QStringLiteral(" \"%1\" keinen gültigen Schlüssel. Die Datei "
                                    "wurde außerhalb von Paukomat verändert; "
                                    "Paukomat greift nicht darauf zu.")
                         .arg(name));
}

Outcome checkKey(const QString& language, const QString& key)
{
    return isLanguageKey(key)
        ? Outcome::done()
        : damagedKey(QStringLiteral("Die Sprachliste enthält für die Sprache"), language);
}

Outcome checkLessonKey(const QString& lesson, const QString& key)
{
    return isLessonKey(key)
        ? Outcome::done()
        : damagedKey(QStringLiteral("Die Lektionsliste enthält für die Lektion"), lesson);
}

// The refusal of a typed name: none when it is empty (the user cancelled), the forbidden
// characters first.
Outcome checkTypedName(const QString& name)
{
    if (name.isEmpty())
        return Outcome::unchanged();
    if (const QString text = forbiddenCharacterMessage(name); !text.isEmpty())
        return refused(text);
    return Outcome::done();
}

Outcome refusedUnlessEmpty(const QString& message)
{
    return message.isEmpty() ? Outcome::done() : refused(message);
}

void renameLines(ListLines& lines, const QString& oldName, const QString& newName)
{
    for (ListLine& line : lines)
        if (line.name == oldName)
            line = line.renamed(newName);
}

// Saves a rewritten list; the failure names it as the user knows it.
Outcome saveList(const QString& path, const ListLines& lines, const QString& subject)
{
    return writeList(path, lines).about(subject);
}

void sortGerman(QStringList& names)
{
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

} // namespace

Library::Library(store::DataTree tree)
    : m_tree(std::move(tree))
{ }

Outcome Library::open()
{
    m_maxLanguage = 0;
    m_maxLesson = 0;
    const Result<QString> user = handoff::readSignedInUser(
        m_tree,
        {QStringLiteral("Es ist kein Benutzer angemeldet. Bitte melden Sie sich an !"),
         store::MessageTitle});
    if (!user.ok())
        return user.outcome;
    m_user = user.value;
    // Made with the user; made again when it went missing, so the lists can be stored.
    QDir().mkpath(userPath());
    return Outcome::done();
}

store::Outcome Library::listLanguages()
{
    const QString list = userPath() + LanguageListFile;
    store::TextFile::touch(list);
    store::Outcome copied = store::Scrambler::passFile(list, plainListPath());
    if (!copied) {
        // No lookup may trust a copy of an older list.
        store::TextFile::remove(plainListPath());
        if (copied.failure->kind == store::FileFailure::Kind::Read)
            copied = copied.about(LanguageListName)
                         .meaning(QStringLiteral("Die Sprachen werden erst angezeigt, wenn die "
                                                 "Datei wieder lesbar ist; Paukomat verändert "
                                                 "sie nicht."));
    }
    QStringList names;
    for (const QString& line : store::TextFile::readLines(plainListPath())) {
        const store::KeyLine split = store::splitKeyLine(line);
        if (split.hasSeparator)
            m_maxLanguage = std::max(m_maxLanguage, languageNumber(split.after));
        names.append(split.before);
    }
    sortGerman(names);
    m_languages = names;
    m_lessons.clear();
    return copied;
}

void Library::listLessons(const QString& language)
{
    m_lessons.clear();
    const QString key = languageKey(language);
    // A key of another form can only come from a damaged list; it is not opened.
    if (!isLanguageKey(key))
        return;
    for (const ListLine& line : readList(userPath() + key)) {
        m_maxLesson = std::max(m_maxLesson, lessonNumber(line.key));
        m_lessons.append(line.name);
    }
}

QString Library::languageKey(const QString& language) const
{
    return keyInPlainList(plainListPath(), language);
}

Outcome Library::needLanguage() const
{
    return m_languages.isEmpty() ? refused(QStringLiteral("Zuerst eine Sprache bestimmen !!!"))
                                 : Outcome::done();
}

Outcome Library::needLesson() const
{
    return m_lessons.isEmpty() ? refused(QStringLiteral("Es ist keine Lektion vorhanden !"))
                               : Outcome::done();
}

Outcome Library::checkStoredName(const QString& name) const
{
    return store::isSafePathName(name) ? Outcome::done() : refused(store::unsafeNameMessage(name));
}

Outcome Library::checkLanguageKey(const QString& language) const
{
    return checkKey(language, languageKey(language));
}

Result<ListLines> Library::readForRewrite(const QString& listFile, const QString& subject) const
{
    store::Outcome read;
    Result<ListLines> lines{readList(listFile, &read), Outcome::done()};
    if (!read)
        lines.outcome = read.about(subject);
    return lines;
}

Result<ListLines> Library::readLessonList(const QString& language) const
{
    return readForRewrite(userPath() + languageKey(language), lessonListName(language));
}

Result<QString> Library::createLanguage(const QString& name)
{
    if (Outcome typed = checkTypedName(name); !typed.ok())
        return {{}, typed};
    const QString listFile = userPath() + LanguageListFile;
    Result<ListLines> languages = readForRewrite(listFile, LanguageListName);
    if (!languages.ok())
        return {{}, languages.outcome};
    if (Outcome free = refusedUnlessEmpty(languageNameMessage(name, languages.value, userPath()));
        !free.ok())
        return {{}, free};
    if (m_maxLanguage >= MaxKeyNumber)
        return {{},
                refused(QStringLiteral("Es können keine weiteren Sprachen angelegt "
                                       "werden, die höchste Sprachnummer ist erreicht !"))};
    // A directory left over under this name is taken over as it is.
    const QString directory = userPath() + name;
    const bool made = !QFileInfo(directory).isDir();
    if (made && !QDir().mkdir(directory))
        return {{},
                refused(QStringLiteral("Das Verzeichnis für die Sprache %1 konnte "
                                       "nicht angelegt werden ! Die Sprache wurde "
                                       "nicht angelegt.")
                            .arg(name))};
    const int number = m_maxLanguage + 1;
    const QString key = library::languageKey(number);
    languages.value.append(ListLine::make(name, key));
    if (Outcome saved = saveList(listFile, languages.value, LanguageListName); !saved.ok()) {
        if (made)
            QDir().rmdir(directory);
        return {{}, saved};
    }
    m_maxLanguage = number;
    // Empty, even when a file of that name was left behind.
    const store::Outcome lessonList =
        store::TextFile::writeRawLines(userPath() + key, {}).about(lessonListName(name));
    return {key, Outcome::done(lessonList)};
}

Outcome Library::renameLanguage(const QString& oldName, const QString& newName)
{
    if (Outcome safe = checkStoredName(oldName); !safe.ok())
        return safe;
    if (Outcome typed = checkTypedName(newName); !typed.ok())
        return typed;
    if (newName == oldName)
        return Outcome::unchanged();
    const QString listFile = userPath() + LanguageListFile;
    Result<ListLines> languages = readForRewrite(listFile, LanguageListName);
    if (!languages.ok())
        return languages.outcome;
    if (Outcome free =
            refusedUnlessEmpty(languageNameMessage(newName, languages.value, userPath()));
        !free.ok())
        return free;
    if (QFileInfo::exists(userPath() + newName))
        return refused(QStringLiteral("Die Sprache %1 kann nicht in %2 umbenannt werden, "
                                      "da das Verzeichnis \"%2\" bereits vorhanden ist !")
                           .arg(oldName, newName));
    renameLines(languages.value, oldName, newName);
    // The directory first: when it cannot take the new name, no list has changed yet.
    const QString oldDirectory = userPath() + oldName;
    const QString newDirectory = userPath() + newName;
    const bool moved = QFileInfo(oldDirectory).isDir();
    if (moved ? !QDir().rename(oldDirectory, newDirectory) : !QDir().mkdir(newDirectory))
        return refused(QStringLiteral("Das Verzeichnis der Sprache %1 konnte nicht in %2 "
                                      "umbenannt werden ! Die Sprache behält ihren "
                                      "bisherigen Namen.")
                           .arg(oldName, newName));
    Outcome saved = saveList(listFile, languages.value, LanguageListName);
    if (!saved.ok())
        moved ? QDir().rename(newDirectory, oldDirectory) : QDir().rmdir(newDirectory);
    return saved;
}

Result<Removal> Library::prepareLanguageRemoval(const QString& language) const
{
    const QString listFile = userPath() + LanguageListFile;
    Result<ListLines> read = readForRewrite(listFile, LanguageListName);
    if (!read.ok())
        return {{}, read.outcome};
    Removal removal{language, {}, listFile, read.value, {}};
    for (const ListLine& line : std::as_const(read.value))
        if (line.name == language && line.hasSeparator)
            removal.keys.append(line.key);
    // Every file removed lies in the user directory or the language directory.
    if (Outcome safe = checkStoredName(language); !safe.ok())
        return {{}, safe};
    for (const QString& key : std::as_const(removal.keys))
        if (Outcome usable = checkKey(language, key); !key.isEmpty() && !usable.ok())
            return {{}, usable};
    return {removal, Outcome::done()};
}

Outcome Library::removeLanguage(const Removal& removal) const
{
    ListLines kept = removal.lines;
    kept.removeIf([&](const ListLine& line) { return line.name == removal.language; });
    if (Outcome saved = saveList(removal.listFile, kept, LanguageListName); !saved.ok())
        return saved;
    for (const QString& key : removal.keys)
        if (!key.isEmpty())
            store::TextFile::remove(userPath() + key);
    if (const QString link = userPath() + removal.language; QFileInfo(link).isSymLink()) {
        QFile::remove(link);
    } else {
        const QString directory = m_tree.languagePath(m_user, removal.language);
        store::removeMatching(directory, QStringLiteral("*"));
        QDir().rmdir(directory);
    }
    return Outcome::done();
}

Result<ListLines> Library::lessonListFor(const QString& language, const QString& name) const
{
    if (Outcome typed = checkTypedName(name); !typed.ok())
        return {{}, typed};
    Result<ListLines> lessonLines = readLessonList(language);
    if (lessonLines.ok())
        lessonLines.outcome = refusedUnlessEmpty(lessonNameMessage(name, lessonLines.value));
    return lessonLines;
}

Outcome Library::checkNewLessonName(const QString& language, const QString& name) const
{
    return lessonListFor(language, name).outcome;
}

Result<LessonRef> Library::createLesson(const QString& language, const QString& name,
                                        const Fill& fill)
{
    if (Outcome usable = checkLanguageKey(language); !usable.ok())
        return {{}, usable};
    Result<ListLines> lessonLines = lessonListFor(language, name);
    if (!lessonLines.ok())
        return {{}, lessonLines.outcome};
    if (m_maxLesson >= MaxKeyNumber)
        return {{},
                refused(QStringLiteral("Es können keine weiteren Lektionen angelegt "
                                       "werden, die höchste Lektionsnummer ist erreicht !"))};
    const int number = m_maxLesson + 1;
    const QString key = lessonKey(number);
    lessonLines.value.append(ListLine::make(name, key));
    const store::LessonFiles files(m_tree.languagePath(m_user, language), key);
    if (fill)
        if (const store::Outcome filled = fill(files); !filled)
            return {{}, filled};
    const QString listFile = userPath() + languageKey(language);
    if (Outcome saved = saveList(listFile, lessonLines.value, lessonListName(language));
        !saved.ok()) {
        if (fill) {
            store::TextFile::remove(files.stored());
            store::TextFile::remove(files.boxes());
        }
        return {{}, saved};
    }
    m_maxLesson = number;
    return {{language, name, files}, Outcome::done()};
}

Outcome Library::renameLesson(const QString& language, const QString& oldName,
                              const QString& newName) const
{
    if (Outcome typed = checkTypedName(newName); !typed.ok())
        return typed;
    if (newName == oldName)
        return Outcome::unchanged();
    if (Outcome usable = checkLanguageKey(language); !usable.ok())
        return usable;
    Result<ListLines> lessonLines = readLessonList(language);
    if (!lessonLines.ok())
        return lessonLines.outcome;
    if (Outcome free = refusedUnlessEmpty(lessonNameMessage(newName, lessonLines.value));
        !free.ok())
        return free;
    renameLines(lessonLines.value, oldName, newName);
    return saveList(userPath() + languageKey(language), lessonLines.value,
                    lessonListName(language));
}

Result<Removal> Library::prepareLessonRemoval(const QString& language, const QString& lesson) const
{
    Outcome usable = checkStoredName(language);
    if (usable.ok())
        usable = checkLanguageKey(language);
    if (!usable.ok())
        return {{}, usable};
    Result<ListLines> read = readLessonList(language);
    if (!read.ok())
        return {{}, read.outcome};
    Removal removal{language, lesson, userPath() + languageKey(language), read.value, {}};
    for (const ListLine& line : std::as_const(read.value))
        if (line.name == lesson && !line.key.isEmpty())
            removal.keys.append(line.key);
    for (const QString& key : std::as_const(removal.keys))
        if (Outcome fileKey = checkLessonKey(lesson, key); !fileKey.ok())
            return {{}, fileKey};
    return {removal, Outcome::done()};
}

Outcome Library::removeLesson(const Removal& removal) const
{
    ListLines kept = removal.lines;
    kept.removeIf([&](const ListLine& line) { return line.name == removal.lesson; });
    if (Outcome saved = saveList(removal.listFile, kept, lessonListName(removal.language));
        !saved.ok())
        return saved;
    for (const QString& key : removal.keys) {
        const store::LessonFiles files(m_tree.languagePath(m_user, removal.language), key);
        store::TextFile::remove(files.stored());
        store::TextFile::remove(files.results());
        store::TextFile::remove(files.boxes());
    }
    return Outcome::done();
}

Result<LessonRef> Library::findLesson(const QString& language, const QString& lesson) const
{
    // The editor and the drill work in the language directory on the lesson file.
    Outcome usable = checkStoredName(language);
    if (usable.ok())
        usable = checkLanguageKey(language);
    if (!usable.ok())
        return {{}, usable};
    const QString key = keyOf(readList(userPath() + languageKey(language)), lesson);
    if (Outcome fileKey = checkLessonKey(lesson, key); !fileKey.ok())
        return {{}, fileKey};
    return {{language, lesson, {m_tree.languagePath(m_user, language), key}}, Outcome::done()};
}

Outcome Library::handOver(const QString& language, const QString& lesson) const
{
    const Result<LessonRef> found = findLesson(language, lesson);
    if (!found.ok())
        return found.outcome;
    return handoff::writeLessonChoice(m_tree, m_user, {language, lesson, found.value.files.key()});
}

void Library::removeHandOffFiles() const
{
    const QString pattern = QStringLiteral("tm*.*");
    store::removeMatching(userPath(), pattern);
    store::removeMatching(m_tree.programPath(), pattern);
}

} // namespace library
