#include "StatsFixture.h"

#include "generator/TipDistribution.h"
#include "generator/TipGrid.h"
#include "stats/Statistics.h"

#include <functional>

namespace {

const QDate Wed(2024, 1, 3);
const QDate Sat(2024, 1, 6);
const QDate Wed2(2024, 1, 10);

} // namespace

// The record of the real draws: every bar chart of counts carries what chance expects of each bar, the
// frequencies the verdict; the points and the value axis stay as the statistic set them.
TEST_F(StatsTest, ChanceBesideEveryCountOfTheShippedRecord) {
    dir.writeArchive(shippedDraws());

    countNumberFrequencies(services, dir.archivePath());
    ASSERT_EQ(chart.expectations().size(), 45);
    for (const auto& e : chart.expectations()) {
        EXPECT_NEAR(e.expected, 2096 * 7.0 / 45, 1e-9);
        EXPECT_EQ(e.low, 294);
        EXPECT_EQ(e.high, 359);
    }
    EXPECT_EQ(chart.verdict(), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));
    EXPECT_EQ(chart.drawCount(), 2096);
    // The axis the generator reads back runs from the rarest (16: 299) to the most frequent (18: 369).
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(chart.valueAxis().minimum(), 299);
    EXPECT_EQ(chart.valueAxis().maximum(), 369);
    EXPECT_EQ(chart.barValue(15), 299);
    EXPECT_EQ(chart.barValue(17), 369);

    struct Group {
        int size;
        int bars;
        double expected;
        double high;
    };
    for (const Group& g : {Group{2, 44, 2096 * 30.0 / 1980, 43}, Group{3, 43, 2096 * 120.0 / 85140, 7},
                           Group{4, 45, 2096 * 360.0 / 3575880, 1}}) {
        countNeighbourGroups(services, dir.archivePath(), g.size);
        ASSERT_EQ(chart.expectations().size(), g.bars) << g.size;
        const auto& first = chart.expectations().front();
        EXPECT_NEAR(first.expected, g.expected, 1e-9) << g.size;
        EXPECT_EQ(first.low, g.size == 2 ? 21 : 0) << g.size;
        EXPECT_EQ(first.high, g.high) << g.size;
        EXPECT_TRUE(chart.verdict().isEmpty());
    }
    // Quadruples from 43 on would need 46: chance never gives them.
    EXPECT_EQ(chart.expectations()[41].expected, chart.expectations()[0].expected);
    for (int i : {42, 43, 44}) {
        EXPECT_EQ(chart.expectations()[i].expected, 0) << i;
        EXPECT_EQ(chart.expectations()[i].high, 0) << i;
    }
    EXPECT_TRUE(chart.valueAxis().automatic());

    countOverdueNumbers(services, dir.archivePath());
    ASSERT_EQ(chart.expectations().size(), 45);
    EXPECT_NEAR(chart.expectations()[0].expected, 1 + 38.0 / 7, 1e-9);
    EXPECT_EQ(chart.expectations()[0].low, 1);
    EXPECT_EQ(chart.expectations()[0].high, 22);

    // Digit sums: 47 .. 227 occur; 138 is expected 27.2 times (18 .. 38), 47 0.18 times (0 .. 1).
    countDigitSums(services, dir.archivePath());
    ASSERT_EQ(chart.barCount(), 227 - 47 + 1);
    ASSERT_EQ(chart.expectations().size(), chart.barCount());
    const auto& at138 = chart.expectations()[138 - 47];
    EXPECT_NEAR(at138.expected, 2096 * 105690.0 / 8145060, 1e-6);
    EXPECT_EQ(at138.low, 18);
    EXPECT_EQ(at138.high, 38);
    const auto& at47 = chart.expectations()[0];
    EXPECT_NEAR(at47.expected, 0.18245, 1e-5);
    EXPECT_EQ(at47.low, 0);
    EXPECT_EQ(at47.high, 1);

    // Super numbers and the year surface: chance has nothing to say there.
    countSuperNumbers(services, dir.archivePath());
    EXPECT_TRUE(chart.expectations().isEmpty());
    countYearSurface(services, dir.archivePath());
    EXPECT_FALSE(chart.showsChance());
}

