#include "store/DataRoot.h"

#include "store/DataTree.h"
#include "store/TextFile.h"
#include "store/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace store {
namespace {

const QString Advice = QStringLiteral(
    "Bitte geben Sie mit --data-dir ein Verzeichnis an, in dem Sie schreiben dürfen.");

QString reason(int error)
{
    return error == EEXIST ? QStringLiteral("dort steht eine Datei") : TextFile::reasonFor(error);
}

// Makes the directory and any missing parent; the directory itself gets mode, its parents the
// usual one. Gives 0 or the system's error.
int makeDirectory(const QString& path, mode_t mode)
{
    const QString parent = QFileInfo(path).path();
    if (parent != path && !QFileInfo(parent).isDir())
        if (const int error = makeDirectory(parent, 0777))
            return error;
    if (::mkdir(QFile::encodeName(path).constData(), mode) == 0)
        return 0;
    return errno == EEXIST && QFileInfo(path).isDir() ? 0 : errno;
}

// Whether a file can be made in the directory: tried for real, so a read-only mount, an ACL or a
// network share answers truly whoever runs the program. Gives 0 or the system's error.
int writeProbe(const QString& dir)
{
    // mkstemp replaces the six-letter tail with a unique one.
    QByteArray name = QFile::encodeName(dir + QStringLiteral("/tmpProbe")) + QByteArray(6, 'X');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(name.constData());
    return 0;
}

// A root made or taken beyond the program directory: it must take files, and it gets an empty
// user list, as a new program directory does.
Result<QString> prepare(const QString& path, mode_t mode)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto refused = [](const QString& problem) {
        return Result<QString>{{}, Outcome::refused(problem + Advice, MessageTitle)};
    };
    if (const int error = makeDirectory(path, mode))
        return refused(
            QStringLiteral("Das Datenverzeichnis \"%1\" kann nicht angelegt werden: %2.\n")
                .arg(shown, reason(error)));
    const int error = writeProbe(path);
    const Outcome list =
        error ? Outcome::done() : TextFile::touch(path + QLatin1Char('/') + DataTree::UserList);
    if (error || !list)
        return refused(
            QStringLiteral("Paukomat kann im Datenverzeichnis \"%1\" nicht schreiben: %2.\n")
                .arg(shown, error ? reason(error) : list.failure->reason));
    return {path, Outcome::done()};
}

// The user's own data directory after the XDG rules: a relative XDG_DATA_HOME counts as unset.
QString userDataDirectory()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base =
        QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/Paukomat"));
}

} // namespace

Result<QString> chooseDataRoot(const QString& givenDir, const QString& programDir)
{
    if (!givenDir.isEmpty())
        return prepare(QDir::cleanPath(QDir::current().absoluteFilePath(givenDir)), 0777);
    if (!programDir.isEmpty() && writeProbe(programDir) == 0)
        return {programDir, Outcome::done()};
    return prepare(userDataDirectory(), 0700);
}

QString installedHelpFile(const QString& programDir)
{
    const QString beside = QDir(programDir).filePath(DataTree::HelpFile);
    const QString shared =
        QDir::cleanPath(programDir + QStringLiteral("/../share/paukomat/") + DataTree::HelpFile);
    return !QFileInfo::exists(beside) && QFileInfo::exists(shared) ? shared : beside;
}

} // namespace store
