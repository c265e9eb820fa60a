#pragma once

#include "slips/Slip.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class SlipStore;
struct Session;

// "Meine Scheine": the slips a player really plays, kept in their own store, checked against every new draw,
// with stake, winnings and what chance expects of the same tips.
namespace slips {

// When a new slip plays: its first draw and how many draws.
struct Period {
    QDate firstDraw;
    int draws = 1;
};
// Asks for the period of a new slip of the game with so many tips, from the first draw offered; nothing when
// cancelled. The real one is TForm9 (gui/SaveSlipDialog.h).
using PeriodPrompt = std::function<std::optional<Period>(const Game& game, int tips, const QDate& firstDraw)>;

// Why a slip of the game cannot play that period - no draw of the game on its first day, more draws than it
// has from there - or empty.
QString periodProblem(const Game& game, const Period& period);

// "Schein speichern" (BitBtn20): the present rows of the grid become a slip of the current game, for the
// period the prompt gives (offered: the draw the tips are for). A row that is not a whole tip of the game,
// with its Glückszahl where the game has one, is refused and named; without a present row it says "Es ist
// kein Tipp eingetragen." and stores nothing. The new slip is checked against the draws stored at once.
void saveSlip(Session& session, SlipStore& store, const PeriodPrompt& prompt);
// "Schein löschen" (BitBtn93): after a yes, Nein first; true when it was deleted.
bool deleteSlip(Session& session, SlipStore& store, const Slip& slip);
// What the player typed as paid for a slip ("Ausbezahlt (CHF)"); AppError for what is no amount.
void setPaid(SlipStore& store, const Slip& slip, const QString& typed);

// Checks the current game's slips against the stored draws of their periods and keeps what it saw: the
// ranks reached in draws not seen before, said once - "Meine Scheine: Schein ab 03.01.2026, Tipp 1: 3 + GZ
// am 03.01.2026, Tipp 2: 4 am 10.01.2026." - or empty.
QString checkSlips(Session& session, SlipStore& store);

// What page "Meine Scheine" shows of the current game.
struct Page {
    std::vector<Slip> slips;       // the newest first, as the rows
    std::vector<QStringList> rows; // ScheinGrid: Gespielt ab, Ziehungen, Tipps, Einsatz (CHF),
                                   // Treffer, Ausbezahlt (CHF)
    std::vector<std::vector<QStringList>>
        hits;               // TreffGrid of each slip: a line per stored draw of its period
    QStringList hitsHeader; // Ziehung, Zahlen, Tipp 1 .. (of the longest slip)
    QString totals;         // Label90
};
Page pageOf(Session& session, SlipStore& store);

} // namespace slips
