// fit_popularity <quotas.csv> <out-file>
//
// Fits how popular the Glückszahlen, the numbers and some patterns of "6 aus 42" are, from the published
// winner counts and prizes of each draw, and writes the model that share::parseModel reads. Deterministic:
// the same input gives the same bytes (fixed seeds, fixed formats).
#include "stats/ShareFactor.h"

#include <Eigen/Dense>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using share::Numbers;
using share::Pattern;
using share::PatternCount;
using Mask = unsigned long long;

// The file's ranks, best first; the pools of "4 + GZ" to "3" are fixed shares of the stakes.
const std::array<std::string, 8> FileRanks{"6+GZ", "6", "5+GZ", "5", "4+GZ", "4", "3+GZ", "3"};
enum { R5Lucky = 2, R5 = 3, R4Lucky = 4, R4 = 5, R3Lucky = 6, R3 = 7 };
// The record of the quotas and the record of the draws disagree on one number of these draws; the winner
// counts belong to one of the two readings, which no third record settles.
const std::vector<std::string> DisputedDraws{"15.03.2025"};

struct Draw {
    std::string date;
    int year = 0;
    bool saturday = false;
    Numbers numbers{};
    int lucky = 0;
    Mask mask = 0;
    std::array<double, 8> winners{}, quota{};
    std::string leftOut; // why the fit does not use the draw
    // The stakes up to a constant: the pool of "3", a fixed share of them within a payout plan.
    double stake() const { return winners[R3] * quota[R3]; }
    double pool(int r) const { return winners[r] * quota[r]; }
};

double choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}
// The share of all tips (numbers only) with exactly k of the six drawn.
double hitShare(int k) {
    return choose(6, k) * choose(36, 6 - k) / choose(42, 6);
}

std::string fixed(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", digits, v);
    return std::string(buf) == "-0." + std::string(digits, '0') ? std::string(buf + 1) : std::string(buf);
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, ';');) out.push_back(f);
    if (!line.empty() && line.back() == ';') out.emplace_back();
    return out;
}

std::vector<Draw> readQuotas(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string line;
    std::getline(in, line);
    const auto header = split(line);
    auto column = [&](const std::string& name) {
        const auto it = std::find(header.begin(), header.end(), name);
        if (it == header.end()) throw std::runtime_error("no column " + name);
        return static_cast<size_t>(it - header.begin());
    };
    std::vector<Draw> draws;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const auto f = split(line);
        Draw d;
        d.date = f.at(column("Datum"));
        d.year = std::stoi(d.date.substr(6, 4));
        d.saturday = f.at(column("Wochentag")) == "Sa";
        for (int i = 0; i < 6; ++i) {
            d.numbers[i] = std::stoi(f.at(column("Zahl " + std::to_string(i + 1))));
            d.mask |= Mask{1} << d.numbers[i];
        }
        d.lucky = std::stoi(f.at(column("Glückszahl")));
        for (int r = 0; r < 8; ++r) {
            d.winners[r] = std::stod(f.at(column("Gewinner " + FileRanks[r])));
            d.quota[r] = std::stod(f.at(column("Quote " + FileRanks[r] + " CHF")));
        }
        if (std::popcount(d.mask) != 6 || (d.mask & ~((Mask{1} << 43) - 2)) || d.lucky < 1 || d.lucky > 6)
            throw std::runtime_error("bad draw " + d.date);
        draws.push_back(d);
    }
    return draws;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Leaves out the disputed draws and those whose pools of "4 + GZ", "4" and "3 + GZ" do not stand to the
// pool of "3" as in the rest of their year (rounding moves them by 0.3 %): there a winner count or a prize
// was copied wrong, and which one cannot be told.
void checkDraws(std::vector<Draw>& draws) {
    std::map<int, std::array<std::vector<double>, 3>> ratios;
    for (const Draw& d : draws)
        for (int r = R4Lucky; r < R3; ++r) ratios[d.year][r - R4Lucky].push_back(d.pool(r) / d.stake());
    for (Draw& d : draws) {
        if (std::find(DisputedDraws.begin(), DisputedDraws.end(), d.date) != DisputedDraws.end())
            d.leftOut = "disputed numbers";
        for (int r = R4Lucky; r < R3; ++r)
            if (std::abs(d.pool(r) / d.stake() / median(ratios[d.year][r - R4Lucky]) - 1) > 0.02)
                d.leftOut = "pool of " + FileRanks[r] + " off its share";
    }
}

