#include "lessons/ListFile.h"
#include "store/Scrambler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lessons;

class ListFileTest : public QObject
{
    Q_OBJECT

private slots:
    void keyNumbers()
    {
        QCOMPARE(keyNumber("U10", 1), 10);
        QCOMPARE(keyNumber("LSp32768", 3), 32768);
        QCOMPARE(keyNumber("LSp99999999999999", 3), MaxKeyNumber);
        int counter = 0;
        for (const char* key : {"LSp7", "LSp2", "LSp", "LSpx3", "LSp-4"})
            raiseTo(counter, key, 3);
        QCOMPARE(counter, 7);
    }

    void unchangedLinesGoBackByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("LSp1");
        QCOMPARE(readList(path).size(), 0);
        QVERIFY(QFileInfo(path).isFile());

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(store::Scrambler::scrambleText("Englisch\\\\U1") + "\r\n"
                   + store::Scrambler::scrambleText("ohne Schlüssel") + "\n"
                   + store::Scrambler::scrambleText("Eng\\\\U2\\\\x"));
        file.close();
        ListLines lines = readList(path);
        QCOMPARE(keyOf(lines, "Eng"), QStringLiteral("U2\\\\x"));
        QCOMPARE(keyOf(lines, "Engl"), QString());
        QCOMPARE(lines[1].name, QStringLiteral("ohne Schlüssel"));

        lines[2] = lines[2].renamed("Größe");
        lines[1] = lines[1].renamed("neu");
        lines.append(ListLine::make("Zahlen", "U3"));
        QVERIFY(writeList(path, lines).ok);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), store::Scrambler::scrambleText("Englisch\\\\U1") + "\r\n"
                                     + store::Scrambler::scrambleText("neu") + "\r\n"
                                     + store::Scrambler::scrambleText("Größe\\\\U2\\\\x") + "\r\n"
                                     + store::Scrambler::scrambleText("Zahlen\\\\U3") + "\r\n");
    }

    void languageNamesStayClearOfTheUserFiles()
    {
        QTemporaryDir dir;
        const QString user = dir.path() + "/";
        QDir(user).mkdir("Altlast");
        QFile(user + "notiz").open(QIODevice::WriteOnly);
        const ListLines languages = {ListLine::make("Englisch", "LSp1")};
        for (const char* name : {"LSp12", "tmpEdit", "tmpSPRtmp", "tmpSprtmp", "tmpLSpTmp", "notiz"})
            QVERIFY2(languageNameMessage(name, languages, user).contains("für eine Datei vergeben"), name);
        for (const char* name : {"englisch", "LSp", "LSpx", "Altlast", "Größe ß"})
            QVERIFY2(languageNameMessage(name, languages, user).isEmpty(), name);
        QVERIFY(!languageNameMessage(QString(130, u'ä'), languages, user).isEmpty());
        for (const QChar c : Unerlaubt)
            QVERIFY(!forbiddenCharacterMessage(QStringLiteral("a") + c).isEmpty());
        QCOMPARE(Unerlaubt.size(), 29);
    }
};

QTEST_GUILESS_MAIN(ListFileTest)
#include "ListFileTest.moc"
