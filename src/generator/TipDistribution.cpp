#include "generator/TipDistribution.h"

#include "platform/ChartModel.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "state/TipGrid.h"
#include "stats/ChartPlan.h"
#include "stats/CountTable.h"

void showTipDistribution(Session& session) {
    Services& services = session.services;
    const TipGrid& grid = session.grid;
    const Game& game = session.game();
    BusyCursor busy(services.ui);
    CountTable<64> counts;
    [&] {
        for (int row = 0; row < TipGrid::Rows; ++row)
            for (int column = 0; column < grid.columns(); ++column) {
                const auto v = grid.cell(row, column);
                if (!v) return;
                counts.add(*v);
            }
    }();

    ChartPlan plan;
    plan.game = &game;
    plan.meaning = ChartModel::Meaning::TipDistribution;
    for (int n = 1; n <= game.numbers.highest(); ++n)
        plan.points.push_back({double(n), double(counts[n]), 0});
    plan.caption = QStringLiteral("Zahlenverteilung des Tippes");
    plan.showDiagram = true;
    drawChart(services, plan);
}
