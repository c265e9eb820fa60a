#include "BenchData.h"

#include "gui/ChartView.h"
#include "stats/DrawFilter.h"
#include "stats/Statistics.h"

#include <QTemporaryDir>
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

namespace {

const Game& gameOf(const benchmark::State& state) {
    return Game::byValue(static_cast<int>(state.range(0)));
}

} // namespace

// Every statistic of page "Diagramm" once, over the game's own record: 2,096 draws of "6 aus 45", 1,354 of
// "6 aus 42".
static void EveryStatisticOfTheRecord(benchmark::State& state) {
    RecordRig rig(gameOf(state));
    for (auto _ : state) {
        countNumberFrequencies(rig.session);
        for (int size : {2, 3, 4}) countNeighbourGroups(rig.session, size);
        countOverdueNumbers(rig.session);
        countDigitSums(rig.session);
        countYearSurface(rig.session);
    }
    state.SetLabel(gameOf(state).name.toStdString());
}
BENCHMARK(EveryStatisticOfTheRecord)->Arg(45)->Arg(42)->Unit(benchmark::kMillisecond);
