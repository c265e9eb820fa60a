#include "BenchData.h"

#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/Ui.h"
#include "stats/DrawFilter.h"
#include "stats/Statistics.h"

#include <benchmark/benchmark.h>

namespace {

// A window that shows nothing: the timings are those of the counting and the chart model.
class BenchUi : public Ui {
public:
    void setStatus(int, const QString&) override {}
    QString status(int) const override { return {}; }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showPage(const QString&) override {}
    void message(const QString&, const QString&) override {}
    void error(const QString&) override {}
    QString inputBox(const QString&, const QString&, const QString& preset) override { return preset; }
    bool question(const QString&, const QString&) override { return false; }
    void beginBusy() override {}
    void endBusy() override {}
};
class BenchSound : public Sound {
public:
    void play(const QString&) override {}
};
class BenchShell : public Shell {
public:
    void open(const QString&) override {}
};

struct StatsRig {
    BenchArchive data;
    BenchUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    BenchSound sound;
    BenchShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
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
