#include "stats/ShareFactor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace share {

namespace {

constexpr std::array<const char*, PatternCount> PatternKeys{"sequenz", "lauf", "paar", "geburtstag",
                                                            "vorziehung"};

double choose(int n, int k) {
    if (k < 0 || k > n) return 0;
    double c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

// e_0 .. e_6 of the values: the sums over all subsets of that size of their products.
std::array<double, 7> elementarySums(const std::vector<double>& values) {
    std::array<double, 7> e{1, 0, 0, 0, 0, 0, 0};
    for (double v : values)
        for (int k = 6; k >= 1; --k) e[k] += e[k - 1] * v;
    return e;
}

// The prize of a hit with k numbers goes as 1 / (count of winners), and that count as exp(c_k Σ θ) over the
// drawn numbers. The draws that give the tip k hits take k of its numbers and 6 − k of the 36 others, all
// alike; averaged over them, and divided by the average over all draws (which a random tip meets), this is
// a ratio of elementary symmetric sums of exp(−c_k θ).
double numbersFactor(const Model& model, const std::array<bool, 43>& inTip, int hits) {
    const double c = drawnWeightShare(hits);
    std::vector<double> mine, others, all;
    for (int n = 1; n <= 42; ++n) {
        const double x = std::exp(-c * std::log(model.numbers[n - 1].value));
        (inTip[n] ? mine : others).push_back(x);
        all.push_back(x);
    }
    const double tip = elementarySums(mine)[hits] / choose(6, hits);
    const double rest = elementarySums(others)[6 - hits] / choose(36, 6 - hits);
    const double average = elementarySums(all)[6] / choose(42, 6);
    return tip * rest / average;
}

double normalCdf(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// E[min(1, s · X)] for X log-normal: what "5" pays in units of CHF 1,000 when s times the uncut prize of an
// average draw would be paid.
double cappedFive(const Model& model, double s) {
    const double mu = model.fiveMu + std::log(s), sigma = model.fiveSigma;
    return std::exp(mu + sigma * sigma / 2) * normalCdf((-mu - sigma * sigma) / sigma) +
           normalCdf(mu / sigma);
}

bool parseNumber(std::string_view text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

} // namespace

const char* patternKey(Pattern p) {
    return PatternKeys[static_cast<int>(p)];
}

bool isArithmeticSequence(const Numbers& numbers) {
    Numbers n = numbers;
    std::sort(n.begin(), n.end());
    const int step = n[1] - n[0];
    if (step <= 0) return false;
    for (int i = 2; i < 6; ++i)
        if (n[i] - n[i - 1] != step) return false;
    return true;
}

int longestRun(const Numbers& numbers) {
    Numbers n = numbers;
    std::sort(n.begin(), n.end());
    int longest = 1, run = 1;
    for (int i = 1; i < 6; ++i) {
        run = n[i] == n[i - 1] + 1 ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    return longest;
}

bool allBirthdays(const Numbers& numbers) {
    return std::all_of(numbers.begin(), numbers.end(), [](int n) { return n <= 31; });
}

PatternSet patternsOf(const Numbers& numbers, const Numbers* previousDraw) {
    PatternSet set{};
    set[static_cast<int>(Pattern::Sequence)] = isArithmeticSequence(numbers);
    set[static_cast<int>(Pattern::Run)] = longestRun(numbers) >= 3;
    set[static_cast<int>(Pattern::Pair)] = longestRun(numbers) >= 2;
    set[static_cast<int>(Pattern::Birthday)] = allBirthdays(numbers);
    if (previousDraw) {
        Numbers a = numbers, b = *previousDraw;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        set[static_cast<int>(Pattern::PreviousDraw)] = a == b;
    }
    return set;
}

std::optional<Model> parseModel(std::string_view text, std::string* error) {
    auto fail = [&](std::string why) -> std::optional<Model> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    Model model;
    std::array<bool, 6> haveLucky{};
    std::array<bool, 42> haveNumber{};
    std::array<bool, RankCount> havePrize{};
    bool haveHeader = false, haveMu = false, haveSigma = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        std::array<std::string_view, 4> field;
        for (int i = 0; i < 4; ++i) {
            const size_t semi = line.find(';');
            if ((semi == std::string_view::npos) != (i == 3))
                return fail("Zeile " + std::to_string(lineNumber) + ": nicht vier Felder");
            field[i] = line.substr(0, semi);
            line.remove_prefix(semi == std::string_view::npos ? line.size() : semi + 1);
        }
        if (!haveHeader) {
            if (field != std::array<std::string_view, 4>{"art", "name", "wert", "se"})
                return fail("Kopfzeile fehlt");
            haveHeader = true;
            continue;
        }
        Estimate e;
        if (!parseNumber(field[2], e.value) || !parseNumber(field[3], e.se) || e.se < 0)
            return fail("Zeile " + std::to_string(lineNumber) + ": keine Zahl");
        const std::string_view kind = field[0], name = field[1];
        double index = 0;
        const bool numbered = parseNumber(name, index) && index == std::floor(index);
        if (kind == "daten") {
            model.years = std::string(name);
            model.draws = static_cast<int>(e.value);
        } else if (kind == "glueckszahl" && numbered && index >= 1 && index <= 6 && e.value > 0) {
            model.lucky[static_cast<int>(index) - 1] = e;
            haveLucky[static_cast<int>(index) - 1] = true;
        } else if (kind == "zahl" && numbered && index >= 1 && index <= 42 && e.value > 0) {
            model.numbers[static_cast<int>(index) - 1] = e;
            haveNumber[static_cast<int>(index) - 1] = true;
        } else if (kind == "muster" || kind == "musterfaktor") {
            const size_t colon = name.find(':');
            const std::string_view key = name.substr(0, colon);
            const auto p = std::find(PatternKeys.begin(), PatternKeys.end(), key) - PatternKeys.begin();
            if (p == PatternCount) continue; // a pattern this version does not detect
            if (kind == "muster") {
                model.patternPopularity[p] = e;
                continue;
            }
            double hits = 0;
            if (colon == std::string_view::npos || !parseNumber(name.substr(colon + 1), hits) || hits < 3 ||
                hits > 5 || hits != std::floor(hits) || e.value <= 0)
                return fail("Zeile " + std::to_string(lineNumber) + ": Musterfaktor ohne Treffer 3 bis 5");
            model.patternFactor[p][static_cast<int>(hits) - 3] = e;
        } else if (kind == "rang" || kind == "normierung") {
            const auto r =
                std::find_if(Ranks.begin(), Ranks.end(), [&](const Rank& x) { return x.name == name; }) -
                Ranks.begin();
            if (r == RankCount || e.value <= 0)
                return fail("Zeile " + std::to_string(lineNumber) + ": Rang?");
            if (kind == "rang") {
                model.meanPrize[r] = e;
                havePrize[r] = true;
            } else {
                model.normalisation[r] = e.value;
            }
        } else if (kind == "fuenfer" && name == "mu") {
            model.fiveMu = e.value;
            haveMu = true;
        } else if (kind == "fuenfer" && name == "sigma" && e.value > 0) {
            model.fiveSigma = e.value;
            haveSigma = true;
        } else if (kind == "glueckszahl" || kind == "zahl" || kind == "fuenfer") {
            return fail("Zeile " + std::to_string(lineNumber) + ": Wert ausserhalb");
        }
    }
    auto all = [](const auto& have) {
        return std::all_of(have.begin(), have.end(), [](bool b) { return b; });
    };
    if (!haveHeader || !all(haveLucky) || !all(haveNumber) || !all(havePrize) || !haveMu || !haveSigma)
        return fail("Werte fehlen");
    return model;
}

std::array<double, RankCount> rankFactors(const Model& model, const Numbers& numbers, int lucky,
                                          const PatternSet& patterns) {
    std::array<bool, 43> inTip{};
    for (int n : numbers) {
        if (n < 1 || n > 42 || inTip[n]) throw std::invalid_argument("six distinct numbers of 1 to 42");
        inTip[n] = true;
    }
    if (lucky < 1 || lucky > 6) throw std::invalid_argument("a Glückszahl of 1 to 6");

    // The co-winners of a "+ GZ" rank hold the tip's Glückszahl; those of the rank without it hold one of the
    // five others, which the draw picks alike.
    std::array<double, 6> withIt{}, without{};
    double meanWith = 0, meanWithout = 0;
    for (int g = 0; g < 6; ++g) {
        withIt[g] = 1 / model.lucky[g].value;
        without[g] = 1 / (1 - model.lucky[g].value / 6);
        meanWith += withIt[g] / 6;
        meanWithout += without[g] / 6;
    }
    const double luckyHit = withIt[lucky - 1] / meanWith;
    const double luckyMissed = (6 * meanWithout - without[lucky - 1]) / 5 / meanWithout;

    std::array<double, 3> byHits{}; // 3, 4, 5 numbers
    for (int hits = 3; hits <= 5; ++hits) {
        double f = numbersFactor(model, inTip, hits);
        for (int p = 0; p < PatternCount; ++p)
            if (patterns[p]) f *= model.patternFactor[p][hits - 3].value;
        byHits[hits - 3] = f;
    }
    std::array<double, RankCount> factors{};
    for (int r = 0; r < RankCount; ++r) {
        const Rank& rank = Ranks[r];
        factors[r] = byHits[rank.hits - 3] * (rank.lucky ? luckyHit : luckyMissed) / model.normalisation[r];
    }
    // "5" as if it were shared, against the uncut prize of an average draw, then cut at CHF 1,000.
    const double shared = factors[FixedFive] * model.normalisation[FixedFive] / model.normalisation[0];
    factors[FixedFive] = cappedFive(model, shared) / cappedFive(model, 1) / model.normalisation[FixedFive];
    return factors;
}

Result shareFactor(const Model& model, const Numbers& numbers, int lucky, const Numbers* previousDraw) {
    Result result;
    result.patterns = patternsOf(numbers, previousDraw);
    // Returns factor and expected return for one set of parameters.
    auto evaluate = [&](const Model& m, std::array<double, RankCount>* byRank) {
        const auto f = rankFactors(m, numbers, lucky, result.patterns);
        double expected = 0, random = 0;
        for (int r = 0; r < RankCount; ++r) {
            const double perTip = m.meanPrize[r].value * Ranks[r].ways / AllTips;
            expected += perTip * f[r];
            random += perTip;
        }
        if (byRank) *byRank = f;
        return std::array<double, 3>{expected / random, expected, random};
    };
    const auto centre = evaluate(model, &result.rankFactors);
    result.factor = centre[0];
    result.expectedReturn = centre[1];
    result.randomReturn = centre[2];

    // Each parameter that bears on this tip moved by its standard error, the others kept: a central
    // difference. Patterns the tip does not have are left out; they move only the normalisation.
    Model m = model;
    double varFactor = 0, varReturn = 0;
    auto vary = [&](Estimate& e) {
        if (e.se <= 0) return;
        const double value = e.value, low = std::max(value - e.se, value / 2);
        e.value = value + e.se;
        const auto up = evaluate(m, nullptr);
        e.value = low;
        const auto down = evaluate(m, nullptr);
        e.value = value;
        const double perSe = e.se / (value + e.se - low);
        varFactor += std::pow((up[0] - down[0]) * perSe, 2);
        varReturn += std::pow((up[1] - down[1]) * perSe, 2);
    };
    for (Estimate& e : m.lucky) vary(e);
    for (Estimate& e : m.numbers) vary(e);
    for (int p = 0; p < PatternCount; ++p)
        if (result.patterns[p])
            for (Estimate& e : m.patternFactor[p]) vary(e);
    for (Estimate& e : m.meanPrize) vary(e);
    result.factorSe = std::sqrt(varFactor);
    result.expectedReturnSe = std::sqrt(varReturn);
    return result;
}

} // namespace share
