#include "BenchData.h"

#include "platform/ChartView.h"
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
    for (auto _ : state) countNumberFrequencies(rig.session);
}
BENCHMARK(NumberFrequencies3000)->Unit(benchmark::kMillisecond);

static void NeighbourPairs3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countNeighbourGroups(rig.session, 2);
}
BENCHMARK(NeighbourPairs3000)->Unit(benchmark::kMillisecond);

static void NeighbourQuadruples3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countNeighbourGroups(rig.session, 4);
}
BENCHMARK(NeighbourQuadruples3000)->Unit(benchmark::kMillisecond);

static void YearSurface3000(benchmark::State& state) {
    StatsRig rig;
    for (auto _ : state) countYearSurface(rig.session);
}
BENCHMARK(YearSurface3000)->Unit(benchmark::kMillisecond);

// The frequency chart as the user sees it: counted, and the view rebuilt and painted at the page's size;
// without (0) and with (1) the band of chance. The band may cost at most 5 ms more.
static void FrequencyChartDrawn3000(benchmark::State& state) {
    StatsRig rig;
    const bool band = state.range(0) != 0;
    rig.chart.setChanceShown(band);
    ChartView view(rig.chart);
    view.resize(505, 362);
    for (auto _ : state) {
        countNumberFrequencies(rig.session);
        benchmark::DoNotOptimize(view.render());
    }
    state.SetLabel(band ? "mit Zufallsband" : "ohne Zufallsband");
}
BENCHMARK(FrequencyChartDrawn3000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