// The patterns of the tips some players choose beyond what their numbers say. For a draw and k hits, z is
// how much more often the tips of a pattern have k hits than all tips do (1 on average over draws): the
// winner count grows by the factor 1 + m z, m the extra share of the stakes that goes to the pattern.
struct PatternTips {
    std::vector<Mask> sequences;              // the 156 arithmetic sequences of six
    std::array<double, PatternCount> share{}; // of all tips, those of the pattern
};

// Three neighbours (a run) or two (a pair).
bool hasRun(Mask m) {
    return (m & (m >> 1) & (m >> 2)) != 0;
}
bool hasPair(Mask m) {
    return (m & (m >> 1)) != 0;
}
bool neighbours(Pattern p, Mask m) {
    return p == Pattern::Run ? hasRun(m) : hasPair(m);
}

PatternTips patternTips() {
    PatternTips t;
    for (int step = 1; 1 + 5 * step <= 42; ++step)
        for (int first = 1; first + 5 * step <= 42; ++first) {
            Mask m = 0;
            for (int i = 0; i < 6; ++i) m |= Mask{1} << (first + i * step);
            t.sequences.push_back(m);
        }
    long long runs = 0, pairs = 0;
    for (int a = 1; a <= 37; ++a)
        for (int b = a + 1; b <= 38; ++b)
            for (int c = b + 1; c <= 39; ++c)
                for (int d = c + 1; d <= 40; ++d)
                    for (int e = d + 1; e <= 41; ++e)
                        for (int f = e + 1; f <= 42; ++f) {
                            const Mask m = (Mask{1} << a) | (Mask{1} << b) | (Mask{1} << c) | (Mask{1} << d) |
                                           (Mask{1} << e) | (Mask{1} << f);
                            runs += hasRun(m);
                            pairs += hasPair(m);
                        }
    const double all = choose(42, 6);
    t.share = {156 / all, runs / all, pairs / all, choose(31, 6) / all, 1 / all};
    return t;
}

// All ways to pick `size` of the bits of `from`, as masks.
std::vector<Mask> subsets(Mask from, int size) {
    std::vector<int> bits;
    for (int n = 1; n <= 42; ++n)
        if (from >> n & 1) bits.push_back(n);
    std::vector<Mask> out;
    std::vector<int> idx(size);
    for (int i = 0; i < size; ++i) idx[i] = i;
    while (true) {
        Mask m = 0;
        for (int i : idx) m |= Mask{1} << bits[i];
        out.push_back(m);
        int i = size - 1;
        while (i >= 0 && idx[i] == static_cast<int>(bits.size()) - size + i) --i;
        if (i < 0) break;
        ++idx[i];
        for (int j = i + 1; j < size; ++j) idx[j] = idx[j - 1] + 1;
    }
    return out;
}

const Mask AllNumbers = ((Mask{1} << 43) - 2);
const Mask Birthdays = ((Mask{1} << 32) - 2);

double patternZ(const PatternTips& tips, Pattern p, int k, Mask draw, Mask previous) {
    switch (p) {
    case Pattern::Sequence: {
        int n = 0;
        for (Mask s : tips.sequences) n += std::popcount(s & draw) == k;
        return n / double(tips.sequences.size()) / hitShare(k);
    }
    case Pattern::Run:
    case Pattern::Pair: {
        const auto mine = subsets(draw, k), others = subsets(AllNumbers & ~draw, 6 - k);
        long long n = 0;
        for (Mask a : mine)
            for (Mask b : others) n += neighbours(p, a | b);
        return n / (tips.share[static_cast<int>(p)] * choose(42, 6)) / hitShare(k);
    }
    case Pattern::Birthday: {
        const int j = std::popcount(draw & Birthdays);
        return choose(j, k) * choose(31 - j, 6 - k) / choose(31, 6) / hitShare(k);
    }
    case Pattern::PreviousDraw:
        return previous ? (std::popcount(draw & previous) == k) / hitShare(k) : 1;
    }
    return 1;
}

