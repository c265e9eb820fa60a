#include "generator/TipSearch.h"
#include "GeneratorEnv.h"
#include "archive/DrawArchive.h"
#include "generator/RandomSeed.h"
#include "platform/AppError.h"
#include "platform/Dates.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <optional>
#include <set>

using namespace gentest;

namespace {

const QString Recalculated = QStringLiteral("Tipps wurden neu berechnet");
QString changeParameters(int tips) {
    return QStringLiteral("Ändern Sie die Parameter um %1 Tipps zuberechnen").arg(tips);
}

int tipNumberOf(const QString& candidateText) {
    return candidateText.section(QLatin1Char('.'), 0, 0).toInt();
}

bool isTip(const TipNumbers& tip) {
    return tip[0] != 0;
}

// The newest records that pass the weekday boxes, newest first.
std::vector<Draw> latestSelected(const std::vector<Draw>& records, bool saturdays, bool wednesdays) {
    std::vector<Draw> latest;
    for (auto it = records.rbegin(); it != records.rend() && latest.size() < 2; ++it) {
        const int wd = dates::weekday(it->date);
        if ((wd == dates::Saturday && saturdays) || (wd == dates::Wednesday && wednesdays))
            latest.push_back(*it);
    }
    return latest;
}

// Alternating draws over a few numbers only (ZZ 0 counts for nothing): the frequency preference then
// picks exactly these numbers.
std::vector<Draw> drawsOver(const std::vector<std::vector<int>>& sixes, int count) {
    std::vector<Draw> records;
    QDate day(2010, 1, 2); // a Saturday
    for (int i = 0; i < count; ++i) {
        const auto& six = sixes[static_cast<std::size_t>(i) % sixes.size()];
        Draw r;
        r.date = dates::toDayNumber(day);
        for (std::size_t k = 0; k < 6; ++k) r.numbers[k] = static_cast<quint8>(six[k]);
        records.push_back(r);
        day = day.addDays(dates::weekday(day) == dates::Saturday ? 4 : 3);
    }
    return records;
}

// The seven tips of six of the numbers 1 .. 7, each leaving out one in turn: every number drawn equally
// often.
std::vector<std::vector<int>> tipsOfSevenNumbers() {
    std::vector<std::vector<int>> tips;
    for (int left = 1; left <= 7; ++left) {
        tips.emplace_back();
        for (int n = 1; n <= 7; ++n)
            if (n != left) tips.back().push_back(n);
    }
    return tips;
}

} // namespace

TEST(TipSearch, CandidateStatusTextCarriesItsBlanks) {
    const std::pair<int, const char*> cases[] = {
        {1, "1.Tipp:  3 11  12  25  30  41  QS: 122"},   {2, "2.Tipp:  3 11  12  25  30  41   QS: 122"},
        {3, "3.Tipp:  3 11  12  25  30  41    QS: 122"}, {4, "4.Tipp:  3 11  12  25  30  41   QS: 122"},
        {5, "5.Tipp:  3 11  12  25  30  41  QS: 122"},   {14, "14.Tipp:  3 11  12  25  30  41  QS: 122"},
    };
    for (const auto& [tip, text] : cases)
        EXPECT_EQ(candidateStatusText(tip, {3, 11, 12, 25, 30, 41}, 122), QString::fromUtf8(text));
}

