#include "BenchData.h"

#include "archive/AppState.h"
#include "evaluation/Evaluation.h"
#include "generator/GeneratorOptions.h"
#include "generator/PreferencePool.h"
#include "generator/Session.h"
#include "generator/TipGrid.h"
#include "generator/TipSearch.h"
#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/Ui.h"
#include "stats/DrawFilter.h"

#include <benchmark/benchmark.h>

namespace {

// The window without painting: keeps the latest status text, as the status bar does between repaints.
class UnpaintedUi : public Ui {
public:
    void setStatus(int panel, const QString& text) override { status_[panel & 1] = text; }
    QString status(int panel) const override { return status_[panel & 1]; }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showPage(const QString&) override {}
    void message(const QString&, const QString&) override {}
    void error(const QString&) override {}
    QString inputBox(const QString&, const QString&, const QString& preset) override { return preset; }
    bool question(const QString&, const QString&) override { return false; }
    void beginBusy() override {}
    void endBusy() override {}

private:
    QString status_[2];
};

class NoSound : public Sound {
public:
    void play(const QString&) override {}
};

class NoShell : public Shell {
public:
    void open(const QString&) override {}
};

struct GeneratorWindow {
    BenchArchive data;
    UnpaintedUi ui;
    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    NoSound sound;
    NoShell shell;
    Services services{ui, controls, chart, clock, random, sound, shell};
    AppState state;
    TipGrid grid{controls};
    GeneratorOptions options{controls};
    Session session{services, state, grid, options};
    SessionDrawSteps steps{session};

    explicit GeneratorWindow(int runLimitThousands = 100) {
        state.programDir = data.programDir();
        state.readyFlag = true;
        clock.setToday(QDate(2030, 1, 1));
        DrawFilter::installDefaults(controls);
        options.installDefaults();
        grid.installDefaults();
        controls.setValue(QStringLiteral("UpDown7"), runLimitThousands);
        state.maxCalcRuns = runLimitThousands * 1000;
    }
};

} // namespace

static void PreferencePoolDefault3000(benchmark::State& state) {
    GeneratorWindow w;
    for (auto _ : state) benchmark::DoNotOptimize(buildPreferencePool(w.session));
}
BENCHMARK(PreferencePoolDefault3000)->Unit(benchmark::kMillisecond);

static void CalculateTenTipsDefault3000(benchmark::State& state) {
    GeneratorWindow w;
    for (auto _ : state) calculateTips(w.session, w.steps);
    if (w.ui.status(1) != QStringLiteral("Tipps wurden neu berechnet")) state.SkipWithError("tips not found");
}
BENCHMARK(CalculateTenTipsDefault3000)->Unit(benchmark::kMillisecond);

// 10,000 thousand runs, all used up: no tip can reach a digit sum of 250 .. 279.
static void CalculateExhaustingMaxRuns3000(benchmark::State& state) {
    GeneratorWindow w(10000);
    w.controls.setValue(QStringLiteral("UpDown1"), 250);
    w.controls.setValue(QStringLiteral("UpDown2"), 279);
    for (auto _ : state) calculateTips(w.session, w.steps);
}
BENCHMARK(CalculateExhaustingMaxRuns3000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The archive filter with a match size of 3 rejects almost every candidate that reaches it.
static void CalculateArchiveMatch3MaxRuns3000(benchmark::State& state) {
    GeneratorWindow w(10000);
    w.controls.setValue(QStringLiteral("UpDown6"), 3);
    for (auto _ : state) calculateTips(w.session, w.steps);
}
BENCHMARK(CalculateArchiveMatch3MaxRuns3000)->Unit(benchmark::kMillisecond)->Iterations(1);
