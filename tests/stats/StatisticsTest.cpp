#include "StatsFixture.h"

#include "generator/TipDistribution.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/Random.h"
#include "state/TipGrid.h"
#include "stats/Chance.h"
#include "stats/Statistics.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <vector>

namespace {

const QDate Wed(2024, 1, 3);
const QDate Fri(2024, 1, 5);
const QDate Sat(2024, 1, 6);
const QDate Wed2(2024, 1, 10);

double sum(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0);
}

// The least and greatest value of an axis or of chance's band, to compare both at once.
using Range = std::pair<double, double>;
Range rangeOf(const ChartModel::ValueAxis& axis) {
    return {axis.minimum(), axis.maximum()};
}
Range bandOf(const ChartModel::Expectation& e) {
    return {e.low, e.high};
}

std::vector<double> oneTo(int last) {
    std::vector<double> v;
    for (int n = 1; n <= last; ++n) v.push_back(n);
    return v;
}

// The binomial quantiles the test's own way: every probability from lgamma on its own, summed in order.
std::pair<int, int> quantilesByLgamma(int n, double p) {
    int low = -1;
    double cdf = 0;
    for (int k = 0; k <= n; ++k) {
        const double logPmf = std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) +
                              k * std::log(p) + (n - k) * std::log(1 - p);
        cdf += std::exp(logPmf);
        if (low < 0 && cdf >= 0.025) low = k;
        if (cdf >= 0.975) return {low, k};
    }
    return {low, n};
}

// Seven distinct numbers out of 1 .. 45 (six and ZZ) from the program's own generator; `forced`, when not
// 0, is one of them, `left out`, when not 0, none of them.
std::array<int, 7> sevenOf(Random& random, int forced = 0, int leftOut = 0) {
    std::array<int, 7> seven{};
    int filled = 0;
    if (forced != 0) seven[filled++] = forced;
    while (filled < 7) {
        const int n = random.random(45) + 1;
        bool taken = n == leftOut;
        for (int i = 0; i < filled; ++i) taken = taken || seven[static_cast<std::size_t>(i)] == n;
        if (!taken) seven[static_cast<std::size_t>(filled++)] = n;
    }
    return seven;
}

} // namespace

TEST_F(StatsTest, FrequencySelectionFollowsTheDrawFilter) {
    // Number 40 stands in every draw; its counter is the number of selected draws.
    const std::vector<Draw> archive = {
        makeDraw(Wed, {1, 2, 3, 4, 5, 40}, 6),
        makeDraw(Fri, {7, 8, 9, 10, 11, 40}, 12),
        makeDraw(Sat, {13, 14, 15, 16, 17, 40}, 18),
        makeDraw(Wed2, {19, 20, 21, 22, 23, 40}, 24),
    };
    dir.writeArchive(archive);
    // clang-format off
    struct Case { const char* what; QDate from; bool saturdays, wednesdays; int draws; };
    const Case cases[] = {
        {"both boxes: the Friday never passes", QDate(1955, 10, 9), true, true, 3},
        {"both boxes off", QDate(1955, 10, 9), false, false, 0},
        {"from-date after the newest draw", QDate(2024, 1, 11), true, true, 0},
        {"a draw on the from-date passes", Sat, true, true, 2},
        {"Saturdays only: the newer Wednesday is left out", QDate(1955, 10, 9), true, false, 1},
        {"Wednesdays only", QDate(1955, 10, 9), false, true, 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        setFromDate(c.from);
        selectWeekdays(c.saturdays, c.wednesdays);
        countNumberFrequencies(session);
        const auto bars = barValues();
        ASSERT_EQ(bars.size(), 45u) << c.what;
        EXPECT_EQ(bars[39], c.draws) << c.what;
        EXPECT_EQ(sum(bars), 7.0 * c.draws) << c.what;
        EXPECT_TRUE(chart.bottomTitle().startsWith(
            QStringLiteral("Zahlenverteilung     Ziehungen: %1    Quersumme: ").arg(c.draws)))
            << c.what << ": " << chart.bottomTitle().toStdString();
    }
    // With Saturdays only, nothing of the Wednesday draws is counted, ZZ included.
    EXPECT_EQ(barValues()[0], 1); // Wednesdays only: 1 from the first draw
    setFromDate(QDate(1955, 10, 9));
    selectWeekdays(true, false);
    countNumberFrequencies(session);
    for (int n : {1, 6, 7, 12, 19, 24}) EXPECT_EQ(barValues()[static_cast<std::size_t>(n - 1)], 0) << n;
    for (int n : {13, 17, 18}) EXPECT_EQ(barValues()[static_cast<std::size_t>(n - 1)], 1) << n;
}

TEST_F(StatsTest, FrequenciesOfAGeneratedArchive) {
    const auto archive = generatedDraws(QDate(2010, 1, 1), 500, 7);
    dir.writeArchive(archive);
    countNumberFrequencies(session);

    EXPECT_EQ(chart.active(), ChartModel::Series::Bar);
    EXPECT_EQ(barXs(), oneTo(45));
    const auto bars = barValues();
    EXPECT_EQ(sum(bars), 7.0 * 500);
    // The axis runs from the rarest to the most frequent number: the rarest bar has no visible height.
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(rangeOf(chart.valueAxis()), Range(*std::min_element(bars.begin(), bars.end()),
                                                *std::max_element(bars.begin(), bars.end())));
    EXPECT_LT(chart.valueAxis().minimum(), chart.valueAxis().maximum());
    EXPECT_TRUE(chart.bottomAutomatic());

    double total = 0;
    for (const auto& r : archive) total += r.digitSum();
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung     Ziehungen: 500    Quersumme: %1")
                                       .arg(dates::roundToInt(total / 500)));
    // The frequencies stay on their page; the hourglass is back.
    EXPECT_TRUE(ui.pages.isEmpty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(ui.busyMaxDepth, 1);
}

TEST_F(StatsTest, MeanDigitSumRoundsHalfToEven) {
    // clang-format off
    struct Case { std::initializer_list<int> first, second; const char* mean; };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, "22"},  // 21.5 goes up to 22
        {{1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}, "22"},  // 22.5 goes down to 22
        {{1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 10}, "24"}, // 23.5 goes up to 24
    };
    // clang-format on
    for (const auto& c : cases) {
        dir.writeArchive({makeDraw(Wed, c.first, 44), makeDraw(Sat, c.second, 45)});
        countNumberFrequencies(session);
        EXPECT_EQ(chart.bottomTitle(),
                  QStringLiteral("Zahlenverteilung     Ziehungen: 2    Quersumme: ") + QLatin1String(c.mean));
        countDigitSums(session);
        EXPECT_EQ(chart.bottomTitle(),
                  QStringLiteral("Quersummenverteilung     Ziehungen: 2    Quersumme: ") +
                      QLatin1String(c.mean));
    }
}

