#include "game/Game.h"

#include "game/Tip.h"
#include "platform/Dates.h"

#include <QStringList>
#include <algorithm>

const Game& Game::sixOf45() {
    static const Game game = [] {
        Game g;
        g.id = Id::SixOf45;
        g.name = QStringLiteral("6 aus 45");
        g.highest = 45;
        g.drawn = 6;
        g.extra = {QStringLiteral("Zusatzzahl"),
                   QStringLiteral("Z"),
                   QStringLiteral("Z"),
                   1,
                   45,
                   true,
                   {QStringLiteral("zusatzzahl"), QStringLiteral("complementary #"), QStringLiteral("zz")}};
        g.hasSuperNumber = true;
        g.superNumber = {QStringLiteral("Superzahl"),
                         0,
                         9,
                         QDate(1995, 8, 1),
                         {QStringLiteral("superzahl"), QStringLiteral("sz")}};
        g.webPages = true;
        g.slip = true;
        // Before, Switzerland played "6 aus 40" and "6 aus 42"; after, "6 aus 42" with a Glückszahl.
        g.firstDraw = QDate(1986, 1, 4);
        g.takesEarlierGames = true;
        g.lastDraw = QDate(2013, 1, 9);
        g.wednesdaysFrom = QDate(1997, 1, 8);
        g.archiveFile = QStringLiteral("ZahlenCH.dat");
        g.insertWorkFile = QStringLiteral("ZahlenCH.dat~");
        g.deleteWorkFile = QStringLiteral("Zahlen.da~");
        g.shippedRecord = QStringLiteral("swiss-lotto-6aus45-1986-2013.csv");
        g.exportPrefix = QStringLiteral("CHJ");
        g.tipChoices = 8145060;
        g.tipPriceCents = 150;
        using E = PrizeRank::Extra;
        g.ranks = {{QStringLiteral("6"), 6, E::Any, 1},
                   {QStringLiteral("5 + ZZ"), 5, E::Hit, 6},
                   {QStringLiteral("5"), 5, E::Missed, 228},
                   {QStringLiteral("4"), 4, E::Any, 11115},
                   {QStringLiteral("3"), 3, E::Any, 182780}};
        return g;
    }();
    return game;
}

const Game& Game::sixOf42() {
    static const Game game = [] {
        Game g;
        g.id = Id::SixOf42;
        g.name = QStringLiteral("6 aus 42");
        g.highest = 42;
        g.drawn = 6;
        // The Glückszahl comes from a drum of its own and may equal one of the six.
        g.extra = {QStringLiteral("Glückszahl"),
                   QStringLiteral("GZ"),
                   QStringLiteral("G"),
                   1,
                   6,
                   false,
                   {QStringLiteral("glückszahl"), QStringLiteral("sonderzahlen"), QStringLiteral("lucky #"),
                    QStringLiteral("gz"), QStringLiteral("numéro chance")}};
        g.drawList = true;
        g.firstDraw = QDate(2013, 1, 12);
        g.wednesdaysFrom = g.firstDraw;
        g.archiveFile = QStringLiteral("Zahlen42.dat");
        g.insertWorkFile = QStringLiteral("Zahlen42.dat~");
        g.deleteWorkFile = QStringLiteral("Zahlen42.da~");
        g.shippedRecord = QStringLiteral("swiss-lotto-6aus42-2013-2025.csv");
        g.exportPrefix = QStringLiteral("CH42J");
        // 5,245,786 choices of six numbers, each with one of six Glückszahlen.
        g.tipChoices = 31474716;
        g.tipPriceCents = 250;
        using E = PrizeRank::Extra;
        g.ranks = {
            {QStringLiteral("6 + GZ"), 6, E::Hit, 1},      {QStringLiteral("6"), 6, E::Missed, 5},
            {QStringLiteral("5 + GZ"), 5, E::Hit, 216},    {QStringLiteral("5"), 5, E::Missed, 1080},
            {QStringLiteral("4 + GZ"), 4, E::Hit, 9450},   {QStringLiteral("4"), 4, E::Missed, 47250},
            {QStringLiteral("3 + GZ"), 3, E::Hit, 142800}, {QStringLiteral("3"), 3, E::Missed, 714000}};
        return g;
    }();
    return game;
}

