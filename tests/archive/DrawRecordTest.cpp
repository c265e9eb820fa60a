#include "archive/DrawRecord.h"
#include "game/Draw.h"

#include "support/TestDir.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(DrawRecord, BytesAreLittleEndianAndRoundTrip) {
    Draw r = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4);
    const auto bytes = DrawRecord::encode(r, Game::sixOf45());
    const DrawRecord::Bytes expected{0x00, 0x00, 0x00, 0x00, 0xc0, 0x53, 0xe2, 0x40,
                                     3,    12,   17,   25,   33,   41,   7,    4};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DrawRecord::decode(bytes.data(), Game::sixOf45()), r);
    EXPECT_EQ(r.digitSum(), 131);

    // Every field on its own, with values at the ends of a byte.
    Draw odd;
    odd.date = -20371.0;
    odd.numbers = {255, 0, 1, 128, 45, 46};
    odd.extras = {200};
    odd.superNumber = 9;
    EXPECT_EQ(DrawRecord::decode(DrawRecord::encode(odd, Game::sixOf45()).data(), Game::sixOf45()), odd);
    EXPECT_EQ(odd.extras[0], 200);
}
