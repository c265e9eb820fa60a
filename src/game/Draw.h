#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

// The numbers of a draw or a tip from one drum, or from the further drums one after the other: a few,
// kept in place, each in 16 bits (a record's byte, a number of a file within ±32767: Numbers::fits). How many
// a drum draws is the game's to say (Game::numbers, Game::extras).
class Numbers {
public:
    using Value = std::int16_t;
    // More than any drum of any game draws.
    static constexpr int Capacity = 8;
    // A number kept as it is; any other is none of any game.
    static constexpr bool fits(int n) { return n >= INT16_MIN && n <= INT16_MAX; }

    Numbers() = default;
    Numbers(std::initializer_list<int> values) {
        for (const int v : values) push_back(v);
    }
    // That many zeros: the numbers of a drum before they are known.
    static Numbers zeros(int count) {
        Numbers n;
        n.size_ = std::int8_t(std::clamp(count, 0, Capacity));
        return n;
    }

    int size() const { return size_; }
    // The numbers straight from bytes: a record's.
    void assign(const unsigned char* bytes, int count) {
        size_ = std::int8_t(std::clamp(count, 0, Capacity));
        for (int i = 0; i < size_; ++i) values_[std::size_t(i)] = bytes[i];
    }
    bool empty() const { return size_ == 0; }
    // Writing past the end makes the numbers that long, zeros between, as far as the capacity goes.
    Value& operator[](std::size_t i) {
        if (int(i) >= size_ && int(i) < Capacity) size_ = std::int8_t(i + 1);
        return values_[i];
    }
    int operator[](std::size_t i) const { return values_[i]; }
    Value* begin() { return values_.data(); }
    Value* end() { return values_.data() + size_; }
    const Value* begin() const { return values_.data(); }
    const Value* end() const { return values_.data() + size_; }
    // Beyond the capacity nothing is kept.
    void push_back(int value) {
        if (size_ < Capacity) values_[std::size_t(size_++)] = Value(value);
    }
    bool contains(int value) const {
        for (const Value v : *this)
            if (v == value) return true;
        return false;
    }
    // The numbers from `from` on, `count` of them (as many as there are).
    Numbers part(int from, int count) const {
        Numbers n;
        for (int i = from; i < from + count && i < size_; ++i) n.push_back(values_[std::size_t(i)]);
        return n;
    }
    Numbers sorted() const {
        Numbers n = *this;
        std::sort(n.begin(), n.end());
        return n;
    }

    friend bool operator==(const Numbers& a, const Numbers& b) {
        return a.size_ == b.size_ && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    std::array<Value, Capacity> values_{};
    std::int8_t size_ = 0;
};

// One draw: its date, the numbers of the main drum in the order given, those of the further drums (the
// Zusatzzahl of "6 aus 45", the Glückszahl of "6 aus 42", the stars of EuroMillions) drum after drum, and the
// Superzahl (0 where there is none). Plain numbers: what a game allows is the game's to say
// (Game::problemOf). The archive keeps a draw as a 16-byte record (archive/DrawRecord.h).
struct Draw {
    double date = 0; // day number
    Numbers numbers;
    Numbers extras;
    int superNumber = 0;

    // The sum of the numbers.
    int digitSum() const;

    friend bool operator==(const Draw&, const Draw&) = default;
};

// The same draw: the same numbers in any order and the same further numbers in any order. The Superzahl is
// not compared: the export does not write it, so an archive read back from its own export would differ in
// every draw.
bool sameDraw(const Draw& a, const Draw& b);
