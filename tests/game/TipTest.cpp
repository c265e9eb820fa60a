#include "game/Tip.h"

#include "support/TestDir.h"

#include <gtest/gtest.h>

namespace {

bool extraHit(const TipCheck& check) {
    return !check.extraHits.empty() && check.extraHits[0] > 0;
}

Draw drawOf(std::initializer_list<int> six, int zz) {
    Draw d;
    d = makeDraw(QDate(2002, 10, 5), six, zz, 4);
    return d;
}
QStringList texts(std::initializer_list<const char*> t) {
    QStringList l;
    for (auto s : t) l << QString::fromLatin1(s);
    return l;
}
} // namespace

TEST(Zettelcheck, CountsHitsAndZusatz) {
    const Draw d = drawOf({3, 12, 17, 25, 33, 41}, 7);
    EXPECT_EQ(d.superNumber, 4);
    EXPECT_EQ(d.digitSum(), 131);
    struct Case {
        QStringList tip;
        int hits;
        bool zusatz;
    };
    const Case cases[] = {
        {texts({"3", "12", "17", "25", "33", "41"}), 6, false},
        {texts({"41", "33", "25", "1", "2", "7"}), 3, true},
        {texts({"3", "12", "1", "2", "4", "7"}), 2, true},
        {texts({"3", "3", "1", "2", "4", "5"}), 2, false},   // a number twice counts twice
        {texts({"0", "0", "0", "0", "0", "0"}), 0, false},   // "0" matches nothing
        {texts({"12", "3", "", "17", "25", "7"}), 1, false}, // ends at the empty third text
        {texts({"3", "12", "17", "25", "33", "x"}), 1, false},
    };
    for (const auto& c : cases) {
        const TipCheck r = zettelcheck(d, Tip::fromTexts(c.tip), Game::sixOf45());
        EXPECT_EQ(r.hitCount, c.hits) << c.tip.join(' ').toStdString();
        EXPECT_EQ(extraHit(r), c.zusatz) << c.tip.join(' ').toStdString();
    }

    // "6 aus 42": the Glückszahl counts when the tip's own is the draw's; a tip number equal to it does not.
    const Draw gz = drawOf({3, 12, 17, 25, 33, 41}, 4);
    const QStringList tip = texts({"4", "12", "17", "1", "2", "5"});
    EXPECT_TRUE(extraHit(zettelcheck(gz, Tip::fromTexts(tip, {4}), Game::sixOf42())));
    EXPECT_FALSE(extraHit(zettelcheck(gz, Tip::fromTexts(tip, {5}), Game::sixOf42())));
    EXPECT_FALSE(extraHit(zettelcheck(gz, Tip::fromTexts(tip), Game::sixOf42())));
    EXPECT_TRUE(extraHit(zettelcheck(gz, Tip::fromTexts(tip), Game::sixOf45())));
}
