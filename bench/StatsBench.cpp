#include "BenchData.h"

#include "stats/DrawFilter.h"
#include "stats/Statistics.h"

#include <benchmark/benchmark.h>

namespace {

struct StatsRig : BenchSession {
    QString archive = data.programDir() + QStringLiteral("ZahlenCH.dat");
    StatsRig() { DrawFilter::installDefaults(controls); }
};

} // namespace

static void NumberFrequencies3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countNumberFrequencies(rig.services, rig.archive);
}
BENCHMARK(NumberFrequencies3000)->Unit(benchmark::kMillisecond);

static void NeighbourPairs3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countNeighbourGroups(rig.services, rig.archive, 2);
}
BENCHMARK(NeighbourPairs3000)->Unit(benchmark::kMillisecond);

static void NeighbourQuadruples3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countNeighbourGroups(rig.services, rig.archive, 4);
}
BENCHMARK(NeighbourQuadruples3000)->Unit(benchmark::kMillisecond);

static void YearSurface3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countYearSurface(rig.services, rig.archive);
}
BENCHMARK(YearSurface3000)->Unit(benchmark::kMillisecond);
