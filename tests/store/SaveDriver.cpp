// Saves a lesson and its result file over and over, the way the editor and the exercise screen
// do, until it is killed: SaveDriver DIR [ROUNDS].
//
// Each round flips the meanings of the lesson's first pair between "eins" and "zwei;drei" and
// stores the lesson back, then stores one more run of 3 words with 2 right in "EU1". So at any
// moment the lesson is one of two versions and the result file is fixed by its number of runs.

#include "editor/LessonFile.h"
#include "exercise/ResultColumn.h"
#include "exercise/ResultFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const store::FileResult& result)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(result.path), qPrintable(result.error));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: SaveDriver DIR [ROUNDS]\n");
        return 2;
    }
    const QString dir = args.at(1) + QLatin1Char('/');
    const long rounds = args.size() > 2 ? args.at(2).toLong() : -1;

    std::puts("bereit");
    std::fflush(stdout);

    for (long round = 0; rounds < 0 || round < rounds; ++round) {
        editor::LessonFile lesson(dir, QStringLiteral("U1"));
        if (store::FileResult opened = lesson.open(); !opened)
            return fail(opened);
        if (lesson.size() == 0) {
            std::fprintf(stderr, "the lesson is empty\n");
            return 1;
        }
        const editor::WordPair first = lesson.pairs().constFirst();
        const QString meanings = first.german == QStringLiteral("eins")
            ? QStringLiteral("zwei;drei")
            : QStringLiteral("eins");
        if (store::FileResult changed = lesson.change(first.foreign, meanings); !changed)
            return fail(changed);
        if (store::FileResult stored = lesson.storeBack(); !stored)
            return fail(stored);

        const QString results = dir + QStringLiteral("EU1");
        const exercise::ResultFile::Totals before = exercise::ResultFile::readTotals(results);
        exercise::ResultColumn run;
        run.setCounts(3, 2);
        exercise::ResultColumn totals;
        totals.setCounts(before.words + run.words(), before.right + run.right());
        if (store::FileResult stored = exercise::ResultFile::storeRun(results, totals, run);
            !stored)
            return fail(stored);
    }
    return 0;
}
