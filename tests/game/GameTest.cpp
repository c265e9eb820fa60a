#include "game/Game.h"

#include "archive/DrawRecord.h"
#include "game/Tip.h"
#include "platform/Dates.h"

#include <QDate>
#include <QStringList>
#include <cmath>
#include <functional>
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

namespace {

// A game of another shape that exists only here: five of 1 .. 50 and two of 1 .. 12 from a drum of their own,
// on Tuesdays and Fridays.
Game fiveAndTwo() {
    Game g;
    g.name = QStringLiteral("5 aus 50 + 2 aus 12");
    g.numbers = {QStringLiteral("Zahlen"),
                 {},
                 {},
                 QStringLiteral("Zahl"),
                 QStringLiteral("die"),
                 QStringLiteral("Zahlen"),
                 5,
                 1,
                 {{QDate(), 50}},
                 false,
                 {}};
    g.extras = {{QStringLiteral("Sterne"),
                 QStringLiteral("S"),
                 {},
                 QStringLiteral("Stern"),
                 QStringLiteral("der"),
                 QStringLiteral("Sterne"),
                 2,
                 1,
                 {{QDate(), 12}},
                 false,
                 {QStringLiteral("sterne")}}};
    g.firstDraw = QDate(2004, 2, 13);
    g.drawDays = {{dates::Friday, QDate(), QStringLiteral("Freitag")},
                  {dates::Tuesday, QDate(2011, 5, 10), QStringLiteral("Dienstag")}};
    g.record = {8, 13, -1};
    g.ranks = Game::ranksOf({"5 + 2", "5 + 1", "5", "4 + 2", "4 + 1", "3 + 2", "4", "2 + 2", "3 + 1", "3",
                             "1 + 2", "2 + 1", "2"});
    g.derive();
    return g;
}

// The draw 1 2 .. of the game on 2026-12-08 with its further drums' first numbers after the main ones'
// (the Zusatzzahl the number after them).
Draw sampleOf(const Game& g) {
    Draw d = g.emptyDraw();
    d.date = dates::toDayNumber(QDate(2026, 12, 8));
    for (int i = 0; i < d.numbers.size(); ++i) d.numbers[std::size_t(i)] = i + 1;
    for (int i = 0; i < d.extras.size(); ++i)
        d.extras[std::size_t(i)] = g.extraDrumAt(i).mainDrum ? g.numbers.drawn + 1 + i : i + 1;
    return d;
}

} // namespace

