#include "slips/SlipBook.h"

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "slips/SlipStore.h"
#include "state/Session.h"
#include "state/TipGrid.h"

#include <QLocale>
#include <algorithm>
#include <map>

namespace slips {

namespace {

// The stored draws by day.
std::map<QDate, Draw> byDay(const std::vector<Draw>& draws) {
    std::map<QDate, Draw> days;
    for (const Draw& d : draws) days[dates::fromDayNumber(d.date)] = d;
    return days;
}

std::vector<Draw> storedDraws(Session& session) {
    const DrawArchive archive = session.archive();
    return archive.holdsNoDraw() ? std::vector<Draw>() : archive.scan();
}

// The present rows of the grid as tips of the game, or AppError naming the first row that is none.
std::vector<Tip> tipsOfGrid(Session& session) {
    const Game& game = session.game();
    std::vector<Tip> tips;
    for (int row = 0; row < TipGrid::Rows; ++row) {
        if (!session.grid.rowPresent(row)) continue;
        const auto tip = session.grid.completeRow(row);
        if (!tip) throw AppError(QStringLiteral("Der %1. Tipp ist nicht vollständig.").arg(row + 1));
        if (tip->hasNumberTwice())
            throw AppError(QStringLiteral("Im %1. Tipp steht eine Zahl doppelt.").arg(row + 1));
        Tip kept = tip->sorted();
        if (game.extra.sameDrum)
            kept.extra = 0;
        else if (!game.isExtra(kept.extra))
            throw AppError(QStringLiteral("Der %1. Tipp hat keine %2.").arg(row + 1).arg(game.extra.name));
        tips.push_back(kept);
    }
    return tips;
}

} // namespace

QString periodProblem(const Game& game, const Period& period) {
    if (!game.isDrawDay(period.firstDraw) || !game.playedOn(period.firstDraw))
        return QStringLiteral("Am %1 gibt es keine Ziehung von %2.")
            .arg(dates::formatWeekdayFixedDate(period.firstDraw), game.name);
    const int most = Slip::drawsFrom(game, period.firstDraw);
    if (period.draws < 1 || period.draws > most)
        return QStringLiteral("Ein Schein ab %1 spielt 1 bis %2 Ziehungen.")
            .arg(dates::formatFixedDate(period.firstDraw))
            .arg(most);
    return {};
}

void saveSlip(Session& session, SlipStore& store, const PeriodPrompt& prompt) {
    const Game& game = session.game();
    const std::vector<Tip> tips = tipsOfGrid(session);
    Ui& ui = session.services.ui;
    if (tips.empty()) {
        ui.message(QStringLiteral("Es ist kein Tipp eingetragen."));
        return;
    }
    // The draw the tips are for: the coming one of a game played today, else the one after the draw shown.
    const std::vector<Draw> stored = storedDraws(session);
    const QDate newest = stored.empty() ? QDate() : dates::fromDayNumber(stored.back().date);
    const QDate shown = dates::fromDayNumber(session.state.currentDraw.date);
    const QDate offered = game.lastDraw.isValid() && shown.isValid()
                              ? game.nextDrawDay(shown.addDays(1))
                              : game.comingDrawDay(session.services.clock.today(), newest);
    const std::optional<Period> period = prompt(game, int(tips.size()), offered);
    if (!period) return;
    // The dialog refuses these; never store one.
    if (const QString problem = periodProblem(game, *period); !problem.isEmpty()) throw AppError(problem);
    Slip slip;
    slip.game = &game;
    slip.firstDraw = period->firstDraw;
    slip.draws = period->draws;
    slip.tips = tips;
    slip.tipPriceCents = game.tipPriceCents;
    store.add(slip);
    const QString news = checkSlips(session, store);
    ui.setStatus(1,
                 QStringLiteral("Schein ab %1 mit %2 gespeichert.")
                         .arg(dates::formatFixedDate(slip.firstDraw),
                              counted(qint64(tips.size()), QStringLiteral("Tipp"), QStringLiteral("Tipps"))) +
                     (news.isEmpty() ? QString() : QLatin1Char(' ') + news));
}

bool deleteSlip(Session& session, SlipStore& store, const Slip& slip) {
    if (!session.services.ui.question(
            QStringLiteral("Soll der Schein ab %1 mit %2 gelöscht werden?")
                .arg(dates::formatFixedDate(slip.firstDraw),
                     counted(qint64(slip.tips.size()), QStringLiteral("Tipp"), QStringLiteral("Tipps"))),
            QString(), Ui::Preset::No))
        return false;
    store.remove(slip.id);
    return true;
}

void setPaid(SlipStore& store, const Slip& slip, const QString& typed) {
    const qint64 cents = parseCents(typed);
    if (cents < 0)
        throw AppError(
            QStringLiteral("\"%1\" ist kein Betrag. Bitte geben Sie den ausbezahlten Betrag in CHF ein, "
                           "etwa 12.50.")
                .arg(typed.trimmed()));
    store.setPaid(slip.id, cents);
}

QString checkSlips(Session& session, SlipStore& store) {
    const Game& game = session.game();
    const std::vector<Slip> all = store.slips(game);
    if (all.empty()) return {};
    const auto draws = byDay(storedDraws(session));
    auto seen = store.seen(game);
    std::vector<SlipStore::Seen> newlySeen;
    QStringList said;
    // The oldest slips first, as the player played them.
    for (auto slip = all.rbegin(); slip != all.rend(); ++slip) {
        QStringList reached;
        for (const QDate& day : slip->drawDays()) {
            const auto draw = draws.find(day);
            if (draw == draws.end()) continue;
            const QString text = game.drawText(draw->second);
            const auto before = seen[slip->id].find(day);
            if (before != seen[slip->id].end() && before->second == text) continue;
            newlySeen.push_back({slip->id, day, text});
            for (std::size_t t = 0; t < slip->tips.size(); ++t)
                if (const PrizeRank* rank = game.rankOf(slip->tips[t], draw->second))
                    reached << QStringLiteral("Tipp %1: %2 am %3")
                                   .arg(t + 1)
                                   .arg(rank->name, dates::formatFixedDate(day));
        }
        if (!reached.isEmpty())
            said << QStringLiteral("Schein ab %1, %2")
                        .arg(dates::formatFixedDate(slip->firstDraw), reached.join(QStringLiteral(", ")));
    }
    store.markSeen(newlySeen);
    return said.isEmpty()
               ? QString()
               : QStringLiteral("Meine Scheine: ") + said.join(QStringLiteral("; ")) + QLatin1Char('.');
}

Page pageOf(Session& session, SlipStore& store) {
    const Game& game = session.game();
    Page page;
    page.slips = store.slips(game);
    const auto draws = byDay(storedDraws(session));
    const auto seen = store.seen(game);
    const QLocale locale;
    qint64 stake = 0;
    qint64 paid = 0;
    qint64 tipDraws = 0; // each tip in each draw drawn
    std::vector<int> reachedAll(game.ranks.size(), 0);
    std::size_t widest = 0;
    for (const Slip& slip : page.slips) {
        std::vector<int> reached(game.ranks.size(), 0);
        std::vector<QStringList> lines;
        bool allSeen = true;
        for (const QDate& day : slip.drawDays()) {
            const auto draw = draws.find(day);
            if (draw == draws.end()) continue;
            const auto s = seen.find(slip.id);
            allSeen = allSeen && s != seen.end() && s->second.count(day) &&
                      s->second.at(day) == game.drawText(draw->second);
            QStringList line{dates::formatShortWeekdayDate(day),
                             game.drawText(draw->second, QStringLiteral("  "))};
            for (const Tip& tip : slip.tips) {
                const PrizeRank* rank = game.rankOf(tip, draw->second);
                line << (rank ? rank->name : QStringLiteral("–"));
                if (rank) ++reached[std::size_t(rank - game.ranks.data())];
            }
            lines.push_back(line);
        }
        const int drawn = int(lines.size());
        QStringList ranks;
        for (std::size_t r = 0; r < reached.size(); ++r) {
            if (reached[r] > 0) ranks << QStringLiteral("%1 × %2").arg(reached[r]).arg(game.ranks[r].name);
            reachedAll[r] += reached[r];
        }
        page.rows.push_back({dates::formatFixedDate(slip.firstDraw),
                             drawn == slip.draws && allSeen
                                 ? QStringLiteral("abgeschlossen")
                                 : QStringLiteral("%1 von %2 gezogen").arg(drawn).arg(slip.draws),
                             QString::number(slip.tips.size()), formatCents(slip.stakeCents()),
                             ranks.isEmpty() ? QStringLiteral("–") : ranks.join(QStringLiteral(", ")),
                             formatCents(slip.paidCents)});
        page.hits.push_back(lines);
        widest = std::max(widest, slip.tips.size());
        stake += slip.stakeCents();
        paid += slip.paidCents;
        tipDraws += qint64(slip.tips.size()) * drawn;
    }
    page.hitsHeader = {QStringLiteral("Ziehung"), QStringLiteral("Zahlen")};
    for (std::size_t t = 0; t < widest; ++t) page.hitsHeader << QStringLiteral("Tipp %1").arg(t + 1);
    if (page.slips.empty()) {
        page.totals = QStringLiteral("Keine Scheine von %1 gespeichert.").arg(game.name);
        return page;
    }
    // What chance gives the same tips in the same draws, for the four lowest ranks and any higher one
    // reached, the lowest first: the exact odds, as the Trefferbilanz says them.
    QStringList expected;
    for (std::size_t r = game.ranks.size(); r-- > 0;) {
        if (r + 4 < game.ranks.size() && reachedAll[r] == 0) continue;
        const double e = double(tipDraws) * double(game.ranks[r].ways) / double(game.tipChoices);
        expected << QStringLiteral("%1 × %2").arg(locale.toString(e, 'f', 2), game.ranks[r].name);
    }
    page.totals =
        QStringLiteral(
            "Einsatz total CHF %1 · Ausbezahlt CHF %2 · Bilanz CHF %3\nBei reinem Zufall erwartet: %4")
            .arg(formatCents(stake), formatCents(paid), formatCents(paid - stake),
                 expected.join(QStringLiteral(", ")));
    return page;
}

} // namespace slips
