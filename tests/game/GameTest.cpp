#include "game/Game.h"

#include "game/Tip.h"

#include <QDate>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

// Each game's terms as one line: numbers, extra number, Superzahl, days, and every rank with its ways and
// odds (1 in the game's tips over the rank's ways, rounded).
TEST(Game, RanksWaysOddsAndRangesOfEachGame) {
    const auto terms = [](const Game& g) {
        QStringList ranks;
        for (const PrizeRank& r : g.ranks)
            ranks << QStringLiteral("%1: %2 of %3 = 1 in %4")
                         .arg(r.name)
                         .arg(r.ways)
                         .arg(g.tipChoices)
                         .arg(std::nearbyint(double(g.tipChoices) / double(r.ways)), 0, 'f', 0);
        return QStringLiteral("%1 of 1..%2 (%3 choices), %4 %5..%6 %7, SZ %8..%9 after %10, from %11 to %12, "
                              "Wednesdays from %13 | %14")
            .arg(g.numbers.drawn)
            .arg(g.numbers.highest())
            .arg(g.numberChoices())
            .arg(g.extra().name)
            .arg(g.extra().lowest)
            .arg(g.extra().highest())
            .arg(g.extra().mainDrum ? QStringLiteral("same drum") : QStringLiteral("own drum"))
            .arg(g.superNumber.lowest)
            .arg(g.superNumber.highest)
            .arg(g.superNumber.after.toString(Qt::ISODate), g.firstDraw.toString(Qt::ISODate),
                 g.lastDraw.toString(Qt::ISODate), g.drawDays[1].from.toString(Qt::ISODate),
                 ranks.join(QStringLiteral("; ")));
    };
    EXPECT_EQ(
        terms(Game::sixOf45()),
        QStringLiteral("6 of 1..45 (8145060 choices), Zusatzzahl 1..45 same drum, SZ 0..9 after 1995-08-01, "
                       "from 1986-01-04 to 2013-01-09, Wednesdays from 1997-01-08 | "
                       "6: 1 of 8145060 = 1 in 8145060; 5 + ZZ: 6 of 8145060 = 1 in 1357510; "
                       "5: 228 of 8145060 = 1 in 35724; 4: 11115 of 8145060 = 1 in 733; "
                       "3: 182780 of 8145060 = 1 in 45"));
    EXPECT_EQ(terms(Game::sixOf42()),
              QStringLiteral("6 of 1..42 (5245786 choices), Glückszahl 1..6 own drum, SZ 0..0 after , "
                             "from 2013-01-12 to , Wednesdays from 2013-01-12 | "
                             "6 + GZ: 1 of 31474716 = 1 in 31474716; 6: 5 of 31474716 = 1 in 6294943; "
                             "5 + GZ: 216 of 31474716 = 1 in 145716; 5: 1080 of 31474716 = 1 in 29143; "
                             "4 + GZ: 9450 of 31474716 = 1 in 3331; 4: 47250 of 31474716 = 1 in 666; "
                             "3 + GZ: 142800 of 31474716 = 1 in 220; 3: 714000 of 31474716 = 1 in 44"));
}

TEST(Game, NextAndPreviousDrawDay) {
    const struct {
        QDate day, next, previous;
    } cases[] = {
        {QDate(2002, 10, 17), QDate(2002, 10, 19), QDate(2002, 10, 16)}, // Thursday
        {QDate(2002, 10, 19), QDate(2002, 10, 19), QDate(2002, 10, 19)}, // a draw day itself
        {QDate(2002, 10, 20), QDate(2002, 10, 23), QDate(2002, 10, 19)}, // Sunday
        {QDate(1996, 10, 16), QDate(1996, 10, 19), QDate(1996, 10, 12)}, // no Wednesday draws before 1997
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Game::sixOf45().nextDrawDay(c.day), c.next);
        EXPECT_EQ(Game::sixOf45().previousDrawDay(c.day), c.previous);
    }
}