// What every game must hold, game by game: the record round trip, the edges of each drum, the ways of the
// ranks that add up to all tips, what tips reach, the draw text, the draw days and the steps between them.
TEST(Game, ContractOfEveryGame) {
    const Game other = fiveAndTwo();
    std::vector<const Game*> games = Game::all();
    games.push_back(&other);
    using Row = std::pair<const char*, std::function<QString(const Game&)>>;
    const Row rows[] = {
        {"record",
         [](const Game& g) {
             const Draw d = sampleOf(g);
             const DrawRecord::Bytes bytes = DrawRecord::encode(d, g);
             QStringList b;
             for (std::size_t i = 8; i < bytes.size(); ++i) b << QString::number(bytes[i]);
             return b.join(' ') + (DrawRecord::decode(bytes.data(), g) == d ? " =" : " !=");
         }},
        {"edges",
         [](const Game& g) {
             QStringList edges;
             for (const Drum* d : {&g.numbers, &g.extras.front()})
                 for (const int n : {d->lowest - 1, d->lowest, d->highest(), d->highest() + 1})
                     if (d->holds(n)) edges << QString::number(n);
             return edges.join(' ');
         }},
        {"ways",
         [](const Game& g) {
             qint64 all = g.losingWays();
             QStringList ways;
             for (const PrizeRank& r : g.ranks) {
                 ways << QString::number(r.ways);
                 all += g.waysOf(r);
             }
             return ways.join(' ') + (all == g.tipChoices ? " = " : " != ") + QString::number(g.tipChoices);
         }},
        {"ranks",
         [](const Game& g) {
             // The draw's own numbers; then one main number missed; then every further number missed too.
             const Draw d = sampleOf(g);
             Tip best{d.numbers, d.extras.part(0, g.tipExtraCount())};
             Tip fewer = best;
             fewer.numbers[0] = g.numbers.highest();
             Tip none = fewer;
             for (auto& n : none.extras) n = Numbers::Value(g.tipExtraDrumAt(0).highest());
             if (g.extras.front().mainDrum) none.numbers[1] = g.numbers.highest() - 1;
             QStringList ranks;
             for (const Tip& t : {best, fewer, none}) {
                 const PrizeRank* r = g.rankOf(t, d);
                 ranks << (r ? r->name : QStringLiteral("-"));
             }
             return ranks.join(" | ") + " | " + g.hitText(zettelcheck(d, fewer, g));
         }},
        {"text", [](const Game& g) { return g.drawText(sampleOf(g)); }},
        {"days",
         [](const Game& g) {
             QStringList days;
             for (QDate d(2026, 12, 7); d <= QDate(2026, 12, 13); d = d.addDays(1))
                 if (g.isDrawDay(d)) days << g.drawDays[std::size_t(g.drawDayIndex(d))].name;
             return days.join(' ');
         }},
        {"ranges",
         [](const Game& g) {
             return QStringLiteral("%1 %2 %3")
                 .arg(g.tipChoicesOn(QDate(2010, 1, 1)))
                 .arg(g.tipChoicesOn(QDate(2012, 1, 1)))
                 .arg(g.rangesOn(QDate(2012, 1, 1)).toString(Qt::ISODate));
         }},
        {"steps",
         [](const Game& g) {
             const QDate thursday(2026, 12, 10);
             return g.previousDrawDay(thursday).toString(Qt::ISODate) + " " +
                    g.nextDrawDay(thursday).toString(Qt::ISODate) + " " +
                    QString::number(g.drawDaysBetween(QDate(2026, 11, 30), QDate(2026, 12, 14)));
         }},
    };
    // clang-format off
    const std::vector<std::vector<const char*>> expected = {
        // 6 aus 45, 6 aus 42, EuroMillions, 5 aus 50 + 2 aus 12
        {"1 2 3 4 5 6 7 0 =", "1 2 3 4 5 6 1 0 =", "1 2 3 4 5 1 2 0 =", "1 2 3 4 5 1 2 0 ="},
        {"1 45 1 45", "1 42 1 6", "1 50 1 12", "1 50 1 12"},
        {"1 6 228 11115 182780 = 8145060", "1 5 216 1080 9450 47250 142800 714000 = 31474716",
         "1 20 45 225 4500 9900 10125 141900 198000 445500 744975 2838000 6385500 = 139838160",
         "1 20 45 225 4500 9900 10125 141900 198000 445500 744975 2838000 6385500 = 139838160"},
        {"6 | 5 | 4 | 5", "6 + GZ | 5 + GZ | 5 | 5 + G", "5 + 2 | 4 + 2 | 4 | 4 + 2", "5 + 2 | 4 + 2 | 4 | 4 + 2"},
        {"1 2 3 4 5 6 Z:7", "1 2 3 4 5 6 GZ:1", "1 2 3 4 5 Sterne:1 2", "1 2 3 4 5 S:1 2"},
        {"Mittwoch Samstag", "Mittwoch Samstag", "Dienstag Freitag", "Dienstag Freitag"},
        {"8145060 8145060 1986-01-04", "31474716 31474716 2013-01-12", "76275360 116531800 2011-05-10",
         "139838160 139838160 2004-02-13"},
        {"2026-12-09 2026-12-12 4", "2026-12-09 2026-12-12 4", "2026-12-08 2026-12-11 4", "2026-12-08 2026-12-11 4"},
    };
    // clang-format on
    for (std::size_t r = 0; r < std::size(rows); ++r)
        for (std::size_t g = 0; g < games.size(); ++g)
            EXPECT_EQ(rows[r].second(*games[g]), QString::fromUtf8(expected[r][g]))
                << rows[r].first << ' ' << g;
}