// One observation: the winners with k hits (with and without the Glückszahl) in a draw.
struct Observation {
    int draw, k;
    double y, logStake;
    std::array<double, PatternCount> z;
};

// log E[y] = log stake + α_k + year + Saturday + c_k Σ θ over the drawn numbers + log(1 + Σ m_p z_p),
// θ summing to 0 (θ_42 = −Σ the others: a shift of all θ is the same as one of the α).
struct NumberFit {
    int firstYear = 0, years = 0;
    Eigen::VectorXd beta;
    Eigen::MatrixXd cov; // clustered by draw: the three counts of a draw share its surprises
    std::array<double, 3> dispersion{};
    int draws = 0;
    int yearCol(int year) const { return 3 + (year - firstYear) - 1; }
    int satCol() const { return 3 + years - 1; }
    int thetaCol() const { return satCol() + 1; }
    int patternCol() const { return thetaCol() + 41; }
    int size() const { return patternCol() + PatternCount; }
    double theta(int n) const {
        return n < 42 ? beta[thetaCol() + n - 1] : -beta.segment(thetaCol(), 41).sum();
    }
    double thetaSe(int n) const {
        if (n < 42) return std::sqrt(cov(thetaCol() + n - 1, thetaCol() + n - 1));
        return std::sqrt(cov.block(thetaCol(), thetaCol(), 41, 41).sum());
    }
    double m(int p) const { return beta[patternCol() + p]; }
    double mSe(int p) const { return std::sqrt(cov(patternCol() + p, patternCol() + p)); }
    // The part of log E[y] that depends on the numbers drawn.
    double popularity(const Draw& d, const Observation& o) const {
        double s = 0, mix = 1;
        for (int n : d.numbers) s += theta(n);
        for (int p = 0; p < PatternCount; ++p) mix += m(p) * o.z[p];
        return share::drawnWeightShare(o.k) * s + std::log(mix);
    }
};

std::vector<Observation> observations(const std::vector<Draw>& draws, const PatternTips& tips, int from,
                                      int to) {
    std::vector<Observation> obs;
    for (size_t i = 0; i < draws.size(); ++i) {
        const Draw& d = draws[i];
        if (d.year < from || d.year > to || !d.leftOut.empty()) continue;
        for (int k = 3; k <= 5; ++k) {
            const int r = k == 3 ? R3 : k == 4 ? R4 : R5;
            Observation o{static_cast<int>(i), k, d.winners[r] + d.winners[r - 1], std::log(d.stake()), {}};
            for (int p = 0; p < PatternCount; ++p)
                o.z[p] = patternZ(tips, Pattern(p), k, d.mask, i ? draws[i - 1].mask : 0);
            obs.push_back(o);
        }
    }
    return obs;
}

