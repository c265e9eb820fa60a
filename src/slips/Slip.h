#pragma once

#include "game/Game.h"
#include "game/Tip.h"
#include "platform/Counted.h" // formatCents

#include <QDate>
#include <QString>
#include <vector>

// One slip a player plays: the tips of one game for so many of its draw days from the first, what a tip cost
// then, and what the player was paid for it.
struct Slip {
    static constexpr int MaxDraws = 52;

    qint64 id = 0; // the store's; 0 before it is stored
    const Game* game = nullptr;
    QDate firstDraw;
    int draws = 1; // 1 .. MaxDraws
    std::vector<Tip> tips;
    int tipPriceCents = 0;
    qint64 paidCents = 0;

    // The draw days it plays, in order; none past the game's last draw.
    std::vector<QDate> drawDays() const;
    // How many draws a slip from that day may play: MaxDraws, fewer where the game ended before.
    static int drawsFrom(const Game& game, const QDate& firstDraw);
    qint64 stakeCents() const { return qint64(tips.size()) * draws * tipPriceCents; }
};

// What a check keeps of a draw: its numbers ascending and its extra number ("1 8 16 24 26 34 + 2"). The order
// the numbers came in and the Superzahl change nothing a tip reached.
QString drawKey(const Draw& draw);

// "Einsatz: 5 Tipps × 2 Ziehungen × CHF 2.50 = CHF 25.00"
QString stakeText(int tips, int draws, int tipPriceCents);
// The amount the player typed ("20", "20.50", "20,50", "CHF 20.–", "12.50 CHF", "Fr. 1’250"; empty is 0.00),
// up to a jackpot: Rappen, or -1 when it is none.
qint64 parseCents(const QString& text);
