#pragma once

#include "TestProgram.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// Driving the whole program through its real windows, and looking at its whole data tree.
namespace drive {

using testing::TestProgram;

// Every entry below a directory: files as relative path -> bytes, directories as "path/".
using Tree = QMap<QString, QByteArray>;

inline Tree snapshot(const QString& root)
{
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        QFile file(path);
        if (it.fileInfo().isDir())
            tree.insert(name + QLatin1Char('/'), {});
        else if (file.open(QIODevice::ReadOnly))
            tree.insert(name, file.readAll());
        else
            tree.insert(name, "<unreadable>");
    }
    return tree;
}

// Names the entries that differ, for a failure message.
inline QString difference(const Tree& actual, const Tree& expected)
{
    QStringList out;
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (!actual.contains(it.key()))
            out << "missing " + it.key();
        else if (actual[it.key()] != it.value())
            out << "differs " + it.key() + ": " + actual[it.key()].toHex(' ');
    for (auto it = actual.begin(); it != actual.end(); ++it)
        if (!expected.contains(it.key()))
            out << "extra " + it.key();
    return out.join("; ");
}

// The one visible window when it is of class T and usable; nullptr otherwise.
template <class T>
T* only()
{
    const QList<QWidget*> windows = TestProgram::visibleWindows();
    if (windows.size() != 1 || !windows.first()->isEnabled())
        return nullptr;
    return qobject_cast<T*>(windows.first());
}

// Types the text key by key; keyClicks() takes ASCII only, and German words need umlauts.
inline void type(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

inline void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// A plain lesson-list or language-list line, and a word-pair line with its mark.
inline QString keyed(const QString& name, const QString& key)
{
    return name + "\\\\" + key;
}
inline QString pair(const QString& foreign, const QString& german, char mark)
{
    return foreign + "\\\\" + german + "\\\\\\" + QLatin1Char(mark);
}

} // namespace drive
