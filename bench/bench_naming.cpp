// Naming the outputs of many inputs that share one base name: every search
// resumes where the last one for that name ended, so a run of n such inputs
// costs n look-ups, not n squared.
//
//     vellumo-bench --benchmark_filter=naming/

#include "run/outputnaming.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void inputsOfOneName(benchmark::State &state)
{
    QTemporaryDir outputs;
    const QString derived = outputs.filePath(QStringLiteral("photo_processed.jpg"));
    for (auto _ : state) {
        ClaimedNames claimed;
        for (int input = 0; input < state.range(0); ++input)
            claimed.insert(claimed.choose(derived, QStringLiteral("replace")).path);
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(inputsOfOneName)->Name("naming/inputs of one name")->RangeMultiplier(4)
        ->Range(250, 4000)->Complexity()->Unit(benchmark::kMillisecond)->UseRealTime();
