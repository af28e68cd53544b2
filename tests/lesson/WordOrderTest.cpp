#include "lesson/WordOrder.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

// The order of the vocabulary list is the German collation, letter case ignored, words that
// compare equal in the order they came; the fast way for plain words must give exactly that.
class WordOrderTest : public QObject
{
    Q_OBJECT

private slots:
    void sortsAsTheCollation_data()
    {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("longest");
        QString printable;
        for (char16_t c = 0x20; c <= 0x7E; ++c)
            printable += QChar(c);
        QTest::newRow("printable ASCII and Windows-1252 signs, beyond eight")
            << printable + "äÄöéèß€œŠ\u2018" << 14;
        QTest::newRow("few letters, many equal words") << "aAbB -" << 10;
    }
    void sortsAsTheCollation()
    {
        QFETCH(QString, letters);
        QFETCH(int, longest);
        QRandomGenerator random(longest);
        QStringList words;
        for (int i = 0; i < 3000; ++i) {
            QString word;
            for (int n = random.bounded(longest + 1); n > 0; --n)
                word += letters[random.bounded(int(letters.size()))];
            words << word;
        }
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        QStringList expected = words;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](auto& a, auto& b) { return collator.compare(a, b) < 0; });
        QStringList sorted;
        for (const qsizetype i : lesson::WordOrder().order(words))
            sorted << words[i];
        QCOMPARE(sorted, expected);
    }
};

QTEST_GUILESS_MAIN(WordOrderTest)
#include "WordOrderTest.moc"
