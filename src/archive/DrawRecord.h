#pragma once

#include "game/Draw.h"
#include "game/Game.h"

#include <array>
#include <cstddef>

// How the archive keeps a draw: 16 bytes, little-endian, no padding. Bytes 0 .. 7 hold the date (an
// IEEE-754 double, the day number); the game's RecordLayout says where its numbers stand, one byte each:
//   "6 aus 45"     8..13 Zahl1..Zahl6   14 ZZ           15 SZ
//   "6 aus 42"     8..13 Zahl1..Zahl6   14 Glückszahl   15 0
// Bytes no number takes are 0. The one place a draw becomes bytes and bytes a draw.
struct DrawRecord {
    static constexpr std::size_t Size = 16;
    using Bytes = std::array<unsigned char, Size>;

    static Bytes encode(const Draw& draw, const Game& game);
    static Draw decode(const unsigned char* bytes, const Game& game);
};
