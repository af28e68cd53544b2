#include "library/ListFile.h"

#include "handoff/HandOff.h"
#include "store/DataTree.h"

#include "store/Cp1252.h"
#include "store/KeyLine.h"
#include "store/NumberText.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace library {
namespace {

ListLine parsed(QByteArray stored, const QString& plain)
{
    const store::KeyLine split = store::splitKeyLine(plain);
    return {std::move(stored), split.before, split.after, split.hasSeparator};
}

const QString LanguagePrefix = QStringLiteral("LSp");
const QString LessonPrefix = QStringLiteral("U");

int keyNumber(const QString& key, const QString& prefix)
{
    const double value = store::numericValue(key.mid(prefix.size()));
    if (!(value > 0))
        return 0;
    if (value >= static_cast<double>(MaxKeyNumber))
        return MaxKeyNumber;
    return static_cast<int>(std::floor(value));
}

} // namespace

ListLine ListLine::make(const QString& name, const QString& key)
{
    const QString plain = name + store::KeySeparator + key;
    return parsed(store::Scrambler::scrambleText(plain), plain);
}

ListLine ListLine::renamed(const QString& newName) const
{
    const QString plain = hasSeparator ? newName + store::KeySeparator + key : newName;
    return parsed(store::Scrambler::scrambleText(plain), plain);
}

ListLines readList(const QString& path, store::Outcome* read)
{
    store::TextFile::touch(path);
    QList<QByteArray> stored;
    const store::Outcome result = store::TextFile::readRawLines(path, stored);
    if (read)
        *read = result;
    ListLines lines;
    for (QByteArray& raw : stored) {
        const QString plain = store::Scrambler::unscrambleText(raw);
        lines.append(parsed(std::move(raw), plain));
    }
    return lines;
}

store::Outcome writeList(const QString& path, const ListLines& lines)
{
    QList<QByteArray> raw;
    raw.reserve(lines.size());
    for (const ListLine& line : lines)
        raw.append(line.stored);
    return store::TextFile::writeRawLines(path, raw);
}

QString keyOf(const ListLines& lines, const QString& name)
{
    for (const ListLine& line : lines)
        if (line.name == name)
            return line.key;
    return {};
}

bool containsName(const ListLines& lines, const QString& name)
{
    for (const ListLine& line : lines)
        if (line.name == name)
            return true;
    return false;
}

QString keyInPlainList(const QString& path, const QString& name)
{
    for (const QString& line : store::TextFile::readLines(path)) {
        const store::KeyLine split = store::splitKeyLine(line);
        if (split.before == name)
            return split.after;
    }
    return {};
}

int languageNumber(const QString& key)
{
    return keyNumber(key, LanguagePrefix);
}

int lessonNumber(const QString& key)
{
    return keyNumber(key, LessonPrefix);
}

QString languageKey(int number)
{
    return LanguagePrefix + QString::number(number);
}

QString lessonKey(int number)
{
    return LessonPrefix + QString::number(number);
}

bool isLanguageKey(const QString& key)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("LSp[0-9]+")));
    return pattern.match(key).hasMatch();
}

bool isLessonKey(const QString& key)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("U[0-9]+")));
    return pattern.match(key).hasMatch();
}

QString forbiddenCharacterMessage(const QString& name)
{
    for (const QChar c : name)
        if (Unerlaubt.contains(c))
            return QStringLiteral("Die Zeichen ") + Unerlaubt
                + QStringLiteral(" sind nicht erlaubt !");
    return {};
}

bool isReservedLanguageName(const QString& name)
{
    static const QStringList ownFiles = {handoff::LessonChoiceFile, QStringLiteral("tmpSPRtmp"),
                                         QStringLiteral("tmpSprtmp"), QStringLiteral("tmpLSpTmp")};
    return isLanguageKey(name) || ownFiles.contains(name);
}

QString languageNameMessage(const QString& name, const ListLines& languages,
                            const QString& userPath)
{
    if (QString m = store::unstorableTextMessage(name); !m.isEmpty())
        return m;
    if (QString m = store::tooLongNameMessage(name); !m.isEmpty())
        return m;
    // The language directory lies beside the list files and hand-off files of the user.
    if (isReservedLanguageName(name) || QFileInfo(userPath + name).isFile())
        return QStringLiteral("Der Name \"%1\" ist im Benutzerverzeichnis bereits für eine Datei "
                              "vergeben. Bitte wählen Sie einen anderen Namen für die Sprache !")
            .arg(name);
    // Two languages of one name would share one directory.
    if (containsName(languages, name))
        return QStringLiteral("Die Sprache ist bereits vorhanden !");
    if (const QString existing = store::DataTree::entryUnderOtherCase(userPath, name);
        !existing.isEmpty())
        return QStringLiteral("Der Name \"%1\" ist für eine Sprache nicht möglich, weil hier schon "
                              "\"%2\" besteht und dieser Datenträger Groß- und Kleinschreibung "
                              "nicht unterscheidet !")
            .arg(name, existing);
    return {};
}

QString lessonNameMessage(const QString& name, const ListLines& lessons)
{
    if (QString m = store::unstorableTextMessage(name); !m.isEmpty())
        return m;
    // Lookups find the first lesson of a name, so a second one could never be opened.
    if (containsName(lessons, name))
        return QStringLiteral("Die Lektion ist bereits vorhanden !");
    return {};
}

} // namespace library
