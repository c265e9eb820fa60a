#include "archive/DrawRecord.h"

#include <QtGlobal>
#include <cstring>

DrawRecord::Bytes DrawRecord::encode(const Draw& draw, const Game& game) {
    Bytes out{};
    quint64 bits = 0;
    std::memcpy(&bits, &draw.date, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xffu);
    const RecordLayout& at = game.record;
    for (int i = 0; i < draw.numbers.size(); ++i)
        out[std::size_t(at.numbersAt + i)] = static_cast<unsigned char>(draw.numbers[std::size_t(i)]);
    for (int i = 0; i < draw.extras.size(); ++i)
        out[std::size_t(at.extrasAt + i)] = static_cast<unsigned char>(draw.extras[std::size_t(i)]);
    if (at.superNumberAt >= 0)
        out[std::size_t(at.superNumberAt)] = static_cast<unsigned char>(draw.superNumber);
    return out;
}

Draw DrawRecord::decode(const unsigned char* bytes, const Game& game) {
    Draw draw;
    quint64 bits = 0;
    for (std::size_t i = 0; i < 8; ++i) bits |= static_cast<quint64>(bytes[i]) << (8 * i);
    std::memcpy(&draw.date, &bits, sizeof draw.date);
    const RecordLayout& at = game.record;
    draw.numbers.assign(bytes + at.numbersAt, game.numbers.drawn);
    draw.extras.assign(bytes + at.extrasAt, game.extraCount());
    if (at.superNumberAt >= 0) draw.superNumber = bytes[at.superNumberAt];
    return draw;
}
