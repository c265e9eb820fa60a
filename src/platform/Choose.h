#pragma once

#include <cstdint>

// n choose k, exact in 64 bits for every count of tips, groups and systems the program meets; 0 where no
// such choice exists.
constexpr std::int64_t choose(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    std::int64_t ways = 1;
    for (int i = 0; i < k; ++i) ways = ways * (n - i) / (i + 1);
    return ways;
}
