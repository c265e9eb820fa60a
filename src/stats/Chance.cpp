#include "stats/Chance.h"

#include "game/Game.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace chance {

namespace {

constexpr double LowerQuantile = 0.025;
constexpr double UpperQuantile = 0.975;

// Walks the binomial probabilities from k = 0 upward, each from the one before, and calls `reached` with
// k and P(X <= k) until it answers true; returns that k (trials when it never does).
template <typename Reached> int walkBinomial(int trials, double share, Reached reached) {
    if (trials <= 0 || share <= 0) {
        reached(0, 1.0);
        return 0;
    }
    if (share >= 1) return trials;
    const double logOdds = std::log(share) - std::log1p(-share);
    double logTerm = trials * std::log1p(-share); // P(X = 0)
    double cumulative = 0;
    for (int k = 0; k < trials; ++k) {
        cumulative += std::exp(logTerm);
        if (reached(k, cumulative)) return k;
        logTerm += std::log(double(trials - k) / double(k + 1)) + logOdds;
    }
    return trials;
}

} // namespace

double groupShare(const Game& game, int groupSize) {
    double share = 1;
    for (int i = 0; i < std::clamp(groupSize, 1, game.numbers.drawn); ++i)
        share *= double(game.numbers.drawn - i) / double(game.numbers.highest() - i);
    return share;
}

int binomialQuantile(int trials, double share, double q) {
    return walkBinomial(trials, share, [q](int, double cumulative) { return cumulative >= q; });
}

Band binomialBand(int trials, double share) {
    Band band;
    band.expected = trials > 0 ? trials * share : 0;
    bool lowFound = false;
    double before = 0;   // P(X <= k - 1) at the step under way
    double belowLow = 0; // P(X < low)
    double upToHigh = 1; // P(X <= high)
    band.high = walkBinomial(trials, share, [&](int k, double cumulative) {
        if (!lowFound && cumulative >= LowerQuantile) {
            band.low = k;
            lowFound = true;
            belowLow = before;
        }
        before = cumulative;
        if (cumulative < UpperQuantile) return false;
        upToHigh = cumulative;
        return true;
    });
    if (!lowFound) {
        band.low = band.high;
        belowLow = before;
    }
    band.outside = std::clamp(belowLow + (1 - upToHigh), 0.0, 1.0);
    return band;
}

Band mixedBand(const std::vector<std::pair<int, double>>& parts) {
    if (parts.size() == 1) return binomialBand(parts[0].first, parts[0].second);
    // The distribution of the sum, from 0 up; each binomial's terms below 1e-18 of its peak left out.
    std::vector<double> sum{1};
    Band band;
    for (const auto& [trials, share] : parts) {
        if (trials <= 0 || share <= 0) continue;
        band.expected += trials * share;
        std::vector<double> terms(std::size_t(trials) + 1, 0);
        double before = 0;
        walkBinomial(trials, share, [&](int k, double cumulative) {
            terms[std::size_t(k)] = cumulative - before;
            before = cumulative;
            return false;
        });
        terms[std::size_t(trials)] = std::max(0.0, 1 - before);
        std::vector<double> next(sum.size() + terms.size() - 1, 0);
        for (std::size_t i = 0; i < sum.size(); ++i)
            if (sum[i] > 1e-18)
                for (std::size_t j = 0; j < terms.size(); ++j) next[i + j] += sum[i] * terms[j];
        sum = std::move(next);
    }
    double cumulative = 0;
    bool lowFound = false;
    for (std::size_t k = 0; k < sum.size(); ++k) {
        const double before = cumulative;
        cumulative += sum[k];
        if (!lowFound && cumulative >= LowerQuantile) {
            band.low = int(k);
            band.outside = before;
            lowFound = true;
        }
        if (cumulative >= UpperQuantile) {
            band.high = int(k);
            band.outside = std::clamp(band.outside + (1 - cumulative), 0.0, 1.0);
            return band;
        }
    }
    band.high = int(sum.size()) - 1;
    return band;
}

std::vector<qint64> digitSumWays(const Game& game) {
    // ways[j][s]: sets of j numbers out of those seen so far with the sum s.
    const int drawn = game.numbers.drawn;
    int largest = 0;
    for (int i = 0; i < drawn; ++i) largest += game.numbers.highest() - i;
    std::vector<std::vector<qint64>> ways(std::size_t(drawn + 1),
                                          std::vector<qint64>(std::size_t(largest + 1)));
    ways[0][0] = 1;
    for (int n = 1; n <= game.numbers.highest(); ++n)
        for (int j = drawn; j >= 1; --j)
            for (int s = largest; s >= n; --s)
                ways[std::size_t(j)][std::size_t(s)] += ways[std::size_t(j - 1)][std::size_t(s - n)];
    return ways[std::size_t(drawn)];
}

