#include "lesson/LanguageLocale.h"

#include <QTest>

class LanguageLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    // Names are found with case and blanks ignored; otherwise the refusal says why.
    void nameGivesVoice()
    {
        const QString no = "Vorlesen ist nicht möglich: ";
        QCOMPARE(lesson::localeOfLanguage(" FRANZÖSISCH "), "fr");
        QCOMPARE(lesson::readAloudRefusal("Englisch (USA)", true, true),
                 no + "Die Sprache \"Englisch (USA)\" ist Paukomat nicht bekannt.");
        QCOMPARE(lesson::readAloudRefusal("Elbisch", false, false),
                 no + "Es ist keine Sprachausgabe installiert.");
    }
};

QTEST_GUILESS_MAIN(LanguageLocaleTest)
#include "LanguageLocaleTest.moc"
