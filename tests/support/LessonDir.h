#pragma once

#include "store/Cp1252.h"
#include "store/Scrambler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A scratch directory for the files of one lesson, written and read as whole bytes.
struct LessonDir
{
    QTemporaryDir dir;

    [[nodiscard]] QString path(const QString& name = {}) const { return dir.path() + '/' + name; }
    [[nodiscard]] QStringList files(const QString& sub = {}) const
    {
        return QDir(path(sub)).entryList(QDir::Files);
    }
    // "missing" for a file that is not there.
    [[nodiscard]] QByteArray bytes(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    [[nodiscard]] bool write(const QString& name, const QByteArray& data) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    }

    // The bytes of a file of these lines, each ended by CR LF, scrambled as lessons are stored.
    [[nodiscard]] static QByteArray file(const QStringList& lines, bool scrambled = true)
    {
        QByteArray data;
        for (const QString& line : lines)
            data +=
                (scrambled ? store::Scrambler::scrambleText(line) : store::toCp1252(line)) + "\r\n";
        return data;
    }
};