TEST_F(StatsTest, NoSelectedDrawEndsNormally) {
    dir.writeArchive(generatedDraws(QDate(2020, 1, 1), 20));
    selectWeekdays(false, false);

    countNumberFrequencies(session);
    EXPECT_EQ(barXs(), oneTo(45));
    EXPECT_EQ(sum(barValues()), 0);
    EXPECT_EQ(rangeOf(chart.valueAxis()), Range(0, 0));
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung     Ziehungen: 0    Quersumme: -"));

    countDigitSums(session);
    EXPECT_EQ(chart.barCount(), 0);
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Quersummenverteilung     Ziehungen: 0    Quersumme: -"));

    const std::pair<int, const char*> groups[] = {
        {2, " Paare gefunden!"}, {3, " Dreier gefunden!"}, {4, " Vierer gefunden!"}};
    for (const auto& [size, word] : groups) {
        countNeighbourGroups(session, size);
        EXPECT_EQ(sum(barValues()), 0) << size;
        EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Bei 0 Ziehungen wurden 0") + QLatin1String(word));
    }

    countOverdueNumbers(session);
    EXPECT_EQ(barValues(), std::vector<double>(45, 1.0));

    countSuperNumbers(session);
    EXPECT_EQ(barValues(), std::vector<double>(10, 0.0));
    EXPECT_EQ(ui.errors.size(), 0);
    EXPECT_EQ(ui.busyDepth, 0);
}

TEST_F(StatsTest, MissingArchiveLeavesTheChartAsItWas) {
    using Op = std::function<void()>;
    const std::pair<const char*, Op> operations[] = {
        {"frequencies", [&] { countNumberFrequencies(session); }},
        {"pairs", [&] { countNeighbourGroups(session, 2); }},
        {"quadruples", [&] { countNeighbourGroups(session, 4); }},
        {"overdue", [&] { countOverdueNumbers(session); }},
        {"surface", [&] { countYearSurface(session); }},
        {"digit sums", [&] { countDigitSums(session); }},
        {"super numbers", [&] { countSuperNumbers(session); }},
    };
    chart.addBar(1, 5);
    chart.fitValueAxis(5, 5);
    chart.setBottomTitle(QStringLiteral("vorher"));
    QSignalSpy changes(&chart, &ChartModel::changed);
    for (const auto& [what, op] : operations) {
        EXPECT_THROW(op(), AppError) << what;
        EXPECT_EQ(changes.count(), 0) << what;
        EXPECT_EQ(ui.busyDepth, 0) << what;
    }
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("vorher"));
    EXPECT_EQ(chart.barCount(), 1);
    EXPECT_TRUE(ui.pages.isEmpty());
}

TEST_F(StatsTest, CorruptRecordsNeverCountOutsideTheTables) {
    Draw nanDate = makeDraw(Sat, {1, 2, 3, 4, 5, 6}, 7);
    nanDate.date = std::numeric_limits<double>::quiet_NaN();
    dir.writeArchive({
        makeDraw(Wed, {1, 2, 3, 4, 5, 200}, 46, 200), // numbers beyond 45 fall outside every table
        nanDate,                                      // a date that is no day never passes
        makeDraw(Sat, {255, 255, 255, 255, 255, 255}, 255, 255),
        makeDraw(Wed2, {10, 11, 12, 13, 14, 15}, 16, 3),
    });
    countNumberFrequencies(session);
    EXPECT_EQ(sum(barValues()), 5 + 7);
    EXPECT_TRUE(chart.bottomTitle().contains(QStringLiteral("Ziehungen: 3 ")));

    // Bars for every sum six numbers can have (21 .. 255); the 1530 of the 255s does not stretch them.
    countDigitSums(session);
    ASSERT_GT(chart.barCount(), 0);
    EXPECT_EQ(Range(chart.bars().front().x, chart.bars().back().x), Range(21, 255));

    countNeighbourGroups(session, 2);
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Bei 3 Ziehungen wurden 9 Paare gefunden!"));
    countOverdueNumbers(session);
    EXPECT_EQ(chart.barCount(), 45);
    countYearSurface(session);
    EXPECT_EQ(chart.surface().size(), 90);
    countSuperNumbers(session);
    EXPECT_EQ(sum(barValues()), 1);
}

