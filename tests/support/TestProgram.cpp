#include "TestProgram.h"

#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace testing {

TestProgram::TestProgram()
{
    QApplication::setQuitOnLastWindowClosed(false);
    m_screens = std::make_unique<ui::Screens>(
        m_dir.path(), ui::Services{messages, input, help, printer, end, random});
}

TestProgram::~TestProgram()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->deleteLater();
    settle();
    m_screens.reset();
}

QString TestProgram::path(const QString& relative) const
{
    return m_dir.path() + QLatin1Char('/') + relative;
}

void TestProgram::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

QByteArray TestProgram::bytes(const QString& relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TestProgram::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

QByteArray TestProgram::scrambledBytes(const QStringList& plainLines)
{
    QByteArray data;
    for (const QString& line : plainLines)
        data += store::Scrambler::scrambleText(line) + "\r\n";
    return data;
}

QByteArray TestProgram::plainBytes(const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines)
        data += store::toCp1252(line) + "\r\n";
    return data;
}

static void writeBytes(const QString& file, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size())
        QTest::qFail("cannot write test file", __FILE__, __LINE__);
}

void TestProgram::writeScrambled(const QString& relative, const QStringList& plainLines) const
{
    writeBytes(path(relative), scrambledBytes(plainLines));
}

void TestProgram::writePlain(const QString& relative, const QStringList& lines) const
{
    writeBytes(path(relative), plainBytes(lines));
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
    return QDir(path(relative)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name);
}

} // namespace testing
