#include "BenchData.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "archive/DrawArchive.h"
#include "platform/Dates.h"
#include "slips/SlipBook.h"
#include "slips/SlipStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

namespace {

constexpr int SlipCount = 200;
constexpr int TipsPerSlip = 10;

// The record of 6 aus 42 and a player's 200 slips of 10 tips, each over the 52 newest draws of the record,
// all checked once: what the store holds after years of play.
struct SlipRig : RecordRig {
    std::unique_ptr<SlipStore> store;
    QDate newest;
    QString copy; // the store before its first check

    SlipRig() : RecordRig(Game::sixOf42()) {
        const std::vector<Draw> draws = DrawArchive(state.programDir, *state.game).scan();
        newest = dates::fromDayNumber(draws.back().date);
        std::mt19937 gen(2026);
        store = std::make_unique<SlipStore>(state.programDir);
        for (int i = 0; i < SlipCount; ++i) {
            Slip slip;
            slip.game = state.game;
            slip.firstDraw = dates::fromDayNumber(draws[draws.size() - Slip::MaxDraws].date);
            slip.draws = Slip::MaxDraws;
            slip.tipPriceCents = state.game->tipPriceCents;
            for (int t = 0; t < TipsPerSlip; ++t) {
                std::vector<int> pool(42);
                for (int n = 0; n < 42; ++n) pool[std::size_t(n)] = n + 1;
                std::shuffle(pool.begin(), pool.end(), gen);
                Tip tip{pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]};
                tip.extras = {int(gen() % 6) + 1};
                slip.tips.push_back(tip.sorted());
            }
            store->add(slip);
        }
        copy = state.programDir + QStringLiteral("Scheine-vorher.sqlite");
        store.reset();
        QFile::copy(state.programDir + QLatin1String(SlipStore::FileName), copy);
        store = std::make_unique<SlipStore>(state.programDir);
        slips::checkSlips(session, *store);
    }
};

} // namespace

// Checking the slips after the draws changed: every one of the 10,400 draws of the slips new (the first
// check), the newest draw new for all 200 (an update), nothing new (any other change of the archive).
static void CheckSlips200(benchmark::State& state) {
    SlipRig rig;
    const QString path = rig.state.programDir + QLatin1String(SlipStore::FileName);
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 0) {
            rig.store.reset();
            QFile::remove(path);
            QFile::copy(rig.copy, path);
            rig.store = std::make_unique<SlipStore>(rig.state.programDir);
            rig.store->verify();
        } else if (state.range(0) == 1) {
            std::vector<SlipStore::Seen> earlier;
            for (const Slip& slip : rig.store->slips(*rig.state.game))
                earlier.push_back({slip.id, rig.newest, QStringLiteral("vorher"), {}});
            rig.store->markSeen(earlier);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(slips::checkSlips(rig.session, *rig.store));
    }
    state.SetLabel(state.range(0) == 0   ? "alle Ziehungen neu"
                   : state.range(0) == 1 ? "neueste Ziehung neu"
                                         : "nichts neu");
}
BENCHMARK(CheckSlips200)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Page "Meine Scheine" coming up in the window with the 200 slips: their table, the hits of the first, the
// totals.
static void OpenSlipPage200(benchmark::State& state) {
    SlipRig rig;
    rig.store.reset();
    const QString settings = rig.state.programDir + QStringLiteral("settings.ini");
    QSettings(settings, QSettings::IniFormat).setValue(QStringLiteral("Spiel"), 42);
    AppContext context(rig.state.programDir, settings);
    context.dialogs = std::make_unique<YesDialogs>();
    context.sound = std::make_unique<NoSound>();
    MainWindow window(context);
    window.startUp();
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* page = window.findChild<QWidget*>(QStringLiteral("TabSheet7"));
    for (auto _ : state) {
        pages->setCurrentIndex(0);
        pages->setCurrentWidget(page);
    }
    if (window.findChild<QTableWidget*>(QStringLiteral("ScheinGrid"))->rowCount() != SlipCount)
        state.SkipWithError("the page does not show the slips");
}
BENCHMARK(OpenSlipPage200)->Unit(benchmark::kMillisecond);
