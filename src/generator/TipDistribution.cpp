#include "generator/TipDistribution.h"

#include "archive/DrawRecord.h"
#include "generator/TipGrid.h"
#include "platform/ChartModel.h"
#include "platform/Services.h"
#include "platform/Ui.h"

#include <algorithm>

void showTipDistribution(Services& services, const TipGrid& grid) {
    BusyCursor busy(services.ui);
    CountTable<46> counts;
    ChartModel& chart = services.chart;
    chart.activate(ChartModel::Series::Bar);
    chart.clear(ChartModel::Series::Bar);

    [&] {
        for (int row = 0; row < TipGrid::Rows; ++row)
            for (int column = 0; column < TipGrid::Columns; ++column) {
                const auto v = grid.cell(row, column);
                if (!v) return;
                counts.add(*v);
            }
    }();

    qint32 smallest = counts[1];
    qint32 largest = counts[1];
    for (int n = 1; n <= 45; ++n) {
        smallest = std::min(smallest, counts[n]);
        largest = std::max(largest, counts[n]);
        chart.addBar(n, counts[n]);
    }
    chart.fitValueAxis(smallest, largest);
    chart.setBottomAutomatic(true);
    chart.setMeaning(ChartModel::Meaning::TipDistribution);
    chart.setBottomTitle(QStringLiteral("Zahlenverteilung des Tippes"));
    services.ui.showPage(QStringLiteral("TabSheet5"));
}
