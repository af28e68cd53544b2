#include "editor/LanguageLocale.h"

#include <QTest>

class LanguageLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void namesGiveLocales_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("locale");
        QTest::newRow("as typed") << "Englisch" << "en";
        QTest::newRow("letter case") << "FRANZÖSISCH" << "fr";
        QTest::newRow("blanks around") << " Latein " << "la";
        QTest::newRow("umlaut") << "Türkisch" << "tr";
        QTest::newRow("English name") << "English" << "";
        QTest::newRow("country added") << "Englisch (USA)" << "";
        QTest::newRow("empty") << "" << "";
    }

    void namesGiveLocales()
    {
        QFETCH(QString, language);
        QFETCH(QString, locale);
        QCOMPARE(editor::localeOfLanguage(language), locale);
    }

    void refusalSaysWhatIsMissing_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("engine");
        QTest::addColumn<bool>("voice");
        QTest::addColumn<QString>("refusal");
        const QString no = "Vorlesen ist nicht möglich: ";
        QTest::newRow("voice") << "Englisch" << true << true << "";
        QTest::newRow("no voice") << "Englisch" << true << false
                                  << no + "Für Englisch ist keine Stimme installiert.";
        QTest::newRow("no speech output") << "Englisch" << false << false
                                          << no + "Es ist keine Sprachausgabe installiert.";
        QTest::newRow("unknown name") << "Elbisch" << true << false
                                      << no + "Die Sprache \"Elbisch\" ist Paukomat nicht bekannt.";
        QTest::newRow("unknown name, no output") << "Elbisch" << false << false
                                                 << no + "Es ist keine Sprachausgabe installiert.";
    }

    void refusalSaysWhatIsMissing()
    {
        QFETCH(QString, language);
        QFETCH(bool, engine);
        QFETCH(bool, voice);
        QFETCH(QString, refusal);
        QCOMPARE(editor::readAloudRefusal(language, engine, voice), refusal);
    }
};

QTEST_GUILESS_MAIN(LanguageLocaleTest)
#include "LanguageLocaleTest.moc"
