#pragma once

#include "Doubles.h"
#include "app/Screens.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace testing {

// Raw bytes of a file, empty when it is missing; and a file written whole, its directory made.
[[nodiscard]] QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& data);

// The files below dir that hold something, by path, as read by the given function; hand-off and
// working files ("tmp...") aside. Empty files may come and go: a missing list or lesson is made empty.
template <class Read = QByteArray (*)(const QString&)>
auto storedFiles(const QString& dir, Read read = readFile)
{
    QMap<QString, decltype(read(dir))> files;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        if (const QString path = it.next();
            !it.fileName().startsWith("tmp") && it.fileInfo().size() > 0)
            files.insert(path, read(path));
    return files;
}

// A program run in a temporary program directory, with scripted services and the real screens.
class TestProgram
{
public:
    // dirTemplate: where to make the program directory, as for QTemporaryDir.
    explicit TestProgram(const QString& dirTemplate = {});
    ~TestProgram();

    ScriptedMessages messages;
    ScriptedInput input;
    RecordingHelp help;
    RecordingPrinter printer;
    RecordingEnd end;
    ScriptedRandom random;
    ScriptedFiles files;
    RecordingSpeech speech;

    [[nodiscard]] app::Screens& screens() { return *m_screens; }
    [[nodiscard]] QString dir() const { return m_dir.path(); }
    // A path inside the program directory, such as "anna/Englisch/U1".
    [[nodiscard]] QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // The main screen loaded for "anna", then disabled and hidden as it is while a lesson it
    // opened is shown; then "tmpUsr" holds user (removed when empty) and "anna/tmpEdit" lesson.
    void handOverFromMain(const QStringList& user, const QStringList& lesson);

    // Runs pending deletions of closed screens.
    static void settle();

    // Visible top-level windows.
    [[nodiscard]] static QList<QWidget*> visibleWindows();
    // The one visible top-level screen of the given class, or nullptr.
    template <class T> [[nodiscard]] static T* shown()
    {
        T* found = nullptr;
        for (QWidget* w : visibleWindows())
            if (auto* t = qobject_cast<T*>(w))
                found = t;
        return found;
    }

    // Files inside the program directory, by relative path; bytes() is empty for a missing file.
    [[nodiscard]] QByteArray bytes(const QString& relative) const
    {
        return readFile(path(relative));
    }
    [[nodiscard]] bool exists(const QString& relative) const
    {
        return QFileInfo::exists(path(relative));
    }
    // Writes a file whose lines are given plain; scrambled or as they stand, ended by CR LF.
    void writeScrambled(const QString& relative, const QStringList& plainLines) const
    {
        writeFile(path(relative), scrambledBytes(plainLines));
    }
    void writePlain(const QString& relative, const QStringList& lines) const
    {
        writeFile(path(relative), plainBytes(lines));
    }
    // The expected bytes of a file written from these plain lines.
    [[nodiscard]] static QByteArray scrambledBytes(const QStringList& plainLines);
    [[nodiscard]] static QByteArray plainBytes(const QStringList& lines);
    // The lines of a scrambled file, unscrambled.
    [[nodiscard]] QStringList readScrambled(const QString& relative) const;
    // Names of the files and directories directly inside a directory of the tree.
    [[nodiscard]] QStringList entries(const QString& relative = {}) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<app::Screens> m_screens;
};

} // namespace testing
