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

// What chance expects is view information beside the meaning: it never changes the values or the axis the
// generator reads back, the switch only decides whether it is shown, and emptied bars forget it.
TEST(ChartModel, ExpectationsLeaveValuesAndAxisAlone) {
    ChartModel chart;
    chart.activate(ChartModel::Series::Bar);
    for (int x = 1; x <= 3; ++x) chart.addBar(x, 10 * x);
    chart.fitValueAxis(10, 30);
    chart.setMeaning(ChartModel::Meaning::NumberFrequencies);
    // The texts as the statistic words them, one bar more than the expectations cover.
    QVector<ChartModel::BarText> texts;
    for (int x = 1; x <= 4; ++x)
        texts.push_back({QStringLiteral("Zahl %1: %2-mal gezogen").arg(x).arg(10 * x),
                         QStringLiteral(", erwartet 50 (95 %: 5 bis 90)")});
    chart.setBarTexts(texts);
    QSignalSpy changes(&chart, &ChartModel::changed);
    chart.setExpectations(QVector<ChartModel::Expectation>(3, {50.0, 5.0, 90.0}));
    chart.setVerdict(QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(chart.valueAxis().minimum(), 10);
    EXPECT_EQ(chart.valueAxis().maximum(), 30);
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(chart.barValue(2), 30);
    EXPECT_TRUE(chart.showsChance());
    EXPECT_EQ(chart.barToolTip(0), QStringLiteral("Zahl 1: 10-mal gezogen, erwartet 50 (95 %: 5 bis 90)"));
    EXPECT_EQ(chart.chartToolTip(), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));

    chart.setChanceShown(false);
    chart.setChanceShown(false); // no change, no signal
    EXPECT_EQ(changes.count(), 3);
    EXPECT_FALSE(chart.showsChance());
    EXPECT_EQ(chart.barToolTip(0), QStringLiteral("Zahl 1: 10-mal gezogen"));
    EXPECT_EQ(chart.chartToolTip(), QString());
    chart.setChanceShown(true);

    // An expectation that does not cover every bar is not drawn.
    chart.addBar(4, 40);
    EXPECT_FALSE(chart.showsChance());
    EXPECT_EQ(chart.barToolTip(3), QStringLiteral("Zahl 4: 40-mal gezogen"));

    chart.clear(ChartModel::Series::Bar);
    EXPECT_TRUE(chart.expectations().isEmpty());
    EXPECT_TRUE(chart.verdict().isEmpty());
    EXPECT_EQ(chart.drawCount(), -1);
    EXPECT_TRUE(chart.chanceShown()); // the switch is the user's, not the bars'
}
