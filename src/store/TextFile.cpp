#include "store/TextFile.h"

#include "store/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <atomic>

namespace store {
namespace {

std::atomic<qint64> gFailAfter{-1};

QByteArray joinLines(const QList<QByteArray>& lines)
{
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    QByteArray data;
    data.reserve(size);
    for (const QByteArray& line : lines) {
        data += line;
        data += "\r\n";
    }
    return data;
}

QList<QByteArray> encodeAll(const QStringList& lines)
{
    QList<QByteArray> raw;
    raw.reserve(lines.size());
    for (const QString& line : lines)
        raw.append(toCp1252(line));
    return raw;
}

// Writes data to an open device, honouring the failing-disk seam.
bool writeAll(QIODevice& device, const QByteArray& data)
{
    const qint64 limit = gFailAfter.load();
    if (limit >= 0 && data.size() > limit) {
        device.write(data.constData(), limit);
        return false;
    }
    return device.write(data) == data.size();
}

// The reason of a failed file operation in the user's language.
QString reason(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::NoError: // a write that stopped short without the device saying why
    case QFileDevice::WriteError:
        return QStringLiteral("Schreibfehler, eventuell ist der Datenträger voll");
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler");
    case QFileDevice::OpenError:
        return QStringLiteral("die Datei kann nicht geöffnet werden");
    case QFileDevice::PermissionsError:
        return QStringLiteral("keine Berechtigung");
    case QFileDevice::RenameError:
        return QStringLiteral("die Datei kann nicht umbenannt werden");
    case QFileDevice::ResizeError:
        return QStringLiteral("die Dateigröße kann nicht geändert werden");
    case QFileDevice::RemoveError:
        return QStringLiteral("die Datei kann nicht gelöscht werden");
    default:
        return QStringLiteral("unbekannter Fehler");
    }
}

} // namespace

namespace TextFile {

bool exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QList<QByteArray> readRawLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = data.size();
        qsizetype stop = end;
        if (!last && stop > start && data[stop - 1] == '\r')
            --stop;
        lines.append(data.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

FileResult readRawLines(const QString& path, QList<QByteArray>& lines)
{
    lines.clear();
    if (!QFileInfo::exists(path))
        return FileResult::success();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(path, reason(file));
    file.close();
    lines = readRawLines(path);
    return FileResult::success();
}

QStringList readLines(const QString& path)
{
    QStringList lines;
    for (const QByteArray& raw : readRawLines(path))
        lines.append(fromCp1252(raw));
    return lines;
}

QString readFirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line = file.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return fromCp1252(line);
}

FileResult writeRawLines(const QString& path, const QList<QByteArray>& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult::failure(path, reason(file));
    if (!writeAll(file, joinLines(lines))) {
        const QString why = reason(file);
        file.cancelWriting();
        return FileResult::failure(path, why);
    }
    if (!file.commit())
        return FileResult::failure(path, reason(file));
    return FileResult::success();
}

FileResult writeLines(const QString& path, const QStringList& lines)
{
    return writeRawLines(path, encodeAll(lines));
}

FileResult appendRawLines(const QString& path, const QList<QByteArray>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return FileResult::failure(path, reason(file));
    const qint64 oldSize = file.size();
    if (!writeAll(file, joinLines(lines)) || !file.flush()) {
        const QString why = reason(file);
        // Never leave half a line behind: cut the file back to what it held.
        file.resize(oldSize);
        return FileResult::failure(path, why);
    }
    return FileResult::success();
}

FileResult appendLines(const QString& path, const QStringList& lines)
{
    return appendRawLines(path, encodeAll(lines));
}

FileResult touch(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return FileResult::failure(path, reason(file));
    return FileResult::success();
}

bool remove(const QString& path)
{
    return !QFileInfo::exists(path) || QFile::remove(path);
}

void setWriteFailureAfter(qint64 bytes)
{
    gFailAfter.store(bytes);
}

} // namespace TextFile

bool matchesPattern(const QString& name, const QString& pattern)
{
    QString effective = pattern;
    if (pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')))
        effective.chop(2);
    // Glob match with "*" only; "?" has no special meaning here.
    const auto match = [&](auto&& self, qsizetype n, qsizetype p) -> bool {
        while (p < effective.size()) {
            if (effective[p] == QLatin1Char('*')) {
                for (qsizetype k = n; k <= name.size(); ++k)
                    if (self(self, k, p + 1))
                        return true;
                return false;
            }
            if (n >= name.size() || name[n] != effective[p])
                return false;
            ++n;
            ++p;
        }
        return n == name.size();
    };
    return match(match, 0, 0);
}

int removeMatching(const QString& directory, const QString& pattern)
{
    int removed = 0;
    const QDir dir(directory);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (matchesPattern(name, pattern) && QFile::remove(dir.filePath(name)))
            ++removed;
    return removed;
}

} // namespace store
