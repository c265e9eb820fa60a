#include "archive/DrawRecord.h"

#include <algorithm>
#include <cstring>

bool sameDraw(const DrawRecord& a, const DrawRecord& b) {
    auto x = a.zahl;
    auto y = b.zahl;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y && a.zz == b.zz;
}

int DrawRecord::digitSum() const {
    int sum = 0;
    for (quint8 n : zahl) sum += n;
    return sum;
}

DrawRecord::Bytes DrawRecord::toBytes() const {
    Bytes out{};
    quint64 bits = 0;
    std::memcpy(&bits, &datum, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xffu);
    for (std::size_t i = 0; i < 6; ++i) out[8 + i] = zahl[i];
    out[14] = zz;
    out[15] = sz;
    return out;
}

DrawRecord DrawRecord::fromBytes(const unsigned char* bytes) {
    DrawRecord r;
    quint64 bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= static_cast<quint64>(bytes[i]) << (8 * i);
    std::memcpy(&r.datum, &bits, sizeof r.datum);
    for (std::size_t i = 0; i < 6; ++i) r.zahl[i] = bytes[8 + i];
    r.zz = bytes[14];
    r.sz = bytes[15];
    return r;
}