TEST_F(StatsTest, NeighbourGroupsOfOneDraw) {
    // 14 drawn with ZZ 15 is no pair: ZZ never completes a group. A damaged record's zeros complete none
    // either: a run is read from the numbers drawn.
    dir.writeArchive({makeDraw(Wed, {1, 2, 3, 4, 20, 30}, 31), makeDraw(Fri, {5, 6, 7, 8, 9, 10}, 11),
                      makeDraw(Sat, {14, 40, 41, 36, 25, 10}, 15),
                      makeDraw(Wed2, {0, 0, 20, 21, 22, 23}, 24)});
    // clang-format off
    struct Case { int size; std::vector<int> entries; int points; const char* caption; }; // entries: start numbers counted once
    const Case cases[] = {
        {2, {1, 2, 3, 20, 21, 22, 40}, 44, "Bei 3 Ziehungen wurden 7 Paare gefunden!"},
        {3, {1, 2, 20, 21}, 43, "Bei 3 Ziehungen wurden 4 Dreier gefunden!"},
        {4, {1, 20}, 45, "Bei 3 Ziehungen wurden 2 Vierer gefunden!"},
    };
    // clang-format on
    for (const auto& c : cases) {
        ui.pages.clear();
        countNeighbourGroups(session, c.size);
        EXPECT_EQ(barXs(), oneTo(c.points)) << c.size;
        std::vector<double> expected(static_cast<std::size_t>(c.points), 0.0);
        for (int n : c.entries) expected[static_cast<std::size_t>(n - 1)] = 1;
        EXPECT_EQ(barValues(), expected) << c.size;
        EXPECT_EQ(chart.bottomTitle(), QLatin1String(c.caption));
        EXPECT_EQ(ui.pages, QStringList{QStringLiteral("TabSheet5")});
        EXPECT_TRUE(chart.bottomAutomatic());
        // The quadruples use the automatic axis: it spans the least and greatest bar.
        EXPECT_EQ(chart.valueAxis().automatic(), c.size == 4);
        EXPECT_EQ(rangeOf(chart.valueAxis()), Range(0, 1));
    }
}

TEST_F(StatsTest, QuadrupleBarsAtTheTopStayEmpty) {
    dir.writeArchive({makeDraw(Wed, {42, 43, 44, 45, 1, 2}, 41), makeDraw(Sat, {41, 42, 43, 44, 45, 3}, 40)});
    countNeighbourGroups(session, 4);
    const auto bars = barValues();
    ASSERT_EQ(bars.size(), 45u);
    // 41 .. 44 once, 42 .. 45 twice, none from 43 on
    EXPECT_EQ(std::vector<double>(bars.begin() + 40, bars.end()), (std::vector<double>{1, 2, 0, 0, 0}));
    countNeighbourGroups(session, 3);
    EXPECT_EQ(chart.barCount(), 43); // 44 and 45 start no triple
    EXPECT_EQ(barValues()[42], 2);   // 43 .. 45
    countNeighbourGroups(session, 2);
    EXPECT_EQ(chart.barCount(), 44);
    EXPECT_EQ(barValues()[43], 2); // 44, 45
}

TEST_F(StatsTest, OverdueNumbers) {
    dir.writeArchive({makeDraw(Wed, {17, 1, 2, 3, 4, 5}, 6), makeDraw(Sat, {1, 2, 3, 4, 5, 7}, 8),
                      makeDraw(Fri, {9, 10, 11, 12, 13, 14}, 15),
                      makeDraw(Wed2, {30, 31, 32, 33, 34, 35}, 23)});
    countOverdueNumbers(session);
    const auto bars = barValues();
    ASSERT_EQ(bars.size(), 45u);
    EXPECT_EQ(bars[16], 3); // 17 only in the first
    EXPECT_EQ(bars[22], 1); // 23 as ZZ of the last
    EXPECT_EQ(bars[44], 4); // 45 never drawn
    EXPECT_EQ(bars[8], 4);  // 9 only in the Friday draw, which is never selected
    EXPECT_EQ(bars[0], 2);
    for (int n : {30, 31, 32, 33, 34, 35, 23}) EXPECT_EQ(bars[static_cast<std::size_t>(n - 1)], 1) << n;
    EXPECT_EQ(rangeOf(chart.valueAxis()), Range(1, 4));
    EXPECT_FALSE(chart.valueAxis().automatic());
    EXPECT_EQ(
        chart.bottomTitle(),
        QStringLiteral("Welche Zahl ist überfällig, wurde als seit wievielen Ziehungen nicht gezogen?"));
    EXPECT_EQ(ui.pages, QStringList{QStringLiteral("TabSheet5")});
}

TEST_F(StatsTest, YearSurfaceRows) {
    // Two years, and a record out of date order: 2022 after 2023 joins the row of 2023.
    dir.writeArchive({makeDraw(QDate(2022, 12, 28), {1, 2, 3, 4, 5, 6}, 7),
                      makeDraw(QDate(2022, 12, 31), {1, 8, 9, 10, 11, 12}, 13),
                      makeDraw(QDate(2023, 1, 4), {1, 2, 20, 21, 22, 23}, 24),
                      makeDraw(QDate(2022, 12, 24), {2, 30, 31, 32, 33, 34}, 35)});
    countYearSurface(session);

    EXPECT_EQ(chart.active(), ChartModel::Series::Surface);
    ASSERT_EQ(chart.surface().size(), 3u * 45);
    std::vector<std::vector<double>> rows(3, std::vector<double>(46, -1));
    for (const auto& p : chart.surface())
        rows[static_cast<std::size_t>(p.z)][static_cast<std::size_t>(p.x)] = p.y;
    for (std::size_t i = 0; i < 45; ++i) {
        EXPECT_EQ(chart.surface()[i].x, double(i + 1));
        EXPECT_EQ(chart.surface()[i].z, 0);
        EXPECT_EQ(chart.surface()[i].y, 0);
        EXPECT_EQ(chart.surface()[45 + i].z, 1);
        EXPECT_EQ(chart.surface()[90 + i].z, 2);
    }
    EXPECT_EQ(rows[1][1], 2);
    EXPECT_EQ(rows[1][13], 1);
    EXPECT_EQ(rows[1][20], 0);
    EXPECT_EQ(rows[2][1], 1);
    EXPECT_EQ(rows[2][2], 2); // 2023 and the late 2022 record
    EXPECT_EQ(rows[2][35], 1);
    double total = 0;
    for (const auto& p : chart.surface()) total += p.y;
    EXPECT_EQ(total, 4 * 7);
    EXPECT_TRUE(chart.valueAxis().automatic());
    EXPECT_TRUE(chart.bottomAutomatic());
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Zahlenverteilung"));
    EXPECT_TRUE(ui.pages.isEmpty());

    // Nothing selected: the one row of zeros at position 0.
    selectWeekdays(false, false);
    countYearSurface(session);
    ASSERT_EQ(chart.surface().size(), 45u);
    for (const auto& p : chart.surface()) EXPECT_TRUE(p.y == 0 && p.z == 0);
}

