#include "results/GradeScale.h"
#include "store/NumberText.h"
#include "store/TextRules.h"

#include <QTest>

using namespace store;

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void numberTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("percent");
        QTest::newRow("7") << 7.0 << " 7" << " 7";
        QTest::newRow("half") << 0.5 << " .5" << " .5";
        QTest::newRow("200/3") << 200.0 / 3 << " 66.6666666666667" << " 66.66";
        QTest::newRow("-5") << -5.0 << "-5" << "-5";
        QTest::newRow("-0.25") << -0.25 << "-.25" << "-.25";
        QTest::newRow("0") << 0.0 << " 0" << " 0";
        QTest::newRow("100") << 100.0 << " 100" << " 100";
        QTest::newRow("0.05") << 0.05 << " .05" << " .05";
        QTest::newRow("100/300") << 100.0 / 300 << " .333333333333333" << " .33";
        QTest::newRow("12.5") << 12.5 << " 12.5" << " 12.5";
        QTest::newRow("2/3 is cut") << 200.0 / 3 << " 66.6666666666667" << " 66.66";
        QTest::newRow("99.999") << 99.999 << " 99.999" << " 99.99";
        QTest::newRow("15 digits") << 123456789012345.0 << " 123456789012345" << " 123456789012345";
        QTest::newRow("huge") << 1e15 << " 1E+15" << " 1E+15";
    }
    void numberTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, number);
        QFETCH(QString, percent);
        QCOMPARE(numberText(value), number);
        QCOMPARE(percentText(value), percent);
    }

    void numericValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blank before") << " 15" << 15.0;
        QTest::newRow("plain") << "10" << 10.0;
        QTest::newRow("trailing text") << "7abc" << 7.0;
        QTest::newRow("decimal") << "  2.5x" << 2.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("exponent") << "1E3" << 1000.0;
        QTest::newRow("huge") << "99999999999999999999" << 1e20;
    }
    void numericValues()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numericValue(text), value);
    }

    void gradeBands_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<int>("grade");
        const QList<QPair<double, int>> cases = {
            {0, 6}, {30, 6}, {30.9, 6}, {31, 5}, {49.99, 5}, {50, 4}, {64, 4}, {65, 3},
            {79, 3}, {80, 2}, {94.9, 2}, {95, 1}, {100, 1}, {100.5, 1}, {101, 0}, {-1, 0},
            {200.0 / 3, 3}, {100.0 / 3, 5}};
        for (const auto& [p, g] : cases)
            QTest::addRow("%g", p) << p << g;
    }
    void gradeBands()
    {
        QFETCH(double, percent);
        QFETCH(int, grade);
        QCOMPARE(results::gradeFor(percent), grade);
    }

    void inputTheFilesCannotHold()
    {
        QVERIFY(unstorableTextMessage(QStringLiteral("Straße, Café & §1 € ' \" ")).isEmpty());
        QVERIFY(!unstorableTextMessage(QStringLiteral("a\tb")).isEmpty());
        QVERIFY(!unstorableTextMessage(QStringLiteral("a\nb")).isEmpty());
        QVERIFY(unstorableTextMessage(QStringLiteral("Москва")).contains(QStringLiteral("\"М\"")));
        QVERIFY(unstorableTextMessage(QStringLiteral("ok 😀")).contains(QStringLiteral("😀")));
        QVERIFY(tooLongNameMessage(QString(255, QLatin1Char('a'))).isEmpty());
        QVERIFY(!tooLongNameMessage(QString(128, QChar(0xE4))).isEmpty()); // 256 bytes in UTF-8
        for (const char* bad : {"", ".", "..", "a/b", "/etc"})
            QVERIFY2(!isSafePathName(QString::fromLatin1(bad)), bad);
        QVERIFY(!isSafePathName(QStringLiteral("a") + QChar(0)));
        QVERIFY(isSafePathName(QStringLiteral("..a")));
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "NumberTextTest.moc"
