#include "generator/TipDistribution.h"

#include "archive/DrawRecord.h"
#include "generator/TipGrid.h"
#include "platform/ChartModel.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "stats/ChartProtocol.h"

void showTipDistribution(Services& services, const TipGrid& grid) {
    BusyCursor busy(services.ui);
    CountTable<46> counts;
    [&] {
        for (int row = 0; row < TipGrid::Rows; ++row)
            for (int column = 0; column < TipGrid::Columns; ++column) {
                const auto v = grid.cell(row, column);
                if (!v) return;
                counts.add(*v);
            }
    }();

    ChartPlan plan;
    plan.meaning = ChartModel::Meaning::TipDistribution;
    for (int n = 1; n <= 45; ++n) plan.points.push_back({double(n), double(counts[n]), 0});
    plan.caption = QStringLiteral("Zahlenverteilung des Tippes");
    plan.showDiagram = true;
    drawChart(services, plan);
}
