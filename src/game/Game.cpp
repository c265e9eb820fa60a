#include "game/Game.h"

#include "game/Tip.h"
#include "platform/Choose.h"
#include "platform/Dates.h"

#include <QStringList>
#include <algorithm>
#include <functional>

std::vector<PrizeRank> Game::ranksOf(const QStringList& names) {
    std::vector<PrizeRank> ranks;
    for (const QString& name : names) {
        PrizeRank rank;
        rank.name = name;
        const QStringList parts = name.split(QStringLiteral(" + "));
        rank.hits = parts[0].toInt();
        bool counted = false;
        const int drumHits = parts.size() > 1 ? parts[1].toInt(&counted) : 0;
        if (parts.size() > 1)
            rank.extraHits = {counted ? drumHits : 1};
        else
            rank.extraHits = {PrizeRank::Any};
        ranks.push_back(rank);
    }
    // A plain rank beside ranks of the same hits that need the further drum is the rank without it.
    for (PrizeRank& rank : ranks) {
        if (rank.extraHits[0] != PrizeRank::Any) continue;
        const bool others = std::any_of(ranks.begin(), ranks.end(), [&](const PrizeRank& r) {
            return r.hits == rank.hits && r.extraHits[0] != PrizeRank::Any;
        });
        if (others) rank.extraHits[0] = 0;
    }
    return ranks;
}

int Drum::highest(const QDate& day) const {
    int highest = this->highest();
    if (!day.isValid()) return highest;
    for (const Range& r : ranges)
        if (!r.from.isValid() || r.from <= day) highest = r.highest;
    return highest;
}

bool PrizeRank::matches(int numberHits, const Numbers& drumHits) const {
    if (numberHits != hits) return false;
    for (std::size_t d = 0; d < extraHits.size(); ++d)
        if (extraHits[d] != Any && (int(d) >= drumHits.size() || drumHits[d] != extraHits[d])) return false;
    return true;
}

const Game& Game::sixOf45() {
    static const Game game = [] {
        Game g;
        g.id = Id::SixOf45;
        g.name = QStringLiteral("6 aus 45");
        g.numbers = {QStringLiteral("Zahlen"),
                     {},
                     {},
                     QStringLiteral("Zahl"),
                     QStringLiteral("die"),
                     QStringLiteral("Zahlen"),
                     6,
                     1,
                     {{QDate(), 45}},
                     false,
                     {}};
        g.extras = {
            {QStringLiteral("Zusatzzahl"),
             QStringLiteral("Z"),
             QStringLiteral("Z"),
             QStringLiteral("Zusatzzahl"),
             QStringLiteral("die"),
             QStringLiteral("Zusatzzahlen"),
             1,
             1,
             {{QDate(), 45}},
             true,
             {QStringLiteral("zusatzzahl"), QStringLiteral("complementary #"), QStringLiteral("zz")}}};
        g.hasSuperNumber = true;
        g.superNumber = {QStringLiteral("Superzahl"),
                         0,
                         9,
                         QDate(1995, 8, 1),
                         {QStringLiteral("superzahl"), QStringLiteral("sz")}};
        g.webPages = true;
        g.slip = true;
        g.namedInTexts = false;
        // Before, Switzerland played "6 aus 40" and "6 aus 42"; after, "6 aus 42" with a Glückszahl.
        g.firstDraw = QDate(1986, 1, 4);
        g.takesEarlierGames = true;
        g.lastDraw = QDate(2013, 1, 9);
        // Saturdays always, as the games before it were drawn; Wednesdays from 1997.
        g.drawDays = {{dates::Saturday, QDate(), QStringLiteral("Samstag")},
                      {dates::Wednesday, QDate(1997, 1, 8), QStringLiteral("Mittwoch")}};
        g.archiveFile = QStringLiteral("ZahlenCH.dat");
        g.insertWorkFile = QStringLiteral("ZahlenCH.dat~");
        g.deleteWorkFile = QStringLiteral("Zahlen.da~");
        g.shippedRecord = QStringLiteral("swiss-lotto-6aus45-1986-2013.csv");
        g.exportPrefix = QStringLiteral("CHJ");
        g.tipPriceCents = 150;
        g.ranks = ranksOf({QStringLiteral("6"), QStringLiteral("5 + ZZ"), QStringLiteral("5"),
                           QStringLiteral("4"), QStringLiteral("3")});
        g.derive();
        return g;
    }();
    return game;
}

