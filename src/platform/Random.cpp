#include "platform/Random.h"

#include <QDateTime>

void Random::seedFromClock() {
    seed(static_cast<std::int32_t>(QDateTime::currentMSecsSinceEpoch()));
}

int Random::random(int n) {
    if (n <= 0) return 0;
    const auto bound = static_cast<std::uint32_t>(n);
    // Reject the low values that would make some results more likely than others.
    const std::uint32_t threshold = (0u - bound) % bound;
    for (;;) {
        const auto r = static_cast<std::uint32_t>(engine_());
        if (r >= threshold) return static_cast<int>(r % bound);
    }
}
