#include "evaluation/Evaluation.h"

#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Sound.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "state/TipGrid.h"
#include "stats/DrawFilter.h"

#include <algorithm>

namespace {

const QString Label29 = QStringLiteral("Label29");
const QString Label35 = QStringLiteral("Label35");
const QString Label13 = QStringLiteral("Label13");

// The rows the archive search compares; the rows below take no part.
constexpr int SearchedRows = 8;

// The count, red where it wins, or for a tip with a number twice what is wrong with it.
void showHitCount(Controls& controls, const QString& hitLabel, const TipCheck& check, const Game& game) {
    controls.setText(hitLabel,
                     check.numberTwice ? QStringLiteral("Zahl doppelt") : QString::number(check.hitCount));
    // A rank of its further drums counts too ("1 + 2"); a comparison that ended early reached none of them.
    Numbers drumHits = check.extraHits;
    while (drumHits.size() < int(game.extras.size())) drumHits.push_back(0);
    controls.setRed(hitLabel, !check.numberTwice && game.rankFor(check.hitCount, drumHits) != nullptr);
}

// The further drums that count for the tip after its count: " + G", " + 1".
void showExtraHit(Controls& controls, const QString& hitLabel, const TipCheck& check, const Game& game) {
    if (!check.numberTwice) controls.setText(hitLabel, game.hitText(check));
}

} // namespace

QString drawCaption(const Draw& draw, const Game& game, const QString& separator) {
    return dates::formatShortWeekdayDate(dates::fromDayNumber(draw.date)) + separator + QStringLiteral("  ") +
           game.drawText(draw, QStringLiteral("  "));
}

void showHits(Controls& controls, const QString& hitLabel, const TipCheck& check, const Game& game) {
    showHitCount(controls, hitLabel, check, game);
    showExtraHit(controls, hitLabel, check, game);
}

void komplettcheck(Session& session) {
    AppState& state = session.state;
    if (!state.readyFlag) return;
    TipGrid& grid = session.grid;
    Controls& controls = session.services.controls;
    for (int row = 0; row < TipGrid::Rows; ++row) {
        const auto complete = grid.completeRow(row);
        if (!complete) continue; // an incomplete row keeps its labels
        const Tip tip = complete->sorted();
        grid.writeTip(row, tip); // the digit sum and the sorted numbers
        const TipCheck check = zettelcheck(state.currentDraw, tip, session.game());
        state.lastCheck = check;
        const QString hitLabel = TipGrid::hitLabelName(row);
        showHitCount(controls, hitLabel, check, session.game());
        // The sum of a tip with a number twice says nothing either, and leaves the room to "Zahl doppelt".
        if (check.numberTwice) controls.setText(TipGrid::sumLabelName(row), QString());
        // Every such row starts the sound again; the port cuts the one before.
        if (check.hitCount > session.game().fewestWinningHits() && !check.numberTwice)
            session.services.sound.play(state.hitSoundFile);
        showExtraHit(controls, hitLabel, check, session.game());
    }
}

void searchTipsInArchive(Session& session) {
    Services& services = session.services;
    Controls& controls = services.controls;
    AppState& state = session.state;

    const std::optional<QString> reply =
        services.ui.inputBox(QStringLiteral("Bei wievielen Zahlen Übereinstellung stoppen?"),
                             QStringLiteral("Tipp-Test"), QStringLiteral("6"));
    if (!reply) return; // cancelled: no search
    bool ok = false;
    const int threshold = reply->trimmed().toInt(&ok, 10);
    if (!ok) throw AppError(QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert.").arg(*reply));

    const auto records = session.archive().scan();
    const double fromDate = DrawFilter(controls, session.game()).fromDate();
    const auto compared =
        std::count_if(records.begin(), records.end(), [&](const Draw& r) { return r.date >= fromDate; });
    const auto draws = [](qint64 n) {
        return counted(n, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen"));
    };
    int done = 0;
    int found = 0;
    double first = 0;
    // The chart is left as the last statistic drew it: this search counts nothing to show there.
    for (const Draw& record : records) {
        if (record.date < fromDate) continue;
        if (done++ == 0) first = record.date;
        state.currentDraw = record;
        controls.setText(Label29, drawCaption(state.currentDraw, session.game()));
        controls.setText(Label13,
                         QStringLiteral("Quersummer: ") + QString::number(state.currentDraw.digitSum()));
        controls.setText(Label35, controls.text(Label29));
        // Every row shows this draw's hits before a box names one of them.
        std::vector<int> hits;
        for (int row = 0; row < SearchedRows; ++row) {
            const TipCheck check = zettelcheck(state.currentDraw, session.grid.tip(row), session.game());
            state.lastCheck = check;
            showHits(controls, TipGrid::hitLabelName(row), check, session.game());
            if (check.hitCount >= threshold && !check.numberTwice) hits.push_back(row);
        }
        for (std::size_t i = 0; i < hits.size(); ++i) {
            ++found;
            services.ui.repaintWindow();
            if (services.ui.messageOrStop(QStringLiteral("Ein Treffer am: ") +
                                          dates::formatShortDate(record.date)))
                continue;
            services.ui.setStatus(
                1, QStringLiteral("Tipp-Test: nach %1 von %2 abgebrochen.").arg(done).arg(draws(compared)));
            return;
        }
    }
    const QString what =
        done == 0 ? QStringLiteral("Tipp-Test: keine Ziehung ab %1 verglichen.")
                        .arg(dates::formatFixedDate(fromDate))
                  : QStringLiteral("Tipp-Test: %1 ab %2 verglichen, ")
                            .arg(draws(done), dates::formatFixedDate(first)) +
                        (found == 0 ? QStringLiteral("kein Tipp hatte in einer Ziehung %1 oder mehr Treffer.")
                                          .arg(threshold)
                                    : QStringLiteral("%1-mal hatte ein Tipp %2 oder mehr Treffer.")
                                          .arg(found)
                                          .arg(threshold));
    services.ui.setStatus(1, what);
}