NumberFit fitNumbers(const std::vector<Draw>& draws, const std::vector<Observation>& obs) {
    NumberFit fit;
    fit.firstYear = draws[obs.front().draw].year;
    fit.years = draws[obs.back().draw].year - fit.firstYear + 1;
    const int n = static_cast<int>(obs.size()), p = fit.size();
    fit.beta = Eigen::VectorXd::Zero(p);
    for (int k = 3; k <= 5; ++k) {
        double y = 0, s = 0;
        for (const auto& o : obs)
            if (o.k == k) y += o.y, s += std::exp(o.logStake);
        fit.beta[k - 3] = std::log(y / s);
    }
    Eigen::MatrixXd J(n, p);
    Eigen::VectorXd mu(n);
    // Predictions and their derivatives at fit.beta; false where 1 + Σ m z is not positive.
    auto evaluate = [&]() {
        J.setZero();
        bool valid = true;
        for (int i = 0; i < n; ++i) {
            const Observation& o = obs[i];
            const Draw& d = draws[o.draw];
            double mix = 1;
            for (int q = 0; q < PatternCount; ++q) mix += fit.m(q) * o.z[q];
            valid = valid && mix > 0;
            J(i, o.k - 3) = 1;
            if (d.year > fit.firstYear) J(i, fit.yearCol(d.year)) = 1;
            if (d.saturday) J(i, fit.satCol()) = 1;
            const double c = share::drawnWeightShare(o.k);
            for (int num : d.numbers)
                if (num < 42)
                    J(i, fit.thetaCol() + num - 1) += c;
                else
                    J.row(i).segment(fit.thetaCol(), 41).array() -= c;
            for (int q = 0; q < PatternCount; ++q) J(i, fit.patternCol() + q) = o.z[q] / std::max(mix, 1e-12);
            const double level = J.row(i).head(fit.thetaCol()).dot(fit.beta.head(fit.thetaCol()));
            mu[i] = valid ? std::exp(o.logStake + level + fit.popularity(d, o)) : 1;
        }
        return valid;
    };
    auto deviance = [&]() {
        double dev = 0;
        for (int i = 0; i < n; ++i) {
            const double y = obs[i].y;
            dev += 2 * ((y > 0 ? y * std::log(y / mu[i]) : 0) - (y - mu[i])) / fit.dispersion[obs[i].k - 3];
        }
        return dev;
    };
    fit.dispersion = {1, 1, 1};
    // Quasi-Poisson: the variance is φ_k μ, φ_k from the Pearson statistic; fitted again with the new φ.
    for (int round = 0; round < 4; ++round) {
        evaluate();
        double dev = deviance();
        for (int iter = 0; iter < 200; ++iter) {
            Eigen::VectorXd w(n), r(n);
            for (int i = 0; i < n; ++i) {
                w[i] = std::sqrt(mu[i] / fit.dispersion[obs[i].k - 3]);
                r[i] = (obs[i].y - mu[i]) / mu[i] * w[i];
            }
            // Gauss-Newton on the weighted working residuals: Fisher scoring for a predictor that is not
            // linear in m.
            const Eigen::VectorXd step = (w.asDiagonal() * J).colPivHouseholderQr().solve(r);
            const Eigen::VectorXd from = fit.beta;
            double t = 1;
            for (; t > 1e-6; t /= 2) {
                fit.beta = from + t * step;
                if (evaluate() && deviance() <= dev + 1e-9) break;
            }
            if (t <= 1e-6) {
                fit.beta = from;
                evaluate();
                break;
            }
            const double newDev = deviance();
            const bool done = (t * step).cwiseAbs().maxCoeff() < 1e-10 || dev - newDev < 1e-12 * dev;
            dev = newDev;
            if (done) break;
        }
        evaluate();
        std::array<double, 3> pearson{}, count{};
        for (int i = 0; i < n; ++i) {
            pearson[obs[i].k - 3] += std::pow(obs[i].y - mu[i], 2) / mu[i];
            count[obs[i].k - 3] += 1;
        }
        for (int k = 0; k < 3; ++k) fit.dispersion[k] = pearson[k] / (count[k] - double(p) / 3);
    }
    // Sandwich covariance, summed over draws.
    Eigen::MatrixXd bread = Eigen::MatrixXd::Zero(p, p), meat = Eigen::MatrixXd::Zero(p, p);
    Eigen::VectorXd score = Eigen::VectorXd::Zero(p);
    int clusters = 0;
    for (int i = 0; i < n; ++i) {
        const double phi = fit.dispersion[obs[i].k - 3];
        bread += J.row(i).transpose() * J.row(i) * (mu[i] / phi);
        score += J.row(i).transpose() * ((obs[i].y - mu[i]) / phi);
        if (i + 1 == n || obs[i + 1].draw != obs[i].draw) {
            meat += score * score.transpose();
            score.setZero();
            ++clusters;
        }
    }
    const Eigen::MatrixXd inv = bread.ldlt().solve(Eigen::MatrixXd::Identity(p, p));
    fit.cov = inv * meat * inv * (double(clusters) / (clusters - 1));
    fit.draws = clusters;
    return fit;
}

