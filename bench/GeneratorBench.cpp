#include "BenchData.h"

#include "evaluation/Evaluation.h"
#include "evaluation/HitBalance.h"
#include "generator/PreferencePool.h"
#include "generator/TipSearch.h"
#include "import/ShippedRecord.h"
#include "stats/DrawFilter.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct GeneratorWindow : BenchSession {
    SessionDrawSteps steps{session};

    explicit GeneratorWindow(int runLimitThousands = 100) {
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

// The default calculation of ten tips over each game's own record of the real draws, with the seed fixed.
static void CalculateTenTipsDefaultOnTheRecord(benchmark::State& state) {
    const Game& game = Game::byValue(static_cast<int>(state.range(0)));
    GeneratorWindow w;
    QTemporaryDir dir;
    w.state.programDir = dir.path() + QLatin1Char('/');
    w.state.game = &game;
    w.grid.applyGame(game);
    w.ui.answerYes = true;
    shippedrecord::offer(w.session, QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + game.shippedRecord);
    for (auto _ : state) {
        w.random.seed(2024);
        calculateTips(w.session, w.steps);
    }
    if (w.ui.status(1) != QStringLiteral("Tipps wurden neu berechnet")) state.SkipWithError("tips not found");
    state.SetLabel(game.name.toStdString());
}
BENCHMARK(CalculateTenTipsDefaultOnTheRecord)->Arg(45)->Arg(42)->Unit(benchmark::kMillisecond);

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

// "Trefferbilanz" of 14 tips over the 3,000 draws, from the read of the archive to the table.
static void HitBalance14Tips3000(benchmark::State& state) {
    GeneratorWindow w;
    for (int row = 0; row < TipGrid::Rows; ++row)
        w.grid.writeTip(row, {1 + row, 5 + row, 12 + row, 20 + row, 25 + row, 31 + row});
    for (auto _ : state) {
        const auto balance = tipHitBalance(w.session);
        if (!balance || balance->tips.size() != 14) state.SkipWithError("no balance of 14 tips");
        benchmark::DoNotOptimize(balance->rows());
    }
}
BENCHMARK(HitBalance14Tips3000)->Unit(benchmark::kMillisecond);
