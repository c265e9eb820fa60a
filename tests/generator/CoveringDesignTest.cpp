#include "generator/CoveringDesign.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

using covering::Block;
using covering::CoveringProblem;

namespace {

// Built by hand: the complements of 0, 1, 2, 3 in 0..6 (every 3-subset misses one of them), and the
// complements of the pairs of a perfect matching of 0..7 (the 5 elements outside a 3-subset hold a pair).
const std::vector<Block> Seven = {
    {1, 2, 3, 4, 5, 6}, {0, 2, 3, 4, 5, 6}, {0, 1, 3, 4, 5, 6}, {0, 1, 2, 4, 5, 6}};
const std::vector<Block> Eight = {
    {2, 3, 4, 5, 6, 7}, {0, 1, 4, 5, 6, 7}, {0, 1, 2, 3, 6, 7}, {0, 1, 2, 3, 4, 5}};

// Whether some choice of `count` k-subsets of 0..v-1 covers, by trying them all.
bool coverExists(const CoveringProblem& problem, int count) {
    std::vector<Block> all;
    for (int m = 0; m < 1 << problem.v; ++m) {
        Block block;
        for (int e = 0; e < problem.v; ++e)
            if (m >> e & 1) block.push_back(e);
        if (static_cast<int>(block.size()) == problem.k) all.push_back(block);
    }
    std::vector<int> pick;
    for (int i = 0; i < count; ++i) pick.push_back(i);
    for (;;) {
        std::vector<Block> chosen;
        for (const int i : pick) chosen.push_back(all[std::size_t(i)]);
        if (!covering::uncoveredGroup(problem, chosen)) return true;
        int i = count - 1;
        const int n = static_cast<int>(all.size());
        while (i >= 0 && pick[std::size_t(i)] == n - count + i) --i;
        if (i < 0) return false;
        ++pick[std::size_t(i)];
        for (int j = i + 1; j < count; ++j) pick[std::size_t(j)] = pick[std::size_t(j - 1)] + 1;
    }
}

} // namespace

TEST(CoveringDesign, CheckerFindsTheFirstUncoveredGroup) {
    struct Case {
        CoveringProblem problem;
        std::vector<Block> blocks;
        std::size_t changedBlock;
        std::size_t changedPlace;
        int newNumber;
        std::vector<int> firstUncovered;
    };
    const std::vector<Case> cases = {
        {{7, 6, 3}, Seven, 0, 0, 0, {1, 2, 3}},
        {{8, 6, 3}, Eight, 0, 0, 0, {2, 4, 6}},
        {{8, 6, 3}, Eight, 3, 5, 7, {0, 2, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(covering::uncoveredGroup(c.problem, c.blocks));
        std::vector<Block> broken = c.blocks;
        broken[c.changedBlock][c.changedPlace] = c.newNumber;
        std::sort(broken[c.changedBlock].begin(), broken[c.changedBlock].end());
        EXPECT_EQ(covering::uncoveredGroup(c.problem, broken), c.firstUncovered);
    }
    // Malformed blocks are refused, not read past.
    for (const Block& bad : {Block{0, 0, 1}, Block{2, 1}, Block{0, 9}, Block{}, Block{0, 1, 2, 3, 4, 5, 6}})
        EXPECT_THROW(covering::uncoveredGroup({9, 6, 3}, {bad}), std::invalid_argument);
    EXPECT_THROW(covering::uncoveredGroup({9, 3, 4}, {}), std::invalid_argument);
}

TEST(CoveringDesign, TrivialCasesAndFixedNumbers) {
    struct Case {
        CoveringProblem problem;
        std::size_t size;
        bool tryAllSmaller;
    };
    // v <= k: one block; t == k: every k-subset; t == 1: ceil(v / k); the others with the least size,
    // some of them proven here by trying every smaller choice.
    const std::vector<Case> cases = {
        {{5, 6, 3}, 1, false},  {{6, 6, 6}, 1, false}, {{9, 4, 4}, 126, false}, {{13, 6, 1}, 3, false},
        {{12, 6, 1}, 2, false}, {{6, 3, 2}, 6, true},  {{7, 3, 2}, 7, false},   {{7, 6, 3}, 4, true},
        {{8, 6, 3}, 4, true},   {{7, 6, 4}, 5, true},  {{8, 6, 4}, 7, true},
    };
    for (const Case& c : cases) {
        const auto blocks = covering::searchCovering(c.problem, nullptr);
        EXPECT_EQ(blocks.size(), c.size) << c.problem.v << " " << c.problem.k << " " << c.problem.t;
        EXPECT_FALSE(covering::uncoveredGroup(c.problem, blocks));
        if (c.tryAllSmaller) {
            EXPECT_FALSE(coverExists(c.problem, static_cast<int>(c.size) - 1));
        }
    }
}

TEST(CoveringDesign, SizesReachTheBestKnown) {
    struct Case {
        int v;
        int t;
        int bestKnown;
        bool equal; // else within 10 %
    };
    // Best known sizes of coverings with six elements a block, as published.
    const std::vector<Case> cases = {
        {9, 3, 7, true},     {10, 3, 10, true},   {11, 3, 11, true},   {12, 3, 15, true},  {9, 4, 12, true},
        {10, 4, 20, true},   {11, 4, 32, true},   {12, 4, 41, true},   {14, 3, 25, false}, {20, 3, 71, false},
        {15, 4, 117, false}, {17, 4, 188, false}, {20, 4, 382, false},
    };
    for (const Case& c : cases) {
        const CoveringProblem problem{c.v, 6, c.t};
        const auto blocks = covering::searchCovering(problem, nullptr);
        const auto limit = c.equal ? std::size_t(c.bestKnown) : std::size_t(std::ceil(c.bestKnown * 1.1));
        EXPECT_LE(blocks.size(), limit) << c.v << " " << c.t;
        EXPECT_FALSE(covering::uncoveredGroup(problem, blocks));
    }
}

TEST(CoveringDesign, SameBlocksEveryRun) {
    const CoveringProblem problem{13, 5, 3};
    const auto first = covering::searchCovering(problem, nullptr);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(covering::searchCovering(problem, nullptr), first);
}

TEST(CoveringDesign, ProgressRisesAndCancelStops) {
    std::vector<double> seen;
    const auto blocks = covering::searchCovering({12, 6, 4}, [&](double progress) {
        seen.push_back(progress);
        return true;
    });
    EXPECT_FALSE(blocks.empty());
    ASSERT_GT(seen.size(), 10u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.front(), 0.0);
    EXPECT_LE(seen.back(), 1.0);
    int calls = 0;
    EXPECT_TRUE(covering::searchCovering({12, 6, 4}, [&](double) { return ++calls < 3; }).empty());
    EXPECT_EQ(calls, 3);
}
