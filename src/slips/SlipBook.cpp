#include "slips/SlipBook.h"

#include "evaluation/HitBalance.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "slips/QuotaBook.h"
#include "slips/SlipStore.h"
#include "state/Session.h"
#include "state/TipGrid.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace slips {

namespace {

// The stored draws by day.
std::map<QDate, Draw> byDay(const std::vector<Draw>& draws) {
    std::map<QDate, Draw> days;
    for (const Draw& d : draws) days[dates::fromDayNumber(d.date)] = d;
    return days;
}

// What a check keeps of each stored draw, worked out once for all slips.
std::map<QDate, QString> keysOf(const std::map<QDate, Draw>& draws) {
    std::map<QDate, QString> keys;
    for (const auto& [day, draw] : draws) keys.emplace_hint(keys.end(), day, drawKey(draw));
    return keys;
}

// The prizes of the draws that have quotas, where the game's are public and a store of them is given.
quotas::PrizeTable prizesFor(const Game& game, QuotaStore* quotas, const std::map<QDate, Draw>& draws) {
    std::vector<Draw> archive;
    for (const auto& [day, draw] : draws) archive.push_back(draw);
    try {
        return quotas::prizesIfKept(quotas, game, archive).value_or(quotas::PrizeTable());
    } catch (const AppError&) {
        return {}; // a store of quotas that cannot be read is told where it is opened
    }
}

// What a rank paid in a draw at its quotas; -1 where they are not known.
qint64 prizeIn(const quotas::PrizeTable& prizes, const Game& game, const Draw& draw, const PrizeRank* rank) {
    const auto p = prizes.find(draw.date);
    return p == prizes.end() ? -1 : p->second[std::size_t(rank - game.ranks.data())];
}

std::map<QDate, Draw> storedDraws(Session& session) {
    const DrawArchive archive = session.archive();
    return archive.holdsNoDraw() ? std::map<QDate, Draw>() : byDay(archive.scan());
}

QString tipsCounted(std::size_t tips) {
    return counted(qint64(tips), QStringLiteral("Tipp"), QStringLiteral("Tipps"));
}

QString rankName(const PrizeRank* rank) {
    return rank ? rank->name : QString();
}

bool hasTwice(const Numbers& numbers) {
    const Numbers sorted = numbers.sorted();
    return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
}

// The rows of the grid that hold anything, as tips of the game, or AppError naming the first that is none.
std::vector<Tip> tipsOfGrid(Session& session) {
    const Game& game = session.game();
    std::vector<Tip> tips;
    for (int row = 0; row < TipGrid::Rows; ++row) {
        if (!session.grid.rowHasAnyCell(row)) continue;
        const auto tip = session.grid.completeRow(row);
        if (!tip) throw AppError(QStringLiteral("Der %1. Tipp ist nicht vollständig.").arg(row + 1));
        if (tip->hasNumberTwice() || hasTwice(tip->extras))
            throw AppError(QStringLiteral("Im %1. Tipp steht eine Zahl doppelt.").arg(row + 1));
        const Tip kept = tip->sorted();
        for (int place = 0; place < kept.extras.size(); ++place)
            if (!game.tipExtraDrumAt(place).holds(kept.extras[std::size_t(place)]))
                throw AppError(
                    QStringLiteral("Der %1. Tipp hat keine %2.").arg(row + 1).arg(game.extra().name));
        tips.push_back(kept);
    }
    return tips;
}

// What a change of the slips says after it: the change, then what the check found, or why it could not.
void sayWithCheck(Session& session, SlipStore& store, const QString& done) {
    Ui& ui = session.services.ui;
    ui.setStatus(1, done);
    QString news;
    try {
        news = checkSlips(session, store);
    } catch (const AppError& e) {
        news = QStringLiteral("Meine Scheine: ") + e.message();
    }
    if (!news.isEmpty()) ui.setStatus(1, done + QLatin1Char(' ') + news);
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

QString tipsText(const Game& game, const std::vector<Tip>& tips) {
    const auto joined = [](const Numbers& numbers) {
        QStringList texts;
        for (const int n : numbers) texts << QString::number(n);
        return texts.join(QLatin1Char(' '));
    };
    QStringList lines;
    for (const Tip& tip : tips)
        lines << joined(tip.numbers) +
                     (game.ownExtras()
                          ? QStringLiteral("  %1 %2").arg(game.extra().captionMark, joined(tip.extras))
                          : QString());
    return lines.join(QLatin1Char('\n'));
}

std::vector<Tip> tipsOfText(const Game& game, const QString& text) {
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const int drawn = game.numbers.drawn;
    const int own = game.tipExtraCount();
    std::vector<Tip> tips;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int l = 0; l < lines.size(); ++l) {
        std::vector<int> values;
        for (auto m = number.globalMatch(lines[l]); m.hasNext();)
            values.push_back(m.next().captured().toInt());
        if (values.empty()) continue;
        const QString line = QStringLiteral("Zeile %1: ").arg(l + 1);
        if (int(values.size()) != drawn + own)
            throw AppError(
                line +
                (own == 0 ? QStringLiteral("Ein Tipp hat %1 Zahlen.").arg(drawn)
                 : own == 1
                     ? QStringLiteral("Ein Tipp hat %1 Zahlen und eine %2.").arg(drawn).arg(game.extra().name)
                     : QStringLiteral("Ein Tipp hat %1 Zahlen und %2 %3.")
                           .arg(drawn)
                           .arg(own)
                           .arg(game.extra().name)));
        Tip tip;
        for (int i = 0; i < int(values.size()); ++i) {
            const int n = values[std::size_t(i)];
            if (i < drawn) {
                if (!game.isNumber(n))
                    throw AppError(line + QStringLiteral("%1 ist keine Zahl von %2.").arg(n).arg(game.name));
                tip.numbers.push_back(n);
                continue;
            }
            const Drum& drum = game.tipExtraDrumAt(i - drawn);
            if (!drum.holds(n))
                throw AppError(line + QStringLiteral("%1 ist keine %2.").arg(n).arg(drum.oneName));
            tip.extras.push_back(n);
        }
        if (tip.hasNumberTwice() || hasTwice(tip.extras))
            throw AppError(line + QStringLiteral("Eine Zahl steht doppelt."));
        tips.push_back(tip.sorted());
    }
    if (tips.empty()) throw AppError(QStringLiteral("Es ist kein Tipp eingetragen."));
    return tips;
}

void saveSlip(Session& session, SlipStore& store, const SlipPrompt& prompt) {
    saveTipsAsSlip(session, store, prompt, tipsOfGrid(session));
}

void saveTipsAsSlip(Session& session, SlipStore& store, const SlipPrompt& prompt,
                    const std::vector<Tip>& tips) {
    const Game& game = session.game();
    if (tips.empty()) {
        session.services.ui.message(QStringLiteral("Es ist kein Tipp eingetragen."));
        return;
    }
    // The draw the tips are for: the coming one of a game played today, else the one after the draw shown.
    const std::map<QDate, Draw> stored = storedDraws(session);
    const QDate newest = stored.empty() ? QDate() : stored.rbegin()->first;
    const QDate shown = dates::fromDayNumber(session.state.currentDraw.date);
    const QDate offered = game.lastDraw.isValid() && shown.isValid()
                              ? game.nextDrawDay(shown.addDays(1))
                              : game.comingDrawDay(session.services.clock.today(), newest);
    const std::optional<SlipForm> form = prompt(game, {{offered, 1}, tips}, false);
    if (!form) return;
    // The dialog refuses these; never store one.
    if (const QString problem = periodProblem(game, form->period); !problem.isEmpty())
        throw AppError(problem);
    Slip slip;
    slip.game = &game;
    slip.firstDraw = form->period.firstDraw;
    slip.draws = form->period.draws;
    slip.tips = tips;
    slip.tipPriceCents = game.tipPriceCents;
    store.add(slip);
    // Said before the check, so that a check that fails never hides that the slip is stored.
    sayWithCheck(session, store,
                 QStringLiteral("Schein ab %1 mit %2 gespeichert.")
                     .arg(dates::formatFixedDate(slip.firstDraw), tipsCounted(tips.size())));
}

void changeSlip(Session& session, SlipStore& store, const Slip& slip, const SlipPrompt& prompt) {
    const Game& game = *slip.game;
    const std::optional<SlipForm> form = prompt(game, {{slip.firstDraw, slip.draws}, slip.tips}, true);
    if (!form) return;
    if (const QString problem = periodProblem(game, form->period); !problem.isEmpty())
        throw AppError(problem);
    if (form->tips.empty()) throw AppError(QStringLiteral("Es ist kein Tipp eingetragen."));
    Slip changed = slip;
    changed.firstDraw = form->period.firstDraw;
    changed.draws = form->period.draws;
    changed.tips = form->tips;
    store.change(changed);
    sayWithCheck(session, store,
                 QStringLiteral("Schein ab %1 mit %2 geändert.")
                     .arg(dates::formatFixedDate(changed.firstDraw), tipsCounted(changed.tips.size())));
}

bool deleteSlip(Session& session, SlipStore& store, const Slip& slip) {
    if (!session.services.ui.question(
            QStringLiteral("Soll der Schein ab %1 mit %2 gelöscht werden?")
                .arg(dates::formatFixedDate(slip.firstDraw), tipsCounted(slip.tips.size())),
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

void backUpSlips(Session& session, SlipStore& store, const std::function<QString(const QString&)>& choose) {
    if (!store.exists()) throw AppError(QStringLiteral("Es ist noch kein Schein gespeichert."));
    const QString suggested = QStringLiteral("Scheine-%1.sqlite")
                                  .arg(session.services.clock.today().toString(QStringLiteral("yyyy-MM-dd")));
    const QString target = choose(suggested);
    if (target.isEmpty()) return;
    DrawArchive::refuseAsTarget(session.state.programDir, target);
    {
        BusyCursor busy(session.services.ui);
        store.backUp(target);
    }
    session.services.ui.setStatus(
        1, QStringLiteral("Scheine gesichert in \"%1\".").arg(QDir::toNativeSeparators(target)));
}

SlipResult evaluate(const Slip& slip, const std::map<QDate, Draw>& draws, const QDate& today) {
    SlipResult result;
    for (const QDate& day : slip.drawDays()) {
        const auto draw = draws.find(day);
        if (draw == draws.end()) {
            // Today's draw may still be to come; one of a day before it is missing from the archive.
            if (day >= today) continue;
            result.days.push_back({day, nullptr, {}});
            ++result.missing;
            continue;
        }
        SlipDay d{day, &draw->second, {}};
        for (const Tip& tip : slip.tips) d.ranks.push_back(slip.game->rankOf(tip, draw->second));
        result.days.push_back(d);
        ++result.drawn;
    }
    return result;
}

QString checkSlips(Session& session, SlipStore& store, QuotaStore* quotas) {
    const Game& game = session.game();
    const std::vector<Slip> all = store.slips(game);
    if (all.empty()) return {};
    const auto draws = storedDraws(session);
    const auto prizes = prizesFor(game, quotas, draws);
    const auto keys = keysOf(draws);
    const auto seen = store.seen(game);
    const QDate today = session.services.clock.today();
    std::vector<SlipStore::Seen> newlySeen;
    QStringList said;
    QStringList corrected;
    // The oldest slips first, as the player played them.
    for (auto slip = all.rbegin(); slip != all.rend(); ++slip) {
        // A slip read without its tips reached nothing that could be said: nothing is kept of it.
        if (slip->tips.empty()) continue;
        const auto seenOfSlip = seen.find(slip->id);
        QStringList reached;
        QStringList changed;
        for (const SlipDay& d : evaluate(*slip, draws, today).days) {
            if (!d.draw) continue;
            QStringList ranks;
            for (const PrizeRank* rank : d.ranks) ranks << rankName(rank);
            const QString& key = keys.at(d.day);
            const QString day = dates::formatFixedDate(d.day);
            const SlipStore::Seen* before = nullptr;
            if (seenOfSlip != seen.end()) {
                const auto s = seenOfSlip->second.find(d.day);
                if (s != seenOfSlip->second.end()) before = &s->second;
            }
            if (!before) {
                for (qsizetype t = 0; t < ranks.size(); ++t) {
                    if (ranks[t].isEmpty()) continue;
                    const qint64 prize = prizeIn(prizes, game, *d.draw, d.ranks[std::size_t(t)]);
                    reached << QStringLiteral("Tipp %1: %2 am %3").arg(t + 1).arg(ranks[t], day) +
                                   (prize >= 0
                                        ? QStringLiteral(", CHF %1 laut Quoten").arg(formatCents(prize))
                                        : QString());
                }
            } else {
                // Only what a corrected draw or slip makes different is said again.
                const qsizetype tips = std::max(ranks.size(), before->ranks.size());
                for (qsizetype t = 0; t < tips; ++t) {
                    const QString now = ranks.value(t);
                    const QString then = before->ranks.value(t);
                    if (now == then) continue;
                    const auto shown = [](const QString& rank) {
                        return rank.isEmpty() ? QStringLiteral("–") : rank;
                    };
                    changed << QStringLiteral("Tipp %1 am %2 nun %3, vorher %4")
                                   .arg(t + 1)
                                   .arg(day, shown(now), shown(then));
                }
                if (before->draw == key && before->ranks == ranks) continue;
            }
            newlySeen.push_back({slip->id, d.day, key, ranks});
        }
        const QString from = QStringLiteral("Schein ab %1, ").arg(dates::formatFixedDate(slip->firstDraw));
        if (!reached.isEmpty()) said << from + reached.join(QStringLiteral(", "));
        if (!changed.isEmpty())
            corrected << QStringLiteral("korrigiert: ") + from + changed.join(QStringLiteral(", "));
    }
    said += corrected;
    // The news is said even when what was seen cannot be kept; the next check then says it again.
    QString failure;
    try {
        store.markSeen(newlySeen);
    } catch (const AppError& e) {
        failure = e.message();
    }
    if (said.isEmpty()) return failure.isEmpty() ? QString() : QStringLiteral("Meine Scheine: ") + failure;
    const QString news = QStringLiteral("Meine Scheine: ") + said.join(QStringLiteral("; "));
    return failure.isEmpty() ? news + QLatin1Char('.')
                             : news + QStringLiteral(" (nicht vermerkt: %1)").arg(failure);
}

Page pageOf(Session& session, SlipStore& store, QuotaStore* quotas) {
    const Game& game = session.game();
    Page page;
    page.francs = quotas && !game.quotaRecord.isEmpty();
    page.slips = store.slips(game);
    if (page.slips.empty()) {
        page.totals =
            QStringLiteral("Keine Scheine von %1 gespeichert. „Schein speichern“ auf der Seite „Lottotipp“ "
                           "legt einen an.")
                .arg(game.name);
        if (!game.priceNote.isEmpty()) page.totals += QLatin1Char('\n') + game.priceNote;
        return page;
    }
    const auto draws = storedDraws(session);
    const auto keys = keysOf(draws);
    const auto prizes = prizesFor(game, quotas, draws);
    const auto seen = store.seen(game);
    const QDate today = session.services.clock.today();
    qint64 stake = 0;
    qint64 paid = 0;
    bool byQuotas = false; // a balance that counts what the quotas paid where the player typed nothing
    qint64 tipDraws = 0;   // each tip in each draw drawn
    int missingAll = 0;
    std::vector<int> reachedAll(game.ranks.size(), 0);
    for (const Slip& slip : page.slips) {
        const SlipResult result = evaluate(slip, draws, today);
        std::vector<int> reached(game.ranks.size(), 0);
        std::vector<Page::HitLine> lines;
        bool allSeen = true;
        qint64 won = 0; // at the quotas
        bool unknown = false;
        const auto seenOfSlip = seen.find(slip.id);
        for (const SlipDay& d : result.days) {
            const QString day = dates::formatShortWeekdayDate(d.day);
            if (!d.draw) {
                lines.push_back({day, QStringLiteral("fehlt – „Aktualisieren“ oder „Eingeben“"), {}});
                continue;
            }
            allSeen = allSeen && seenOfSlip != seen.end() && seenOfSlip->second.count(d.day) &&
                      seenOfSlip->second.at(d.day).draw == keys.at(d.day);
            Page::HitLine line{day, game.drawText(*d.draw, QStringLiteral("  ")), {}};
            for (const PrizeRank* rank : d.ranks) {
                QString cell = rank ? rank->name : QStringLiteral("–");
                if (rank && page.francs) {
                    const qint64 prize = prizeIn(prizes, game, *d.draw, rank);
                    cell += prize >= 0 ? QStringLiteral(" (%1)").arg(formatCents(prize))
                                       : QStringLiteral(" (Quote fehlt)");
                    won += std::max<qint64>(prize, 0);
                    unknown = unknown || prize < 0;
                }
                line.ranks << cell;
                if (rank) ++reached[std::size_t(rank - game.ranks.data())];
            }
            lines.push_back(line);
        }
        QStringList ranks;
        for (std::size_t r = 0; r < reached.size(); ++r) {
            if (reached[r] > 0) ranks << QStringLiteral("%1 × %2").arg(reached[r]).arg(game.ranks[r].name);
            reachedAll[r] += reached[r];
        }
        QString state = QStringLiteral("%1 von %2 gezogen").arg(result.drawn).arg(slip.draws);
        if (result.missing > 0)
            state += QStringLiteral(", %1 im Archiv")
                         .arg(result.missing == 1 ? QStringLiteral("1 fehlt")
                                                  : QStringLiteral("%1 fehlen").arg(result.missing));
        else if (result.drawn == slip.draws && allSeen)
            state = QStringLiteral("abgeschlossen");
        page.rows.push_back(
            {dates::formatFixedDate(slip.firstDraw), state, QString::number(slip.tips.size()),
             formatCents(slip.stakeCents()),
             ranks.isEmpty() ? QStringLiteral("–") : ranks.join(QStringLiteral(", ")),
             formatCents(slip.paidCents),
             ranks.isEmpty() ? QStringLiteral("–")
                             : formatCents(won) + (unknown ? QStringLiteral(" (Quote fehlt)") : QString())});
        page.hits.push_back(lines);
        stake += slip.stakeCents();
        // What the player typed stands; where he typed nothing, what the quotas paid.
        paid += slip.paidCents != 0 || !page.francs ? slip.paidCents : won;
        byQuotas = byQuotas || (slip.paidCents == 0 && page.francs && won > 0);
        tipDraws += qint64(slip.tips.size()) * result.drawn;
        missingAll += result.missing;
    }
    // What chance gives the same tips in the same draws, for the four lowest ranks and any higher one
    // reached, the lowest first: the exact odds, as the Trefferbilanz says them.
    const std::vector<double> chance = expectedRanks(game, double(tipDraws));
    QStringList expected;
    for (std::size_t r = game.ranks.size(); r-- > 0;) {
        if (r + 4 < game.ranks.size() && reachedAll[r] == 0) continue;
        expected << QStringLiteral("%1 × %2").arg(formatExpected(chance[r]), game.ranks[r].name);
    }
    const QString without =
        missingAll == 0   ? QString()
        : missingAll == 1 ? QStringLiteral(" (ohne die 1 Ziehung, die im Archiv fehlt)")
                          : QStringLiteral(" (ohne die %1 Ziehungen, die im Archiv fehlen)").arg(missingAll);
    page.totals =
        QStringLiteral("Einsatz total CHF %1 · Ausbezahlt CHF %2 · Bilanz CHF %3%4\nBei reinem Zufall "
                       "erwartet%5: %6")
            .arg(formatCents(stake), formatCents(paid), formatCents(paid - stake),
                 byQuotas ? QStringLiteral(", Gewinne ohne Eintrag laut Quoten") : QString(), without,
                 expected.join(QStringLiteral(", ")));
    if (!game.priceNote.isEmpty()) page.totals += QLatin1Char('\n') + game.priceNote;
    return page;
}

} // namespace slips
