// Runs every benchmark side by side in one process, with the screens on Qt's offscreen platform,
// and ends with each figure and ratio set against its target.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The console output as usual, with every figure kept for the summary.
class Figures final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            // "BM_OpenEditor/10000", without the suffixes of the run's options.
            const std::string name = run.run_name.function_name + '/' + run.run_name.args;
            if (run.error_occurred) {
                m_failed.insert(name);
                continue;
            }
            // With repetitions the median stands for the benchmark.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            m_ms[name] = run.GetAdjustedRealTime() * 1000.0
                / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (const auto rate = run.counters.find("bytes_per_second"); rate != run.counters.end())
                m_bytesPerSecond[name] = rate->second.value;
            if (const auto syncs = run.counters.find("syncs"); syncs != run.counters.end())
                m_syncs[name] = syncs->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints the summary table; false when a target was missed or a benchmark failed. Figures
    // left out by a filter are marked as not run.
    bool summarize() const
    {
        std::printf("\n%-44s %14s %14s  %s\n", "figure", "measured", "target", "verdict");
        bool all = true;
        const auto row = [&all](const std::string& what, const double* value, const char* unit,
                                const char* relation, double target) {
            char wanted[32];
            std::snprintf(wanted, sizeof wanted, "%s %g %s", relation, target, unit);
            if (!value) {
                std::printf("%-44s %14s %14s  %s\n", what.c_str(), "-", wanted, "not run");
                return;
            }
            bool ok = *value >= target;
            if (relation[0] == '<')
                ok = relation[1] == '=' ? *value <= target : *value < target;
            all = all && ok;
            char measured[32];
            std::snprintf(measured, sizeof measured, "%.3f %s", *value, unit);
            std::printf("%-44s %14s %14s  %s\n", what.c_str(), measured, wanted,
                        ok ? "ok" : "MISSED");
        };
        for (const std::string& name : m_failed) {
            std::printf("%-44s %14s %14s  %s\n", name.c_str(), "-", "-", "FAILED");
            all = false;
        }

        for (const int pairs : {10000, 100000}) {
            const double limit = pairs == 10000 ? 100 : 1000;
            const std::string size = " (" + std::to_string(pairs) + " pairs)";
            row("open the editor" + size, ms("BM_OpenEditor/" + std::to_string(pairs)), "ms", "<",
                limit);
            row("add one pair" + size, ms("BM_AddPair/" + std::to_string(pairs)), "ms", "<", limit);
            row("open the exercise screen" + size, ms("BM_OpenExercise/" + std::to_string(pairs)),
                "ms", "<", limit);
        }
        const double* small = ms("BM_JudgedAnswer/100");
        for (const int pairs : {10000, 100000}) {
            const double* big = ms("BM_JudgedAnswer/" + std::to_string(pairs));
            const double ratio = small && big ? *big / *small : 0;
            row("one judged answer, " + std::to_string(pairs) + " vs 100 pairs",
                small && big ? &ratio : nullptr, "x", "<=", 3);
        }
        row("open the drill, due pairs (100000 pairs)", ms("BM_OpenDueExercise/100000"), "ms", "<",
            1000);
        {
            const double* due = ms("BM_DueJudgedAnswer/100000");
            const double ratio = small && due ? *due / *small : 0;
            row("one judged due answer, 100000 vs 100 pairs", small && due ? &ratio : nullptr, "x",
                "<=", 3);
            row("syncs per judged due answer (100000)", syncs("BM_DueJudgedAnswer/100000"), "",
                "<=", 0);
        }
        row("open the results screen (10000 runs)", ms("BM_OpenResults/10000"), "ms", "<", 300);
        row("import a TSV of 100000 rows", ms("BM_ImportTsv/100000"), "ms", "<", 1000);
        row("import a KVTML of 100000 entries", ms("BM_ImportKvtml/100000"), "ms", "<", 1000);
        for (const int bytes : {40, 4096}) {
            const std::string size = std::to_string(bytes);
            const double* scramble = rate("BM_ScrambleLine/" + size);
            const double* copy = rate("BM_PlainCopy/" + size);
            const double ratio = scramble && copy ? *scramble / *copy : 0;
            row("scrambling vs plain copy, lines of " + size + " bytes",
                scramble && copy ? &ratio : nullptr, "x", ">=", bytes == 40 ? 0.7 : 0.9);
        }
        row("editor painted after the key (100000 pairs)", ms("BM_EditorFirstPaint/100000"), "ms",
            "<", 100);
        for (const int pairs : {100, 100000}) {
            const std::string size = std::to_string(pairs);
            row("syncs per judged answer (" + size + " pairs)", syncs("BM_JudgedAnswer/" + size),
                "", "<=", 0);
            row("syncs per added pair (" + size + " pairs)", syncs("BM_AddPair/" + size), "",
                "<=", 0);
        }

        // No target: how long a whole run takes, and per word.
        for (const int pairs : {100, 1000, 10000, 100000}) {
            if (const double* run = ms("BM_WholeRun/" + std::to_string(pairs)))
                std::printf("%-44s %11.1f ms  (%.3f ms per word)\n",
                            ("whole run, " + std::to_string(pairs) + " pairs").c_str(), *run,
                            *run / pairs);
        }
        return all;
    }

private:
    const double* ms(const std::string& name) const
    {
        const auto it = m_ms.find(name);
        return it == m_ms.end() ? nullptr : &it->second;
    }
    const double* rate(const std::string& name) const
    {
        const auto it = m_bytesPerSecond.find(name);
        return it == m_bytesPerSecond.end() ? nullptr : &it->second;
    }
    const double* syncs(const std::string& name) const
    {
        const auto it = m_syncs.find(name);
        return it == m_syncs.end() ? nullptr : &it->second;
    }

    std::map<std::string, double> m_ms;
    std::map<std::string, double> m_bytesPerSecond;
    std::map<std::string, double> m_syncs;
    std::set<std::string> m_failed;
};

QtMessageHandler gQtHandler = nullptr;

// The offscreen platform remarks on every window shown that it cannot raise it; that is noise.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    gQtHandler(type, context, text);
}

} // namespace

int main(int argc, char* argv[])
{
    // The screens are measured without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gQtHandler = qInstallMessageHandler(quietOffscreen);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Figures figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    benchmark::Shutdown();
    return figures.summarize() ? 0 : 1;
}
