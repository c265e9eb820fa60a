#include "evaluation/HitBalance.h"

#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "stats/DrawFilter.h"

#include <algorithm>
#include <cmath>

std::vector<double> expectedRanks(const Game& game, double tipDraws, bool ownExtra, const QDate& day) {
    std::vector<double> e;
    const double all = double(game.tipChoicesOn(day));
    for (const PrizeRank& rank : game.ranks)
        e.push_back(tipDraws * double(game.waysOf(rank, day, ownExtra)) / all);
    return e;
}

QString formatExpected(double expected, const QLocale& locale) {
    // Two decimals say nothing of the higher ranks ("0.00 × 4 + GZ"): as many as two digits need.
    int decimals = 2;
    if (expected > 0 && expected < 0.1) decimals = std::min(12, 1 - int(std::floor(std::log10(expected))));
    return locale.toString(expected, 'f', decimals);
}

std::vector<double> HitBalance::expected(bool ownExtra) const {
    if (drawsByRanges.empty()) return expectedRanks(*game, draws, ownExtra);
    // Each draw with the odds of its day's ranges.
    std::vector<double> sum(game->ranks.size(), 0);
    for (const auto& [from, count] : drawsByRanges) {
        const std::vector<double> e = expectedRanks(*game, count, ownExtra, from);
        for (std::size_t r = 0; r < sum.size(); ++r) sum[r] += e[r];
    }
    return sum;
}

QStringList HitBalance::header() const {
    QStringList header{QStringLiteral("Tipp"), QStringLiteral("Zahlen")};
    for (const PrizeRank& rank : game->ranks) header << rank.name;
    return header << QStringLiteral("bester Treffer am");
}

std::vector<QStringList> HitBalance::rows(const QLocale& locale) const {
    std::vector<QStringList> rows;
    for (const Row& tip : tips) {
        QStringList numbers;
        for (int n : tip.tip.numbers) numbers << QString::number(n);
        // Each drum of the tip's own after its numbers, as "GZ 5", "Sterne 2 12".
        int at = 0;
        for (const Drum& drum : game->extras) {
            if (drum.mainDrum) continue;
            QStringList own;
            for (const int n : tip.tip.extras.part(at, drum.drawn))
                if (n > 0) own << QString::number(n);
            if (!own.isEmpty()) numbers << drum.captionMark + QLatin1Char(' ') + own.join(QLatin1Char(' '));
            at += drum.drawn;
        }
        QStringList row{QStringLiteral("%1. Tipp").arg(tip.row + 1), numbers.join(QStringLiteral("  "))};
        if (tip.numberTwice) {
            row[1] += QStringLiteral(" (Zahl doppelt)");
            for (std::size_t c = 0; c <= game->ranks.size(); ++c) row << QString();
            rows.push_back(row);
            continue;
        }
        for (int count : tip.counts) row << QString::number(count);
        row << (tip.bestDate > 0 ? dates::formatFixedDate(tip.bestDate) : QStringLiteral("-"));
        rows.push_back(row);
    }
    // Tips with their own extra number and tips without it expect different things of chance.
    const auto withExtra = [](const Row& t) {
        return !t.tip.extras.empty() &&
               std::none_of(t.tip.extras.begin(), t.tip.extras.end(), [](int n) { return n == 0; });
    };
    const bool some = !game->ownExtras() || tips.empty() || std::any_of(tips.begin(), tips.end(), withExtra);
    const bool others = game->ownExtras() && !std::all_of(tips.begin(), tips.end(), withExtra);
    for (const bool ownExtra : {true, false}) {
        if (!(ownExtra ? some : others)) continue;
        QString name = QStringLiteral("Zufall erwartet");
        if (some && others)
            name += (ownExtra ? QStringLiteral(" (mit ") : QStringLiteral(" (ohne ")) +
                    game->tipExtraDrumAt(0).captionMark + QLatin1Char(')');
        QStringList chance{name, QString()};
        for (double e : expected(ownExtra)) chance << formatExpected(e, locale);
        chance << QString();
        rows.push_back(chance);
    }
    return rows;
}