// What keeps a draw out of a game, what a tip reaches in a draw, and which days are draw days: a row each, a
// column per game.
TEST(Game, ProblemsRanksAndDrawDaysOfEachGame) {
    const Game* games[] = {&Game::sixOf45(), &Game::sixOf42()};
    const auto draw = [](std::initializer_list<int> numbers, int extra) {
        Draw d;
        d.numbers = numbers;
        d.extras = {extra};
        return d;
    };
    using K = Game::DrawProblem::Kind;
    const struct {
        Draw draw;
        K kind[2];
        int number[2];
    } problems[] = {
        {draw({1, 2, 3, 4, 5, 6}, 7), {K::None, K::ExtraOutOfRange}, {0, 7}},
        {draw({1, 2, 3, 4, 5, 43}, 1), {K::ExtraAmongSix, K::NumberOutOfRange}, {1, 43}},
        {draw({0, 2, 3, 4, 5, 6}, 1), {K::NumberOutOfRange, K::NumberOutOfRange}, {0, 0}},
        {draw({1, 2, 3, 4, 5, 6}, 6), {K::ExtraAmongSix, K::None}, {6, 0}}, // a Glückszahl may be one of them
        {draw({1, 2, 3, 3, 5, 6}, 9), {K::NumberTwice, K::ExtraOutOfRange}, {3, 9}},
        {draw({1, 2, 3, 4, 5, 6}, 46), {K::ExtraOutOfRange, K::ExtraOutOfRange}, {46, 46}},
    };
    for (const auto& p : problems)
        for (int g = 0; g < 2; ++g) {
            const Game::DrawProblem problem = games[g]->problemOf(p.draw);
            EXPECT_EQ(problem.kind, p.kind[g]) << g << ' ' << p.draw.extras[0];
            EXPECT_EQ(problem.number, p.number[g]) << g << ' ' << p.draw.extras[0];
        }
    // The draw 1 2 3 4 5 6 with the extra number 7 (6 aus 45) or 2 (6 aus 42); "" for no rank.
    const struct {
        Tip tip;
        const char* rank[2];
    } ranks[] = {
        {{{1, 2, 3, 4, 5, 6}, {2}}, {"6", "6 + GZ"}},
        {{{6, 5, 4, 3, 2, 1}, {3}}, {"6", "6"}},
        {{{1, 2, 3, 4, 5, 7}, {2}}, {"5 + ZZ", "5 + GZ"}},
        {{{1, 2, 3, 4, 5, 8}, {0}}, {"5", "5"}},
        {{{1, 2, 3, 4, 7, 8}, {2}}, {"4", "4 + GZ"}},
        {{{1, 2, 3, 7, 8, 9}, {1}}, {"3", "3"}},
        {{{1, 2, 7, 8, 9, 10}, {2}}, {"", ""}},
    };
    for (const auto& r : ranks)
        for (int g = 0; g < 2; ++g) {
            const PrizeRank* rank = games[g]->rankOf(r.tip, draw({1, 2, 3, 4, 5, 6}, g == 0 ? 7 : 2));
            EXPECT_EQ(rank ? rank->name : QString(), QString::fromLatin1(r.rank[g])) << g;
        }
    const struct {
        QDate day;
        bool drawDay[2];
    } days[] = {
        {QDate(1996, 10, 16), {false, false}}, {QDate(1997, 1, 8), {true, false}},
        {QDate(2013, 1, 12), {true, true}},    {QDate(2026, 12, 9), {true, true}},
        {QDate(2026, 12, 10), {false, false}}, {QDate(2026, 12, 12), {true, true}},
    };
    for (const auto& d : days)
        for (int g = 0; g < 2; ++g)
            EXPECT_EQ(games[g]->isDrawDay(d.day), d.drawDay[g]) << g << ' ' << d.day.toString().toStdString();
}
