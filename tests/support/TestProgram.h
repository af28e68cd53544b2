#pragma once

#include "Doubles.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace testing {

// A program run in a temporary program directory, with scripted services and the real screens.
class TestProgram
{
public:
    TestProgram();
    ~TestProgram();

    ScriptedMessages messages;
    ScriptedInput input;
    RecordingHelp help;
    RecordingPrinter printer;
    RecordingEnd end;
    ScriptedRandom random;

    [[nodiscard]] ui::Screens& screens() { return *m_screens; }
    [[nodiscard]] QString dir() const { return m_dir.path(); }
    // A path inside the program directory, such as "anna/Englisch/U1".
    [[nodiscard]] QString path(const QString& relative) const;

    // Runs pending deletions of closed screens.
    static void settle();

    // The one visible top-level screen of the given class, or nullptr.
    template <class T>
    [[nodiscard]] static T* shown()
    {
        settle();
        T* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
                found = t;
        return found;
    }
    // Visible top-level windows.
    [[nodiscard]] static QList<QWidget*> visibleWindows();

    // Raw bytes of a file inside the program directory; an empty array when it is missing.
    [[nodiscard]] QByteArray bytes(const QString& relative) const;
    [[nodiscard]] bool exists(const QString& relative) const;
    // Writes a file whose lines are given plain; scrambled or as they stand, ended by CR LF.
    void writeScrambled(const QString& relative, const QStringList& plainLines) const;
    void writePlain(const QString& relative, const QStringList& lines) const;
    // The expected bytes of a file written from these plain lines.
    [[nodiscard]] static QByteArray scrambledBytes(const QStringList& plainLines);
    [[nodiscard]] static QByteArray plainBytes(const QStringList& lines);
    // The lines of a scrambled file, unscrambled.
    [[nodiscard]] QStringList readScrambled(const QString& relative) const;
    // Names of the files and directories directly inside a directory of the tree.
    [[nodiscard]] QStringList entries(const QString& relative = {}) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ui::Screens> m_screens;
};

} // namespace testing