// The share of the winners of "3" and "4" who held the drawn Glückszahl, for each Glückszahl: a ratio over
// the draws that drew it. Its error comes from how the years scatter about it, not the draws: the shares
// drift a little from year to year (the 3 from 20.5 % in 2013-2019 to 19.7 % since), more than the draws of
// one year scatter.
std::array<share::Estimate, 6> luckyShares(const std::vector<Draw>& draws, int from, int to) {
    std::array<share::Estimate, 6> out;
    for (int g = 1; g <= 6; ++g) {
        std::map<int, std::pair<double, double>> byYear;
        double a = 0, b = 0;
        for (const Draw& d : draws)
            if (d.lucky == g && d.year >= from && d.year <= to && d.leftOut.empty()) {
                const double hit = d.winners[R3Lucky] + d.winners[R4Lucky];
                const double all = hit + d.winners[R3] + d.winners[R4];
                byYear[d.year].first += hit, byYear[d.year].second += all;
                a += hit, b += all;
            }
        const double q = a / b, years = static_cast<double>(byYear.size());
        double ss = 0;
        for (const auto& [year, ab] : byYear) ss += std::pow(ab.first - q * ab.second, 2);
        out[g - 1] = {q, std::sqrt(ss * years / (years - 1)) / b};
    }
    return out;
}

// Popularity, mean 1: six times the share, divided by the sum of the shares (which chance would make 1).
std::array<share::Estimate, 6> luckyPopularity(const std::array<share::Estimate, 6>& q) {
    double sum = 0;
    for (const auto& e : q) sum += e.value;
    std::array<share::Estimate, 6> out;
    for (int g = 0; g < 6; ++g) {
        double var = 0;
        for (int h = 0; h < 6; ++h)
            var += std::pow(6 * ((g == h) * sum - q[g].value) / (sum * sum) * q[h].se, 2);
        out[g] = {6 * q[g].value / sum, std::sqrt(var)};
    }
    return out;
}

// What a pattern does to the prize of a hit with k numbers: the mean of 1 / (1 + m z) over the draws that
// give a tip of the pattern k hits, against its mean over all draws. Exact where z is simple, else by a
// fixed-seed simulation; the same draws for m and m ± se.
std::array<share::Estimate, 3> patternFactors(const PatternTips& tips, Pattern p, double m, double se) {
    std::array<share::Estimate, 3> out;
    std::mt19937_64 rng(20130112 + static_cast<int>(p));
    auto pick = [&](Mask from, int size) {
        std::vector<int> bits;
        for (int n = 1; n <= 42; ++n)
            if (from >> n & 1) bits.push_back(n);
        Mask mask = 0;
        for (int i = 0; i < size; ++i) {
            std::swap(bits[i], bits[i + rng() % (bits.size() - i)]);
            mask |= Mask{1} << bits[i];
        }
        return mask;
    };
    const int samples = p == Pattern::Run || p == Pattern::Pair ? 500 : 20000;
    for (int k = 3; k <= 5; ++k) {
        std::vector<double> hitZ, allZ;
        std::vector<double> hitWeight, allWeight; // exact sums carry weights
        if (p == Pattern::PreviousDraw) {
            hitZ = {1 / hitShare(k)}, hitWeight = {1};
            allZ = {1 / hitShare(k), 0}, allWeight = {hitShare(k), 1 - hitShare(k)};
        } else if (p == Pattern::Birthday) {
            // A tip of numbers up to 31 with k hits: j, the drawn numbers up to 31, is k plus those of the
            // other 6 − k drawn among the 25 low and 11 high numbers it does not hold.
            for (int low = 0; low <= 6 - k; ++low) {
                hitZ.push_back(patternZ(tips, p, k, Birthdays & ((Mask{1} << (k + low + 1)) - 2), 0));
                hitWeight.push_back(choose(25, low) * choose(11, 6 - k - low) / choose(36, 6 - k));
            }
            for (int j = 0; j <= 6; ++j) {
                allZ.push_back(patternZ(tips, p, k, Birthdays & ((Mask{1} << (j + 1)) - 2), 0));
                allWeight.push_back(choose(31, j) * choose(11, 6 - j) / choose(42, 6));
            }
        } else {
            for (int s = 0; s < samples; ++s) {
                Mask tip;
                if (p == Pattern::Sequence)
                    tip = tips.sequences[rng() % tips.sequences.size()];
                else
                    do tip = pick(AllNumbers, 6);
                    while (!neighbours(p, tip));
                const Mask hit = pick(tip, k) | pick(AllNumbers & ~tip, 6 - k);
                hitZ.push_back(patternZ(tips, p, k, hit, 0));
                allZ.push_back(patternZ(tips, p, k, pick(AllNumbers, 6), 0));
            }
            hitWeight.assign(samples, 1.0 / samples);
            allWeight = hitWeight;
        }
        auto factor = [&](double mm) {
            double hit = 0, all = 0;
            for (size_t i = 0; i < hitZ.size(); ++i) hit += hitWeight[i] / (1 + mm * hitZ[i]);
            for (size_t i = 0; i < allZ.size(); ++i) all += allWeight[i] / (1 + mm * allZ[i]);
            return hit / all;
        };
        // m may not go below what keeps every 1 + m z positive.
        double floor = -1e9;
        for (double z : hitZ) floor = std::max(floor, -0.999 / std::max(z, 1e-12));
        for (double z : allZ) floor = std::max(floor, -0.999 / std::max(z, 1e-12));
        const double low = std::max(m - se, floor);
        if (std::abs(m) >= 2 * se) {
            out[k - 3] = {factor(m), std::abs(factor(m + se) - factor(low)) * se / (m + se - low)};
        } else {
            // The data show no pattern: no factor, but an error that puts the upper end of what they allow
            // (m + 2 se) two errors away, since an unseen pattern may still be played.
            out[k - 3] = {1, std::abs(1 - factor(std::max(m, 0.0) + 2 * se)) / 2};
        }
    }
    return out;
}

} // namespace