Band overdueBand(const Game& game, int draws) {
    Band band;
    band.outside = -1;
    band.expected = 1;
    band.low = 1;
    band.high = 1;
    if (draws <= 0) return band;
    // Each draw misses a given number with the share q; the value is 1 + k when the last k draws missed it
    // and the one before did not, and draws + 1 when all of them missed it.
    const double q = 1 - game.numberShare();
    double missedAll = 1; // q^k
    bool lowFound = false;
    bool highFound = false;
    for (int k = 0; k < draws; ++k) {
        missedAll *= q;
        band.expected += missedAll;
        const double cumulative = 1 - missedAll; // P(value <= k + 1)
        if (!lowFound && cumulative >= LowerQuantile) {
            band.low = k + 1;
            lowFound = true;
        }
        if (!highFound && cumulative >= UpperQuantile) {
            band.high = k + 1;
            highFound = true;
        }
    }
    if (!lowFound) band.low = draws + 1;
    if (!highFound) band.high = draws + 1;
    return band;
}

double chiSquareUpperTail(double x, int degreesOfFreedom) {
    if (!(x > 0)) return 1;
    const int df = std::max(1, degreesOfFreedom);
    const double h = x / 2;
    if (df % 2 == 0) {
        // Q = e^(−h) Σ_{i<df/2} h^i / i!
        double term = 1;
        double sum = 1;
        for (int i = 1; i < df / 2; ++i) {
            term *= h / i;
            sum += term;
        }
        return std::clamp(std::exp(std::log(sum) - h), 0.0, 1.0);
    }
    // Q = erfc(√h) + √(2x/π) e^(−h) Σ_{i=1}^{(df−1)/2} x^(i−1) / (1 · 3 · … · (2i − 1)), each term in log
    // space so that none overflows before the factor that makes it small.
    double q = std::erfc(std::sqrt(h));
    const double logFront = 0.5 * std::log(2 * x / std::numbers::pi) - h;
    double logTerm = 0; // log of x^(i−1) / (2i − 1)!!
    for (int i = 1; i <= (df - 1) / 2; ++i) {
        logTerm += i == 1 ? 0 : std::log(x) - std::log(2.0 * i - 1);
        q += std::exp(logFront + logTerm);
    }
    return std::clamp(q, 0.0, 1.0);
}

Verdict countsVerdict(const std::vector<qint64>& counts, int draws, double share, double correction) {
    Verdict verdict;
    verdict.draws = draws;
    if (draws <= 0 || counts.size() < 2) return verdict;
    const double expected = draws * share;
    double sum = 0;
    for (const qint64 observed : counts) sum += (observed - expected) * (observed - expected) / expected;
    verdict.statistic = sum * correction;
    verdict.p = chiSquareUpperTail(verdict.statistic, static_cast<int>(counts.size()) - 1);
    return verdict;
}

Verdict expectedVerdict(const std::vector<qint64>& counts, const std::vector<double>& expected, int draws,
                        double correction) {
    Verdict verdict;
    verdict.draws = draws;
    if (draws <= 0 || counts.size() < 2 || counts.size() != expected.size()) return verdict;
    double sum = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
        if (expected[i] > 0)
            sum += (double(counts[i]) - expected[i]) * (double(counts[i]) - expected[i]) / expected[i];
    verdict.statistic = sum * correction;
    verdict.p = chiSquareUpperTail(verdict.statistic, static_cast<int>(counts.size()) - 1);
    return verdict;
}

Verdict frequencyVerdict(const Game& game, const std::vector<qint64>& counts, int draws) {
    // The numbers counted per draw come without replacement: their counts spread less than independent
    // ones would, by (highest − 1) / (highest − counted).
    const double correction =
        double(game.numbers.highest() - 1) / double(game.numbers.highest() - game.countedPerDraw());
    return countsVerdict(counts, draws, game.numberShare(), correction);
}

QString verdictText(const Verdict& verdict) {
    if (verdict.draws < FewestDraws) return QStringLiteral("Zufallstest: zu wenige Ziehungen");
    const QLocale locale;
    QString p;
    if (verdict.p >= 0.01) {
        p = QStringLiteral("p = ") + locale.toString(verdict.p, 'f', 2);
    } else {
        // Three decimals below 0.01; what would show as 0.010 or 0.000 says on which side it lies.
        const double thousandths = std::nearbyint(verdict.p * 1000);
        if (thousandths >= 10)
            p = QStringLiteral("p < ") + locale.toString(0.01, 'f', 2);
        else if (thousandths < 1)
            p = QStringLiteral("p < ") + locale.toString(0.001, 'f', 3);
        else
            p = QStringLiteral("p = ") + locale.toString(thousandths / 1000, 'f', 3);
    }
    return QStringLiteral("Zufallstest: ") +
           (verdict.p >= 0.01 ? QStringLiteral("unauffällig") : QStringLiteral("auffällig")) +
           QStringLiteral(" (") + p + QLatin1Char(')');
}

} // namespace chance
