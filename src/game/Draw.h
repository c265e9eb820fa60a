#pragma once

#include <array>

// How many numbers a draw of every game the program knows holds, and a tip: the size of the values below.
// Each game says it again as Game::drawn, which its test pins to this.
inline constexpr int NumbersDrawn = 6;

// One draw: its date, its numbers in the order given, the extra number (the Zusatzzahl of "6 aus 45", the
// Glückszahl of "6 aus 42") and the Superzahl (0 where there is none). Plain numbers: what a game allows is
// the game's to say (Game::problemOf). The archive keeps a draw as a 16-byte record (archive/DrawRecord.h).
struct Draw {
    double date = 0; // day number
    std::array<int, NumbersDrawn> numbers{};
    int extra = 0;
    int superNumber = 0;

    // The sum of the numbers.
    int digitSum() const;

    friend bool operator==(const Draw&, const Draw&) = default;
};

// The same draw: the same numbers in any order and the same extra number. The Superzahl is not compared:
// the export does not write it, so an archive read back from its own export would differ in every draw.
bool sameDraw(const Draw& a, const Draw& b);
