#include "BenchData.h"

#include "evaluation/Evaluation.h"
#include "evaluation/HitBalance.h"
#include "generator/PreferencePool.h"
#include "generator/TipSearch.h"
#include "import/ShippedRecord.h"
#include "stats/DrawFilter.h"
#include "stats/TipWorth.h"

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

// The default calculation of ten tips over each game's own record of the real draws, with the seed fixed;
// the second argument 1 avoids the popular tips ("6 aus 42").
static void CalculateTenTipsDefaultOnTheRecord(benchmark::State& state) {
    const Game& game = Game::byValue(static_cast<int>(state.range(0)));
    GeneratorWindow w;
    const auto model = worth::loadModel(QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + game.popularityModel);
    w.state.popularity = [&model] { return model.get(); };
    w.controls.setChecked(QStringLiteral("CheckBox30"), state.range(1) == 1);
    if (state.range(1) == 1 && !model) state.SkipWithError("no popularity");
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
BENCHMARK(CalculateTenTipsDefaultOnTheRecord)
    ->Args({45, 0})
    ->Args({42, 0})
    ->Args({42, 1})
    ->Unit(benchmark::kMillisecond);

// The share factor of one tip with its standard errors, as the grid shows it beside a row.
static void ShareFactorOfOneTip(benchmark::State& state) {
    const auto model =
        worth::loadModel(QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + Game::sixOf42().popularityModel);
    if (!model) state.SkipWithError("no popularity");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            worth::shownFor(*model, Tip{Numbers{5, 17, 33, 37, 38, 41}, Numbers{1}}, nullptr));
}
BENCHMARK(ShareFactorOfOneTip)->Unit(benchmark::kMicrosecond);

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
