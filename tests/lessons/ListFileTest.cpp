#include "lessons/ListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lessons;

class ListFileTest : public QObject
{
    Q_OBJECT

private slots:
    void keyNumbersAndReservedNames()
    {
        QCOMPARE(keyNumber("LSp99999999999999", 3), MaxKeyNumber);
        QCOMPARE(keyNumber("LSp", 3) + keyNumber("LSpx3", 3) + keyNumber("LSp-4", 3), 0);

        // A language directory may not take the place of a file of the user directory.
        QTemporaryDir dir;
        const QString user = dir.path() + "/";
        QVERIFY(QFile(user + "notiz").open(QIODevice::WriteOnly) && QDir(user).mkdir("Altlast"));
        for (const char* name : {"LSp12", "tmpEdit", "tmpSPRtmp", "tmpSprtmp", "tmpLSpTmp", "notiz"})
            QVERIFY2(languageNameMessage(name, {}, user).contains("für eine Datei vergeben"), name);
        for (const char* name : {"englisch", "LSp", "LSpx", "Altlast", "Größe ß"})
            QVERIFY2(languageNameMessage(name, {ListLine::make("Englisch", "LSp1")}, user).isEmpty(), name);
        QVERIFY(!languageNameMessage(QString(130, u'ä'), {}, user).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ListFileTest)
#include "ListFileTest.moc"
