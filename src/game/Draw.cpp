#include "game/Draw.h"

#include <numeric>

int Draw::digitSum() const {
    return std::accumulate(numbers.begin(), numbers.end(), 0);
}

bool sameDraw(const Draw& a, const Draw& b) {
    return a.numbers.sorted() == b.numbers.sorted() && a.extras.sorted() == b.extras.sorted();
}