// A bar for every sum six numbers can have, drawn or not, so that the band shows where chance puts none.
TEST_F(StatsTest, DigitSumsCoverEverySumSixNumbersCanHave) {
    dir.writeArchive({makeDraw(Wed, {10, 15, 16, 17, 20, 22}, 1), makeDraw(Sat, {10, 15, 16, 17, 20, 25}, 2),
                      makeDraw(Wed2, {10, 15, 16, 17, 20, 22}, 3)});
    countDigitSums(session);
    EXPECT_EQ(Range(barXs().front(), barXs().back()), Range(21, 255));
    const auto values = barValues();
    EXPECT_EQ(std::vector<double>(values.begin() + (100 - 21), values.begin() + (104 - 21)),
              (std::vector<double>{2, 0, 0, 1}));
    EXPECT_EQ(sum(values), 3);
    EXPECT_TRUE(chart.valueAxis().automatic());
    EXPECT_TRUE(chart.bottomAutomatic());
    EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Quersummenverteilung     Ziehungen: 3    Quersumme: 101"));
    EXPECT_TRUE(ui.pages.isEmpty());
}

TEST_F(StatsTest, SuperNumbersCountStrictlyAfterTheLaterBound) {
    dir.writeArchive({
        makeDraw(QDate(1995, 7, 26), {1, 2, 3, 4, 5, 6}, 7, 1),
        makeDraw(QDate(1995, 7, 29), {1, 2, 3, 4, 5, 6}, 7, 1),
        makeDraw(QDate(1995, 8, 2), {1, 2, 3, 4, 5, 6}, 7, 2),
        makeDraw(QDate(2000, 1, 1), {1, 2, 3, 4, 5, 6}, 7, 3),
        makeDraw(QDate(2000, 1, 5), {1, 2, 3, 4, 5, 6}, 7, 4),
        makeDraw(QDate(2000, 1, 8), {1, 2, 3, 4, 5, 6}, 7, 4),
    });
    // clang-format off
    struct Case { const char* what; QDate from; bool saturdays; std::vector<double> counts; };
    const Case cases[] = {
        {"from-date before August 1995", QDate(1990, 1, 1), true, {0, 0, 1, 1, 2, 0, 0, 0, 0, 0}},
        {"from-date on a draw of 2000", QDate(2000, 1, 1), true, {0, 0, 0, 0, 2, 0, 0, 0, 0, 0}},
        {"Wednesdays only", QDate(1990, 1, 1), false, {0, 0, 1, 0, 1, 0, 0, 0, 0, 0}},
    };
    // clang-format on
    for (const auto& c : cases) {
        setFromDate(c.from);
        selectWeekdays(c.saturdays, true);
        countSuperNumbers(session);
        EXPECT_EQ(barXs(), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) << c.what;
        EXPECT_EQ(barValues(), c.counts) << c.what;
        EXPECT_FALSE(chart.valueAxis().automatic()) << c.what;
        EXPECT_EQ(rangeOf(chart.valueAxis()), Range(0, *std::max_element(c.counts.begin(), c.counts.end())))
            << c.what;
        EXPECT_EQ(chart.bottomTitle(), QStringLiteral("Superzahlverteilung"));
    }
    // The other charts still count from the from-date itself.
    setFromDate(QDate(1990, 1, 1));
    selectWeekdays(true, true);
    countNumberFrequencies(session);
    EXPECT_TRUE(chart.bottomTitle().contains(QStringLiteral("Ziehungen: 6 ")));
    EXPECT_TRUE(ui.pages.isEmpty());
}

// ---- what chance expects -------------------------------------------------------------------------

