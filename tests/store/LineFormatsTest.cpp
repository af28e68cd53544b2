#include "editor/WordPair.h"
#include "exercise/ResultLine.h"
#include "store/KeyLine.h"

#include <QTest>

class LineFormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void keyLinesSplitAtTheFirstSeparator()
    {
        const auto k = store::splitKeyLine(QStringLiteral("Englisch\\\\LSp12"));
        QVERIFY(k.hasSeparator);
        QCOMPARE(k.before, QStringLiteral("Englisch"));
        QCOMPARE(k.after, QStringLiteral("LSp12"));
        const auto none = store::splitKeyLine(QStringLiteral("kaputt\\x"));
        QVERIFY(!none.hasSeparator);
        QCOMPARE(none.before, QStringLiteral("kaputt\\x"));
    }

    void wordPairsRoundTrip()
    {
        const QString line = editor::WordPair::line("the", "der;die;das");
        QCOMPARE(line, QStringLiteral("the\\\\der;die;das\\\\\\f"));
        const auto p = editor::WordPair::parse(line);
        QVERIFY(p.valid);
        QCOMPARE(p.foreign, QStringLiteral("the"));
        QCOMPARE(p.german, QStringLiteral("der;die;das"));
        QCOMPARE(p.mark, QLatin1Char('f'));
        // Later backslashes stay in the meanings; an empty meaning side is still a pair.
        const auto q = editor::WordPair::parse(QStringLiteral("a\\\\b\\\\c\\\\\\r"));
        QCOMPARE(q.german, QStringLiteral("b\\\\c"));
        QCOMPARE(q.mark, QLatin1Char('r'));
        QVERIFY(editor::WordPair::parse(QStringLiteral("x\\\\\\\\\\f")).valid);
        QVERIFY(!editor::WordPair::parse(QStringLiteral("ohne Trenner")).valid);
        QVERIFY(!editor::WordPair::parse(QStringLiteral("x\\\\ab")).valid);
    }

    void resultLines()
    {
        auto r = exercise::ResultLine::parse(QStringLiteral(" 15\\\\ 12"));
        QVERIFY(r.hasSeparator);
        QCOMPARE(r.words, 15.0);
        QCOMPARE(r.right, 12.0);
        r = exercise::ResultLine::parse(QStringLiteral("10\\\\7"));
        QCOMPARE(r.words, 10.0);
        QCOMPARE(r.right, 7.0);
        r = exercise::ResultLine::parse(QStringLiteral("Müll"));
        QVERIFY(!r.hasSeparator);
        QCOMPARE(r.words, 0.0);
        QCOMPARE(exercise::ResultLine::parse(QString()).hasSeparator, false);
    }
};

QTEST_GUILESS_MAIN(LineFormatsTest)
#include "LineFormatsTest.moc"
