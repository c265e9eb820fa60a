#pragma once

#include "game/Draw.h"
#include "game/Tip.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace share {
struct Model;
}
class TipGrid;
struct Game;

// What a tip is worth in a game whose players' choices are known from its quotas ("6 aus 42"): its share
// factor beside its row ("×1.18"), said in words in the row's tool tip, and what the tip search needs to
// avoid what many others play. The chance of a win is the same for every tip; only the sharing differs.
namespace worth {

// The model of the file; nullptr where it is missing or cannot be read (no factor is shown then).
std::shared_ptr<const share::Model> loadModel(const QString& file);

struct Shown {
    QString text; // "×1.18"
    QString toolTip;
};
// The factor of a tip of six distinct numbers of 1..42 with its Glückszahl; nothing for another tip.
// latestDraw: the numbers of the newest draw, a tip that repeats them is told; may be null.
std::optional<Shown> shownFor(const share::Model& model, const Tip& tip, const Numbers* latestDraw);

// What each row of the grid shows beside it: the factor of its complete tip, nothing for any other row.
std::vector<std::optional<Shown>> rowsOf(const TipGrid& grid, const Game& game, const share::Model& model,
                                         const Numbers* latestDraw);

// For the tip search that avoids what is popular: the chance that a number drawn from the pool is kept (1 for
// the least played number, by number), and the weight of each Glückszahl (by number, 0 unused).
std::array<double, 43> numberAcceptance(const share::Model& model);
std::array<double, 7> luckyWeights(const share::Model& model);
// A tip of a pattern that many play or that the data cannot clear: all numbers up to 31, an arithmetic
// sequence, the numbers of the newest draw.
bool hasPopularPattern(const Numbers& numbers, const Numbers* latestDraw);

} // namespace worth
