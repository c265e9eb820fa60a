#include "platform/Controls.h"
#include "platform/ChartModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(Controls, FiltersTextsAndSignalsOnlyRealChanges) {
    Controls c;
    QSignalSpy spy(&c, &Controls::changed);
    EXPECT_TRUE(c.enabled(QStringLiteral("Button1")));
    EXPECT_TRUE(c.visible(QStringLiteral("Button1")));
    c.setText(QStringLiteral("Label1"), QStringLiteral("a"));
    c.setText(QStringLiteral("Label1"), QStringLiteral("a"));
    EXPECT_EQ(spy.count(), 1);
    c.setTextFilter(QStringLiteral("Edit1"), [](const QString& t) { return t.toUpper(); });
    c.setText(QStringLiteral("Edit1"), QStringLiteral("ab"));
    EXPECT_EQ(c.text(QStringLiteral("Edit1")), QStringLiteral("AB"));
    c.setVisible(QStringLiteral("SpeedButton8"), false);
    EXPECT_FALSE(c.visible(QStringLiteral("SpeedButton8")));
}

TEST(ChartModel, FittedAndAutomaticAxis) {
    ChartModel chart;
    chart.activate(ChartModel::Series::Bar);
    chart.addBar(1, 5);
    chart.addBar(2, 2);
    chart.addBar(3, 9);
    EXPECT_TRUE(chart.valueAxis().automatic());
    EXPECT_EQ(chart.valueAxis().minimum(), 2);
    EXPECT_EQ(chart.valueAxis().maximum(), 9);
    chart.fitValueAxis(3, 7);
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(chart.valueAxis().minimum(), 3);
    EXPECT_EQ(chart.valueAxis().maximum(), 7);
    EXPECT_EQ(chart.barValue(2), 9);
    EXPECT_EQ(chart.barValue(3), 0);
    chart.clear(ChartModel::Series::Bar);
    EXPECT_EQ(chart.barCount(), 0);
}
