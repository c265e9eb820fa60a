#pragma once

#include <functional>
#include <optional>
#include <vector>

// Shortened lottery systems as covering designs: blocks of k out of v elements (0 .. v - 1) such that every
// t of the v elements lie together in at least one block. The caller maps the elements to the player's
// numbers and adds the fixed numbers ("Bankzahlen") to each block.
namespace covering {

struct CoveringProblem {
    int v = 0; // elements 0 .. v - 1, at most MostElements
    int k = 6; // elements per block, 1 .. MostPerBlock
    int t = 3; // every t-subset is to lie in a block, 1 .. k
};

using Block = std::vector<int>; // ascending element indices

// A system of up to 20 numbers; the search's step budgets are measured for that. A tip has six numbers.
inline constexpr int MostElements = 20;
inline constexpr int MostPerBlock = 6;

// Called every few thousand steps with the share of the work done (0 .. 1); answering false cancels.
using GoOn = std::function<bool(double progress)>;

// True when searchCovering and uncoveredGroup accept the problem: 1 <= t <= k <= MostPerBlock and
// 1 <= v <= MostElements.
bool isValid(const CoveringProblem& problem);

// The smallest covering found, blocks and their order the same on every run and platform; empty if
// cancelled. Where v <= k it is the one block of all v elements (fewer than k when v < k). Every result has
// passed uncoveredGroup. The work is bounded by step counts, so for v <= 20 it takes about a second or
// less, and under two seconds for four of twenty. Throws std::invalid_argument for a problem that is not
// valid.
std::vector<Block> searchCovering(const CoveringProblem& problem, const GoOn& goOn);

// The first t-subset (ascending, in lexicographic order of the t-subsets) that no block holds, or nothing
// when every one is held. Computed from the blocks alone. Throws std::invalid_argument for an invalid
// problem or a block that is not strictly ascending within 0 .. v - 1 or has more than k elements.
std::optional<std::vector<int>> uncoveredGroup(const CoveringProblem& problem,
                                               const std::vector<Block>& blocks);

// No covering has fewer blocks than this (the Schönheim bound); for v <= k it is 1.
int lowerBound(const CoveringProblem& problem);

} // namespace covering