// SpeedButton2 writes the verdict into the second status panel while the switch is on; the counting that
// start-up and the generator call writes nothing there.
TEST_F(StatsTest, TheVerdictGoesToTheStatusBarOnlyFromTheButton) {
    dir.writeArchive(shippedDraws());
    ui.setStatus(1, QStringLiteral("Datenbank: ZahlenCH.dat"));
    countNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(ui.status(1), QStringLiteral("Datenbank: ZahlenCH.dat"));

    showNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(ui.status(1), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));
    EXPECT_EQ(chart.chartToolTip(), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));

    chart.setChanceShown(false);
    ui.setStatus(1, QString());
    showNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(ui.status(1), QString());
    EXPECT_EQ(chart.chartToolTip(), QString());
    chart.setChanceShown(true);

    // 99 draws are too few to say anything; 100 are enough.
    auto draws = shippedDraws();
    draws.resize(99);
    dir.writeArchive(draws);
    showNumberFrequencies(services, dir.archivePath());
    EXPECT_EQ(ui.status(1), QStringLiteral("Zufallstest: zu wenige Ziehungen"));
    draws = shippedDraws();
    draws.resize(100);
    dir.writeArchive(draws);
    showNumberFrequencies(services, dir.archivePath());
    EXPECT_TRUE(ui.status(1).startsWith(QStringLiteral("Zufallstest: unauffällig (p = ")))
        << ui.status(1).toStdString();
}

