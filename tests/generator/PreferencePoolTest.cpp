#include "generator/PreferencePool.h"
#include "GeneratorEnv.h"
#include "platform/Dates.h"

#include <gtest/gtest.h>

using namespace gentest;

namespace {

QStringList announcements(const FakeUi& ui) {
    return ui.statusHistory[1].filter(QStringLiteral("Berechnung der "));
}
QStringList windowTexts(const FakeUi& ui) {
    return ui.statusHistory[1].filter(QStringLiteral("Min: "));
}
std::vector<int> preferred(const PreferencePool& pool) {
    return {pool.entries.begin(), pool.entries.begin() + pool.count};
}

void setBars(ChartModel& chart, const std::vector<double>& values, bool fitted = true) {
    chart.activate(ChartModel::Series::Bar);
    chart.clear(ChartModel::Series::Bar);
    for (std::size_t i = 0; i < values.size(); ++i) chart.addBar(static_cast<double>(i + 1), values[i]);
    if (fitted)
        chart.fitValueAxis(*std::min_element(values.begin(), values.end()),
                           *std::max_element(values.begin(), values.end()));
    else
        chart.setValueAutomatic(true);
}

} // namespace

TEST(PreferencePool, WithoutPreferencesTheDrawRangeIsTheCycle) {
    GeneratorEnv env; // no archive: no statistic may run
    env.noPreferences();
    const PreferencePool pool = buildPreferencePool(env.session);
    EXPECT_EQ(pool.count, 0);
    EXPECT_EQ(pool.poolSize, 500);
    ASSERT_EQ(pool.entries.size(), 501u);
    for (int i = 0; i <= 500; ++i) ASSERT_EQ(pool.entry(i), i % 45 + 1) << i;
    for (int n = 1; n <= 45; ++n) EXPECT_EQ(pool.occurrences(n), n <= 5 ? 12 : 11) << n;
    EXPECT_TRUE(announcements(env.ui).isEmpty());
    EXPECT_TRUE(env.ui.pages.isEmpty());
}

TEST(PreferencePool, EachStatisticRunsOnceAndOnlyWhenItsStepNeedsIt) {
    struct Case {
        std::vector<int> boxes; // preference boxes checked; the others off
        QStringList computed;   // the announcements, in order
        int examinations;       // "Min: .. Max: .." texts
    };
    const QString overdue = QStringLiteral("Berechnung der Überfälligen");
    const QString pairs = QStringLiteral("Berechnung der Paarbildung");
    const QString triples = QStringLiteral("Berechnung der Dreiergruppenbildung");
    const QString quads = QStringLiteral("Berechnung der Vierergruppenbildung");
    const QString freq = QStringLiteral("Berechnung der Zahlenverteilung");
    const Case cases[] = {
        {{1, 2, 6, 7, 10}, {overdue, pairs, triples, quads, freq}, 8}, // the defaults
        {{1, 11}, {overdue, pairs}, 3},                                // pairs computed once, read twice
        {{11}, {pairs}, 1},                                            // step C computes, A does not run
        {{6, 12}, {triples}, 2},
        {{12}, {triples}, 1},
        {{7, 13}, {quads}, 2},
        {{13}, {quads}, 1},
        {{2, 10}, {freq}, 4},
        {{10}, {freq}, 2},
        {{14}, {}, 0}, // CheckBox14 is shown and stored only
    };
    for (const Case& c : cases) {
        GeneratorEnv env;
        env.dir.writeArchive(generatedDraws(QDate(2001, 1, 3), 120, 7));
        env.noPreferences();
        env.check(14, false);
        for (int box : c.boxes) env.check(box, true);
        buildPreferencePool(env.session);
        const QString label = QStringLiteral("boxes %1").arg(c.boxes.front());
        EXPECT_EQ(announcements(env.ui), c.computed) << label.toStdString();
        EXPECT_EQ(windowTexts(env.ui).size(), c.examinations) << label.toStdString();
        EXPECT_EQ(env.ui.busyDepth, 0);
        if (!c.computed.isEmpty()) {
            EXPECT_EQ(env.ui.pages.last(), QStringLiteral("TabSheet5"));
        }
    }
}