const Game& Game::byValue(int value) {
    return value == static_cast<int>(Id::SixOf42) ? sixOf42() : sixOf45();
}

std::vector<const Game*> Game::all() {
    return {&sixOf45(), &sixOf42()};
}

qint64 Game::numberChoices() const {
    qint64 ways = 1;
    for (int i = 0; i < drawn; ++i) ways = ways * (highest - i) / (i + 1);
    return ways;
}

Game::DrawProblem Game::problemOf(const Draw& draw) const {
    using Kind = DrawProblem::Kind;
    const auto number = [&](int i) { return draw.numbers[static_cast<std::size_t>(i)]; };
    for (int i = 0; i < drawn; ++i)
        if (!isNumber(number(i))) return {Kind::NumberOutOfRange, number(i)};
    if (!isExtra(draw.extra)) return {Kind::ExtraOutOfRange, draw.extra};
    for (int i = 0; i < drawn; ++i) {
        for (int j = i + 1; j < drawn; ++j)
            if (number(i) == number(j)) return {Kind::NumberTwice, number(i)};
        if (extra.sameDrum && number(i) == draw.extra) return {Kind::ExtraAmongSix, number(i)};
    }
    return {};
}

bool Game::extraHit(const Tip& tip, const Draw& draw) const {
    if (!extra.sameDrum) return tip.extra != 0 && tip.extra == draw.extra;
    return std::find(tip.numbers.begin(), tip.numbers.end(), draw.extra) != tip.numbers.end();
}

const PrizeRank* Game::rankOf(const Tip& tip, const Draw& draw) const {
    const int hits = static_cast<int>(std::count_if(tip.numbers.begin(), tip.numbers.end(), [&](int n) {
        return std::find(draw.numbers.begin(), draw.numbers.end(), n) != draw.numbers.end();
    }));
    // Most draws reach no rank: the extra number is looked at only for those that may.
    if (hits < ranks.back().hits) return nullptr;
    const bool extraCounts = extraHit(tip, draw);
    for (const PrizeRank& rank : ranks) {
        if (rank.hits != hits) continue;
        if (rank.extra == PrizeRank::Extra::Any || (rank.extra == PrizeRank::Extra::Hit) == extraCounts)
            return &rank;
    }
    return nullptr;
}

QString Game::drawText(const Draw& draw, const QString& between) const {
    QStringList numbers;
    for (int i = 0; i < drawn; ++i) numbers << QString::number(draw.numbers[static_cast<std::size_t>(i)]);
    return numbers.join(between) + QLatin1Char(' ') + extra.captionMark + QLatin1Char(':') +
           QString::number(draw.extra);
}

bool Game::isDrawDay(const QDate& day) const {
    const int wd = dates::weekday(day);
    return wd == dates::Saturday || (wd == dates::Wednesday && day >= wednesdaysFrom);
}

bool Game::isDrawWeekday(const QDate& day) {
    const int wd = dates::weekday(day);
    return wd == dates::Saturday || wd == dates::Wednesday;
}

QDate Game::nextDrawDay(const QDate& day) const {
    QDate d = day;
    while (d.isValid() && !isDrawDay(d)) d = d.addDays(1);
    return d;
}

QDate Game::previousDrawDay(const QDate& day) const {
    QDate d = day;
    while (d.isValid() && !isDrawDay(d)) d = d.addDays(-1);
    return d;
}

QDate Game::comingDrawDay(const QDate& today, const QDate& newestStored) const {
    const QDate coming = nextDrawDay(today);
    return newestStored.isValid() ? std::max(coming, nextDrawDay(newestStored.addDays(1))) : coming;
}

int Game::drawDaysBetween(const QDate& after, const QDate& before) const {
    int days = 0;
    for (QDate d = after.addDays(1); d.isValid() && d < before; d = d.addDays(1))
        days += isDrawDay(d) ? 1 : 0;
    return days;
}

bool Game::playedOn(const QDate& day) const {
    return day >= firstDraw && (!lastDraw.isValid() || day <= lastDraw);
}
