#pragma once

#include "game/Draw.h"

#include <QStringList>
#include <QtGlobal>

struct Game;

// One tip: its numbers (0 where it has none, as an empty cell of the grid) and, where the game has drums of
// their own, its own numbers of them (the Glückszahl, the two stars; 0 for none).
struct Tip {
    Numbers numbers;
    Numbers extras;

    Tip() = default;
    Tip(std::initializer_list<int> numbers) : numbers(numbers) {}
    Tip(const Numbers& numbers, const Numbers& extras) : numbers(numbers), extras(extras) {}

    // The tip of a row's texts; a text that is no whole number is no number.
    static Tip fromTexts(const QStringList& texts, const Numbers& extras = {});
    // Every number there.
    bool complete() const;
    // A number that stands twice among those the tip holds.
    bool hasNumberTwice() const;
    int digitSum() const;
    // The same tip, its numbers ascending (and the numbers of its own further drums).
    Tip sorted() const;

    friend bool operator==(const Tip&, const Tip&) = default;
};

// Result of one comparison of a tip with a draw.
struct TipCheck {
    quint8 hitCount = 0; // tip numbers found among the draw's numbers
    // The hits in each further drum (the ZusatzHit of "6 aus 45": the ZZ among the tip's numbers), as the
    // game counts them (Game::extraHits); empty where the comparison ended early.
    Numbers extraHits;
    // A number stands twice among the tip's: its count says nothing, whatever it is.
    bool numberTwice = false;
};

// Zettelcheck: for each drawn number in turn, each tip number in turn. A tip without a number there ends
// the comparison where it stands; what was counted stands and the further drums are not looked at. A number
// twice in a tip counts twice. The further drums count as the game says (Game::extraHits).
TipCheck zettelcheck(const Draw& draw, const Tip& tip, const Game& game);
