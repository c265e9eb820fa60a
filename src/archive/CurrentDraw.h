#pragma once

#include "archive/DrawRecord.h"
#include "archive/Game.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The draw the tips are evaluated against: a date and eight numbers (six drawn, the extra number in the
// place of ZZ, SZ).
struct CurrentDraw {
    double date = 0;
    std::array<qint32, 8> numbers{};

    // Date and the eight numbers.
    void load(const DrawRecord& record);
    // The eight numbers only; the date stays.
    void loadNumbers(const DrawRecord& record);
    int digitSum() const;
    // The draw as a record again.
    DrawRecord record() const;
};

// Result of one comparison of a tip with a draw.
struct TipCheck {
    quint8 hitCount = 0;   // tip numbers found among numbers 1..6 of the draw
    bool extraHit = false; // the game's extra number counts for the tip (the ZusatzHit of "6 aus 45")
    // A number stands twice among the tip's: its count says nothing, whatever it is.
    bool numberTwice = false;
};

// A tip's six texts read as numbers once; a text that is no whole number is empty.
using TipNumbers = std::array<std::optional<int>, 6>;
TipNumbers parseTip(const QStringList& texts);
TipNumbers tipOf(const std::array<int, 6>& numbers);
// A number that stands twice among those a tip holds.
bool hasNumberTwice(const TipNumbers& tip);

// Zettelcheck: for each drawn number 1..6 in turn, each tip text in turn. A text that is no whole number
// ends the comparison where it stands; what was counted stands and the extra number is not looked at. A
// number twice in a tip counts twice; "0" never matches. The extra number counts when a tip number is the
// ZZ, or, in a game whose extra number comes from a drum of its own, when tipExtra is the draw's.
TipCheck zettelcheck(const CurrentDraw& draw, const TipNumbers& tip, const Game& game, int tipExtra = 0);
TipCheck zettelcheck(const CurrentDraw& draw, const QStringList& texts, const Game& game, int tipExtra = 0);
