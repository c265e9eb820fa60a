#pragma once

#include <QtGlobal>
#include <array>
#include <cstddef>

// One draw as stored in the archive: 16 bytes, little-endian, no padding.
//   0..7  Datum (IEEE-754 double, day number)   8..13 Zahl1..Zahl6   14 ZZ   15 SZ
struct DrawRecord {
    static constexpr std::size_t Size = 16;
    using Bytes = std::array<unsigned char, Size>;

    double datum = 0;
    std::array<quint8, 6> zahl{};
    quint8 zz = 0;
    quint8 sz = 0;

    // The seven numbers readers count as drawn: Zahl1..Zahl6 and ZZ (index 0..6).
    int drawnNumber(int index) const { return index < 6 ? zahl[static_cast<std::size_t>(index)] : zz; }
    // Sum of Zahl1..Zahl6.
    int digitSum() const;

    Bytes toBytes() const;
    static DrawRecord fromBytes(const unsigned char* bytes);

    friend bool operator==(const DrawRecord&, const DrawRecord&) = default;
};

// The same draw: the same six numbers in any order and the same ZZ. SZ is not compared: the export does not
// write it, so an archive read back from its own export would differ in every draw.
bool sameDraw(const DrawRecord& a, const DrawRecord& b);

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
