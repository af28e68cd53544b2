#include "FuzzTargets.h"

#include <QDir>
#include <QTest>

// Every input that once made a fuzz target fail, run through its target again. Inputs under
// "pending" wait for their fix and are not run.
class FuzzRegressionTest : public QObject
{
    Q_OBJECT

    // The facts the target found broken on the input it ran.
    static inline QStringList broken;
    const QDir regressions{FUZZ_REGRESSIONS};

private slots:
    void initTestCase()
    {
        fuzz::setFailureHandler([](const char* fact) { broken.append(fact); });
    }

    // A misspelt folder would silently take its inputs out of the test.
    void foldersNameTargets()
    {
        QStringList names{"pending"};
        for (const fuzz::Target& target : fuzz::Targets)
            names.append(target.name);
        const auto folders = QDir::Dirs | QDir::NoDotAndDotDot;
        for (const QString& name : regressions.entryList(folders)
                 + QDir(regressions.filePath("pending")).entryList(folders))
            QVERIFY2(names.contains(name), qPrintable(name));
    }

    void inputs_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("target");
        for (int t = 0; t < int(std::size(fuzz::Targets)); ++t) {
            const QDir dir(regressions.filePath(fuzz::Targets[t].name));
            for (const QString& file : dir.entryList(QDir::Files))
                QTest::addRow("%s/%s", fuzz::Targets[t].name, qPrintable(file))
                    << dir.filePath(file) << t;
        }
    }

    // Under ASan a crash of old fails here too; every fact the target checks must hold.
    void inputs()
    {
        if (!QTest::currentDataTag())
            QSKIP("No input has made a target fail yet.");
        QFETCH(QString, path);
        QFETCH(int, target);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        broken.clear();
        fuzz::Targets[target].entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    std::size_t(bytes.size()));
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join("; ")));
    }
};

QTEST_GUILESS_MAIN(FuzzRegressionTest)
#include "FuzzRegressionTest.moc"
