#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The share factor of a tip of "6 aus 42". Every tip has the same chance of a hit, but ranks 3 to 8 ("5 + GZ"
// to "3") share their pool among the winners, and the players favour some numbers, Glückszahlen and patterns:
// a hit of a tip few others play is paid more. The factor says how much more, against the same hit of a tip
// chosen at random (a Quicktipp), which has factor 1. The model comes from the published quotas, fitted by
// fit_popularity into a small data file (popularity-6aus42.csv) that parseModel reads.
namespace share {

using Numbers = std::array<int, 6>;

// The prize ranks this is about, in the order of the game: the hits they need, whether the Glückszahl too,
// and how many of the 31,474,716 tips (42 choose 6 times 6) win them in a draw.
struct Rank {
    const char* name;
    int hits;
    bool lucky;
    long long ways;
};
inline constexpr long long AllTips = 31474716;
inline constexpr int RankCount = 6;
inline constexpr std::array<Rank, RankCount> Ranks{{
    {"5+GZ", 5, true, 216},
    {"5", 5, false, 1080},
    {"4+GZ", 4, true, 9450},
    {"4", 4, false, 47250},
    {"3+GZ", 3, true, 142800},
    {"3", 3, false, 714000},
}};
// "5" pays a fixed CHF 1,000, cut only where its pool does not reach that far; the others share their pool.
inline constexpr int FixedFive = 1;

// How strongly the weights of the numbers drawn show in the count of winners with k hits. With tips played
// in proportion to exp(Σ θ over their numbers), Σ θ = 0, the log of the count of k-hit winners grows by
// (k/6 − (6 − k)/36) · Σ θ over the drawn numbers, to first order: k of the drawn numbers are theirs, and the
// other 6 − k of their numbers come from the 36 not drawn.
constexpr double drawnWeightShare(int hits) {
    return (7.0 * hits - 6.0) / 36.0;
}

// Patterns a per-number model cannot see: the tips that follow them are played more (or less) often than
// their numbers alone make them.
enum class Pattern {
    Sequence,     // an arithmetic sequence of six: 1 2 3 4 5 6, 5 10 15 20 25 30, … (156 of them)
    Run,          // at least three neighbouring numbers: 17 18 19
    Pair,         // at least two neighbouring numbers: 17 18
    Birthday,     // all six up to 31, as dates give them
    PreviousDraw, // the six numbers of the latest draw, played again
};
inline constexpr int PatternCount = 5;
// The key of a pattern in the data file.
const char* patternKey(Pattern p);
using PatternSet = std::array<bool, PatternCount>;

bool isArithmeticSequence(const Numbers& numbers);
int longestRun(const Numbers& numbers);
bool allBirthdays(const Numbers& numbers);
// previousDraw may be null: without the latest draw the tip is not compared with it.
PatternSet patternsOf(const Numbers& numbers, const Numbers* previousDraw);

struct Estimate {
    double value = 1;
    double se = 0;
};

// What the data file holds. Popularities are relative: mean 1 for the Glückszahlen, geometric mean 1 for
// the numbers (only their ratios matter).
struct Model {
    std::string years; // "2013-2025"
    int draws = 0;
    std::array<Estimate, 6> lucky;
    std::array<Estimate, 42> numbers;
    // How many times as often a tip of the pattern is played as its numbers alone make it; for reports.
    std::array<Estimate, PatternCount> patternPopularity;
    // What the pattern does to the prize of a hit with 3, 4 and 5 numbers; 1 where the data show nothing.
    std::array<std::array<Estimate, 3>, PatternCount> patternFactor;
    std::array<Estimate, RankCount> meanPrize; // CHF over the fitted draws
    // The mean of the factor of a random tip in each rank as computed here, divided out so that it is 1.
    std::array<double, RankCount> normalisation{1, 1, 1, 1, 1, 1};
    // The uncut prize of "5" in units of CHF 1,000 is log-normal over the draws, with these parameters.
    double fiveMu = 10;
    double fiveSigma = 0.1;
};

// Reads the data file's text. Lines starting with '#' are comments; kinds it does not know are skipped, so
// that later files can add to it. Returns nothing, and says why in *error, when a value is missing or bad.
std::optional<Model> parseModel(std::string_view text, std::string* error = nullptr);

struct Result {
    double factor = 1; // the return of the tip in ranks 3 to 8 against a random tip's
    double factorSe = 0;
    double expectedReturn = 0; // CHF per tip of CHF 2.50, ranks 3 to 8
    double expectedReturnSe = 0;
    double randomReturn = 0; // CHF, the same for a random tip
    std::array<double, RankCount> rankFactors{};
    PatternSet patterns{};
};

// numbers: six distinct of 1..42 in any order, lucky: 1..6 (else std::invalid_argument). The standard
// errors propagate those of the file one parameter at a time (their correlations are left out: the README
// says how far that holds).
Result shareFactor(const Model& model, const Numbers& numbers, int lucky,
                   const Numbers* previousDraw = nullptr);

// The factors of the six ranks before the standard errors, given the patterns: what the fitter averages over
// random tips for the normalisation.
std::array<double, RankCount> rankFactors(const Model& model, const Numbers& numbers, int lucky,
                                          const PatternSet& patterns);

} // namespace share
