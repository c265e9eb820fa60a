#include "stats/ChartPlan.h"

#include "stats/BarTexts.h"

#include "platform/Services.h"
#include "platform/Ui.h"

#include <algorithm>

void drawChart(Services& services, const ChartPlan& plan) {
    ChartModel& chart = services.chart;
    // The verdict of the chart before says nothing of this one: it leaves the status bar with it.
    if (!chart.verdict().isEmpty() && services.ui.status(1) == chart.verdict())
        services.ui.setStatus(1, QString());
    const bool bars = plan.series == ChartModel::Series::Bar;
    chart.activate(plan.series);
    chart.clear(plan.series);
    for (const auto& p : plan.points) {
        if (bars)
            chart.addBar(p.x, p.y);
        else
            chart.addSurface(p.x, p.y, p.z);
    }
    if (!bars) chart.setSurfaceYears(plan.surfaceYears);

    if (plan.valueAxis == ChartPlan::ValueAxis::Fitted) {
        // From the first point on, as the statistics keep their least and greatest count.
        double smallest = plan.points.isEmpty() ? 0 : plan.points.front().y;
        double largest = smallest;
        for (const auto& p : plan.points) {
            smallest = std::min(smallest, p.y);
            largest = std::max(largest, p.y);
        }
        chart.fitValueAxis(smallest, largest, plan.fitStart);
    } else {
        chart.setValueAutomatic(true);
    }
    chart.setBottomAutomatic(true);

    chart.setMeaning(plan.meaning);
    if (bars) {
        chart.setDrawCount(plan.draws);
        chart.setBarTexts(barTextsOf(plan));
        chart.setBandName(legendBandNameOf(plan.meaning, plan.expectation, plan.game));
        chart.setVerdictDetail(plan.verdictDetail);
        chart.setExpectations(plan.expectation);
        chart.setVerdict(plan.verdict);
    }
    chart.setBottomTitle(plan.caption);
    if (plan.showDiagram) services.ui.showPage(QStringLiteral("TabSheet5"));
}
