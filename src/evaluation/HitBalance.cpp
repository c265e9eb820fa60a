#include "evaluation/HitBalance.h"

#include "archive/DrawArchive.h"
#include "generator/Session.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "stats/DrawFilter.h"

#include <algorithm>

namespace {

// Ways to hit each class out of the 8,145,060 tips of six numbers from 45.
constexpr double Combinations = 8145060;
constexpr std::array<double, HitBalance::ClassCount> Ways = {1, 6, 228, 11115, 182780};

std::optional<HitBalance::Class> classOf(const TipGrid::Tip& tip, const DrawRecord& draw) {
    int hits = 0;
    int missed = 0;
    for (int n : tip) {
        if (std::find(draw.zahl.begin(), draw.zahl.end(), n) != draw.zahl.end())
            ++hits;
        else
            missed = n;
    }
    switch (hits) {
    case 6:
        return HitBalance::Six;
    case 5:
        return missed == draw.zz ? HitBalance::FivePlusZz : HitBalance::Five;
    case 4:
        return HitBalance::Four;
    case 3:
        return HitBalance::Three;
    default:
        return std::nullopt;
    }
}

bool hasNumberTwice(const TipGrid::Tip& tip) {
    for (std::size_t i = 0; i < tip.size(); ++i)
        if (std::find(tip.begin() + static_cast<std::ptrdiff_t>(i) + 1, tip.end(), tip[i]) != tip.end())
            return true;
    return false;
}

} // namespace

std::array<double, HitBalance::ClassCount> HitBalance::expected() const {
    std::array<double, ClassCount> e{};
    for (int c = 0; c < ClassCount; ++c) e[c] = draws * Ways[c] / Combinations;
    return e;
}

QStringList HitBalance::header() {
    return {QStringLiteral("Tipp"), QStringLiteral("Zahlen"),
            QStringLiteral("6"),    QStringLiteral("5 + ZZ"),
            QStringLiteral("5"),    QStringLiteral("4"),
            QStringLiteral("3"),    QStringLiteral("bester Treffer am")};
}

std::vector<QStringList> HitBalance::rows(const QLocale& locale) const {
    std::vector<QStringList> rows;
    for (const Tip& tip : tips) {
        QStringList numbers;
        for (int n : tip.numbers) numbers << QString::number(n);
        QStringList row{QStringLiteral("%1. Tipp").arg(tip.row + 1), numbers.join(QStringLiteral("  "))};
        if (tip.numberTwice) {
            row[1] += QStringLiteral(" (Zahl doppelt)");
            for (int c = 0; c <= ClassCount; ++c) row << QString();
            rows.push_back(row);
            continue;
        }
        for (int count : tip.counts) row << QString::number(count);
        row << (tip.bestDate > 0 ? dates::formatFixedDate(tip.bestDate) : QStringLiteral("-"));
        rows.push_back(row);
    }
    QStringList chance{QStringLiteral("Zufall erwartet"), QString()};
    for (double e : expected()) chance << locale.toString(e, 'f', 2);
    chance << QString();
    rows.push_back(chance);
    return rows;
}

QString HitBalance::caption() const {
    return QStringLiteral("Verglichen mit %1 ab %2")
        .arg(counted(draws, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")),
             dates::formatFixedDate(fromDate));
}

QString HitBalance::text(const QLocale& locale) const {
    QStringList lines{header().join(QLatin1Char('\t'))};
    for (const QStringList& row : rows(locale)) lines << row.join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

HitBalance countHitBalance(const std::vector<DrawRecord>& records, const DrawFilter& filter,
                           const TipGrid& grid) {
    HitBalance balance;
    balance.fromDate = filter.fromDate();
    for (int row = 0; row < TipGrid::Rows; ++row) {
        if (const auto tip = grid.completeRow(row)) {
            HitBalance::Tip t;
            t.row = row;
            t.numbers = *tip;
            // Counted as it stands, 5 5 6 7 8 9 would be a "6" against the draw 5 6 7 8 9 x.
            t.numberTwice = hasNumberTwice(*tip);
            balance.tips.push_back(t);
        }
    }
    // The best class reached so far by each tip, and the latest draw that reached it.
    std::vector<int> best(balance.tips.size(), HitBalance::ClassCount);
    for (const DrawRecord& r : records) {
        if (!filter.passes(r)) continue;
        ++balance.draws;
        for (std::size_t i = 0; i < balance.tips.size(); ++i) {
            HitBalance::Tip& tip = balance.tips[i];
            if (tip.numberTwice) continue;
            const auto c = classOf(tip.numbers, r);
            if (!c) continue;
            ++tip.counts[static_cast<std::size_t>(*c)];
            if (*c < best[i] || (*c == best[i] && r.datum > tip.bestDate)) {
                best[i] = *c;
                tip.bestDate = r.datum;
            }
        }
    }
    return balance;
}

std::optional<HitBalance> tipHitBalance(Session& session) {
    HitBalance balance;
    {
        BusyCursor busy(session.services.ui);
        const auto records = DrawArchive(session.state.programDir).scan(); // a missing archive throws
        balance = countHitBalance(records, DrawFilter(session.services.controls), session.grid);
    }
    if (balance.tips.empty()) {
        session.services.ui.message(QStringLiteral("Keine vollständigen Tipps im Raster."));
        return std::nullopt;
    }
    return balance;
}
