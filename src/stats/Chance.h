#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// What pure chance expects of the counts the charts show, computed exactly from the game "6 aus 45": six
// distinct numbers and an additional number out of 1 .. 45 per draw.
namespace chance {

// A count over a number of draws and what chance makes of it: the expected value and the range that holds
// 95 % of what chance gives (its 2.5 % and 97.5 % quantiles).
struct Band {
    double expected = 0;
    int low = 0;
    int high = 0;
};

// One given number stands among the seven numbers the frequency chart counts (six and ZZ).
inline constexpr double NumberShare = 7.0 / 45.0;
// The ways of choosing six numbers out of 45.
inline constexpr qint64 AllSixes = 8145060;
// Below this many draws the chi-square test says nothing.
inline constexpr int FewestDraws = 100;

// The share of draws whose six numbers hold one given run of groupSize neighbouring numbers (2, 3 or 4):
// (6 · 5) / (45 · 44), (6 · 5 · 4) / (45 · 44 · 43), (6 · 5 · 4 · 3) / (45 · 44 · 43 · 42).
double groupShare(int groupSize);

// The smallest k with P(X <= k) >= q for X binomial with `trials` trials and success share `share`,
// summing the exact probabilities (in log space, so that no term underflows on the way to the quantile).
int binomialQuantile(int trials, double share, double q);
// Expected value trials · share and the 2.5 % and 97.5 % quantiles.
Band binomialBand(int trials, double share);

// How many of the 8,145,060 choices of six distinct numbers out of 1 .. 45 have the sum s, for s = 0 ..
// 255 (21 .. 255 occur). Counted by dynamic programming over the numbers.
std::array<qint64, 256> digitSumWays();

// The overdue value of a number after `draws` draws (1 + the draws since it was last among the seven,
// draws + 1 when it never was): expected value and 95 % range.
Band overdueBand(int draws);

// The chi-square test of the 45 number counts against chance.
struct Verdict {
    int draws = 0;
    double statistic = 0; // X² = Σ (O − E)² / E × 44 / 38
    double p = 1;         // upper tail with 44 degrees of freedom
};
// counts: the 45 counts of the numbers 1 .. 45, six drawn numbers and ZZ per draw.
Verdict frequencyVerdict(const std::vector<qint64>& counts, int draws);
// P(X >= x) for X chi-square with an even number of degrees of freedom (closed form).
double chiSquareUpperTail(double x, int degreesOfFreedom);
// "Zufallstest: unauffällig (p = 0.31)", "Zufallstest: auffällig (p = 0.004)", "Zufallstest: zu wenige
// Ziehungen"; the locale's decimal separator.
QString verdictText(const Verdict& verdict);

} // namespace chance
