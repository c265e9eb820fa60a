#pragma once

#include <QString>
#include <vector>

class ChartModel;
class Ui;
struct Game;
struct Session;

// The numbers the tip search draws from. Entries 0 .. count - 1 are the preferred numbers in the order
// the steps added them; the search draws indices 0 .. poolSize - 1. A number standing k times is drawn
// k times as often as one standing once.
struct PreferencePool {
    // The classic pool size; with up to this many entries the pool is exactly the classic one. Steps that
    // add more grow it instead of writing past its end.
    static constexpr int BaseEntries = 501;
    // The draw range with preferredOnly off.
    static constexpr int DrawRange = 500;

    std::vector<int> entries = std::vector<int>(BaseEntries, 0);
    int count = 0;
    int poolSize = 0;

    void add(int number);
    int entry(int index) const { return entries[static_cast<std::size_t>(index)]; }
    // How often the number stands in the draw range.
    int occurrences(int number) const;
};

// The examinations of the chart, in the order they run; H2 and I2 read the chart H1 and I1 read.
enum class PoolStep { A, B, C, D, E, F, G, H1, H2, I1, I2 };

// Writes the step's "Min: .. Max: .. count" text, then adds the entries of the bars in its window, reading
// the chart as it stands now.
void examinePoolStep(PoolStep step, const ChartModel& chart, Ui& ui, PreferencePool& pool);

// Fills the draw range after the steps: the preferred entries alone with preferredOnly, else the cycle of
// the game's numbers 1 .. highest from index count to 500 and a draw range of 500.
void completePool(PreferencePool& pool, bool preferredOnly, const Game& game);

// Runs steps A to I as the options ask, each statistic as its own button runs it, and completes the pool.
PreferencePool buildPreferencePool(Session& session);