namespace {

// The uncut prize of "5" in units of CHF 1,000, over the draws: its pool is a fixed share of the stakes
// (seen in the draws where it was cut), divided among its winners.
std::pair<double, double> fiveSpread(const std::vector<Draw>& draws, int from, int to) {
    std::map<int, std::vector<double>> cutShare;
    for (const Draw& d : draws)
        if (d.quota[R5] < 1000 && d.winners[R5] > 0 && d.leftOut.empty())
            cutShare[d.year].push_back(d.pool(R5) / d.stake());
    std::vector<double> logs;
    for (const Draw& d : draws) {
        if (d.year < from || d.year > to || !d.leftOut.empty() || d.winners[R5] == 0) continue;
        // A year without a cut takes the share of the nearest year with one, the earlier first.
        int year = d.year;
        for (int step = 1; !cutShare.count(year); ++step)
            year = cutShare.count(d.year - step) ? d.year - step : d.year + step;
        logs.push_back(std::log(median(cutShare[year]) * d.stake() / (1000 * d.winners[R5])));
    }
    double mean = 0, var = 0;
    for (double v : logs) mean += v / logs.size();
    for (double v : logs) var += (v - mean) * (v - mean) / (logs.size() - 1);
    return {mean, std::sqrt(var)};
}

// Correlation, slope of the actual on the predicted, and the share of the actual's variance the prediction
// takes away as it stands: the popularity part of log(winners / stake), each centred within its year,
// weekday and hits, since a new year's level is not known beforehand.
std::string agreement(const std::vector<Draw>& draws, const std::vector<Observation>& obs,
                      const NumberFit& fit, int k) {
    std::map<std::pair<int, bool>, std::vector<std::pair<double, double>>> groups;
    for (const Observation& o : obs)
        if (o.k == k) {
            const Draw& d = draws[o.draw];
            groups[{d.year, d.saturday}].emplace_back(fit.popularity(d, o), std::log(o.y) - o.logStake);
        }
    double sxx = 0, sxy = 0, syy = 0, see = 0;
    for (auto& [key, v] : groups) {
        double mx = 0, my = 0;
        for (auto [x, y] : v) mx += x / v.size(), my += y / v.size();
        for (auto [x, y] : v) {
            sxx += (x - mx) * (x - mx), sxy += (x - mx) * (y - my), syy += (y - my) * (y - my);
            see += std::pow((y - my) - (x - mx), 2);
        }
    }
    return "correlation " + fixed(sxy / std::sqrt(sxx * syy), 3) + ", slope " + fixed(sxy / sxx, 3) +
           ", explained " + fixed(1 - see / syy, 3) + ", sd actual " +
           fixed(std::sqrt(syy / obs.size() * 3), 4) + ", sd predicted " +
           fixed(std::sqrt(sxx / obs.size() * 3), 4);
}

std::string modelText(const std::vector<Draw>& draws, const PatternTips& tips, int first, int last) {
    const auto obs = observations(draws, tips, first, last);
    const NumberFit fit = fitNumbers(draws, obs);
    const auto lucky = luckyPopularity(luckyShares(draws, first, last));
    std::ostringstream out;
    out << "# Popularity of the Glückszahlen, numbers and patterns of \"6 aus 42\", fitted by "
           "fit_popularity\n"
        << "# from the published winner counts and prizes. Values relative to a random tip; se: standard "
           "error.\n";
    for (const Draw& d : draws)
        if (!d.leftOut.empty() && d.year >= first && d.year <= last)
            out << "# left out: " << d.date << " (" << d.leftOut << ")\n";
    out << "# dispersion (variance / Poisson variance) of the winners with 3, 4, 5 hits: "
        << fixed(fit.dispersion[0], 1) << ", " << fixed(fit.dispersion[1], 1) << ", "
        << fixed(fit.dispersion[2], 2) << "\n";
    out << "art;name;wert;se\n";
    out << "daten;" << first << "-" << last << ";" << fit.draws << ";0\n";
    for (int g = 0; g < 6; ++g)
        out << "glueckszahl;" << g + 1 << ";" << fixed(lucky[g].value, 4) << ";" << fixed(lucky[g].se, 4)
            << "\n";
    for (int n = 1; n <= 42; ++n) {
        const double w = std::exp(fit.theta(n));
        out << "zahl;" << n << ";" << fixed(w, 4) << ";" << fixed(w * fit.thetaSe(n), 4) << "\n";
    }
    for (int p = 0; p < PatternCount; ++p) {
        const char* key = share::patternKey(Pattern(p));
        const double h = tips.share[p];
        out << "muster;" << key << ";" << fixed(1 + fit.m(p) / h, 4) << ";" << fixed(fit.mSe(p) / h, 4)
            << "\n";
        const auto f = patternFactors(tips, Pattern(p), fit.m(p), fit.mSe(p));
        for (int k = 3; k <= 5; ++k)
            out << "musterfaktor;" << key << ":" << k << ";" << fixed(f[k - 3].value, 4) << ";"
                << fixed(f[k - 3].se, 4) << "\n";
    }
    for (int r = 0; r < share::RankCount; ++r) {
        std::vector<double> q;
        for (const Draw& d : draws)
            if (d.year >= first && d.year <= last && d.leftOut.empty() && d.winners[R5Lucky + r] > 0)
                q.push_back(d.quota[R5Lucky + r]);
        double mean = 0, var = 0;
        for (double v : q) mean += v / q.size();
        for (double v : q) var += (v - mean) * (v - mean) / (q.size() - 1);
        out << "rang;" << share::Ranks[r].name << ";" << fixed(mean, 2) << ";"
            << fixed(std::sqrt(var / q.size()), 2) << "\n";
    }
    const auto [mu, sigma] = fiveSpread(draws, first, last);
    out << "fuenfer;mu;" << fixed(mu, 4) << ";0\nfuenfer;sigma;" << fixed(sigma, 4) << ";0\n";
    return out.str();
}

// Divides out the mean factor of random tips (numbers and Glückszahl alike), computed from the text as the
// program reads it, so that a random tip has factor 1 in every rank. "5" depends on the shared ranks'
// normalisation, hence the second pass.
std::string normalisation(share::Model model) {
    constexpr int Tips = 200000;
    std::array<double, share::RankCount> sum{}, squares{};
    for (int pass = 0; pass < 2; ++pass) {
        std::mt19937_64 rng(42);
        sum = {}, squares = {};
        for (int t = 0; t < Tips; ++t) {
            std::array<int, 42> all;
            for (int i = 0; i < 42; ++i) all[i] = i + 1;
            Numbers tip;
            for (int i = 0; i < 6; ++i) {
                std::swap(all[i], all[i + rng() % (42 - i)]);
                tip[i] = all[i];
            }
            const int lucky = 1 + static_cast<int>(rng() % 6);
            const auto f = share::rankFactors(model, tip, lucky, share::patternsOf(tip, nullptr));
            for (int r = 0; r < share::RankCount; ++r) sum[r] += f[r], squares[r] += f[r] * f[r];
        }
        for (int r = 0; r < share::RankCount; ++r)
            if ((pass == 0) != (r == share::FixedFive)) model.normalisation[r] *= sum[r] / Tips;
    }
    std::string out;
    for (int r = 0; r < share::RankCount; ++r) {
        const double mean = sum[r] / Tips, sd = std::sqrt(squares[r] / Tips - mean * mean);
        out += "normierung;" + std::string(share::Ranks[r].name) + ";" + fixed(model.normalisation[r], 4) +
               ";" + fixed(sd / std::sqrt(Tips), 4) + "\n";
    }
    return out;
}

std::string validation(const std::vector<Draw>& draws, const PatternTips& tips, int split, int last) {
    const int first = draws.front().year;
    const auto train = observations(draws, tips, first, split),
               test = observations(draws, tips, split + 1, last);
    const NumberFit before = fitNumbers(draws, train), after = fitNumbers(draws, test);
    std::ostringstream out;
    out << "# validation: fitted on " << first << "-" << split << ", predicting " << split + 1 << "-" << last
        << " (popularity part of log(winners / stake))\n";
    for (int k = 3; k <= 5; ++k) {
        out << "#   " << k << " hits, " << split + 1 << "-" << last << ": "
            << agreement(draws, test, before, k) << "\n";
        out << "#   " << k << " hits, in the fit: " << agreement(draws, train, before, k) << "\n";
    }
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0, chi = 0;
    for (int n = 1; n <= 42; ++n) {
        const double x = before.theta(n), y = after.theta(n);
        sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
        chi += std::pow(x - y, 2) / (std::pow(before.thetaSe(n), 2) + std::pow(after.thetaSe(n), 2));
    }
    const double cov = sxy - sx * sy / 42, vx = sxx - sx * sx / 42, vy = syy - sy * sy / 42;
    out << "#   numbers fitted on " << split + 1 << "-" << last << " alone against " << first << "-" << split
        << ": correlation " << fixed(cov / std::sqrt(vx * vy), 3) << ", chi-square of the differences "
        << fixed(chi, 1) << " on 41 df\n";
    for (int p = 0; p < PatternCount; ++p)
        out << "#   pattern " << share::patternKey(Pattern(p)) << ": m = " << fixed(before.m(p) * 1e4, 2)
            << " ± " << fixed(before.mSe(p) * 1e4, 2) << " per 10,000 tips, " << split + 1 << "-" << last
            << " alone " << fixed(after.m(p) * 1e4, 2) << " ± " << fixed(after.mSe(p) * 1e4, 2) << "\n";
    const auto a = luckyShares(draws, first, split), b = luckyShares(draws, split + 1, last);
    for (int g = 0; g < 6; ++g)
        out << "#   Glückszahl " << g + 1 << ": share " << fixed(a[g].value, 4) << " ± " << fixed(a[g].se, 4)
            << ", " << split + 1 << "-" << last << ": " << fixed(b[g].value, 4) << " ± " << fixed(b[g].se, 4)
            << "\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: fit_popularity <quotas.csv> <out-file>\n";
        return 2;
    }
    try {
        auto draws = readQuotas(argv[1]);
        checkDraws(draws);
        const PatternTips tips = patternTips();
        const int first = draws.front().year, last = draws.back().year;
        std::string text = modelText(draws, tips, first, last);
        std::string error;
        const auto model = share::parseModel(text, &error);
        if (!model) throw std::runtime_error("own output unreadable: " + error);
        text += normalisation(*model);
        if (first < 2019 && last > 2019) text += validation(draws, tips, 2019, last);
        std::ofstream out(argv[2], std::ios::binary);
        out << text;
        if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "fit_popularity: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