QString HitBalance::caption() const {
    return QStringLiteral("Verglichen mit %1 ab %2")
        .arg(counted(draws, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")),
             dates::formatFixedDate(firstDate > 0 ? firstDate : fromDate));
}

QStringList HitBalance::francsLines(const QLocale& locale) const {
    if (!francs) return {};
    if (francs->draws == 0) return {QStringLiteral("Keine der verglichenen Ziehungen hat Quoten.")};
    const auto chf = [](double cents) {
        return QStringLiteral("CHF ") + formatCents(qint64(std::llround(cents)));
    };
    QStringList lines{QStringLiteral("Zu den Quoten von %1 (ab %2), Einsatz je Tipp %3:")
                          .arg(francs->draws == draws ? QStringLiteral("allen %1")
                                                            .arg(counted(draws, QStringLiteral("Ziehung"),
                                                                         QStringLiteral("Ziehungen")))
                                                      : QStringLiteral("%1 der %2 Ziehungen")
                                                            .arg(locale.toString(francs->draws))
                                                            .arg(locale.toString(draws)),
                               dates::formatFixedDate(francs->firstDate), chf(double(francs->stakeCents)))};
    for (std::size_t i = 0; i < tips.size(); ++i) {
        if (tips[i].numberTwice) continue;
        QString line =
            QStringLiteral("%1. Tipp: ausbezahlt %2").arg(tips[i].row + 1).arg(chf(double(francs->won[i])));
        if (const int unknown = francs->unknown[i])
            line += QStringLiteral(", dazu %1 ohne bekannte Quote")
                        .arg(counted(unknown, QStringLiteral("Gewinn"), QStringLiteral("Gewinne")));
        lines << line;
    }
    // Most of what the two highest ranks add is a jackpot that hardly any tip meets: the rest is said apart.
    QString chance =
        QStringLiteral("Zufall erwartet: %1 je Tipp zu denselben Quoten").arg(chf(francs->chanceCents));
    if (game->ranks.size() > 2)
        chance += QStringLiteral(", davon %1 in den Rängen ab „%2“")
                      .arg(chf(francs->sharedCents), game->ranks[2].name);
    return lines << chance;
}

QString HitBalance::text(const QLocale& locale) const {
    QStringList lines{header().join(QLatin1Char('\t'))};
    for (const QStringList& row : rows(locale)) lines << row.join(QLatin1Char('\t'));
    lines << francsLines(locale);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

namespace {

HitBalance balanceOf(const std::vector<Draw>& records, const DrawFilter& filter,
                     const std::vector<std::pair<int, Tip>>& rows, const Game& game,
                     const PrizeTable* prizes) {
    HitBalance balance;
    balance.game = &game;
    balance.fromDate = filter.fromDate();
    for (const auto& [row, tip] : rows) {
        HitBalance::Row t;
        t.row = row;
        t.tip = tip;
        t.counts.assign(game.ranks.size(), 0);
        // Counted as it stands, 5 5 6 7 8 9 would be a "6" against the draw 5 6 7 8 9 x.
        t.numberTwice = tip.hasNumberTwice();
        balance.tips.push_back(t);
    }
    // The days the drums' ranges changed, in order; the draws come in date order.
    std::vector<double> changes;
    for (const QDate& day : game.rangeChanges()) changes.push_back(dates::toDayNumber(day));
    std::size_t range = 0;
    std::vector<int> drawsByRange(changes.size(), 0);
    // What a random tip expects of each rank in one draw, by range; worked out once.
    std::vector<std::vector<double>> odds;
    for (const double from : changes)
        odds.push_back(expectedRanks(game, 1, true, dates::fromDayNumber(from)));
    if (prizes) {
        balance.francs.emplace();
        balance.francs->won.assign(balance.tips.size(), 0);
        balance.francs->unknown.assign(balance.tips.size(), 0);
    }
    // The best rank reached so far by each tip (its index, best first), and the latest draw that reached it.
    std::vector<std::size_t> best(balance.tips.size(), game.ranks.size());
    for (const Draw& r : records) {
        if (!filter.passes(r)) continue;
        if (balance.draws++ == 0) balance.firstDate = r.date;
        while (range + 1 < changes.size() && changes[range + 1] <= r.date) ++range;
        ++drawsByRange[range];
        const std::vector<qint64>* paid = nullptr;
        if (prizes) {
            if (const auto p = prizes->find(r.date); p != prizes->end()) {
                paid = &p->second;
                HitBalance::Francs& f = *balance.francs;
                if (f.draws++ == 0) f.firstDate = r.date;
                f.stakeCents += game.tipPriceCents;
                // A rank nobody won paid nobody: it adds nothing to what the average tip was paid.
                for (std::size_t c = 0; c < paid->size() && c < odds[range].size(); ++c) {
                    const double expected = double(std::max<qint64>((*paid)[c], 0)) * odds[range][c];
                    f.chanceCents += expected;
                    if (c >= 2) f.sharedCents += expected;
                }
            }
        }
        for (std::size_t i = 0; i < balance.tips.size(); ++i) {
            HitBalance::Row& tip = balance.tips[i];
            if (tip.numberTwice) continue;
            const PrizeRank* rank = game.rankOf(tip.tip, r);
            if (!rank) continue;
            const auto c = static_cast<std::size_t>(rank - game.ranks.data());
            ++tip.counts[c];
            if (paid) {
                const qint64 prize = c < paid->size() ? (*paid)[c] : -1;
                if (prize >= 0)
                    balance.francs->won[i] += prize;
                else
                    ++balance.francs->unknown[i];
            }
            if (c < best[i] || (c == best[i] && r.date > tip.bestDate)) {
                best[i] = c;
                tip.bestDate = r.date;
            }
        }
    }
    for (std::size_t c = 0; c < changes.size(); ++c)
        if (drawsByRange[c] > 0) balance.drawsByRanges[dates::fromDayNumber(changes[c])] = drawsByRange[c];
    return balance;
}

std::vector<std::pair<int, Tip>> rowsOf(const TipGrid& grid, const Game& game) {
    std::vector<std::pair<int, Tip>> rows;
    for (int row = 0; row < TipGrid::Rows; ++row)
        if (const auto tip = grid.completeRow(row, game)) rows.emplace_back(row, *tip);
    return rows;
}

std::vector<std::pair<int, Tip>> rowsOf(const std::vector<Tip>& tips) {
    std::vector<std::pair<int, Tip>> rows;
    for (std::size_t i = 0; i < tips.size(); ++i) rows.emplace_back(int(i), tips[i]);
    return rows;
}

// Against the archive under the DrawFilter, in francs where the prizes of its draws are given.
HitBalance sessionBalance(Session& session, const std::vector<std::pair<int, Tip>>& rows,
                          const PrizesOfDraws& prizesOf) {
    BusyCursor busy(session.services.ui);
    const auto records = session.archive().scan(); // a missing archive throws
    const std::optional<PrizeTable> prizes = prizesOf ? prizesOf(records) : std::nullopt;
    return balanceOf(records, DrawFilter(session.services.controls, session.game()), rows, session.game(),
                     prizes ? &*prizes : nullptr);
}

} // namespace

HitBalance countHitBalance(const std::vector<Draw>& records, const DrawFilter& filter, const TipGrid& grid,
                           const Game& game, const PrizeTable* prizes) {
    return balanceOf(records, filter, rowsOf(grid, game), game, prizes);
}

HitBalance countHitBalance(const std::vector<Draw>& records, const DrawFilter& filter,
                           const std::vector<Tip>& tips, const Game& game, const PrizeTable* prizes) {
    return balanceOf(records, filter, rowsOf(tips), game, prizes);
}

HitBalance tipsHitBalance(Session& session, const std::vector<Tip>& tips, const PrizesOfDraws& prizesOf) {
    return sessionBalance(session, rowsOf(tips), prizesOf);
}

std::optional<HitBalance> tipHitBalance(Session& session, const PrizesOfDraws& prizesOf) {
    const HitBalance balance = sessionBalance(session, rowsOf(session.grid, session.game()), prizesOf);
    if (balance.tips.empty()) {
        session.services.ui.message(QStringLiteral("Keine vollständigen Tipps im Raster."));
        return std::nullopt;
    }
    return balance;
}
