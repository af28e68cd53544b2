#include "FuzzTargets.h"

#include "boxes/BoxFile.h"
#include "exchange/Exchange.h"
#include "handoff/HandOff.h"
#include "lesson/LessonFile.h"
#include "library/Library.h"
#include "results/ResultColumn.h"
#include "results/ResultFile.h"
#include "signin/UserList.h"
#include "store/Cp1252.h"
#include "store/DataTree.h"
#include "store/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

// Writes the first corpus of every target into DIR/<target>/, made by the program's own writers.
namespace {

using exchange::Pair;

int gWritten = 0;

void seed(const QString& dir, const char* target, const QByteArray& bytes)
{
    QDir().mkpath(dir + QLatin1Char('/') + QLatin1String(target));
    QFile file(QStringLiteral("%1/%2/seed-%3").arg(dir, QLatin1String(target)).arg(++gWritten));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stored file both as stored and as plain lines.
void storedSeed(const QString& dir, const char* target, const QList<QByteArray>& files)
{
    seed(dir, target, fuzz::storedInput(files, fuzz::StoredBytes));
    QList<QByteArray> plain;
    for (const QByteArray& file : files)
        plain.append(fuzz::scrambledLines(file));
    seed(dir, target, fuzz::storedInput(plain, fuzz::PlainLines));
}

const QList<QList<Pair>> Lessons = {
    {{"the dog", "der Hund"}, {"the cat", "die Katze;der Kater"}},
    {{"the", "der;die;das"},
     {"to say \"hello\"", "\"Hallo\" sagen"},
     {"#tag", "Kennzeichen"},
     {"a\\b", "Backslash\\\\"},
     {"cafè", "Café; Kaffee €"}},
    {{"ser", "sein"}, {"estar", "sein; sich befinden"}, {"tener", "haben"}, {"ir", "gehen"}}};

void exchangeSeeds(const QString& dir)
{
    const QStringList languages = {"Englisch", "Latein", "Spanisch"};
    for (qsizetype i = 0; i < Lessons.size(); ++i) {
        const QByteArray kvtml = exchange::exportKvtml(Lessons[i], languages[i], "Lektion 1");
        seed(dir, "kvtml", '\0' + kvtml);
        seed(dir, "xml", kvtml);
        for (char name = 0; name < 3; ++name)
            seed(dir, "delimited", name + exchange::exportDelimited(Lessons[i]));
        QString text = languages[i] + QStringLiteral("\nVerben");
        for (const Pair& pair : Lessons[i])
            text += QLatin1Char('\n') + pair.foreign + QLatin1Char('\n') + pair.german;
        seed(dir, "roundtrip", store::toCp1252(text));
    }
}

void storedSeeds(const QString& dir)
{
    QTemporaryDir scratch;
    const store::DataTree tree(scratch.path() + QStringLiteral("/"));
    const signin::UserList users(tree);
    (void)users.makePlainCopy();
    (void)users.addUser(QStringLiteral("anna"), QStringLiteral("geheim"));
    (void)users.addUser(QStringLiteral("Jörg Müller"), QStringLiteral("1234"));
    storedSeed(dir, "userlist", {read(tree.programFile(store::DataTree::UserList))});

    (void)handoff::writeSignedInUser(tree, QStringLiteral("anna"), QStringLiteral("geheim"));
    library::Library library(tree);
    (void)library.open();
    (void)library.createLanguage(QStringLiteral("Englisch"));
    (void)library.createLanguage(QStringLiteral("Französisch"));
    (void)library.listLanguages();
    const auto verben = library.createLesson(QStringLiteral("Englisch"), QStringLiteral("Verben"));
    (void)library.createLesson(QStringLiteral("Englisch"), QStringLiteral("Tiere"));
    const QString userPath = tree.userPath(QStringLiteral("anna"));
    storedSeed(
        dir, "listfile",
        {read(userPath + QStringLiteral("Spr.dat")), read(userPath + QStringLiteral("LSp1"))});

    lesson::LessonFile lesson(verben.value.files, QStringLiteral("Englisch"),
                              QStringLiteral("Verben"));
    (void)lesson.open();
    for (const Pair& pair : Lessons[0] + Lessons[2])
        (void)lesson.add(pair.foreign, pair.german);
    (void)lesson.storeBack();
    storedSeed(dir, "lessonfile", {read(verben.value.files.stored())});

    boxes::Boxes places;
    const QStringList placed{QStringLiteral("to be"), QStringLiteral("Käse"), QStringLiteral("x")};
    for (int i = 0; i < placed.size(); ++i)
        places.set(placed[i], {i + 1, QDate(2024, 12, 30 + i % 2)});
    (void)boxes::writeBoxFile(verben.value.files.boxes(), places, placed);
    storedSeed(dir, "boxes", {read(verben.value.files.boxes())});

    results::ResultColumn total;
    results::ResultColumn run;
    for (const auto& [words, right] : {std::pair{10, 7}, {12, 12}, {3, 0}}) {
        run.setCounts(words, right);
        total.setCounts(total.words() + words, total.right() + right);
        (void)results::ResultFile::storeRun(verben.value.files.results(), total, run);
    }
    storedSeed(dir, "results", {read(verben.value.files.results())});

    (void)library.handOver(QStringLiteral("Englisch"), QStringLiteral("Verben"));
    (void)handoff::writeResultsRequest(tree,
                                       {QStringLiteral("anna"), QStringLiteral("Englisch"),
                                        QStringLiteral("Verben"), verben.value.files.results()});
    QByteArray handOff = read(tree.programFile(handoff::SignedInFile)) + fuzz::FileSeparator
        + read(userPath + handoff::LessonChoiceFile) + fuzz::FileSeparator
        + read(tree.programFile(handoff::ResultsRequestFile));
    seed(dir, "handoff", handOff.replace(QFile::encodeName(tree.programPath()), fuzz::TreeToken));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    exchangeSeeds(dir);
    storedSeeds(dir);
    std::printf("%d seeds in %s\n", gWritten, argv[1]);
    return 0;
}
