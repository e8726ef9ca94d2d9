// Naming the outputs of a job before it runs.
//
// Many inputs that share one base name: every search resumes where the last
// one for that name ended, so a run of n such inputs costs n tries, not n
// squared, and no try asks the file system. A manifest of a million inputs
// (a thousand folders of a thousand names, the files missing, as a
// scheduler's shards see an archive they have not reached yet) is named
// whole, in seconds: each input folder and the output folder are read once,
// no name is looked up alone. "list MB" is the memory the list of paths
// takes, "names MB" what naming adds to it.
//
//     vellumo-bench --benchmark_filter=naming/

#include "run/options.h"
#include "run/outputnaming.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <unistd.h>

namespace {

void inputsOfOneName(benchmark::State &state)
{
    QTemporaryDir outputs;
    for (auto _ : state) {
        ClaimedNames claimed(outputs.path());
        for (int input = 0; input < state.range(0); ++input)
            claimed.choose(QString(), QStringLiteral("photo_processed"), QStringLiteral("jpg"), QStringLiteral("replace"));
    }
    state.SetComplexityN(state.range(0));
}

// The resident memory of this process, in MB.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void manifest(benchmark::State &state, bool renamed)
{
    QTemporaryDir outputs;
    const double before = residentMegabytes();
    JobSettings settings;
    settings.outputDirectory = outputs.path();
    settings.set(option::batchRename, renamed);
    const int inputs = int(state.range(0));
    settings.imagePaths.reserve(inputs);
    for (int index = 0; index < inputs; ++index)
        settings.imagePaths << QStringLiteral("/archive/roll%1/IMG_%2.JPG").arg(index / 1000, 4, 10, QLatin1Char('0'))
                                       .arg(index % 1000, 4, 10, QLatin1Char('0'));
    const double listed = residentMegabytes();
    double named = listed;
    for (auto _ : state) {
        const OutputNames names = assignOutputNames(settings);
        named = std::max(named, residentMegabytes());
        benchmark::DoNotOptimize(names.outputs.constData());
    }
    state.counters["list MB"] = listed - before;
    state.counters["names MB"] = named - listed;
}

} // namespace

BENCHMARK(inputsOfOneName)->Name("naming/inputs of one name")->RangeMultiplier(4)
        ->Range(250, 4000)->Complexity()->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(manifest, usual, false)->Name("naming/manifest NAME_processed")->Arg(1000000)
        ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(manifest, renamed, true)->Name("naming/manifest PREFIX_n")->Arg(1000000)
        ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