// The pool content against counts the test makes from the records itself.
TEST(PreferencePool, StepsAddTheNumbersOfTheBarsInTheirWindows) {
    const auto records = generatedDraws(QDate(2001, 1, 3), 200, 11);
    std::array<int, 46> freq{};
    std::array<int, 46> pair{};
    for (const auto& r : records) {
        for (int n : sevenOf(r)) ++freq[static_cast<std::size_t>(n)];
        const auto six = sixOf(r);
        for (int n = 1; n <= 44; ++n)
            if (commonNumbers(TipNumbers{n, n + 1, 0, 0, 0, 0}, six) == 2)
                ++pair[static_cast<std::size_t>(n)];
    }
    auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    auto range = [](const std::array<int, 46>& t, int last) {
        return std::pair{*std::min_element(t.begin() + 1, t.begin() + last + 1),
                         *std::max_element(t.begin() + 1, t.begin() + last + 1)};
    };

    // Rarest pairs alone (step C): 0 < count <= Bottom + 0.3 span, pairs starting at 1 .. 43.
    {
        GeneratorEnv env;
        env.dir.writeArchive(records);
        env.noPreferences();
        env.check(11, true);
        const PreferencePool pool = buildPreferencePool(env.session);
        const auto [bottom, top] = range(pair, 44);
        const int max = round(bottom + (top - bottom) * 0.3);
        std::vector<int> expected;
        for (int n = 1; n <= 43; ++n)
            if (pair[static_cast<std::size_t>(n)] > 0 && pair[static_cast<std::size_t>(n)] <= max)
                expected.insert(expected.end(), {n, n + 1});
        EXPECT_EQ(preferred(pool), expected);
        EXPECT_EQ(windowTexts(env.ui), QStringList{QStringLiteral("Min: 0  Max: %1  0").arg(max)});
    }
    // Frequent numbers (H-1 twice, H-2 once) and rare numbers read from the same chart (I-1, I-2).
    {
        GeneratorEnv env;
        env.dir.writeArchive(records);
        env.noPreferences();
        env.check(2, true);
        env.check(10, true);
        const PreferencePool pool = buildPreferencePool(env.session);
        const auto [bottom, top] = range(freq, 45);
        const double span = top - bottom;
        auto window = [&](int min, int max, int times) {
            std::vector<int> entries;
            for (int n = 1; n <= 45; ++n)
                if (freq[static_cast<std::size_t>(n)] >= min && freq[static_cast<std::size_t>(n)] <= max)
                    for (int t = 0; t < times; ++t) entries.push_back(n);
            return entries;
        };
        const int h1Min = round(top - span * 0.2), h2Min = round(top - span * 0.3);
        const int i1Max = round(bottom + span * 0.1), i2Max = round(bottom + span * 0.3);
        std::vector<int> expected;
        std::vector<std::size_t> countBefore;
        for (const auto& part :
             {window(h1Min, top, 2), window(h2Min, top, 1), window(0, i1Max, 2), window(0, i2Max, 1)}) {
            countBefore.push_back(expected.size());
            expected.insert(expected.end(), part.begin(), part.end());
        }
        EXPECT_EQ(preferred(pool), expected);
        // I-1 has one blank before "Max"; each text reports the count the steps before it left.
        const QStringList texts{
            QStringLiteral("Min: %1  Max: %2  %3").arg(h1Min).arg(top).arg(countBefore[0]),
            QStringLiteral("Min: %1  Max: %2  %3").arg(h2Min).arg(top).arg(countBefore[1]),
            QStringLiteral("Min: 0 Max: %1  %2").arg(i1Max).arg(countBefore[2]),
            QStringLiteral("Min: 0  Max: %1  %2").arg(i2Max).arg(countBefore[3])};
        EXPECT_EQ(windowTexts(env.ui), texts);
        EXPECT_EQ(pool.poolSize, 500);
    }
}

