#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>

// A counter table indexed by a key 0 .. N-1. Keys outside the table are ignored, whatever a record
// holds, so no reader ever counts outside its table.
template <std::size_t N> class CountTable {
public:
    static constexpr int size = static_cast<int>(N);
    static bool covers(long long key) { return key >= 0 && key < static_cast<long long>(N); }
    void add(long long key, qint32 delta = 1) {
        if (covers(key)) values_[static_cast<std::size_t>(key)] += delta;
    }
    void set(long long key, qint32 value) {
        if (covers(key)) values_[static_cast<std::size_t>(key)] = value;
    }
    void fill(qint32 value) { values_.fill(value); }
    qint32 operator[](long long key) const {
        return covers(key) ? values_[static_cast<std::size_t>(key)] : 0;
    }

private:
    std::array<qint32, N> values_{};
};