const Game& Game::sixOf42() {
    static const Game game = [] {
        Game g;
        g.id = Id::SixOf42;
        g.name = QStringLiteral("6 aus 42");
        g.numbers = {QStringLiteral("Zahlen"),
                     {},
                     {},
                     QStringLiteral("Zahl"),
                     QStringLiteral("die"),
                     QStringLiteral("Zahlen"),
                     6,
                     1,
                     {{QDate(), 42}},
                     false,
                     {}};
        // The Glückszahl comes from a drum of its own and may equal one of the six.
        g.extras = {{QStringLiteral("Glückszahl"),
                     QStringLiteral("GZ"),
                     QStringLiteral("G"),
                     QStringLiteral("Glückszahl"),
                     QStringLiteral("die"),
                     QStringLiteral("Glückszahlen"),
                     1,
                     1,
                     {{QDate(), 6}},
                     false,
                     {QStringLiteral("glückszahl"), QStringLiteral("sonderzahlen"), QStringLiteral("lucky #"),
                      QStringLiteral("lucky"), QStringLiteral("gz"), QStringLiteral("numéro chance")}}};
        g.drawListEdit = QStringLiteral("URL42Edit");
        g.firstDraw = QDate(2013, 1, 12);
        g.drawDays = {{dates::Saturday, QDate(), QStringLiteral("Samstag")},
                      {dates::Wednesday, g.firstDraw, QStringLiteral("Mittwoch")}};
        g.archiveFile = QStringLiteral("Zahlen42.dat");
        g.insertWorkFile = QStringLiteral("Zahlen42.dat~");
        g.deleteWorkFile = QStringLiteral("Zahlen42.da~");
        g.shippedRecord = QStringLiteral("swiss-lotto-6aus42-2013-2025.csv");
        g.quotaRecord = QStringLiteral("swiss-lotto-6aus42-quoten-2013-2025.csv");
        g.quotaListEdit = QStringLiteral("URL42QEdit");
        g.popularityModel = QStringLiteral("swiss-lotto-6aus42-beliebtheit-2013-2025.csv");
        g.exportPrefix = QStringLiteral("CH42J");
        g.record.superNumberAt = -1;
        g.tipPriceCents = 250;
        g.ranks = ranksOf({QStringLiteral("6 + GZ"), QStringLiteral("6"), QStringLiteral("5 + GZ"),
                           QStringLiteral("5"), QStringLiteral("4 + GZ"), QStringLiteral("4"),
                           QStringLiteral("3 + GZ"), QStringLiteral("3")});
        g.derive();
        return g;
    }();
    return game;
}

const Game& Game::byValue(int value) {
    for (const Game* g : all())
        if (static_cast<int>(g->id) == value) return *g;
    return sixOf45();
}