TEST(PreferencePool, WindowsRoundHalvesToEvenAndTestStrictOrInclusive) {
    struct Case {
        PoolStep step;
        std::vector<double> bars;
        bool fitted;
        QString status;
        std::vector<int> entries;
    };
    const Case cases[] = {
        // Top 30, Bottom 2: Min = round(30 - 28 * 0.5) = 16.
        {PoolStep::A, {30, 2, 16, 17}, true, QStringLiteral("Min: 16  Max: 30  0"), {1, 1, 4, 4}},
        // 5 - 2.5 is 2.5, which rounds to 2: the bar at 3 qualifies, the bar at 2 not (strict).
        {PoolStep::A, {5, 0, 2, 3}, true, QStringLiteral("Min: 2  Max: 5  0"), {1, 1, 4, 4}},
        // Inclusive: 10 - 2 = 8 qualifies in H-1.
        {PoolStep::H1, {10, 0, 8, 7}, true, QStringLiteral("Min: 8  Max: 10  0"), {1, 1, 3, 3}},
        // Pairs: the last bar is not examined; a bar j adds j+1, j+2.
        {PoolStep::B, {0, 9, 9, 9}, true, QStringLiteral("Min: 6  Max: 9  0"), {2, 3, 3, 4}},
        // Rarest quadruples on an automatic axis: one blank before "Max", strict 0 leaves out empty bars,
        // the last three bars are not examined. Max = round(0 + 10 * 0.3) = 3.
        {PoolStep::G,
         {0, 3, 4, 1, 10, 1, 1},
         false,
         QStringLiteral("Min: 0 Max: 3  0"),
         {2, 3, 4, 5, 4, 5, 6, 7}},
        // I-1: Max = round(0.9) = 1; the inclusive bound 0 keeps a number never drawn.
        {PoolStep::I1, {1, 9, 0, 3}, true, QStringLiteral("Min: 0 Max: 1  0"), {1, 1, 3, 3}},
        // I-2: Max = round(1 + 5 * 0.3) = round(2.5) = 2.
        {PoolStep::I2, {1, 6, 2, 3}, true, QStringLiteral("Min: 0  Max: 2  0"), {1, 3}},
        // Triples: the last bar examined (here bar 2) still counts, the two after it are never looked at.
        {PoolStep::D, {0, 0, 9, 9, 9}, true, QStringLiteral("Min: 6  Max: 9  0"), {3, 4, 5}},
        // Equal bars (an empty selection): strict windows admit nothing, inclusive ones every bar.
        {PoolStep::D, {0, 0, 0, 0}, true, QStringLiteral("Min: 0  Max: 0  0"), {}},
        {PoolStep::I2, {0, 0, 0}, true, QStringLiteral("Min: 0  Max: 0  0"), {1, 2, 3}},
    };
    for (const Case& c : cases) {
        ChartModel chart;
        FakeUi ui;
        setBars(chart, c.bars, c.fitted);
        PreferencePool pool;
        examinePoolStep(c.step, chart, ui, pool);
        EXPECT_EQ(ui.statusTexts[1], c.status);
        EXPECT_EQ(preferred(pool), c.entries) << c.status.toStdString();
        EXPECT_EQ(ui.statusRepaints, 1);
    }
}

TEST(PreferencePool, AnEmptySelectionGivesEveryNumberThreeEntriesFromEachFrequencyStep) {
    GeneratorEnv env;
    env.dir.writeArchive(generatedDraws(QDate(2001, 1, 3), 50, 3));
    env.check(16, false);
    env.check(17, false);
    const PreferencePool pool = buildPreferencePool(env.session);
    ASSERT_EQ(pool.count, 45 * 6);
    std::vector<int> expected;
    for (int times : {2, 1, 2, 1})
        for (int n = 1; n <= 45; ++n)
            for (int t = 0; t < times; ++t) expected.push_back(n);
    EXPECT_EQ(preferred(pool), expected);
    EXPECT_EQ(pool.poolSize, 500);
    EXPECT_EQ(pool.entry(270), 1); // the cycle starts at 1 behind the preferred entries
}

TEST(PreferencePool, CompletionKeepsTheClassicPoolUpTo501EntriesAndGrowsBeyond) {
    struct Case {
        int count;
        bool preferredOnly;
        int poolSize;
        int entry500; // what index 500 holds afterwards (7 = preferred)
    };
    const Case cases[] = {
        {0, true, 0, 0},      {12, true, 12, 0},     {12, false, 500, (500 - 12) % 45 + 1},
        {500, false, 500, 1}, {501, false, 500, 7},  {501, true, 501, 7},
        {700, false, 700, 7}, {1114, true, 1114, 7},
    };
    for (const Case& c : cases) {
        PreferencePool pool;
        for (int i = 0; i < c.count; ++i) pool.add(7);
        completePool(pool, c.preferredOnly, Game::sixOf45());
        EXPECT_EQ(pool.count, c.count);
        EXPECT_EQ(pool.poolSize, c.poolSize) << c.count;
        EXPECT_EQ(pool.entry(500), c.entry500) << c.count;
        ASSERT_GE(static_cast<int>(pool.entries.size()), std::max(c.count, 501));
        for (int i = 0; i < pool.poolSize; ++i) ASSERT_GT(pool.entry(i), 0) << c.count << " at " << i;
    }
}

TEST(PreferencePool, PreferredOnlyWithNothingPreferredIsEmpty) {
    GeneratorEnv env;
    env.noPreferences();
    env.check(15, true);
    const PreferencePool pool = buildPreferencePool(env.session);
    EXPECT_EQ(pool.count, 0);
    EXPECT_EQ(pool.poolSize, 0);
}

TEST(PreferencePool, CheckBox14DoesNotChangeThePool) {
    std::vector<int> pools[2];
    for (bool on : {false, true}) {
        GeneratorEnv env;
        env.dir.writeArchive(generatedDraws(QDate(2001, 1, 3), 150, 5));
        env.check(11, true);
        env.check(12, true);
        env.check(13, true);
        env.check(14, on);
        const PreferencePool pool = buildPreferencePool(env.session);
        pools[on] = {pool.entries.begin(), pool.entries.begin() + pool.poolSize};
    }
    EXPECT_EQ(pools[0], pools[1]);
    EXPECT_FALSE(pools[0].empty());
}
