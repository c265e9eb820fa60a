#pragma once

#include "game/Tip.h"
#include "generator/CoveringDesign.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct Game;

// "Systemspiel": many tips of a player's chosen numbers at once. A full system is every tip of six of them
// (with the Bankzahlen in each); a shortened one is a covering of the chosen numbers (every group of t of
// them lies in some tip), proved against every such group before it is shown. A system changes no chance per
// franc: it is that many tips.
namespace systemplay {

inline constexpr int FewestNumbers = 7;
inline constexpr int MostNumbers = 20;
inline constexpr int MostBankNumbers = 5;
inline constexpr int MostTips = 924; // a full system of 12 numbers

// What the player asks for: the chosen numbers, the Bankzahlen (in every tip, none of the chosen), the
// guarantee (0 for a full system, else "t wenn t") and, where the game gives each tip one, its Glückszahlen
// (each tip is played with each).
struct Request {
    std::vector<int> numbers; // ascending
    std::vector<int> bank;    // ascending
    int guarantee = 0;
    std::vector<int> lucky; // ascending; empty for a game without them
};

// Systems of six numbers and at most one number of the tip's own: the Swiss games.
bool playsSystems(const Game& game);

// The texts of the dialog's fields, read and checked: AppError names what is wrong in German.
Request readRequest(const Game& game, const QString& numbers, const QString& bank, int guarantee,
                    const QString& lucky);

struct System {
    std::vector<Tip> tips; // numbers ascending, each Glückszahl in turn
    QString summary;       // count, cost, and the guarantee in words
    QStringList winPlan;   // a full system's "Gewinnplan"; empty for a shortened one
};

// Builds the system; nothing when the search was cancelled. More than MostTips tips are refused with their
// count and cost (AppError).
std::optional<System> build(const Game& game, const Request& request, const covering::GoOn& goOn = {});

} // namespace systemplay
