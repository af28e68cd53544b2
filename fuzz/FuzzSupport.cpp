#include "FuzzTargets.h"

#include "store/Scrambler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

FailureHandler gHandler = nullptr;

} // namespace

void setFailureHandler(FailureHandler handler)
{
    gHandler = handler;
}

void expect(bool holds, const char* fact)
{
    if (holds)
        return;
    if (gHandler) {
        gHandler(fact);
        return;
    }
    std::fprintf(stderr, "Fact broken: %s\n", fact);
    std::abort();
}

QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

QList<QByteArray> filesOf(const QByteArray& input, qsizetype count)
{
    QList<QByteArray> files = input.split(FileSeparator);
    files.resize(count);
    return files;
}

QByteArray storedInput(const QList<QByteArray>& files, char mode)
{
    QByteArray input(1, mode);
    for (qsizetype i = 0; i < files.size(); ++i)
        input += (i > 0 ? QByteArray(1, FileSeparator) : QByteArray()) + files[i];
    return input;
}

QByteArray scrambledLines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines) {
        const bool cr = line.endsWith('\r');
        line = store::Scrambler::scramble(cr ? line.chopped(1) : line) + (cr ? "\r" : "");
    }
    return lines.join('\n');
}

QString freshProgramDir()
{
    // Every run writes and syncs files; in memory that costs next to nothing.
    static const QTemporaryDir base(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                        ? QStringLiteral("/dev/shm/paukomat-fuzz-XXXXXX")
                                        : QDir::tempPath()
                                            + QStringLiteral("/paukomat-fuzz-XXXXXX"));
    const QString dir = base.path() + QStringLiteral("/Paukomat");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir + QLatin1Char('/');
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    expect(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
           "the scratch file of a run can be written");
}

} // namespace fuzz