const Game& Game::euroMillions() {
    static const Game game = [] {
        Game g;
        g.id = Id::EuroMillions;
        g.name = QStringLiteral("EuroMillions");
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
        // Two stars from a drum of their own, which grew twice.
        g.extras = {{QStringLiteral("Sterne"),
                     QStringLiteral("Sterne"),
                     {},
                     QStringLiteral("Stern"),
                     QStringLiteral("der"),
                     QStringLiteral("Sterne"),
                     2,
                     1,
                     {{QDate(), 9}, {QDate(2011, 5, 10), 11}, {QDate(2016, 9, 27), 12}},
                     false,
                     {QStringLiteral("sterne"), QStringLiteral("stern"), QStringLiteral("stars"),
                      QStringLiteral("star"), QStringLiteral("lucky stars"), QStringLiteral("étoiles"),
                      QStringLiteral("étoile"), QStringLiteral("sonderzahlen")}}};
        g.drawListEdit = QStringLiteral("URLEMEdit");
        g.digitSumLowest = 15;
        g.digitSumHighest = 240;
        g.firstDraw = QDate(2004, 2, 13);
        g.drawDays = {{dates::Friday, QDate(), QStringLiteral("Freitag")},
                      {dates::Tuesday, QDate(2011, 5, 10), QStringLiteral("Dienstag")}};
        g.archiveFile = QStringLiteral("ZahlenEM.dat");
        g.insertWorkFile = QStringLiteral("ZahlenEM.dat~");
        g.deleteWorkFile = QStringLiteral("ZahlenEM.da~");
        g.shippedRecord = QStringLiteral("euromillions-2004-2025.csv");
        g.exportPrefix = QStringLiteral("EMJ");
        g.record = {8, 13, -1};
        g.tipPriceCents = 350;
        g.priceNote = QStringLiteral("Ein Tipp kostet in der Schweiz CHF 3.50 mit der „2. Chance“, die das "
                                     "Programm nicht prüft.");
        g.ranks = ranksOf({QStringLiteral("5 + 2"), QStringLiteral("5 + 1"), QStringLiteral("5"),
                           QStringLiteral("4 + 2"), QStringLiteral("4 + 1"), QStringLiteral("3 + 2"),
                           QStringLiteral("4"), QStringLiteral("2 + 2"), QStringLiteral("3 + 1"),
                           QStringLiteral("3"), QStringLiteral("1 + 2"), QStringLiteral("2 + 1"),
                           QStringLiteral("2")});
        g.derive();
        return g;
    }();
    return game;
}

std::vector<const Game*> Game::all() {
    return {&sixOf45(), &sixOf42(), &euroMillions()};
}

void Game::derive() {
    extraCount_ = 0;
    tipExtraCount_ = 0;
    countedExtras_ = {};
    for (const Drum& d : extras) {
        for (int i = 0; i < d.drawn; ++i)
            if (d.mainDrum) countedExtras_.push_back(extraCount_ + i);
        extraCount_ += d.drawn;
        tipExtraCount_ += d.mainDrum ? 0 : d.drawn;
    }
    fewestHits_ = numbers.drawn;
    for (PrizeRank& rank : ranks) {
        rank.ways = waysOf(rank);
        fewestHits_ = std::min(fewestHits_, rank.hits);
    }
    tipChoices = tipChoicesOn();
}

const Drum& Game::extraDrumAt(int place) const {
    for (const Drum& d : extras) {
        if (place < d.drawn) return d;
        place -= d.drawn;
    }
    return extras.back();
}

const Drum& Game::tipExtraDrumAt(int place) const {
    for (const Drum& d : extras) {
        if (d.mainDrum) continue;
        if (place < d.drawn) return d;
        place -= d.drawn;
    }
    return extras.back();
}

qint64 Game::numberChoices() const {
    return choose(numbers.highest(), numbers.drawn);
}

