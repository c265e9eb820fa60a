#include "archive/CurrentDraw.h"

void CurrentDraw::load(const DrawRecord& record) {
    date = record.datum;
    loadNumbers(record);
}

void CurrentDraw::loadNumbers(const DrawRecord& record) {
    for (int i = 0; i < 6; ++i)
        numbers[static_cast<std::size_t>(i)] = record.zahl[static_cast<std::size_t>(i)];
    numbers[6] = record.zz;
    numbers[7] = record.sz;
}

DrawRecord CurrentDraw::record() const {
    DrawRecord r;
    r.datum = date;
    for (std::size_t i = 0; i < 6; ++i) r.zahl[i] = static_cast<quint8>(numbers[i]);
    r.zz = static_cast<quint8>(numbers[6]);
    r.sz = static_cast<quint8>(numbers[7]);
    return r;
}

int CurrentDraw::digitSum() const {
    int sum = 0;
    for (int i = 0; i < 6; ++i) sum += numbers[static_cast<std::size_t>(i)];
    return sum;
}

TipNumbers parseTip(const QStringList& texts) {
    TipNumbers tip;
    for (int i = 0; i < 6 && i < texts.size(); ++i) {
        bool ok = false;
        const int v = texts[i].trimmed().toInt(&ok, 10);
        if (ok) tip[static_cast<std::size_t>(i)] = v;
    }
    return tip;
}

TipNumbers tipOf(const std::array<int, 6>& numbers) {
    TipNumbers tip;
    for (std::size_t i = 0; i < 6; ++i) tip[i] = numbers[i];
    return tip;
}

bool hasNumberTwice(const TipNumbers& tip) {
    for (std::size_t i = 0; i < tip.size(); ++i)
        for (std::size_t j = i + 1; j < tip.size(); ++j)
            if (tip[i] && tip[j] && *tip[i] == *tip[j]) return true;
    return false;
}

TipCheck zettelcheck(const CurrentDraw& draw, const TipNumbers& tip, const Game& game, int tipExtra) {
    TipCheck result;
    result.numberTwice = hasNumberTwice(tip);
    for (std::size_t i = 0; i < 6; ++i) {
        for (const auto& t : tip) {
            if (!t) return result;
            if (*t == draw.numbers[i]) ++result.hitCount;
        }
    }
    std::array<int, 6> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = *tip[i];
    result.extraHit = game.extraHit(numbers, tipExtra, draw.record());
    return result;
}

TipCheck zettelcheck(const CurrentDraw& draw, const QStringList& texts, const Game& game, int tipExtra) {
    return zettelcheck(draw, parseTip(texts), game, tipExtra);
}