// Expectation and band of every bar kind, against the exact figures (summed over exact fractions of big
// integers outside the program: for 2,096 draws the numbers 294 .. 359, the pairs 21 .. 43, the triples
// 0 .. 7, the quadruples 0 .. 1) and against the quantiles summed here another way.
TEST(Chance, ExpectationsAndBandsAreTheExactBinomialOnes) {
    EXPECT_DOUBLE_EQ(chance::groupShare(Game::sixOf45(), 2), 30.0 / 1980);
    EXPECT_DOUBLE_EQ(chance::groupShare(Game::sixOf45(), 3), 120.0 / 85140);
    EXPECT_DOUBLE_EQ(chance::groupShare(Game::sixOf45(), 4), 360.0 / 3575880);

    // clang-format off
    struct Case { const char* what; int draws; double share, expected; int low, high; };
    const Case cases[] = {
        {"numbers", 2096, 7.0 / 45, 326.04444, 294, 359},
        {"pairs", 2096, 30.0 / 1980, 31.75758, 21, 43},
        {"triples", 2096, 120.0 / 85140, 2.95419, 0, 7},
        {"quadruples", 2096, 360.0 / 3575880, 0.21101, 0, 1},
        {"no draw", 0, 7.0 / 45, 0, 0, 0},
        {"a run that cannot be drawn", 2096, 0, 0, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const chance::Band band = chance::binomialBand(c.draws, c.share);
        EXPECT_NEAR(band.expected, c.expected, 1e-5) << c.what;
        EXPECT_EQ(std::pair(band.low, band.high), std::pair(c.low, c.high)) << c.what;
    }
    EXPECT_EQ(QString::number(chance::binomialBand(2096, Game::sixOf45().numberShare()).expected, 'f', 2),
              QStringLiteral("326.04"));

    const auto ways = chance::digitSumWays(Game::sixOf45());
    for (int draws : {1, 10, 99, 100, 500, 2000, 2096, 3000, 10000}) {
        for (double share : {7.0 / 45, 30.0 / 1980, 120.0 / 85140, 360.0 / 3575880,
                             double(ways[138]) / 8145060, double(ways[60]) / 8145060, 0.5}) {
            const chance::Band band = chance::binomialBand(draws, share);
            const auto [low, high] = quantilesByLgamma(draws, share);
            EXPECT_EQ(std::pair(band.low, band.high), std::pair(low, high)) << draws << " " << share;
            EXPECT_EQ(chance::binomialQuantile(draws, share, 0.025), low) << draws << " " << share;
            EXPECT_EQ(chance::binomialQuantile(draws, share, 0.975), high) << draws << " " << share;
        }
    }
}

// The sums of six distinct numbers, counted by the program, against all 8,145,060 choices walked here.
TEST(Chance, DigitSumWaysCountEveryChoiceOfSix) {
    std::vector<qint64> walked(256);
    for (int a = 1; a <= 40; ++a)
        for (int b = a + 1; b <= 41; ++b)
            for (int c = b + 1; c <= 42; ++c)
                for (int d = c + 1; d <= 43; ++d)
                    for (int e = d + 1; e <= 44; ++e)
                        for (int f = e + 1; f <= 45; ++f)
                            ++walked[static_cast<std::size_t>(a + b + c + d + e + f)];
    const auto ways = chance::digitSumWays(Game::sixOf45());
    EXPECT_EQ(ways, walked);
    qint64 total = 0;
    for (qint64 w : ways) total += w;
    EXPECT_EQ(total, 8145060);
    EXPECT_EQ(ways[20], 0);
    EXPECT_EQ(ways[21], 1); // 1 2 3 4 5 6
    EXPECT_EQ(ways[23], 2); // ... 5 8 and ... 6 7
    EXPECT_EQ(ways[255], 1);
}

// The overdue value after n draws: 1 + the draws since the number was last among the seven.
TEST(Chance, OverdueBand) {
    // The distribution enumerated here: value v = 1 .. n with q^(v-1) · p, n + 1 with q^n.
    const double p = 7.0 / 45;
    const double q = 1 - p;
    for (int draws : {1, 2, 5, 30, 2096}) {
        double expected = 0;
        double cdf = 0;
        int low = -1;
        int high = -1;
        for (int v = 1; v <= draws + 1; ++v) {
            const double pv = v <= draws ? std::pow(q, v - 1) * p : std::pow(q, draws);
            expected += v * pv;
            cdf += pv;
            if (low < 0 && cdf >= 0.025 - 1e-12) low = v;
            if (high < 0 && cdf >= 0.975 - 1e-12) high = v;
        }
        const chance::Band band = chance::overdueBand(Game::sixOf45(), draws);
        EXPECT_NEAR(band.expected, expected, 1e-9) << draws;
        EXPECT_EQ(std::pair(band.low, band.high), std::pair(low, high)) << draws;
    }
    const chance::Band shipped = chance::overdueBand(Game::sixOf45(), 2096);
    EXPECT_NEAR(shipped.expected, 1 + 38.0 / 7, 1e-9);
    EXPECT_EQ(std::pair(shipped.low, shipped.high), std::pair(1, 22));
    const chance::Band none = chance::overdueBand(Game::sixOf45(), 0);
    EXPECT_EQ(std::tuple(none.expected, none.low, none.high), std::tuple(1.0, 1, 1));
}

// The upper tail of chi-square against the closed form for two degrees of freedom and the tabulated
// critical values for 44 (60.481 at 5 %, 68.710 at 1 %, 43.335 at 50 %).
TEST(Chance, ChiSquareUpperTail) {
    for (double x : {0.5, 1.0, 3.0, 10.0})
        EXPECT_NEAR(chance::chiSquareUpperTail(x, 2), std::exp(-x / 2), 1e-12);
    EXPECT_NEAR(chance::chiSquareUpperTail(60.481, 44), 0.05, 2e-5);
    EXPECT_NEAR(chance::chiSquareUpperTail(68.710, 44), 0.01, 2e-5);
    EXPECT_NEAR(chance::chiSquareUpperTail(43.335, 44), 0.5, 2e-4);
    EXPECT_EQ(chance::chiSquareUpperTail(0, 44), 1);
    EXPECT_GE(chance::chiSquareUpperTail(1e6, 44), 0);
    EXPECT_LT(chance::chiSquareUpperTail(1e6, 44), 1e-100);
}

TEST(Chance, VerdictTexts) {
    // clang-format off
    struct Case { int draws; double p; const char* text; };
    const Case cases[] = {
        {2096, 0.3069, "Zufallstest: unauffällig (p = 0.31)"},
        {2096, 0.01, "Zufallstest: unauffällig (p = 0.01)"},
        {2096, 0.0149, "Zufallstest: unauffällig (p = 0.01)"},
        {2096, 0.999, "Zufallstest: unauffällig (p = 1.00)"},
        {2096, 0.0042, "Zufallstest: auffällig (p = 0.004)"},
        {2096, 0.0011, "Zufallstest: auffällig (p = 0.001)"},
        {2096, 0.0099, "Zufallstest: auffällig (p < 0.01)"},
        {2096, 0.0004, "Zufallstest: auffällig (p < 0.001)"},
        {2096, 0, "Zufallstest: auffällig (p < 0.001)"},
        {100, 0.5, "Zufallstest: unauffällig (p = 0.50)"},
        {99, 0.5, "Zufallstest: zu wenige Ziehungen"},
        {0, 1, "Zufallstest: zu wenige Ziehungen"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(chance::verdictText(chance::Verdict{c.draws, 0, c.p}), QString::fromUtf8(c.text)) << c.p;
}

// The record of the real draws: X² = 48.2 with 44 degrees of freedom, p = 0.31.
TEST(Chance, TheShippedRecordIsAsEvenAsChanceMakesIt) {
    const auto draws = shippedDraws();
    ASSERT_EQ(draws.size(), 2096u);
    std::vector<qint64> counts(45, 0);
    for (const auto& r : draws)
        for (int i = 0; i < 7; ++i)
            ++counts[static_cast<std::size_t>((i < 6 ? r.numbers[static_cast<std::size_t>(i)] : r.extras[0]) -
                                              1)];
    EXPECT_EQ(counts[17], 369); // 18, the most frequent
    EXPECT_EQ(counts[15], 299); // 16, the rarest
    const chance::Verdict v = chance::frequencyVerdict(Game::sixOf45(), counts, 2096);
    EXPECT_EQ(QString::number(v.statistic, 'f', 1), QStringLiteral("48.2"));
    EXPECT_EQ(QString::number(v.p, 'f', 2), QStringLiteral("0.31"));
    EXPECT_EQ(chance::verdictText(v), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));
}

// 1,000 archives of 2,000 fair draws from the program's own generator: the test errs as often as it
// should, and no more. An archive in which one number comes half again as often as chance expects fails it.
TEST(Chance, TheTestIsCalibratedOnFairDrawsAndCatchesABiasedOne) {
    QElapsedTimer clock;
    clock.start();
    Random random;
    random.seed(20130109);
    const int archives = 1000;
    const int drawsEach = 2000;
    int below5 = 0;
    int below1 = 0;
    for (int a = 0; a < archives; ++a) {
        std::vector<qint64> counts(45, 0);
        for (int d = 0; d < drawsEach; ++d)
            for (int n : sevenOf(random)) ++counts[static_cast<std::size_t>(n - 1)];
        const double p = chance::frequencyVerdict(Game::sixOf45(), counts, drawsEach).p;
        below5 += p < 0.05;
        below1 += p < 0.01;
    }
    EXPECT_GE(below5, 30);
    EXPECT_LE(below5, 70);
    EXPECT_LT(below1, 25);

    // Number 17 in exactly 467 of 2,000 draws, 1.5 times the 311.1 that chance expects.
    std::vector<qint64> counts(45, 0);
    for (int d = 0; d < drawsEach; ++d) {
        const bool with17 = (d + 1) * 467 / drawsEach != d * 467 / drawsEach;
        for (int n : with17 ? sevenOf(random, 17) : sevenOf(random, 0, 17))
            ++counts[static_cast<std::size_t>(n - 1)];
    }
    ASSERT_EQ(counts[16], 467);
    const chance::Verdict biased = chance::frequencyVerdict(Game::sixOf45(), counts, drawsEach);
    EXPECT_LT(biased.p, 0.01);
    EXPECT_TRUE(chance::verdictText(biased).startsWith(QStringLiteral("Zufallstest: auffällig (p ")))
        << chance::verdictText(biased).toStdString();
    EXPECT_LT(clock.elapsed(), 10000);
}

// The record of the real draws: every bar chart of counts carries what chance expects of each bar, the
// frequencies the verdict; the points and the value axis stay as the statistic set them.
TEST_F(StatsTest, ChanceBesideEveryCountOfTheShippedRecord) {
    // Each game's record: its numbers (six and ZZ of 45, six of 42), the band of one number, the verdict,
    // and the axis the generator reads back, from the rarest to the most frequent.
    const struct {
        const Game* game;
        int draws, numbers, low, high;
        const char* verdict;
        int rarest, fewest, mostFrequent, most;
    } games[] = {
        {&Game::sixOf45(), 2096, 7, 294, 359, "p = 0.31", 16, 299, 18, 369},
        {&Game::euroMillions(), 1907, 5, 165, 217, "p = 0.23", 22, 150, 44, 217},
        {&Game::sixOf42(), 1354, 6, 169, 219, "p = 0.64", 1, 162, 3, 219},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.game->name.toStdString());
        state.game = g.game;
        dir.writeArchive(shippedDraws(*g.game), g.game->archiveFile);
        countNumberFrequencies(session);
        ASSERT_EQ(chart.expectations().size(), g.game->numbers.highest());
        for (const auto& e : chart.expectations()) {
            EXPECT_NEAR(e.expected, g.draws * double(g.numbers) / g.game->numbers.highest(), 1e-9);
            EXPECT_EQ(bandOf(e), Range(g.low, g.high));
        }
        EXPECT_EQ(chart.verdict(),
                  QStringLiteral("Zufallstest: unauffällig (") + QLatin1String(g.verdict) + ')');
        EXPECT_EQ(chart.drawCount(), g.draws);
        EXPECT_FALSE(chart.valueAxis().automatic());
        EXPECT_EQ(rangeOf(chart.valueAxis()), Range(g.fewest, g.most));
        EXPECT_EQ(Range(chart.barValue(g.rarest - 1), chart.barValue(g.mostFrequent - 1)),
                  Range(g.fewest, g.most));
        if (g.game != &Game::euroMillions()) continue;
        // The stars: each draw expects of a star what the drum held that day (9, 11, then 12 stars).
        showExtraNumbers(session);
        EXPECT_NEAR(chart.expectations().front().expected, 378 * 2 / 9.0 + 562 * 2 / 11.0 + 967 * 2 / 12.0,
                    1e-9);
        EXPECT_NEAR(chart.expectations().back().expected, 967 * 2 / 12.0, 1e-9);
        EXPECT_EQ(chart.barToolTip(11),
                  QStringLiteral("Stern 12: 167-mal gezogen, erwartet 161 (95 % je Stern: 139 bis 184)"));
        EXPECT_EQ(chart.verdict(), QStringLiteral("Zufallstest: unauffällig (p = 0.14)"));
    }
    // The Glückszahl of "6 aus 42": its six counts, each 1/6 of the draws, tested without correction.
    showExtraNumbers(session);
    EXPECT_EQ(barValues(), (std::vector<double>{228, 218, 219, 232, 231, 226}));
    EXPECT_EQ(bandOf(chart.expectations().front()), Range(199, 253));
    EXPECT_EQ(chart.verdict(), QStringLiteral("Zufallstest: unauffällig (p = 0.98)"));
    EXPECT_EQ(
        chart.barToolTip(3),
        QStringLiteral("Glückszahl 4: 232-mal gezogen, erwartet 226 (95 % je Glückszahl: 199 bis 253)"));
    state.game = &Game::sixOf45();

    struct Group {
        int size, bars;
        double expected, high;
    };
    for (const Group& g : {Group{2, 44, 2096 * 30.0 / 1980, 43}, Group{3, 43, 2096 * 120.0 / 85140, 7},
                           Group{4, 45, 2096 * 360.0 / 3575880, 1}}) {
        countNeighbourGroups(session, g.size);
        ASSERT_EQ(chart.expectations().size(), g.bars) << g.size;
        const auto& first = chart.expectations().front();
        EXPECT_NEAR(first.expected, g.expected, 1e-9) << g.size;
        EXPECT_EQ(bandOf(first), Range(g.size == 2 ? 21 : 0, g.high)) << g.size;
        EXPECT_TRUE(chart.verdict().isEmpty());
    }
    // Quadruples from 43 on would need 46: chance never gives them.
    EXPECT_EQ(chart.expectations()[41].expected, chart.expectations()[0].expected);
    for (int i : {42, 43, 44})
        EXPECT_EQ(std::pair(chart.expectations()[i].expected, chart.expectations()[i].high),
                  std::pair(0.0, 0.0))
            << i;
    EXPECT_TRUE(chart.valueAxis().automatic());

    countOverdueNumbers(session);
    ASSERT_EQ(chart.expectations().size(), 45);
    EXPECT_NEAR(chart.expectations()[0].expected, 1 + 38.0 / 7, 1e-9);
    EXPECT_EQ(bandOf(chart.expectations()[0]), Range(1, 22));

    // Digit sums: every sum 21 .. 255 has its bar; 138 is expected 27.2 times (18 .. 38), 47 0.18 times
    // (0 .. 1), 21 almost never.
    countDigitSums(session);
    ASSERT_EQ(chart.barCount(), 255 - 21 + 1);
    ASSERT_EQ(chart.expectations().size(), chart.barCount());
    EXPECT_EQ(chart.expectations()[0].high, 0);
    const auto& at138 = chart.expectations()[138 - 21];
    EXPECT_NEAR(at138.expected, 2096 * 105690.0 / 8145060, 1e-6);
    EXPECT_EQ(bandOf(at138), Range(18, 38));
    const auto& at47 = chart.expectations()[47 - 21];
    EXPECT_NEAR(at47.expected, 0.18245, 1e-5);
    EXPECT_EQ(bandOf(at47), Range(0, 1));

    // Super numbers and the year surface: chance has nothing to say there.
    countSuperNumbers(session);
    EXPECT_TRUE(chart.expectations().isEmpty());
    countYearSurface(session);
    EXPECT_FALSE(chart.showsChance());
}

// SpeedButton2 writes the verdict into the second status panel while the switch is on; the counting that
// start-up and the generator call writes nothing there.
TEST_F(StatsTest, TheVerdictGoesToTheStatusBarOnlyFromTheButton) {
    dir.writeArchive(shippedDraws());
    ui.setStatus(1, QStringLiteral("Datenbank: ZahlenCH.dat"));
    countNumberFrequencies(session);
    EXPECT_EQ(ui.status(1), QStringLiteral("Datenbank: ZahlenCH.dat"));

    showNumberFrequencies(session);
    EXPECT_EQ(ui.status(1), QStringLiteral("Zufallstest: unauffällig (p = 0.31)"));
    // The tool tip adds how many bars stand outside their band: 1, 18 and 22, where chance puts 2.1.
    EXPECT_EQ(chart.chartToolTip(),
              QStringLiteral("Zufallstest: unauffällig (p = 0.31)\nAußerhalb des Bands: 3 "
                             "von 45 Balken – bei reinem Zufall im Mittel 2.1"));
    EXPECT_EQ(chart.bandName(), QStringLiteral("95 % je Zahl"));
    // Another chart takes its verdict out of the status bar.
    countOverdueNumbers(session);
    EXPECT_EQ(ui.status(1), QString());
    EXPECT_EQ(chart.bandName(), QStringLiteral("mindestens 95 % je Zahl"));
    // The extreme digit sums' bands hold all but nothing: the legend says at least.
    countDigitSums(session);
    EXPECT_EQ(chart.bandName(), QStringLiteral("mindestens 95 % je Quersumme"));
    showNumberFrequencies(session);

    chart.setChanceShown(false);
    ui.setStatus(1, QString());
    showNumberFrequencies(session);
    EXPECT_EQ(ui.status(1), QString());
    EXPECT_EQ(chart.chartToolTip(), QString());
    chart.setChanceShown(true);

    // 99 draws are too few to say anything; 100 are enough.
    auto draws = shippedDraws();
    draws.resize(99);
    dir.writeArchive(draws);
    showNumberFrequencies(session);
    EXPECT_EQ(ui.status(1), QStringLiteral("Zufallstest: zu wenige Ziehungen"));
    draws = shippedDraws();
    draws.resize(100);
    dir.writeArchive(draws);
    showNumberFrequencies(session);
    EXPECT_TRUE(ui.status(1).startsWith(QStringLiteral("Zufallstest: unauffällig (p = ")))
        << ui.status(1).toStdString();
}

// What a user reads under the mouse, for one bar of every chart kind, written out in full: the shipped
// record with chance shown, then small archives for the singulars and the overdue texts.
TEST_F(StatsTest, EveryChartKindTellsItsBarInFull) {
    dir.writeArchive(shippedDraws());
    grid.writeTip(0, {1, 2, 3, 4, 5, 6});
    grid.writeTip(1, {3, 10, 20, 30, 40, 45});
    // clang-format off
    using Chart = std::function<void()>;
    const Chart frequencies = [&] { countNumberFrequencies(session); };
    const auto groups = [&](int size) { return Chart([this, size] { countNeighbourGroups(session, size); }); };
    const Chart overdue = [&] { countOverdueNumbers(session); };
    const Chart digitSums = [&] { countDigitSums(session); };
    const Chart superNumbers = [&] { countSuperNumbers(session); };
    const Chart tips = [&] { showTipDistribution(session); };
    struct Row { const char* what; Chart chartOf; int bar; const char* text; };
    const auto expectTexts = [&](std::initializer_list<Row> rows) {
        for (const auto& row : rows) {
            row.chartOf();
            EXPECT_EQ(chart.barToolTip(row.bar), QString::fromUtf8(row.text)) << row.what;
        }
    };
    expectTexts({
        {"most frequent", frequencies, 17, "Zahl 18: 369-mal gezogen, erwartet 326 (95 % je Zahl: 294 bis 359)"},
        {"rarest", frequencies, 15, "Zahl 16: 299-mal gezogen, erwartet 326 (95 % je Zahl: 294 bis 359)"},
        {"pair", groups(2), 1, "Paar 2 und 3: 48 Ziehungen, erwartet 32 (95 % je Paar: 21 bis 43)"},
        {"triple", groups(3), 0, "Dreier 1 bis 3: 7 Ziehungen, erwartet 3.0 (mindestens 95 % je Dreier: 0 bis 7)"},
        {"triple once", groups(3), 3, "Dreier 4 bis 6: 1 Ziehung, erwartet 3.0 (mindestens 95 % je Dreier: 0 bis 7)"},
        {"quadruple once", groups(4), 4, "Vierer 5 bis 8: 1 Ziehung, erwartet 0.2 (mindestens 95 % je Vierer: 0 bis 1)"},
        {"quadruple never", groups(4), 0, "Vierer 1 bis 4: 0 Ziehungen, erwartet 0.2 (mindestens 95 % je Vierer: 0 bis 1)"},
        {"no quadruple from 43", groups(4), 42, "Kein Vierer ab 43: die Zahlen enden bei 45"},
        {"no quadruple from 45", groups(4), 44, "Kein Vierer ab 45: die Zahlen enden bei 45"},
        {"overdue longest", overdue, 17, "Zahl 18: seit 41 Ziehungen nicht gezogen, erwartet 5.4 (mindestens 95 % je Zahl: 0 bis 21)"},
        {"overdue one draw", overdue, 2, "Zahl 3: seit 1 Ziehung nicht gezogen, erwartet 5.4 (mindestens 95 % je Zahl: 0 bis 21)"},
        {"in the newest draw", overdue, 1, "Zahl 2: in der neuesten Ziehung gezogen"},
        {"ZZ of the newest draw", overdue, 28, "Zahl 29: in der neuesten Ziehung gezogen"},
        {"digit sum", digitSums, 138 - 21, "Quersumme 138: 29 Ziehungen, erwartet 27 (95 % je Quersumme: 18 bis 38)"},
        {"rare digit sum", digitSums, 47 - 21, "Quersumme 47: 1 Ziehung, erwartet 0.2 (98 % je Quersumme: 0 bis 1)"},
        {"super number", superNumbers, 0, "Superzahl 0: 1596 Ziehungen"},
        {"super number never", superNumbers, 1, "Superzahl 1: 0 Ziehungen"},
        {"tips", tips, 2, "Zahl 3: 2-mal in den Tipps"},
        {"tips once", tips, 44, "Zahl 45: 1-mal in den Tipps"},
    });
    // clang-format on

    // The year surface: the row of 1990 (position 5) and number 7, drawn 6 times that year.
    countYearSurface(session);
    EXPECT_EQ(chart.surfaceToolTip(5, 7), QStringLiteral("1990, Zahl 7: 6-mal"));
    EXPECT_EQ(chart.surfaceToolTip(0, 7), QString());

    // With the switch off the texts say only what was counted.
    chart.setChanceShown(false);
    countNumberFrequencies(session);
    EXPECT_EQ(chart.barToolTip(17), QStringLiteral("Zahl 18: 369-mal gezogen"));
    countOverdueNumbers(session);
    EXPECT_EQ(chart.barToolTip(17), QStringLiteral("Zahl 18: seit 41 Ziehungen nicht gezogen"));
    chart.setChanceShown(true);

    // Three draws: counts of one, and a band that is a single value.
    dir.writeArchive({makeDraw(Wed, {3, 4, 10, 20, 30, 40}, 45, 2), makeDraw(Sat, {1, 2, 3, 4, 5, 11}, 17, 5),
                      makeDraw(Wed2, {6, 7, 8, 9, 41, 42}, 43, 7)});
    // clang-format off
    expectTexts({
        {"pair twice", groups(2), 2, "Paar 3 und 4: 2 Ziehungen, erwartet unter 0.1 (99.9 % je Paar: 0 bis 1)"},
        {"pair once", groups(2), 0, "Paar 1 und 2: 1 Ziehung, erwartet unter 0.1 (99.9 % je Paar: 0 bis 1)"},
        {"digit sum once", digitSums, 26 - 21, "Quersumme 26: 1 Ziehung, erwartet unter 0.1 (99.9 % je Quersumme: 0)"},
        {"super number once", superNumbers, 2, "Superzahl 2: 1 Ziehung"},
        {"overdue since one", overdue, 0, "Zahl 1: seit 1 Ziehung nicht gezogen, erwartet 2.2 (mindestens 95 % je Zahl: 0 bis 3)"},
        {"overdue never", overdue, 43, "Zahl 44: seit 3 Ziehungen nicht gezogen, erwartet 2.2 (mindestens 95 % je Zahl: 0 bis 3)"},
        {"overdue newest", overdue, 42, "Zahl 43: in der neuesten Ziehung gezogen"},
        {"once", frequencies, 10, "Zahl 11: 1-mal gezogen, erwartet 0.5 (99.6 % je Zahl: 0 bis 2)"},
    });
    // clang-format on

    // No draw selected: the overdue bars of 1 say so instead of naming a newest draw.
    selectWeekdays(false, false);
    countOverdueNumbers(session);
    EXPECT_EQ(chart.barToolTip(16), QStringLiteral("Zahl 17: keine Ziehung gewählt"));
}
