#include "editor/WordPair.h"
#include "results/GradeScale.h"
#include "store/KeyLine.h"
#include "store/NumberText.h"
#include "store/TextRules.h"

#include <QTest>

using namespace store;

class TextFormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void numbersPercentagesAndGrades()
    {
        const QList<std::tuple<double, const char*, const char*>> cases = {
            {7, " 7", " 7"},          {0.5, " .5", " .5"},       {-5, "-5", "-5"},
            {-0.25, "-.25", "-.25"},  {0, " 0", " 0"},           {100, " 100", " 100"},
            {0.05, " .05", " .05"},   {12.5, " 12.5", " 12.5"},  {99.999, " 99.999", " 99.99"},
            {1e15, " 1E+15", " 1E+15"},      {200.0 / 3, " 66.6666666666667", " 66.66"},
            {100.0 / 300, " .333333333333333", " .33"},
            {123456789012345.0, " 123456789012345", " 123456789012345"}};
        for (const auto& [value, number, percent] : cases) {
            QCOMPARE(numberText(value), QString::fromLatin1(number));
            QCOMPARE(percentText(value), QString::fromLatin1(percent));
        }
        const QList<std::pair<const char*, double>> values = {
            {" 15", 15}, {"7abc", 7}, {"  2.5x", 2.5}, {".5", 0.5}, {"-3", -3},  {"abc", 0},
            {"", 0},     {"-", 0},    {"1E3", 1000},   {"99999999999999999999", 1e20}};
        for (const auto& [text, value] : values)
            QCOMPARE(numericValue(QString::fromLatin1(text)), value);
        // Grades go by the whole-number part of the percentage.
        const QList<std::pair<double, int>> bands = {
            {0, 6},  {30, 6}, {30.9, 6}, {31, 5},     {49.99, 5}, {50, 4},  {64, 4},
            {65, 3}, {79, 3}, {80, 2},   {94.9, 2},   {95, 1},    {100, 1}, {100.5, 1},
            {101, 0}, {-1, 0}, {200.0 / 3, 3}, {100.0 / 3, 5}};
        for (const auto& [percent, grade] : bands)
            QVERIFY2(results::gradeFor(percent) == grade, qPrintable(QString::number(percent)));
    }

    void keyAndWordPairLines()
    {
        const KeyLine k = splitKeyLine(QStringLiteral("Englisch\\\\LSp12\\\\x"));
        QVERIFY(k.hasSeparator && k.before == "Englisch" && k.after == "LSp12\\\\x");
        QVERIFY(!splitKeyLine(QStringLiteral("kaputt\\x")).hasSeparator);
        QCOMPARE(editor::WordPair::line("the", "der;die"), QStringLiteral("the\\\\der;die\\\\\\f"));
        // Later backslashes stay in the meanings; an empty meaning side is still a pair.
        const auto p = editor::WordPair::parse(editor::WordPair::line("a", "b\\\\c", 'r'));
        QVERIFY(p.valid && p.foreign == "a" && p.german == "b\\\\c" && p.mark == 'r');
        QVERIFY(editor::WordPair::parse(QStringLiteral("x\\\\\\\\\\f")).valid);
        QVERIFY(!editor::WordPair::parse(QStringLiteral("x\\\\ab")).valid);
    }

    void inputTheFilesCannotHold()
    {
        QVERIFY(unstorableTextMessage(QStringLiteral("Straße, Café & §1 € ' \" ")).isEmpty());
        for (const char* control : {"a\tb", "a\nb", "\x7F"})
            QCOMPARE(unstorableTextMessage(control), "Die Eingabe darf keine Steuerzeichen wie "
                                                     "Tabulatoren oder Zeilenumbrüche enthalten !");
        QCOMPARE(unstorableTextMessage(QStringLiteral("ok 😀")),
                 QStringLiteral("Das Zeichen \"😀\" kann nicht gespeichert werden. Erlaubt sind "
                                "nur Buchstaben, Ziffern und Zeichen der westeuropäischen Schrift !"));
        QVERIFY(tooLongNameMessage(QString(255, QLatin1Char('a'))).isEmpty());
        QVERIFY(!tooLongNameMessage(QString(128, QChar(0xE4))).isEmpty()); // 256 bytes in UTF-8
        for (const QString& bad : QStringList{"", ".", "..", "a/b", "/etc", QString("a") + QChar(0)})
            QVERIFY2(!isSafePathName(bad), qPrintable(bad));
        QVERIFY(isSafePathName(QStringLiteral("..a")));
    }
};

QTEST_GUILESS_MAIN(TextFormatsTest)
#include "TextFormatsTest.moc"
