#include "lesson/LanguageLocale.h"

#include <QTest>

class LanguageLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void nameGivesVoice_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("engine");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("refusal");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("known") << "Englisch" << true << "en"
                               << "";
        QTest::newRow("case and blanks") << " FRANZÖSISCH " << true << "fr"
                                         << "";
        QTest::newRow("unknown name")
            << "Englisch (USA)" << true << ""
            << no + "Die Sprache \"Englisch (USA)\" ist Paukomat nicht bekannt.";
        QTest::newRow("no speech output")
            << "Elbisch" << false << "" << no + "Es ist keine Sprachausgabe installiert.";
    }

    void nameGivesVoice()
    {
        QFETCH(QString, language);
        QFETCH(bool, engine);
        QFETCH(QString, locale);
        QFETCH(QString, refusal);
        QCOMPARE(lesson::localeOfLanguage(language), locale);
        QCOMPARE(lesson::readAloudRefusal(language, engine, engine), refusal);
    }
};

QTEST_GUILESS_MAIN(LanguageLocaleTest)
#include "LanguageLocaleTest.moc"
