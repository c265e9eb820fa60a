#include "game/Tip.h"

#include "game/Game.h"

#include <algorithm>
#include <numeric>

Tip Tip::fromTexts(const QStringList& texts, int extra) {
    Tip tip;
    tip.extra = extra;
    for (int i = 0; i < NumbersDrawn && i < texts.size(); ++i) {
        bool ok = false;
        const int v = texts[i].trimmed().toInt(&ok, 10);
        if (ok) tip.numbers[static_cast<std::size_t>(i)] = v;
    }
    return tip;
}

bool Tip::complete() const {
    return std::none_of(numbers.begin(), numbers.end(), [](int n) { return n == 0; });
}

bool Tip::hasNumberTwice() const {
    for (std::size_t i = 0; i < numbers.size(); ++i)
        for (std::size_t j = i + 1; j < numbers.size(); ++j)
            if (numbers[i] != 0 && numbers[i] == numbers[j]) return true;
    return false;
}

int Tip::digitSum() const {
    return std::accumulate(numbers.begin(), numbers.end(), 0);
}

Tip Tip::sorted() const {
    Tip tip = *this;
    std::sort(tip.numbers.begin(), tip.numbers.end());
    return tip;
}

TipCheck zettelcheck(const Draw& draw, const Tip& tip, const Game& game) {
    TipCheck result;
    result.numberTwice = tip.hasNumberTwice();
    for (int i = 0; i < game.drawn; ++i) {
        for (const int t : tip.numbers) {
            if (t == 0) return result;
            if (t == draw.numbers[static_cast<std::size_t>(i)]) ++result.hitCount;
        }
    }
    result.extraHit = game.extraHit(tip, draw);
    return result;
}