namespace {

// Every way a tip may meet a draw - the hits among the main numbers and in each further drum - with the tips
// that meet it so, with the ranges of that day.
void eachOutcome(const Game& g, const QDate& day,
                 const std::function<void(int, const Numbers&, qint64)>& visit) {
    const int n = g.numbers.highest(day);
    const int k = g.numbers.drawn;
    int mainExtras = 0;
    for (const Drum& d : g.extras) mainExtras += d.mainDrum ? d.drawn : 0;
    Numbers hits = Numbers::zeros(int(g.extras.size()));
    const std::function<void(std::size_t, int, qint64)> walk = [&](std::size_t d, int h, qint64 ways) {
        if (d == g.extras.size()) {
            // The tip's numbers that are no hit: those on the main drum's further numbers, and the rest.
            int onExtras = 0;
            for (std::size_t i = 0; i < g.extras.size(); ++i) onExtras += g.extras[i].mainDrum ? hits[i] : 0;
            visit(h, hits, ways * choose(n - k - mainExtras, k - h - onExtras));
            return;
        }
        const Drum& drum = g.extras[d];
        for (int e = 0; e <= drum.drawn; ++e) {
            hits[d] = e;
            // Of the main drum: e of its numbers among the tip's; of its own: e of the tip's own drawn.
            const qint64 these =
                drum.mainDrum ? choose(drum.drawn, e)
                              : choose(drum.drawn, e) * choose(drum.size(day) - drum.drawn, drum.drawn - e);
            walk(d + 1, h, ways * these);
        }
    };
    for (int h = 0; h <= k; ++h) walk(0, h, choose(k, h));
}

} // namespace

qint64 Game::waysOf(const PrizeRank& rank, const QDate& day, bool ownExtras) const {
    qint64 ways = 0;
    eachOutcome(*this, day, [&](int h, Numbers e, qint64 w) {
        if (!ownExtras)
            for (std::size_t d = 0; d < extras.size(); ++d)
                if (!extras[d].mainDrum) e[d] = 0;
        if (rank.matches(h, e)) ways += w;
    });
    return ways;
}

qint64 Game::tipChoicesOn(const QDate& day) const {
    qint64 ways = numberChoices();
    for (const Drum& d : extras)
        if (!d.mainDrum) ways *= choose(d.size(day), d.drawn);
    return ways;
}

qint64 Game::losingWays(const QDate& day) const {
    qint64 ways = 0;
    eachOutcome(*this, day, [&](int h, const Numbers& e, qint64 w) {
        if (std::none_of(ranks.begin(), ranks.end(), [&](const PrizeRank& r) { return r.matches(h, e); }))
            ways += w;
    });
    return ways;
}

