#include "TestProgram.h"
#include "LessonDir.h"

#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace testing {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        QTest::qFail(qPrintable("cannot write " + path), __FILE__, __LINE__);
}

TestProgram::TestProgram(const QString& dirTemplate)
    : m_dir(dirTemplate.isEmpty() ? QDir::tempPath() + "/TestProgram-XXXXXX" : dirTemplate)
{
    QApplication::setQuitOnLastWindowClosed(false);
    m_screens = std::make_unique<app::Screens>(
        m_dir.path(), ui::Services{messages, input, help, printer, end, random, files, speech});
}

TestProgram::~TestProgram()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->deleteLater();
    settle();
    m_screens.reset();
}

void TestProgram::handOverFromMain(const QStringList& user, const QStringList& lesson)
{
    writePlain(QStringLiteral("tmpUsr"), {QStringLiteral("anna")});
    if (!m_screens->mainScreen())
        m_screens->showMain();
    m_screens->mainScreen()->setEnabled(false);
    m_screens->mainScreen()->hide();
    QFile::remove(path(QStringLiteral("tmpUsr")));
    if (!user.isEmpty())
        writePlain(QStringLiteral("tmpUsr"), user);
    writePlain(QStringLiteral("anna/tmpEdit"), lesson);
}

void TestProgram::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    // A screen opened from the main screen is painted in the pass above; the main screen hides
    // in the next.
    QCoreApplication::processEvents();
}

QList<QWidget*> TestProgram::visibleWindows()
{
    settle();
    QList<QWidget*> list;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->inherits("QMenu"))
            list.append(w);
    return list;
}

QByteArray TestProgram::scrambledBytes(const QStringList& plainLines)
{
    return LessonDir::file(plainLines);
}

QByteArray TestProgram::plainBytes(const QStringList& lines)
{
    return LessonDir::file(lines, false);
}

QStringList TestProgram::readScrambled(const QString& relative) const
{
    QStringList lines;
    for (const QByteArray& line : store::TextFile::readRawLines(path(relative)))
        lines.append(store::Scrambler::unscrambleText(line));
    return lines;
}

QStringList TestProgram::entries(const QString& relative) const
{
    return QDir(path(relative))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace testing
