#include "stats/CountTable.h"

#include <gtest/gtest.h>

TEST(CountTable, NeverCountsOutsideItsKeys) {
    CountTable<46> t;
    t.add(0);
    t.add(45);
    t.add(46);
    t.add(-1);
    t.add(255);
    EXPECT_EQ(t[0], 1);
    EXPECT_EQ(t[45], 1);
    EXPECT_EQ(t[46], 0);
    EXPECT_EQ(t[-1], 0);
    int total = 0;
    for (int k = 0; k < 46; ++k) total += t[k];
    EXPECT_EQ(total, 2);
}
