#include "game/Tip.h"

#include "game/Game.h"

#include <algorithm>
#include <numeric>

Tip Tip::fromTexts(const QStringList& texts, const Numbers& extras) {
    Tip tip;
    tip.extras = extras;
    for (const QString& text : texts) {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok, 10);
        tip.numbers.push_back(ok ? v : 0);
    }
    return tip;
}

bool Tip::complete() const {
    return std::none_of(numbers.begin(), numbers.end(), [](int n) { return n == 0; });
}

bool Tip::hasNumberTwice() const {
    for (int i = 0; i < numbers.size(); ++i)
        for (int j = i + 1; j < numbers.size(); ++j)
            if (numbers[std::size_t(i)] != 0 && numbers[std::size_t(i)] == numbers[std::size_t(j)])
                return true;
    return false;
}

int Tip::digitSum() const {
    return std::accumulate(numbers.begin(), numbers.end(), 0);
}

Tip Tip::sorted() const {
    return {numbers.sorted(), extras.sorted()};
}

TipCheck zettelcheck(const Draw& draw, const Tip& tip, const Game& game) {
    TipCheck result;
    result.numberTwice = tip.hasNumberTwice();
    for (const int drawn : draw.numbers) {
        for (const int t : tip.numbers) {
            if (t == 0) return result;
            if (t == drawn) ++result.hitCount;
        }
    }
    result.extraHits = game.extraHits(tip, draw);
    return result;
}
