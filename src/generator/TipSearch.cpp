#include "generator/TipSearch.h"

#include "generator/DrawSteps.h"
#include "generator/PreferencePool.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Ui.h"
#include "state/GeneratorOptions.h"
#include "state/Session.h"
#include "stats/DrawFilter.h"
#include "stats/TipWorth.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

using Mask = std::uint64_t;

// Numbers outside 0 .. 63 can never equal a tip number, so they map to bit 63, which no tip sets.
constexpr int bitOf(int number) {
    return number >= 0 && number < 64 ? number : 63;
}

Mask maskOf(const Numbers& tip) {
    Mask mask = 0;
    for (int n : tip) mask |= Mask(1) << bitOf(n);
    return mask;
}

// Hits of a tip of distinct numbers on a list of numbers: each listed number found in the tip counts,
// a number listed twice twice, as the pairwise comparison of Zettelcheck counts them.
template <typename Numbers> int hitsOn(Mask tip, const Numbers& numbers) {
    int hits = 0;
    for (auto n : numbers) hits += static_cast<int>((tip >> bitOf(static_cast<int>(n))) & 1u);
    return hits;
}

char* writeNumber(char* out, int value) {
    char digits[12];
    int len = 0;
    unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[len++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (value < 0) *out++ = '-';
    while (len > 0) *out++ = digits[--len];
    return out;
}

char* writeText(char* out, const char* text) {
    while (*text) *out++ = *text++;
    return out;
}

// The options the filters read, refreshed whenever a control changes, so a relaxation takes effect at
// the next test while a search of millions of runs does not look every option up by name each time.
struct FilterLimits {
    bool limitOverlap = false;
    int maxOverlap = 0;
    bool forcePair = false;
    int digitSumMin = 0;
    int digitSumMax = 0;
    bool limitLastDraw = false;
    int maxFromLastDraw = 0;
    bool limitSecondLastDraw = false;
    int maxFromSecondLastDraw = 0;
    bool forbidArchiveMatch = false;
    int archiveMatchSize = 0;

    void read(const GeneratorOptions& o) {
        limitOverlap = o.limitOverlap();
        maxOverlap = o.maxOverlap();
        forcePair = o.forcePair();
        digitSumMin = o.digitSumMin();
        digitSumMax = o.digitSumMax();
        limitLastDraw = o.limitLastDraw();
        maxFromLastDraw = o.maxFromLastDraw();
        limitSecondLastDraw = o.limitSecondLastDraw();
        maxFromSecondLastDraw = o.maxFromSecondLastDraw();
        forbidArchiveMatch = o.forbidArchiveMatch();
        archiveMatchSize = o.archiveMatchSize();
    }
};

// Secheroderfuenfer on the archive as it was when the first candidate reached it: the drawn numbers of
// every record since the from-date, compared on their own and never loaded into the draw on display.
class ArchiveMatch {
public:
    ArchiveMatch(const std::vector<Draw>& records, double fromDate) {
        for (const Draw& r : records) {
            if (r.date < fromDate) continue;
            Numbers numbers;
            for (const int n : r.numbers) numbers.push_back(bitOf(n));
            draws_.push_back(numbers);
        }
    }
    // True when no record has matchSize or more of the tip's numbers among its main numbers drawn.
    bool noneMatches(Mask tip, int matchSize) const {
        for (const auto& numbers : draws_)
            if (hitsOn(tip, numbers) >= matchSize) return false;
        return true;
    }

private:
    std::vector<Numbers> draws_;
};

class TipSearch {
public:
    TipSearch(Session& session, DrawSteps& steps)
        : s_(session), ui_(session.services.ui), options_(session.options), steps_(steps) {}

    ~TipSearch() { QObject::disconnect(watch_); }

    // Returns true when every requested tip was found within the run limit.
    bool run() {
        takeLatestDraws();
        s_.grid.clearAll();
        accepted_.clear();
        pool_ = buildPreferencePool(s_);

        ui_.setStatus(1, QStringLiteral("Beginn der Tippberechnung"));
        ui_.repaintStatus();
        watch_ = QObject::connect(&s_.services.controls, &Controls::changed, [this] { limitsStale_ = true; });
        limitsStale_ = true;

        // "Beliebte Tipps meiden": numbers and Glückszahlen weighted by how few others play them.
        const share::Model* model = s_.state.popularity ? s_.state.popularity() : nullptr;
        avoidPopular_ = options_.avoidPopular() && model;
        if (avoidPopular_) {
            keep_ = worth::numberAcceptance(*model);
            const auto weights = worth::luckyWeights(*model);
            luckyTotal_ = 0;
            for (int g = 1; g <= 6; ++g)
                luckyTotal_ += luckyThousandths_[std::size_t(g)] = int(1000 * weights[std::size_t(g)]);
            for (const qint32 n : lastDraw_) latestNumbers_.push_back(n);
        }

        runs_ = 0;
        // With preferredOnly and nothing preferred no number can be drawn: end as at the run limit.
        if (pool_.poolSize <= 0) runs_ = s_.state.maxCalcRuns;

        const int drawn = s_.game().numbers.drawn;
        for (int k = 1; k <= TipGrid::Rows; ++k) {
            Numbers numbers = Numbers::zeros(drawn);
            const bool search = k == 1 || (runs_ < s_.state.maxCalcRuns && k - 1 < options_.tipCount());
            if (search) numbers = searchTip(k);
            if (runs_ >= s_.state.maxCalcRuns) numbers = Numbers::zeros(drawn);
            std::sort(numbers.begin(), numbers.end());
            if (k == 1) ui_.showPage(QStringLiteral("TabSheet1"));
            s_.grid.writeTip(k - 1, Tip{numbers, {}});
            s_.grid.setExtraCells(k - 1, numbers[0] > 0 ? ownExtras() : Numbers());
            accepted_.push_back(maskOf(numbers));
            ui_.repaintWindow();
        }

        QObject::disconnect(watch_);
        s_.state.readyFlag = true;
        s_.state.currentDraw = shownDraw_;
        steps_.komplettcheck();
        return runs_ < s_.state.maxCalcRuns;
    }

private:
    void takeLatestDraws() {
        s_.services.controls.setDate(QStringLiteral("DateTimePicker1"), s_.services.clock.today());
        steps_.showDrawForDate();
        steps_.nextDraw();
        lastDraw_ = countedOfShownDraw();
        steps_.previousDraw();
        secondLastDraw_ = countedOfShownDraw();
        steps_.nextDraw();
        shownDraw_ = s_.state.currentDraw;
    }

    // A game with drums of its own gives each tip their numbers too (a Glückszahl, two distinct stars of the
    // drum's range today), drawn uniformly by the one generator, so that the seed gives the same tips; other
    // games draw nothing for them.
    Numbers ownExtras() {
        const Game& game = s_.game();
        Numbers extras;
        int at = 0;
        for (const Drum& drum : game.extras) {
            if (drum.mainDrum) continue;
            if (avoidPopular_ && drum.drawn == 1 && drum.lowest == 1 && drum.highest() == 6) {
                extras.push_back(rareLucky());
                continue;
            }
            for (int i = 0; i < drum.drawn; ++i) {
                int n = 0;
                do {
                    n = drum.lowest + s_.services.random.random(drum.size());
                } while (extras.part(at, i).contains(n));
                extras.push_back(n);
            }
            std::sort(extras.begin() + at, extras.end());
            at += drum.drawn;
        }
        return extras;
    }

    // A Glückszahl by its weight, in thousandths, from the one generator.
    int rareLucky() {
        int pick = s_.services.random.random(luckyTotal_);
        int g = 1;
        while (g < 6 && pick >= luckyThousandths_[std::size_t(g)])
            pick -= luckyThousandths_[std::size_t(g++)];
        return g;
    }

    // The numbers of the draw on display that a tip may share with it: those the game counts.
    std::vector<qint32> countedOfShownDraw() const {
        std::vector<qint32> counted;
        s_.game().forEachCounted(s_.state.currentDraw, [&](int n) { counted.push_back(n); });
        return counted;
    }

    const FilterLimits& limits() {
        if (limitsStale_) {
            limits_.read(options_);
            limitsStale_ = false;
        }
        return limits_;
    }

    // The limits the search loosens by itself as the run counter nears its end (tips 3 .. 14).
    void relax(int k, int maxRuns) {
        if (k < 3) return;
        if (runs_ == maxRuns - 20000) options_.setArchiveMatchSize(s_.game().numbers.drawn);
        if (runs_ == maxRuns - 10000) {
            options_.setMaxFromSecondLastDraw(2);
            if (k != 8) options_.setMaxFromLastDraw(1);
        }
        if (runs_ == maxRuns - 5000) {
            if (k != 8) options_.setMaxFromSecondLastDraw(3);
            options_.setMaxFromLastDraw(2);
        }
    }

    Numbers searchTip(int k) {
        Numbers numbers = Numbers::zeros(s_.game().numbers.drawn);
        int pos = 0;
        Random& random = s_.services.random;
        while (pos < s_.game().numbers.drawn && runs_ < s_.state.maxCalcRuns) {
            ++runs_;
            const int maxRuns = s_.state.maxCalcRuns;
            if (runs_ == maxRuns / 2) options_.setForcePair(false);
            relax(k, maxRuns);

            // The draw range holds no empty entries, so one draw fills the slot.
            const auto at = std::size_t(pos);
            numbers[at] = pool_.entry(random.random(pool_.poolSize));
            // A number many play is kept less often; the draw counts as a run all the same.
            if (avoidPopular_ && numbers[at] > 0 && numbers[at] < int(keep_.size()) &&
                random.random(1024) >= int(1024 * keep_[std::size_t(numbers[at])]))
                numbers[at] = 0;
            for (std::size_t i = 0; i < at; ++i)
                if (numbers[i] == numbers[at]) numbers[at] = 0;
            if (numbers[at] > 0) ++pos;
            if (pos < s_.game().numbers.drawn) continue;

            int qs = 0;
            for (int n : numbers) qs += n;
            std::sort(numbers.begin(), numbers.end());
            ui_.setStatus(1, candidateStatusText(k, numbers, qs));
            ui_.repaintStatus();
            if (k >= 2) ui_.repaintWindow();

            if (!passes(k, numbers, qs)) {
                numbers = Numbers::zeros(s_.game().numbers.drawn);
                pos = 0;
            }
        }
        return numbers;
    }

    bool passes(int k, const Numbers& numbers, int qs) {
        const FilterLimits& l = limits();
        const Mask mask = maskOf(numbers);
        if (k >= 2) {
            int overlap = 0;
            for (Mask tip : accepted_) overlap = std::max(overlap, std::popcount(mask & tip));
            if (overlap == s_.game().numbers.drawn || (l.limitOverlap && overlap > l.maxOverlap))
                return false;
        }
        if (l.forcePair) {
            bool pair = false;
            for (std::size_t i = 0; i + 1 < std::size_t(numbers.size()); ++i)
                pair = pair || numbers[i + 1] - numbers[i] == 1;
            if (!pair) return false;
        }
        if (qs < l.digitSumMin || qs > l.digitSumMax) return false;
        if (l.limitLastDraw && hitsOn(mask, lastDraw_) > l.maxFromLastDraw) return false;
        if (l.limitSecondLastDraw && hitsOn(mask, secondLastDraw_) > l.maxFromSecondLastDraw) return false;
        if (l.forbidArchiveMatch && !archive().noneMatches(mask, l.archiveMatchSize)) return false;
        if (avoidPopular_ && worth::hasPopularPattern(numbers, &latestNumbers_)) return false;
        return true;
    }

    // Read once, when the first candidate reaches the archive filter. The chart stays as the last statistic
    // drew it, so that it shows what its caption says.
    const ArchiveMatch& archive() {
        if (!archive_) {
            const auto records = s_.archive().scan();
            archive_.emplace(records, DrawFilter(s_.services.controls, s_.game()).fromDate());
        }
        return *archive_;
    }

    Session& s_;
    Ui& ui_;
    GeneratorOptions& options_;
    DrawSteps& steps_;
    PreferencePool pool_;
    std::vector<qint32> lastDraw_;
    std::vector<qint32> secondLastDraw_;
    Draw shownDraw_;
    std::vector<Mask> accepted_;
    std::optional<ArchiveMatch> archive_;
    FilterLimits limits_;
    bool limitsStale_ = true;
    bool avoidPopular_ = false;
    std::array<double, 43> keep_{};
    std::array<int, 7> luckyThousandths_{}; // by Glückszahl
    int luckyTotal_ = 0;
    Numbers latestNumbers_; // the newest draw's, as the patterns take them
    QMetaObject::Connection watch_;
    int runs_ = 0;
};

// The four controls the search changes while it runs.
struct SavedOptions {
    explicit SavedOptions(GeneratorOptions& o)
        : options(o), forcePair(o.forcePair()), fromLastDraw(o.maxFromLastDraw()),
          fromSecondLastDraw(o.maxFromSecondLastDraw()), archiveMatchSize(o.archiveMatchSize()) {}
    void putBack() {
        options.setForcePair(forcePair);
        options.setMaxFromLastDraw(fromLastDraw);
        options.setMaxFromSecondLastDraw(fromSecondLastDraw);
        options.setArchiveMatchSize(archiveMatchSize);
    }
    GeneratorOptions& options;
    bool forcePair;
    int fromLastDraw;
    int fromSecondLastDraw;
    int archiveMatchSize;
};

} // namespace

