// Saves a lesson and its result file over and over, the way the editor and the exercise screen
// do, until it is killed: SaveDriver DIR. Each round flips the meanings of the lesson's first pair
// between "eins" and "zwei;drei", then stores one more run of 3 words with 2 right in "EU1".

#include "lesson/LessonFile.h"
#include "results/ResultFile.h"

#include <cstdio>
#include <cstdlib>

// A failed save ends the driver by itself, which the test tells from being killed.
static void must(const store::Outcome& result)
{
    if (!result) {
        std::fputs(qPrintable(result.failure->reason), stderr);
        std::exit(1);
    }
}

int main(int, char* argv[])
{
    const QString dir = QString::fromLocal8Bit(argv[1]) + '/';
    std::puts("bereit");
    std::fflush(stdout);
    results::ResultColumn run, totals;
    run.setCounts(3, 2);
    for (;;) {
        lesson::LessonFile lesson({dir, "U1"}, "Englisch", "Lektion 1");
        must(lesson.open());
        const lesson::WordPair first = lesson.pair(0);
        must(lesson.change(first.foreign, first.german == "eins" ? "zwei;drei" : "eins"));
        must(lesson.storeBack());
        const auto before = results::ResultFile::readTotals(dir + "EU1");
        totals.setCounts(before.words + 3, before.right + 2);
        must(results::ResultFile::storeRun(dir + "EU1", totals, run));
    }
}
