#pragma once

#include "game/Draw.h"
#include "game/Game.h"
#include "state/TipGrid.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class DrawFilter;
struct Session;

// The prize of each rank of a game in Rappen (-1 where it is not known) in each draw whose quotas are known,
// by day number.
using PrizeTable = std::map<double, std::vector<qint64>>;

// "Trefferbilanz": how often each complete tip of the grid would have won in the draws the statistics
// select, rank by rank of the game, beside what chance alone gives a tip in as many draws.
struct HitBalance {
    struct Row {
        int row = 0; // 0-based row of the grid
        ::Tip tip;
        std::vector<int> counts;  // per rank of the game
        double bestDate = 0;      // the latest draw of the tip's highest rank; 0 for none
        bool numberTwice = false; // no rank can be told for such a tip: it is not counted
    };

    const Game* game = &Game::sixOf45();
    int draws = 0; // N, the selected draws
    double fromDate = 0;
    double firstDate = 0; // of the first draw compared; 0 for none
    // The draws compared by the first day of the drums' ranges on their day (Game::rangesOn); where none
    // are told, all N with the newest ranges.
    std::map<QDate, int> drawsByRanges;
    std::vector<Row> tips;

    // At the quotas of the draws compared that have them: what each tip would have been paid, what it would
    // have cost, and what an average tip would have been paid at the same quotas.
    struct Francs {
        int draws = 0;
        double firstDate = 0;
        qint64 stakeCents = 0;    // of one tip in those draws
        std::vector<qint64> won;  // per tip, as `tips`
        std::vector<int> unknown; // per tip: wins in a draw whose quota of that rank is not known
        double chanceCents = 0;   // the average tip
        double sharedCents = 0;   // of that, in the ranks after the two highest (no jackpot, no million)
    };
    std::optional<Francs> francs; // none for a game without quotas

    // What a random tip expects in N draws, rank by rank (expectedRanks).
    std::vector<double> expected(bool ownExtra = true) const;

    // The table as the dialog shows it: the header, one line per tip with its own extra number after its
    // numbers ("GZ 5"), then "Zufall erwartet" (for tips with and tips without their own extra number, where
    // the grid holds both, one line each). A tip with a number twice says "Zahl doppelt" beside its numbers
    // and leaves its counts and date empty.
    QStringList header() const;
    std::vector<QStringList> rows(const QLocale& locale = QLocale()) const;
    // "Verglichen mit N Ziehungen ab dd.mm.yyyy" ("1 Ziehung" for one), the first draw compared.
    QString caption() const;
    // The lines of the francs under the table; none without quotas.
    QStringList francsLines(const QLocale& locale = QLocale()) const;
    // The header and the rows, tab-separated, and the lines of the francs, for the clipboard.
    QString text(const QLocale& locale = QLocale()) const;
};

// What chance gives tips in so many tip draws (one tip in one draw each), rank by rank of the game: the exact
// odds. A tip without the extra number of its own that the game gives each tip never reaches a rank that
// needs it, and reaches the rank without it in the ways of both.
std::vector<double> expectedRanks(const Game& game, double tipDraws, bool ownExtra = true,
                                  const QDate& day = QDate());
// An expectation with at least two significant digits: "0.11", "0.024", "0.0024"; "0.00" for none.
QString formatExpected(double expected, const QLocale& locale = QLocale());

// Counts the ranks of every complete grid row over the records that pass the filter, and with prizes their
// francs.
HitBalance countHitBalance(const std::vector<Draw>& records, const DrawFilter& filter, const TipGrid& grid,
                           const Game& game, const PrizeTable* prizes = nullptr);
// The same for a list of tips (a system's), numbered from 1.
HitBalance countHitBalance(const std::vector<Draw>& records, const DrawFilter& filter,
                           const std::vector<Tip>& tips, const Game& game,
                           const PrizeTable* prizes = nullptr);

// Button7: the balance of the grid against the archive under the DrawFilter, in francs where the prizes of
// the archive's draws are given. A missing archive throws AppError; a grid without a complete row says so
// in a message and gives nothing.
using PrizesOfDraws = std::function<std::optional<PrizeTable>(const std::vector<Draw>&)>;
std::optional<HitBalance> tipHitBalance(Session& session, const PrizesOfDraws& prizesOf = {});
// The balance of a list of tips against the archive under the DrawFilter (a missing archive throws AppError).
HitBalance tipsHitBalance(Session& session, const std::vector<Tip>& tips, const PrizesOfDraws& prizesOf = {});
