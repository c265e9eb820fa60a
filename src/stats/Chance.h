#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

struct Game;

// What pure chance expects of the counts the charts show, computed exactly from the game: its numbers
// drawn without replacement out of 1 .. highest, the extra number counted with them where it comes from
// their drum.
namespace chance {

// A count over a number of draws and what chance makes of it: the expected value and the range that holds
// 95 % of what chance gives (its 2.5 % and 97.5 % quantiles).
struct Band {
    double expected = 0;
    int low = 0;
    int high = 0;
    // What chance puts outside [low, high]: P(X < low) + P(X > high), at most 5 %; -1 where it is not
    // computed (the overdue band).
    double outside = 0;
};

// Below this many draws the chi-square test says nothing.
inline constexpr int FewestDraws = 100;

// The share of draws whose six numbers hold one given run of groupSize neighbouring numbers (2, 3 or 4):
// for "6 aus 45" (6 · 5) / (45 · 44), (6 · 5 · 4) / (45 · 44 · 43), (6 · 5 · 4 · 3) / (45 · 44 · 43 · 42).
double groupShare(const Game& game, int groupSize);

// The smallest k with P(X <= k) >= q for X binomial with `trials` trials and success share `share`,
// summing the exact probabilities (in log space, so that no term underflows on the way to the quantile).
int binomialQuantile(int trials, double share, double q);
// Expected value trials · share, the 2.5 % and 97.5 % quantiles and the share outside them, in one walk.
Band binomialBand(int trials, double share);

// The same for a count that sums draws of several kinds: so many trials with each share (a drum whose range
// grew). Exact, by convolving the binomial distributions; one kind is binomialBand.
Band mixedBand(const std::vector<std::pair<int, double>>& parts);

// How many of the choices of six distinct numbers of the game have the sum s, for s = 0 up to the largest
// sum. Counted by dynamic programming over the numbers.
std::vector<qint64> digitSumWays(const Game& game);

// The overdue value of a number after `draws` draws (1 + the draws since it was last among the numbers
// counted, draws + 1 when it never was): expected value and 95 % range.
Band overdueBand(const Game& game, int draws);

// The chi-square test of counts against chance.
struct Verdict {
    int draws = 0;
    double statistic = 0; // X² = Σ (O − E)² / E × correction
    double p = 1;         // upper tail with (counts − 1) degrees of freedom
};
// counts: how often each of k outcomes came in `draws` draws, each expected draws × share times. The
// correction makes up for outcomes drawn without replacement, which spread less than independent ones.
Verdict countsVerdict(const std::vector<qint64>& counts, int draws, double share, double correction = 1);
// The same with each outcome's own expected count (a drum whose range grew).
Verdict expectedVerdict(const std::vector<qint64>& counts, const std::vector<double>& expected, int draws,
                        double correction = 1);
// The counts of the numbers 1 .. highest, counted as the frequency chart counts them; for "6 aus 45"
// X² × 44 / 38 with 44 degrees of freedom.
Verdict frequencyVerdict(const Game& game, const std::vector<qint64>& counts, int draws);
// P(X >= x) for X chi-square with the degrees of freedom (closed forms for even and odd ones).
double chiSquareUpperTail(double x, int degreesOfFreedom);
// "Zufallstest: unauffällig (p = 0.31)", "Zufallstest: auffällig (p = 0.004)", "Zufallstest: zu wenige
// Ziehungen"; the locale's decimal separator.
QString verdictText(const Verdict& verdict);

} // namespace chance
