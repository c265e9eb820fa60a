#pragma once

#include "game/Draw.h"

#include <array>
#include <cstddef>

// How the archive keeps a draw: 16 bytes, little-endian, no padding.
//   0..7  Datum (IEEE-754 double, day number)   8..13 Zahl1..Zahl6   14 ZZ (the extra number)   15 SZ
// The one place a draw becomes bytes and bytes a draw; every number is one byte.
struct DrawRecord {
    static constexpr std::size_t Size = 16;
    using Bytes = std::array<unsigned char, Size>;

    static Bytes encode(const Draw& draw);
    static Draw decode(const unsigned char* bytes);
};
