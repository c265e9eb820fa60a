#include "generator/TipDistribution.h"
#include "support/SessionEnv.h"

#include <gtest/gtest.h>

namespace {

struct Window : SessionEnv {
    double barSum() const {
        double s = 0;
        for (const auto& p : chart.bars()) s += p.y;
        return s;
    }
};

} // namespace

TEST(TipDistribution, CountsTheGridUpToTheFirstEmptyCell) {
    struct Case {
        const char* what;
        int emptyRow; // -1: none
        int emptyColumn;
        double total;
        double count7; // 7 stands in column 0 of every row
    };
    const Case cases[] = {
        {"ten tips, rows 11 to 14 empty", -1, 0, 60, 10},
        {"an empty cell in row 3 stops the count there", 2, 3, 6 + 6 + 3, 3},
        {"an empty first cell: all bars 0, the axis from 0 to 0", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Window w;
        w.chart.activate(ChartModel::Series::Surface);
        const int lastColumn[10] = {45, 2, 3, 4, 5, 6, 8, 9, 1, 42};
        for (int r = 0; r < 10; ++r) w.grid.writeTip(r, {7, 10 + r, 20 + r, 30 + r, 40, lastColumn[r]});
        if (c.emptyRow >= 0) w.grid.setCellText(c.emptyRow, c.emptyColumn, QString());
        // A complete row after the gap must not count either.
        w.grid.writeTip(12, {1, 2, 3, 4, 5, 6});

        showTipDistribution(w.session);

        EXPECT_EQ(w.chart.active(), ChartModel::Series::Bar) << c.what;
        ASSERT_EQ(w.chart.barCount(), 45) << c.what;
        for (int i = 0; i < 45; ++i) EXPECT_EQ(w.chart.bars()[i].x, i + 1) << c.what;
        EXPECT_EQ(w.barSum(), c.total) << c.what;
        EXPECT_EQ(w.chart.barValue(6), c.count7) << c.what;
        double least = 1e9, greatest = -1;
        for (const auto& p : w.chart.bars()) {
            least = std::min(least, p.y);
            greatest = std::max(greatest, p.y);
        }
        EXPECT_FALSE(w.chart.valueAxis().automatic()) << c.what;
        EXPECT_EQ(w.chart.valueAxis().minimum(), least) << c.what;
        EXPECT_EQ(w.chart.valueAxis().maximum(), greatest) << c.what;
        EXPECT_TRUE(w.chart.bottomAutomatic());
        EXPECT_EQ(w.chart.bottomTitle(), QStringLiteral("Zahlenverteilung des Tippes"));
        EXPECT_EQ(w.ui.pages, QStringList{QStringLiteral("TabSheet5")});
        EXPECT_EQ(w.ui.busyDepth, 0);
        EXPECT_EQ(w.ui.busyMaxDepth, 1);
    }
}
