#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>

// Every input that once made a fuzz target fail, run through its target again. Inputs under
// "pending" wait for their fix and are not run.
class FuzzRegressionTest : public QObject
{
    Q_OBJECT

public:
    static inline QStringList broken;

private:
    static QDir regressions() { return QDir(QStringLiteral(FUZZ_REGRESSIONS)); }
    static QStringList folders(const QDir& dir)
    {
        return dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    static bool isTarget(const QString& name)
    {
        return std::any_of(std::begin(fuzz::Targets), std::end(fuzz::Targets),
                           [&](const fuzz::Target& t) { return name == QLatin1String(t.name); });
    }

private slots:
    void initTestCase()
    {
        fuzz::setFailureHandler([](const char* fact) { broken.append(QString::fromUtf8(fact)); });
    }

    // A misspelt folder would silently take its inputs out of the test.
    void foldersNameTargets()
    {
        QDir pending = regressions();
        const QStringList waiting =
            pending.cd(QStringLiteral("pending")) ? folders(pending) : QStringList();
        for (const QString& name : folders(regressions()) + waiting)
            QVERIFY2(name == QLatin1String("pending") || isTarget(name), qPrintable(name));
    }

    void inputs_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("target");
        for (int t = 0; t < int(std::size(fuzz::Targets)); ++t) {
            QDir dir = regressions();
            if (!dir.cd(QLatin1String(fuzz::Targets[t].name)))
                continue;
            for (const QString& file : dir.entryList(QDir::Files, QDir::Name))
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
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String("; "))));
    }
};

QTEST_GUILESS_MAIN(FuzzRegressionTest)
#include "FuzzRegressionTest.moc"