// What a user reads under the mouse, for one bar of every chart kind, written out in full: the shipped
// record with chance shown, then small archives for the singulars and the overdue texts.
TEST_F(StatsTest, EveryChartKindTellsItsBarInFull) {
    dir.writeArchive(shippedDraws());
    TipGrid grid(controls);
    grid.writeTip(0, {1, 2, 3, 4, 5, 6});
    grid.writeTip(1, {3, 10, 20, 30, 40, 45});
    const QString path = dir.archivePath();
    const struct {
        const char* what;
        std::function<void()> chartOf;
        int bar;
        const char* text;
    } rows[] = {
        {"most frequent", [&] { countNumberFrequencies(services, path); }, 17,
         "Zahl 18: 369-mal gezogen, erwartet 326 (95 %: 294 bis 359)"},
        {"rarest", [&] { countNumberFrequencies(services, path); }, 15,
         "Zahl 16: 299-mal gezogen, erwartet 326 (95 %: 294 bis 359)"},
        {"pair", [&] { countNeighbourGroups(services, path, 2); }, 1,
         "Paar 2 und 3: 48 Ziehungen, erwartet 32 (95 %: 21 bis 43)"},
        {"triple", [&] { countNeighbourGroups(services, path, 3); }, 0,
         "Dreier 1 bis 3: 7 Ziehungen, erwartet 3.0 (95 %: 0 bis 7)"},
        {"triple once", [&] { countNeighbourGroups(services, path, 3); }, 3,
         "Dreier 4 bis 6: 1 Ziehung, erwartet 3.0 (95 %: 0 bis 7)"},
        {"quadruple once", [&] { countNeighbourGroups(services, path, 4); }, 4,
         "Vierer 5 bis 8: 1 Ziehung, erwartet 0.2 (95 %: 0 bis 1)"},
        {"quadruple never", [&] { countNeighbourGroups(services, path, 4); }, 0,
         "Vierer 1 bis 4: 0 Ziehungen, erwartet 0.2 (95 %: 0 bis 1)"},
        {"no quadruple from 43", [&] { countNeighbourGroups(services, path, 4); }, 42,
         "Kein Vierer ab 43: die Zahlen enden bei 45"},
        {"no quadruple from 45", [&] { countNeighbourGroups(services, path, 4); }, 44,
         "Kein Vierer ab 45: die Zahlen enden bei 45"},
        {"overdue longest", [&] { countOverdueNumbers(services, path); }, 17,
         "Zahl 18: seit 41 Ziehungen nicht gezogen, erwartet 5.4 (95 %: 0 bis 21)"},
        {"overdue one draw", [&] { countOverdueNumbers(services, path); }, 2,
         "Zahl 3: seit 1 Ziehung nicht gezogen, erwartet 5.4 (95 %: 0 bis 21)"},
        {"in the newest draw", [&] { countOverdueNumbers(services, path); }, 1,
         "Zahl 2: in der neuesten Ziehung gezogen"},
        {"ZZ of the newest draw", [&] { countOverdueNumbers(services, path); }, 28,
         "Zahl 29: in der neuesten Ziehung gezogen"},
        {"digit sum", [&] { countDigitSums(services, path); }, 138 - 47,
         "Quersumme 138: 29 Ziehungen, erwartet 27 (95 %: 18 bis 38)"},
        {"rare digit sum", [&] { countDigitSums(services, path); }, 0,
         "Quersumme 47: 1 Ziehung, erwartet 0.2 (95 %: 0 bis 1)"},
        {"super number", [&] { countSuperNumbers(services, path); }, 0, "Superzahl 0: 1596 Ziehungen"},
        {"super number never", [&] { countSuperNumbers(services, path); }, 1, "Superzahl 1: 0 Ziehungen"},
        {"tips", [&] { showTipDistribution(services, grid); }, 2, "Zahl 3: 2-mal in den Tipps"},
        {"tips once", [&] { showTipDistribution(services, grid); }, 44, "Zahl 45: 1-mal in den Tipps"},
    };
    for (const auto& row : rows) {
        row.chartOf();
        EXPECT_EQ(chart.barToolTip(row.bar), QString::fromUtf8(row.text)) << row.what;
    }

    // The year surface: the row of 1990 (position 5) and number 7, drawn 6 times that year.
    countYearSurface(services, path);
    EXPECT_EQ(chart.surfaceToolTip(5, 7), QStringLiteral("1990, Zahl 7: 6-mal"));
    EXPECT_EQ(chart.surfaceToolTip(0, 7), QString());

    // With the switch off the texts say only what was counted.
    chart.setChanceShown(false);
    countNumberFrequencies(services, path);
    EXPECT_EQ(chart.barToolTip(17), QStringLiteral("Zahl 18: 369-mal gezogen"));
    countOverdueNumbers(services, path);
    EXPECT_EQ(chart.barToolTip(17), QStringLiteral("Zahl 18: seit 41 Ziehungen nicht gezogen"));
    chart.setChanceShown(true);

    // Three draws: counts of one, and a band that is a single value.
    dir.writeArchive({makeDraw(Wed, {3, 4, 10, 20, 30, 40}, 45, 2), makeDraw(Sat, {1, 2, 3, 4, 5, 11}, 17, 5),
                      makeDraw(Wed2, {6, 7, 8, 9, 41, 42}, 43, 7)});
    const struct {
        const char* what;
        std::function<void()> chartOf;
        int bar;
        const char* text;
    } small[] = {
        {"pair twice", [&] { countNeighbourGroups(services, path, 2); }, 2,
         "Paar 3 und 4: 2 Ziehungen, erwartet unter 0.1 (95 %: 0 bis 1)"},
        {"pair once", [&] { countNeighbourGroups(services, path, 2); }, 0,
         "Paar 1 und 2: 1 Ziehung, erwartet unter 0.1 (95 %: 0 bis 1)"},
        {"digit sum once", [&] { countDigitSums(services, path); }, 0,
         "Quersumme 26: 1 Ziehung, erwartet unter 0.1 (95 %: 0)"},
        {"super number once", [&] { countSuperNumbers(services, path); }, 2, "Superzahl 2: 1 Ziehung"},
        {"overdue since one", [&] { countOverdueNumbers(services, path); }, 0,
         "Zahl 1: seit 1 Ziehung nicht gezogen, erwartet 2.2 (95 %: 0 bis 3)"},
        {"overdue never", [&] { countOverdueNumbers(services, path); }, 43,
         "Zahl 44: seit 3 Ziehungen nicht gezogen, erwartet 2.2 (95 %: 0 bis 3)"},
        {"overdue newest", [&] { countOverdueNumbers(services, path); }, 42,
         "Zahl 43: in der neuesten Ziehung gezogen"},
        {"once", [&] { countNumberFrequencies(services, path); }, 10,
         "Zahl 11: 1-mal gezogen, erwartet 0.5 (95 %: 0 bis 2)"},
    };
    for (const auto& row : small) {
        row.chartOf();
        EXPECT_EQ(chart.barToolTip(row.bar), QString::fromUtf8(row.text)) << row.what;
    }

    // No draw selected: the overdue bars of 1 say so instead of naming a newest draw.
    selectWeekdays(false, false);
    countOverdueNumbers(services, path);
    EXPECT_EQ(chart.barToolTip(16), QStringLiteral("Zahl 17: keine Ziehung gewählt"));
}
