// Importing a big word list as the main screen does: the file's bytes read, planned with the
// proposed choice, and stored as a new lesson of a signed-in user, in both formats that the
// program itself writes.

#include "TestProgram.h"
#include "exchange/Exchange.h"
#include "library/LessonTransfer.h"

#include <benchmark/benchmark.h>

namespace {

void importList(benchmark::State& state, exchange::Format format)
{
    QList<exchange::Pair> pairs;
    for (qint64 i = 0; i < state.range(0); ++i)
        pairs.append({QStringLiteral("word %1").arg(i), QStringLiteral("Wort %1;Begriff").arg(i)});
    const bool kvtml = format == exchange::Format::Kvtml;
    const QByteArray bytes = kvtml
        ? exchange::exportKvtml(pairs, QStringLiteral("Englisch"), QStringLiteral("Lektion"))
        : exchange::exportDelimited(pairs);
    const QString fileName = kvtml ? QStringLiteral("Liste.kvtml") : QStringLiteral("Liste.tsv");

    testing::TestProgram program;
    program.writePlain(QStringLiteral("tmpUsr"), {QStringLiteral("anna")});
    library::Library library{store::DataTree(program.dir())};
    const QString language = QStringLiteral("Englisch");
    if (!library.open().ok() || !library.createLanguage(language).ok()
        || !library.listLanguages()) {
        state.SkipWithError("no language to import into");
        return;
    }
    int lesson = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("Lektion %1").arg(++lesson);
        const exchange::ImportSource source = exchange::readImportData(bytes, fileName);
        const exchange::ImportPlan plan = exchange::planImport(source, source.proposed);
        if (plan.pairs.size() != pairs.size()
            || !library::importLesson(library, language, name, plan.pairs).ok()) {
            state.SkipWithError("the import failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_ImportTsv(benchmark::State& state)
{
    importList(state, exchange::Format::Delimited);
}

void BM_ImportKvtml(benchmark::State& state)
{
    importList(state, exchange::Format::Kvtml);
}

} // namespace

BENCHMARK(BM_ImportTsv)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportKvtml)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