QString candidateStatusText(int tipNumber, const Numbers& numbers, int digitSum) {
    // Built by hand: the search writes it for every candidate, up to a few million times.
    char buffer[96];
    char* out = writeNumber(buffer, tipNumber);
    out = writeText(out, ".Tipp:  ");
    for (int i = 0; i < numbers.size(); ++i) {
        if (i == 1) out = writeText(out, " ");
        if (i >= 2) out = writeText(out, "  ");
        out = writeNumber(out, numbers[std::size_t(i)]);
    }
    const char* piece = tipNumber == 3                       ? "    QS: "
                        : (tipNumber == 2 || tipNumber == 4) ? "   QS: "
                                                             : "  QS: ";
    out = writeText(out, piece);
    out = writeNumber(out, digitSum);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(out - buffer));
}

void calculateTips(Session& session, DrawSteps& steps) {
    Ui& ui = session.services.ui;
    session.state.readyFlag = false;
    SavedOptions saved(session.options);
    bool allFound = false;
    try {
        BusyCursor busy(ui);
        TipSearch search(session, steps);
        allFound = search.run();
    } catch (...) {
        // Without an archive the search stops at its first read; leave the grid usable as at a normal end.
        session.state.readyFlag = true;
        saved.putBack();
        throw;
    }
    ui.setStatus(1, allFound ? QStringLiteral("Tipps wurden neu berechnet")
                             : QStringLiteral("Ändern Sie die Parameter um ") +
                                   QString::number(session.options.tipCount()) +
                                   QStringLiteral(" Tipps zuberechnen"));
    saved.putBack();
    ui.repaintStatus();
}
