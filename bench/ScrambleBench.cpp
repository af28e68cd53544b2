#include "store/Scrambler.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <cstring>

namespace {

QByteArray sampleLine(int length)
{
    QByteArray line;
    for (int i = 0; i < length; ++i)
        line += static_cast<char>(32 + (i * 7) % 200);
    return line;
}

// The scrambling of one line against a plain copy of the same bytes.
void BM_ScrambleLine(benchmark::State& state)
{
    const QByteArray line = sampleLine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QByteArray out = store::Scrambler::scramble(line);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * line.size());
}

void BM_PlainCopy(benchmark::State& state)
{
    const QByteArray line = sampleLine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QByteArray out(line.size(), Qt::Uninitialized);
        std::memcpy(out.data(), line.constData(), static_cast<std::size_t>(line.size()));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * line.size());
}

} // namespace

BENCHMARK(BM_ScrambleLine)->Arg(40)->Arg(4096);
BENCHMARK(BM_PlainCopy)->Arg(40)->Arg(4096);