std::vector<QDate> Game::rangeChanges() const {
    std::vector<QDate> days{firstDraw};
    for (const Drum* d : {&numbers})
        for (const Drum::Range& r : d->ranges)
            if (r.from.isValid()) days.push_back(r.from);
    for (const Drum& d : extras)
        for (const Drum::Range& r : d.ranges)
            if (r.from.isValid()) days.push_back(r.from);
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

QDate Game::rangesOn(const QDate& day) const {
    QDate from = firstDraw;
    for (const QDate& change : rangeChanges())
        if (change <= day) from = change;
    return from;
}

Draw Game::emptyDraw() const {
    Draw d;
    d.numbers = Numbers::zeros(numbers.drawn);
    d.extras = Numbers::zeros(extraCount());
    return d;
}

Tip Game::emptyTip() const {
    return {Numbers::zeros(numbers.drawn), Numbers::zeros(tipExtraCount())};
}

Game::DrawProblem Game::problemOf(const Draw& draw) const {
    using Kind = DrawProblem::Kind;
    const QDate day = dates::fromDayNumber(draw.date);
    for (const int n : draw.numbers)
        if (!isNumber(n)) return {Kind::NumberOutOfRange, n};
    for (int i = 0; i < draw.extras.size(); ++i) {
        const int n = draw.extras[std::size_t(i)];
        if (!extraDrumAt(i).holds(n, day)) return {Kind::ExtraOutOfRange, n, i};
    }
    for (int i = 0; i < draw.numbers.size(); ++i) {
        const int n = draw.numbers[std::size_t(i)];
        for (int j = i + 1; j < draw.numbers.size(); ++j)
            if (n == draw.numbers[std::size_t(j)]) return {Kind::NumberTwice, n};
        for (int x = 0; x < draw.extras.size(); ++x)
            if (extraDrumAt(x).mainDrum && draw.extras[std::size_t(x)] == n)
                return {Kind::ExtraAmongSix, n, x};
    }
    // Within a drum of several numbers each is drawn once.
    for (int i = 0; i < draw.extras.size(); ++i)
        for (int j = i + 1; j < draw.extras.size(); ++j)
            if (&extraDrumAt(i) == &extraDrumAt(j) &&
                draw.extras[std::size_t(i)] == draw.extras[std::size_t(j)])
                return {Kind::ExtraTwice, draw.extras[std::size_t(i)], i};
    return {};
}

Numbers Game::extraHits(const Tip& tip, const Draw& draw) const {
    Numbers hits;
    int at = 0;
    int own = 0;
    for (const Drum& d : extras) {
        int e = 0;
        for (int i = at; i < at + d.drawn && i < draw.extras.size(); ++i) {
            const int n = draw.extras[std::size_t(i)];
            if (d.mainDrum) {
                e += tip.numbers.contains(n) ? 1 : 0;
                continue;
            }
            for (int j = own; j < own + d.drawn && j < tip.extras.size(); ++j)
                e += n != 0 && tip.extras[std::size_t(j)] == n ? 1 : 0;
        }
        own += d.mainDrum ? 0 : d.drawn;
        at += d.drawn;
        hits.push_back(e);
    }
    return hits;
}

const PrizeRank* Game::rankOf(const Tip& tip, const Draw& draw) const {
    // The draw's numbers as bits, the tip's looked up in them: the one loop of the Trefferbilanz and the
    // checks of the slips. A number no game has (a damaged record's 200) sets no bit.
    quint64 drawn = 0;
    for (const int d : draw.numbers)
        if (d > 0 && d < 64) drawn |= quint64(1) << d;
    int hits = 0;
    for (const int t : tip.numbers)
        if (t > 0 && t < 64) hits += int((drawn >> t) & 1u);
    // Most draws reach no rank: the further drums are looked at only for those that may.
    if (hits < fewestHits_) return nullptr;
    return rankFor(hits, extraHits(tip, draw));
}

const PrizeRank* Game::rankFor(int hits, const Numbers& drumHits) const {
    for (const PrizeRank& rank : ranks)
        if (rank.matches(hits, drumHits)) return &rank;
    return nullptr;
}

QString Game::hitText(const TipCheck& check) const {
    if (check.numberTwice) return QStringLiteral("Zahl doppelt");
    QString text = QString::number(check.hitCount);
    for (std::size_t d = 0; d < extras.size() && int(d) < check.extraHits.size(); ++d) {
        const int e = check.extraHits[d];
        if (e <= 0) continue;
        text +=
            QStringLiteral(" + ") + (extras[d].hitMark.isEmpty() ? QString::number(e) : extras[d].hitMark);
    }
    return text;
}

QString Game::drawText(const Draw& draw, const QString& between) const {
    QStringList numbers;
    for (const int n : draw.numbers) numbers << QString::number(n);
    QString text = numbers.join(between);
    int at = 0;
    for (const Drum& d : extras) {
        QStringList these;
        for (const int n : draw.extras.part(at, d.drawn)) these << QString::number(n);
        text += QLatin1Char(' ') + d.captionMark + QLatin1Char(':') + these.join(QLatin1Char(' '));
        at += d.drawn;
    }
    return text;
}

bool Game::isDrawDay(const QDate& day) const {
    const int wd = dates::weekday(day);
    return std::any_of(drawDays.begin(), drawDays.end(), [&](const DrawDay& d) {
        return d.weekday == wd && (!d.from.isValid() || day >= d.from);
    });
}

int Game::drawDayIndex(const QDate& day) const {
    const int wd = dates::weekday(day);
    for (std::size_t i = 0; i < drawDays.size(); ++i)
        if (drawDays[i].weekday == wd) return int(i);
    return -1;
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
