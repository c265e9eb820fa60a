#include "game/Draw.h"

#include <algorithm>
#include <numeric>

int Draw::digitSum() const {
    return std::accumulate(numbers.begin(), numbers.end(), 0);
}

bool sameDraw(const Draw& a, const Draw& b) {
    auto x = a.numbers;
    auto y = b.numbers;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y && a.extra == b.extra;
}