// The ten tips checked against the archive itself: every filter's promise, from the records.
TEST(TipSearch, DefaultOptionsGiveTenTipsThatKeepEveryFilter) {
    // clang-format off
    struct Case { bool wednesdays; QDate fromDate; int archiveMatchSize; };
    const Case cases[] = {
        {true, QDate(1955, 10, 9), 5},
        // Only Saturdays selected and a from-date in the middle: the archive test still takes the
        // Wednesdays since the from-date, and only those.
        {false, QDate(2002, 1, 1), 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        GeneratorEnv env;
        const auto records = generatedDraws(QDate(2000, 1, 1), 300, 42);
        env.dir.writeArchive(records);
        env.check(17, c.wednesdays);
        env.controls.setDate(QStringLiteral("DateTimePicker2"), c.fromDate);
        env.setUpDown(6, c.archiveMatchSize);
        env.random.seed(2024);
        env.grid.writeTip(12, {1, 2, 3, 4, 5, 6});
        env.controls.setText(TipGrid::hitLabelName(12), QStringLiteral("6"));
        RelaxSpy spy(env.controls);

        calculateTips(env.session, env.steps);

        const auto tips = env.rows();
        const auto latest = latestSelected(records, true, c.wednesdays);
        const double from = dates::toDayNumber(c.fromDate);
        EXPECT_EQ(env.ui.statusTexts[1], Recalculated);
        // Ended before run 50000: nothing was switched off or relaxed.
        EXPECT_TRUE(spy.changes.isEmpty()) << spy.changes.join(' ').toStdString();
        bool earlierDrawMatches = false;
        for (int k = 0; k < 10; ++k) {
            const auto& tip = tips[static_cast<std::size_t>(k)];
            ASSERT_TRUE(isTip(tip)) << k;
            int sum = 0;
            bool pair = false;
            for (int i = 0; i < 6; ++i) {
                EXPECT_GE(tip[i], 1);
                EXPECT_LE(tip[i], 45);
                if (i > 0) {
                    EXPECT_LT(tip[i - 1], tip[i]) << "tip " << k + 1;
                }
                if (i > 0 && tip[i] - tip[i - 1] == 1) pair = true;
                sum += tip[i];
            }
            EXPECT_TRUE(pair) << "tip " << k + 1;
            EXPECT_GE(sum, 110);
            EXPECT_LE(sum, 200);
            EXPECT_EQ(env.sumLabel(k), QString::number(sum));
            EXPECT_LE(commonNumbers(tip, sevenOf(latest[0])), 1) << "tip " << k + 1;
            EXPECT_LE(commonNumbers(tip, sevenOf(latest[1])), 1) << "tip " << k + 1;
            for (int other = 0; other < k; ++other) {
                const auto& t = tips[static_cast<std::size_t>(other)];
                EXPECT_LE(commonNumbers(tip, {t.begin(), t.end()}), 3) << k + 1 << " and " << other + 1;
            }
            for (const auto& r : records) {
                if (r.date >= from)
                    EXPECT_LT(commonNumbers(tip, sixOf(r)), c.archiveMatchSize) << "tip " << k + 1;
                else if (commonNumbers(tip, sixOf(r)) >= c.archiveMatchSize)
                    earlierDrawMatches = true;
            }
        }
        if (c.archiveMatchSize == 3) {
            EXPECT_TRUE(earlierDrawMatches) << "the from-date is not applied";
        }
        for (int k = 10; k < 14; ++k) {
            EXPECT_FALSE(isTip(tips[static_cast<std::size_t>(k)]));
            EXPECT_EQ(env.sumLabel(k), QString());
        }

        // The tips are evaluated against the draw on display, the latest selected one.
        const Draw& shown = latest[0];
        EXPECT_EQ(env.state.currentDraw.date, shown.date);
        EXPECT_EQ(env.controls.date(QStringLiteral("DateTimePicker1")), dates::fromDayNumber(shown.date));
        for (int k = 0; k < 10; ++k) {
            const QString hits = env.controls.text(TipGrid::hitLabelName(k));
            EXPECT_EQ(hits.left(1).toInt(), commonNumbers(tips[static_cast<std::size_t>(k)], sixOf(shown)));
        }
        EXPECT_EQ(env.controls.text(TipGrid::hitLabelName(12)), QString());
        EXPECT_TRUE(env.state.readyFlag);
        EXPECT_EQ(env.ui.busyDepth, 0);
        // The chart shows what its caption says: the frequencies the pool read last, with their band.
        EXPECT_EQ(env.chart.active(), ChartModel::Series::Bar);
        EXPECT_EQ(env.chart.barCount(), 45);
        EXPECT_TRUE(env.chart.bottomTitle().startsWith(QStringLiteral("Zahlenverteilung")));
        EXPECT_TRUE(env.chart.showsChance());
        ASSERT_TRUE(env.ui.pages.contains(QStringLiteral("TabSheet1")));
        EXPECT_EQ(env.ui.pages.indexOf(QStringLiteral("TabSheet1")), env.ui.pages.size() - 1);

        // Every candidate was reported, tip by tip, after the start text.
        const QStringList& history = env.ui.statusHistory[1];
        const auto start = history.indexOf(QStringLiteral("Beginn der Tippberechnung"));
        ASSERT_GE(start, 0);
        const QRegularExpression candidate(QStringLiteral(R"(^(\d+)\.Tipp:  \d+ \d+(  \d+){4} +QS: \d+$)"));
        int lastTip = 1;
        for (qsizetype i = start + 1; i + 1 < history.size(); ++i) {
            ASSERT_TRUE(candidate.match(history[i]).hasMatch()) << history[i].toStdString();
            EXPECT_GE(tipNumberOf(history[i]), lastTip);
            lastTip = tipNumberOf(history[i]);
        }
        EXPECT_EQ(lastTip, 10);
    }
}

TEST(TipSearch, TipCountAndRunLimitDecideWhichRowsAreFilled) {
    // clang-format off
    struct Case { int tipCount, digitSumMin, digitSumMax, found; QString status; };
    const Case cases[] = {
        {2, 110, 200, 2, Recalculated},
        {10, 250, 279, 0, changeParameters(10)},
        {14, 21, 279, 14, Recalculated},
    };
    // clang-format on
    for (const Case& c : cases) {
        GeneratorEnv env;
        env.dir.writeArchive(generatedDraws(QDate(2000, 1, 1), 250, 9));
        env.setUpDown(8, c.tipCount);
        env.setUpDown(1, c.digitSumMin);
        env.setUpDown(2, c.digitSumMax);
        env.setRunLimitThousands(c.digitSumMin == 250 ? 20 : 100);
        for (int r = 0; r < 14; ++r) env.grid.writeTip(r, {1, 2, 3, 4, 5, 6});
        env.ui.keepHistory = false;
        calculateTips(env.session, env.steps);
        const auto tips = env.rows();
        for (int k = 0; k < 14; ++k) {
            EXPECT_EQ(isTip(tips[static_cast<std::size_t>(k)]), k < c.found)
                << c.tipCount << " row " << k + 1;
            if (k >= c.found) {
                EXPECT_EQ(env.sumLabel(k), QString());
            }
        }
        EXPECT_EQ(env.ui.statusTexts[1], c.status);
    }
}

// Tips from very few numbers: the search runs into the limit at a chosen tip and relaxes as the table
// says for that tip, then puts every option back.
TEST(TipSearch, RelaxationFollowsTheTipBeingSearchedAndIsPutBack) {
    const std::vector<int> low{1, 2, 3, 4, 5, 6}, high{7, 8, 9, 10, 11, 12};
    const QStringList putBack{"CheckBox8=1", "UpDown4=5", "UpDown5=0", "UpDown6=4"};
    // draws: the only numbers the pool holds
    // clang-format off
    struct Case { std::vector<std::vector<int>> draws; bool limitOverlap; int maxOverlap, runLimitThousands, found; QStringList changes; };
    const Case cases[] = {
        // Six numbers: tip 2 could only copy tip 1, which is rejected even with the limit off. Run limit
        // 1: forcePair goes off at run 500; no relaxation while tip 2 is searched.
        {{low}, false, 5, 1, 1, {"CheckBox8=0", "CheckBox8=1"}},
        // Seven numbers give seven different tips; a copy is rejected with maxOverlap 5 as well.
        {tipsOfSevenNumbers(), true, 5, 40, 7, QStringList{"CheckBox8=0", "UpDown6=6", "UpDown5=2", "UpDown4=2"} + putBack},
        // Twelve numbers and no common number allowed: tip 3 cannot be found.
        {{low, high}, true, 0, 100, 2,
         QStringList{"CheckBox8=0", "UpDown6=6", "UpDown5=2", "UpDown4=1", "UpDown5=3", "UpDown4=2"} + putBack},
    };
    // clang-format on
    for (const Case& c : cases) {
        GeneratorEnv env;
        env.dir.writeArchive(drawsOver(c.draws, 42));
        env.noPreferences();
        env.check(2, true);  // frequent numbers only ...
        env.check(15, true); // ... and nothing else
        env.check(3, c.limitOverlap);
        env.setUpDown(3, c.maxOverlap);
        for (int box : {4, 5, 9}) env.check(box, false);
        for (const auto& [upDown, value] : {std::pair{1, 21}, {2, 279}, {4, 5}, {5, 0}, {6, 4}})
            env.setUpDown(upDown, value);
        env.setRunLimitThousands(c.runLimitThousands);
        env.ui.keepHistory = false;
        RelaxSpy spy(env.controls);
        calculateTips(env.session, env.steps);

        const auto tips = env.rows();
        std::set<TipNumbers> distinct;
        for (int k = 0; k < 14; ++k) {
            const auto& tip = tips[static_cast<std::size_t>(k)];
            EXPECT_EQ(isTip(tip), k < c.found) << c.found << " row " << k + 1;
            if (isTip(tip)) distinct.insert(tip);
        }
        EXPECT_EQ(static_cast<int>(distinct.size()), c.found);
        EXPECT_EQ(spy.changes, c.changes) << c.found;
        EXPECT_EQ(env.ui.statusTexts[1], changeParameters(10));
    }
}

// Each filter lets a candidate through exactly at its limit and refuses it one past. The pool holds only
// the numbers of the draws, so the candidates are known: six numbers give one candidate; seven give the
// seven tips of six of them, any two sharing five numbers.
TEST(TipSearch, FiltersHoldExactlyAtTheirLimits) {
    const std::vector<int> low{1, 2, 3, 4, 5, 6}, high{40, 41, 42, 43, 44, 45}, gaps{1, 3, 5, 7, 9, 11};
    const auto seven = tipsOfSevenNumbers();
    const std::vector<std::vector<int>> sixOfSeven(seven.begin() + 1, seven.end()); // never 2 .. 7
    // boxes: the check boxes ticked; upDowns: UpDown n and its value; tip all 0: any tip.
    // clang-format off
    struct Case { const char* name; std::vector<std::vector<int>> draws; std::vector<int> boxes; std::vector<std::pair<int, int>> upDowns;
                  bool found; TipNumbers tip; std::optional<bool> secondFound = std::nullopt; int lastHits = -1, secondLastHits = -1; };
    const Case cases[] = {
        {"digit sum at its minimum", {low}, {}, {{1, 21}}, true, {1, 2, 3, 4, 5, 6}},
        {"digit sum one above it", {low}, {}, {{1, 22}}, false, {}},
        {"digit sum at its maximum, a pair forced on the sorted candidate", {high}, {8}, {{2, 255}}, true, {40, 41, 42, 43, 44, 45}},
        {"digit sum one below it", {high}, {}, {{2, 254}}, false, {}},
        {"overlap at its limit", seven, {3}, {{3, 5}}, true, {}, true},
        {"overlap one past", seven, {3}, {{3, 4}}, true, {}, false},
        {"latest draw at its limit", seven, {4}, {{4, 5}}, true, {}, std::nullopt, 5},
        {"latest draw one past", seven, {4}, {{4, 4}}, false, {}},
        {"second-last draw at its limit, the latest one's limit off", seven, {5}, {{4, 0}, {5, 5}}, true, {}, std::nullopt, -1, 5},
        {"second-last draw one past, the latest one's limit wide", seven, {4, 5}, {{4, 5}, {5, 4}}, false, {}},
        {"archive hits one below the match size", sixOfSeven, {9}, {{6, 6}}, true, {2, 3, 4, 5, 6, 7}},
        {"archive hits at the match size", sixOfSeven, {9}, {{6, 5}}, false, {}},
        // No candidate has a pair; once the pair is no longer forced (run 500 of 1000) it goes through.
        {"forced pair relaxed at half the runs", {gaps}, {8}, {}, true, {1, 3, 5, 7, 9, 11}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GeneratorEnv env;
        const auto records = drawsOver(c.draws, 42);
        env.dir.writeArchive(records);
        env.noPreferences();
        env.check(2, true);
        env.check(15, true);
        for (int box : {3, 4, 5, 8, 9}) env.check(box, false);
        env.setUpDown(1, 21);
        env.setUpDown(2, 279);
        env.setUpDown(8, 2);
        env.setRunLimitThousands(1);
        for (int box : c.boxes) env.check(box, true);
        for (const auto& [upDown, value] : c.upDowns) env.setUpDown(upDown, value);
        calculateTips(env.session, env.steps);

        const auto tips = env.rows();
        ASSERT_EQ(isTip(tips[0]), c.found);
        if (c.found && c.tip != TipNumbers{}) {
            EXPECT_EQ(tips[0], c.tip);
        }
        if (c.secondFound) {
            EXPECT_EQ(isTip(tips[1]), *c.secondFound);
        }
        const auto latest = latestSelected(records, true, true);
        if (c.lastHits >= 0) {
            EXPECT_EQ(commonNumbers(tips[0], sevenOf(latest[0])), c.lastHits);
        }
        if (c.secondLastHits >= 0) {
            EXPECT_EQ(commonNumbers(tips[0], sevenOf(latest[1])), c.secondLastHits);
        }
        if (c.found && c.draws.front() == high) {
            // Sorted before its status text and the filters: the first candidate already passes.
            const QStringList firstTip =
                env.ui.statusHistory[1].filter(QRegularExpression(QStringLiteral("^1\\.Tipp")));
            EXPECT_EQ(firstTip.size(), 1);
            EXPECT_EQ(firstTip.value(0), QStringLiteral("1.Tipp:  40 41  42  43  44  45  QS: 255"));
        }
    }
}

TEST(TipSearch, PreferredOnlyWithAnEmptyPoolEndsAsAtTheRunLimit) {
    GeneratorEnv env;
    env.dir.writeArchive(generatedDraws(QDate(2000, 1, 1), 100, 4));
    env.noPreferences();
    env.check(15, true);
    RelaxSpy spy(env.controls);
    calculateTips(env.session, env.steps);
    for (const auto& tip : env.rows()) EXPECT_FALSE(isTip(tip));
    EXPECT_EQ(env.sumLabel(0), QString());
    EXPECT_EQ(env.ui.statusTexts[1], changeParameters(10));
    EXPECT_TRUE(env.state.readyFlag);
    EXPECT_TRUE(spy.changes.isEmpty());
}

TEST(TipSearch, WithoutAnArchivePutsBackTheFlagCursorAndOptions) {
    GeneratorEnv env;
    EXPECT_THROW(calculateTips(env.session, env.steps), AppError);
    EXPECT_EQ(env.ui.messages, QStringList{QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein")});
    EXPECT_TRUE(env.state.readyFlag);
    EXPECT_EQ(env.ui.busyDepth, 0);
    EXPECT_EQ(env.grid.rowTexts(0).join(' '), QStringLiteral("1 2 3 4 5 6"));
}

// A failure after the search has changed options (here the final evaluation) still puts them back.
TEST(TipSearch, AFailureAtTheEndPutsBackTheRelaxedOptions) {
    struct FailingEnd : DrawSteps {
        explicit FailingEnd(DrawSteps& real) : real(real) {}
        void showDrawForDate() override { real.showDrawForDate(); }
        void previousDraw() override { real.previousDraw(); }
        void nextDraw() override { real.nextDraw(); }
        void komplettcheck() override { throw AppError(QStringLiteral("kaputt")); }
        DrawSteps& real;
    };
    GeneratorEnv env;
    env.dir.writeArchive(generatedDraws(QDate(2000, 1, 1), 100, 4));
    env.setUpDown(1, 250);
    env.setUpDown(2, 279);
    env.setRunLimitThousands(1);
    env.ui.keepHistory = false;
    FailingEnd steps(env.steps);
    EXPECT_THROW(calculateTips(env.session, steps), AppError);
    EXPECT_TRUE(env.options.forcePair());
    EXPECT_TRUE(env.state.readyFlag);
    EXPECT_EQ(env.ui.busyDepth, 0);
}

// The seed gives the same tips, in "6 aus 42" with the same Glückszahl of each, drawn by the one generator.
TEST(RandomSeed, TheSameNumberGivesTheSameTips) {
    // EuroMillions likewise, with two distinct stars of the drum as it is now (1 .. 12).
    for (const Game* game : {&Game::sixOf42(), &Game::euroMillions()}) {
        SCOPED_TRACE(game->name.toStdString());
        GeneratorEnv forty;
        forty.state.game = game;
        forty.grid.applyGame(*game);
        forty.dir.writeArchive(shippedDraws(*game), game->archiveFile);
        forty.clock.setToday(QDate(2026, 1, 1));
        std::vector<Numbers> extras[2];
        for (auto& own : extras) {
            forty.ui.inputAnswers.push_back(QStringLiteral("12345"));
            forty.ui.questionAnswers.push_back(true);
            chooseRandomSeed(forty.session, forty.steps);
            for (int r = 0; r < TipGrid::Rows; ++r) own.push_back(forty.grid.extraCells(r));
            for (int r = 0; r < 10; ++r)
                for (int n : forty.grid.tip(r).numbers) EXPECT_TRUE(game->isNumber(n)) << n;
        }
        EXPECT_EQ(extras[0], extras[1]);
        const Drum& drum = game->tipExtraDrumAt(0);
        for (int r = 0; r < TipGrid::Rows; ++r) {
            const Numbers& own = extras[0][std::size_t(r)];
            for (const int n : own) EXPECT_TRUE(r < 10 ? drum.holds(n) : n == 0) << r << ' ' << n;
            if (r < 10 && own.size() == 2) {
                EXPECT_LT(own[0], own[1]);
            }
        }
    }

    GeneratorEnv env;
    env.dir.writeArchive(generatedDraws(QDate(2000, 1, 1), 200, 8));
    std::vector<TipNumbers> runs[2];
    for (auto& tips : runs) {
        env.ui.inputAnswers.push_back(QStringLiteral("12345"));
        env.ui.questionAnswers.push_back(true);
        chooseRandomSeed(env.session, env.steps);
        EXPECT_TRUE(env.ui.statusHistory[1].contains(QStringLiteral("Startzahl 12345 gesetzt")));
        EXPECT_EQ(env.ui.statusTexts[1], Recalculated);
        tips = env.rows();
        env.ui.statusHistory[1].clear();
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_TRUE(isTip(runs[0][9]));
    EXPECT_EQ(env.grid.extraCell(0), 0); // "6 aus 45" draws no number for a cell it does not show
    ASSERT_EQ(env.ui.inputs.size(), 2);
    const QStringList parts = env.ui.inputs[0].split(QLatin1Char('|'));
    EXPECT_EQ(parts[0], QStringLiteral("Startzahl (1-99999999)?"));
    EXPECT_EQ(parts[1], QStringLiteral("Geben Sie eine Startzahl für den Zufallsgenerator ein!"));
    const int proposal = parts[2].toInt();
    EXPECT_GE(proposal, 0);
    EXPECT_LT(proposal, 99999);
    EXPECT_EQ(env.ui.questions, QStringList(2, QStringLiteral("Soll der Tipp jetzt berechnet werden?")));
}

TEST(RandomSeed, RepliesAndFailuresEndQuietly) {
    // clang-format off
    struct Case { QString reply; bool archive, yes; QString status; int questions; }; // status: panel 1 afterwards
    const Case cases[] = {
        {QStringLiteral("abc"), true, true, QStringLiteral("vorher"), 0},
        {QStringLiteral("12345"), true, false, QStringLiteral("Startzahl 12345 gesetzt"), 1},
        {QStringLiteral("-7"), true, false, QStringLiteral("Startzahl -7 gesetzt"), 1},
        // Any integer is a seed, whatever the caption's range says.
        {QStringLiteral("2147483647"), true, false, QStringLiteral("Startzahl 2147483647 gesetzt"), 1},
        {QStringLiteral("2147483648"), true, true, QStringLiteral("vorher"), 0},
        // The calculation fails without an archive: swallowed, no error box.
        {QStringLiteral("5"), false, true, QStringLiteral("Startzahl 5 gesetzt"), 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        GeneratorEnv env;
        if (c.archive) env.dir.writeArchive(generatedDraws(QDate(2000, 1, 1), 60, 8));
        env.ui.setStatus(1, QStringLiteral("vorher"));
        env.ui.inputAnswers.push_back(c.reply);
        env.ui.questionAnswers.push_back(c.yes);
        EXPECT_NO_THROW(chooseRandomSeed(env.session, env.steps));
        EXPECT_EQ(env.ui.statusTexts[1], c.status) << c.reply.toStdString();
        EXPECT_EQ(env.ui.questions.size(), c.questions);
        EXPECT_EQ(env.grid.rowTexts(0).join(' '), QStringLiteral("1 2 3 4 5 6"));
        EXPECT_TRUE(env.ui.errors.isEmpty());
        EXPECT_EQ(env.ui.busyDepth, 0);
    }
}
