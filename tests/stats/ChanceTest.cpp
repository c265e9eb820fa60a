#include "stats/Chance.h"
#include "platform/Random.h"
#include "support/TestDir.h"

#include <QElapsedTimer>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

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

// Expectation and band of every bar kind, against the exact figures (summed over exact fractions of big
// integers outside the program: for 2,096 draws the numbers 294 .. 359, the pairs 21 .. 43, the triples
// 0 .. 7, the quadruples 0 .. 1) and against the quantiles summed here another way.
TEST(Chance, ExpectationsAndBandsAreTheExactBinomialOnes) {
    EXPECT_DOUBLE_EQ(chance::groupShare(2), 30.0 / 1980);
    EXPECT_DOUBLE_EQ(chance::groupShare(3), 120.0 / 85140);
    EXPECT_DOUBLE_EQ(chance::groupShare(4), 360.0 / 3575880);

    struct Case {
        const char* what;
        int draws;
        double share;
        double expected;
        int low, high;
    };
    const Case cases[] = {
        {"numbers", 2096, 7.0 / 45, 326.04444, 294, 359},
        {"pairs", 2096, 30.0 / 1980, 31.75758, 21, 43},
        {"triples", 2096, 120.0 / 85140, 2.95419, 0, 7},
        {"quadruples", 2096, 360.0 / 3575880, 0.21101, 0, 1},
        {"no draw", 0, 7.0 / 45, 0, 0, 0},
        {"a run that cannot be drawn", 2096, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const chance::Band band = chance::binomialBand(c.draws, c.share);
        EXPECT_NEAR(band.expected, c.expected, 1e-5) << c.what;
        EXPECT_EQ(band.low, c.low) << c.what;
        EXPECT_EQ(band.high, c.high) << c.what;
    }
    EXPECT_EQ(QString::number(chance::binomialBand(2096, chance::NumberShare).expected, 'f', 2),
              QStringLiteral("326.04"));

    const auto ways = chance::digitSumWays();
    for (int draws : {1, 10, 99, 100, 500, 2000, 2096, 3000, 10000}) {
        for (double share : {7.0 / 45, 30.0 / 1980, 120.0 / 85140, 360.0 / 3575880,
                             double(ways[138]) / 8145060, double(ways[60]) / 8145060, 0.5}) {
            const chance::Band band = chance::binomialBand(draws, share);
            const auto [low, high] = quantilesByLgamma(draws, share);
            EXPECT_EQ(band.low, low) << draws << " " << share;
            EXPECT_EQ(band.high, high) << draws << " " << share;
            EXPECT_EQ(chance::binomialQuantile(draws, share, 0.025), low) << draws << " " << share;
            EXPECT_EQ(chance::binomialQuantile(draws, share, 0.975), high) << draws << " " << share;
        }
    }
}

// The sums of six distinct numbers, counted by the program, against all 8,145,060 choices walked here.
TEST(Chance, DigitSumWaysCountEveryChoiceOfSix) {
    std::array<qint64, 256> walked{};
    for (int a = 1; a <= 40; ++a)
        for (int b = a + 1; b <= 41; ++b)
            for (int c = b + 1; c <= 42; ++c)
                for (int d = c + 1; d <= 43; ++d)
                    for (int e = d + 1; e <= 44; ++e)
                        for (int f = e + 1; f <= 45; ++f)
                            ++walked[static_cast<std::size_t>(a + b + c + d + e + f)];
    const auto ways = chance::digitSumWays();
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
        const chance::Band band = chance::overdueBand(draws);
        EXPECT_NEAR(band.expected, expected, 1e-9) << draws;
        EXPECT_EQ(band.low, low) << draws;
        EXPECT_EQ(band.high, high) << draws;
    }
    const chance::Band shipped = chance::overdueBand(2096);
    EXPECT_NEAR(shipped.expected, 1 + 38.0 / 7, 1e-9);
    EXPECT_EQ(shipped.low, 1);
    EXPECT_EQ(shipped.high, 22);
    const chance::Band none = chance::overdueBand(0);
    EXPECT_EQ(none.expected, 1);
    EXPECT_EQ(none.low, 1);
    EXPECT_EQ(none.high, 1);
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
    struct Case {
        int draws;
        double p;
        const char* text;
    };
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
    for (const auto& c : cases) {
        chance::Verdict v;
        v.draws = c.draws;
        v.p = c.p;
        EXPECT_EQ(chance::verdictText(v), QString::fromUtf8(c.text)) << c.p;
    }
}

// The record of the real draws: X² = 48.2 with 44 degrees of freedom, p = 0.31.
TEST(Chance, TheShippedRecordIsAsEvenAsChanceMakesIt) {
    const auto draws = shippedDraws();
    ASSERT_EQ(draws.size(), 2096u);
    std::vector<qint64> counts(45, 0);
    for (const auto& r : draws)
        for (int i = 0; i < 7; ++i) ++counts[static_cast<std::size_t>(r.drawnNumber(i) - 1)];
    EXPECT_EQ(counts[17], 369); // 18, the most frequent
    EXPECT_EQ(counts[15], 299); // 16, the rarest
    const chance::Verdict v = chance::frequencyVerdict(counts, 2096);
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
        const double p = chance::frequencyVerdict(counts, drawsEach).p;
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
    const chance::Verdict biased = chance::frequencyVerdict(counts, drawsEach);
    EXPECT_LT(biased.p, 0.01);
    EXPECT_TRUE(chance::verdictText(biased).startsWith(QStringLiteral("Zufallstest: auffällig (p ")))
        << chance::verdictText(biased).toStdString();
    EXPECT_LT(clock.elapsed(), 10000);
}
