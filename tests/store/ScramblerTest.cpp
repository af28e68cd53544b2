#include "store/Cp1252.h"
#include "store/Scrambler.h"
#include "store/TextFile.h"

#include <QTemporaryDir>
#include <QTest>

using store::Scrambler;

class ScramblerTest : public QObject
{
    Q_OBJECT

private slots:
    void twiceGivesTheLineBack_data()
    {
        QTest::addColumn<int>("length");
        for (int n : {0, 1, 4, 5, 300})
            QTest::addRow("%d", n) << n;
    }
    void twiceGivesTheLineBack()
    {
        QFETCH(int, length);
        QByteArray line;
        for (int i = 0; i < length; ++i)
            line += static_cast<char>((i * 37 + 11) % 256);
        const QByteArray once = Scrambler::scramble(line);
        QCOMPARE(once.size(), line.size());
        if (length > 0)
            QVERIFY(once != line);
        QCOMPARE(Scrambler::scramble(once), line);
    }

    void everyPositionTakesItsKeyElements()
    {
        // Long lines go eight bytes at a time; each byte must still meet the key elements of its
        // own position, whether the line shares its bytes with another array or not.
        QByteArray line;
        for (int i = 0; i < 37; ++i)
            line += static_cast<char>('A' + i % 26);
        const QByteArray shared = line;
        QByteArray own(line.constData(), line.size());
        const QByteArray results[] = {Scrambler::scramble(shared),
                                      Scrambler::scramble(std::move(own))};
        for (const QByteArray& out : results) {
            QCOMPARE(out.size(), line.size());
            for (int i = 0; i < line.size(); ++i)
                QCOMPARE(static_cast<unsigned char>(out[i]),
                         static_cast<unsigned char>(line[i] ^ Scrambler::Key1[i % 4]
                                                    ^ Scrambler::Key2[i % 4]));
        }
        QCOMPARE(shared, line);
    }

    void everyByteValueSurvives()
    {
        for (int pos = 0; pos < 4; ++pos) {
            for (int b = 0; b < 256; ++b) {
                QByteArray line(pos, 'a');
                line += static_cast<char>(b);
                QCOMPARE(Scrambler::scramble(Scrambler::scramble(line)), line);
            }
        }
    }

    void printableCharactersNeverBecomeLineEnds()
    {
        for (int pos = 0; pos < 4; ++pos) {
            for (int b = 32; b < 256; ++b) {
                QByteArray line(pos, 'x');
                line += static_cast<char>(b);
                const auto out = static_cast<unsigned char>(Scrambler::scramble(line).at(pos));
                QVERIFY2(out >= 32, qPrintable(QString::number(b)));
            }
        }
        for (int i = 0; i < 4; ++i) {
            const int mask = Scrambler::Key1[i] ^ Scrambler::Key2[i];
            QVERIFY(mask >= 1 && mask <= 31);
        }
    }

    void counterRestartsAndPositionsStayLocal()
    {
        // The same text on two lines gives the same stored line; a change at one position
        // changes only that position of the stored line.
        QCOMPARE(Scrambler::scrambleText(QStringLiteral("Englisch\\\\LSp1")),
                 Scrambler::scrambleText(QStringLiteral("Englisch\\\\LSp1")));
        const QByteArray a = Scrambler::scrambleText(QStringLiteral("abcdefgh"));
        const QByteArray b = Scrambler::scrambleText(QStringLiteral("abcdXfgh"));
        for (int i = 0; i < a.size(); ++i)
            QCOMPARE(a[i] == b[i], i != 4);
        // Position 5 uses the same key elements as position 1.
        QCOMPARE(Scrambler::scramble("a").at(0), Scrambler::scramble("xxxxa").at(4));
    }

    void umlautsAreSingleBytes()
    {
        const QString text = QStringLiteral("äöüÄÖÜß§€");
        const QByteArray stored = Scrambler::scrambleText(text);
        QCOMPARE(stored.size(), text.size());
        QCOMPARE(store::toCp1252(text), QByteArray("\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xA7\x80"));
        QCOMPARE(Scrambler::unscrambleText(stored), text);
    }

    void wholeFilePass()
    {
        QTemporaryDir dir;
        const QString src = dir.filePath("src"), dst = dir.filePath("dst");
        // Empty and missing sources both give an empty destination.
        QVERIFY(store::TextFile::touch(src));
        QVERIFY(Scrambler::passFile(src, dst));
        QCOMPARE(store::TextFile::readRawLines(dst).size(), 0);
        QVERIFY(QFileInfo(dst).size() == 0);
        QVERIFY(Scrambler::passFile(dir.filePath("missing"), dst));
        QCOMPARE(QFileInfo(dst).size(), 0);

        QVERIFY(store::TextFile::writeLines(src, {"the\\\\der;die;das\\\\\\f", "", "Haus"}));
        QVERIFY(Scrambler::passFile(src, dst));
        QFile f(dst);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Scrambler::scrambleText("the\\\\der;die;das\\\\\\f") + "\r\n\r\n"
                                  + Scrambler::scrambleText("Haus") + "\r\n");
        // Back again gives the plain file byte for byte.
        QVERIFY(Scrambler::passFile(dst, dir.filePath("back")));
        QFile a(src), b(dir.filePath("back"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }
};

QTEST_GUILESS_MAIN(ScramblerTest)
#include "ScramblerTest.moc"
