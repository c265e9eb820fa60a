#pragma once

#include "game/Draw.h"

#include <QStringList>
#include <QtGlobal>
#include <array>

struct Game;

// One tip: its numbers (0 where it has none, as an empty cell of the grid) and, where the game has one,
// its own extra number (0 for none).
struct Tip {
    std::array<int, NumbersDrawn> numbers{};
    int extra = 0;

    // The tip of a row's texts; a text that is no whole number is no number.
    static Tip fromTexts(const QStringList& texts, int extra = 0);
    // Every number there.
    bool complete() const;
    // A number that stands twice among those the tip holds.
    bool hasNumberTwice() const;
    int digitSum() const;
    // The same tip, its numbers ascending.
    Tip sorted() const;

    friend bool operator==(const Tip&, const Tip&) = default;
};

// Result of one comparison of a tip with a draw.
struct TipCheck {
    quint8 hitCount = 0;   // tip numbers found among the draw's numbers
    bool extraHit = false; // the game's extra number counts for the tip (the ZusatzHit of "6 aus 45")
    // A number stands twice among the tip's: its count says nothing, whatever it is.
    bool numberTwice = false;
};

// Zettelcheck: for each drawn number in turn, each tip number in turn. A tip without a number there ends
// the comparison where it stands; what was counted stands and the extra number is not looked at. A number
// twice in a tip counts twice. The extra number counts as the game says (Game::extraHit).
TipCheck zettelcheck(const Draw& draw, const Tip& tip, const Game& game);
