#include "archive/DrawRecord.h"

#include <QtGlobal>
#include <cstring>

// The record's six number bytes are the six numbers of every game.
static_assert(NumbersDrawn == 6);

DrawRecord::Bytes DrawRecord::encode(const Draw& draw) {
    Bytes out{};
    quint64 bits = 0;
    std::memcpy(&bits, &draw.date, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xffu);
    for (std::size_t i = 0; i < 6; ++i) out[8 + i] = static_cast<unsigned char>(draw.numbers[i]);
    out[14] = static_cast<unsigned char>(draw.extra);
    out[15] = static_cast<unsigned char>(draw.superNumber);
    return out;
}

Draw DrawRecord::decode(const unsigned char* bytes) {
    Draw draw;
    quint64 bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= static_cast<quint64>(bytes[i]) << (8 * i);
    std::memcpy(&draw.date, &bits, sizeof draw.date);
    for (std::size_t i = 0; i < 6; ++i) draw.numbers[i] = bytes[8 + i];
    draw.extra = bytes[14];
    draw.superNumber = bytes[15];
    return draw;
}
