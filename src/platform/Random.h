#pragma once

#include <cstdint>
#include <random>

// The program's one pseudo-random generator. The same seed gives the same sequence on every platform
// and compiler: std::mt19937 is fully specified and the bounded draw below is our own.
class Random {
public:
    Random() : engine_(5489u) {}
    void seed(std::int32_t seed) { engine_.seed(static_cast<std::uint32_t>(seed)); }
    void seedFromClock();
    // Uniform over 0 .. n - 1 without bias; 0 when n <= 0.
    int random(int n);

private:
    std::mt19937 engine_;
};
