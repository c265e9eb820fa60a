#pragma once

#include "slips/Slip.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QuotaStore;
class SlipStore;
struct Session;

// "Meine Scheine": the slips a player really plays, kept in their own store, checked against every new draw,
// with stake, winnings and what chance expects of the same tips.
namespace slips {

// When a slip plays: its first draw and how many draws.
struct Period {
    QDate firstDraw;
    int draws = 1;
};
// What the slip dialog asks: the period and the tips.
struct SlipForm {
    Period period;
    std::vector<Tip> tips;
};
// Asks for a slip of the game, offered as given: a new one (its tips are the grid's) or, with `changeTips`, a
// stored one whose tips may be changed too; nothing when cancelled. The real one is TForm9
// (gui/SaveSlipDialog.h).
using SlipPrompt =
    std::function<std::optional<SlipForm>(const Game& game, const SlipForm& offered, bool changeTips)>;

// Why a slip of the game cannot play that period - no draw of the game on its first day, more draws than it
// has from there - or empty.
QString periodProblem(const Game& game, const Period& period);
// The tips of a slip one a line, as the dialog shows them: "1 8 16 24 26 34  GZ 2".
QString tipsText(const Game& game, const std::vector<Tip>& tips);
// The tips of such a text: each line's numbers, then its own extra number where the game gives one; AppError
// naming the first line that is no tip of the game, or that there is none.
std::vector<Tip> tipsOfText(const Game& game, const QString& text);

// "Schein speichern" (BitBtn20): the rows of the grid that hold anything become a slip of the current game,
// for the period the prompt gives (offered: the draw the tips are for). A row that is not a whole tip of the
// game, with its Glückszahl where the game has one, is refused and named, and nothing is stored; without a
// filled row it says "Es ist kein Tipp eingetragen.". The new slip is said stored, then checked against the
// draws stored.
void saveSlip(Session& session, SlipStore& store, const SlipPrompt& prompt);
// The same for tips given (a system's, any number of them).
void saveTipsAsSlip(Session& session, SlipStore& store, const SlipPrompt& prompt,
                    const std::vector<Tip>& tips);
// "Schein ändern" (BitBtn94): the slip's first draw, draws and tips as the prompt gives them, in one write;
// what it was paid and what was said of it stay, and only what the change makes different is said.
void changeSlip(Session& session, SlipStore& store, const Slip& slip, const SlipPrompt& prompt);
// "Schein löschen" (BitBtn93): after a yes, Nein first; true when it was deleted.
bool deleteSlip(Session& session, SlipStore& store, const Slip& slip);
// What the player typed as paid for a slip ("Ausbezahlt (CHF)"); AppError for what is no amount.
void setPaid(SlipStore& store, const Slip& slip, const QString& typed);
// "Sichern …" (BitBtn95): a copy of the store to the file the chooser gives (none: nothing happens), never
// onto a file of the program; the status bar says where.
void backUpSlips(Session& session, SlipStore& store,
                 const std::function<QString(const QString& suggested)>& choose);

// Checks the current game's slips against the stored draws of their periods and keeps what it saw. Says
// once what they newly reached - "Meine Scheine: Schein ab 03.01.2026, Tipp 1: 3 + GZ am 03.01.2026, Tipp 2:
// 4 am 10.01.2026." - and what a corrected draw changed ("korrigiert: Schein ab 03.01.2026, Tipp 2 am
// 07.01.2026 nun –, vorher 4"), or nothing. When what it saw cannot be kept, it says so after the news
// ("(nicht vermerkt: …)"); a store that cannot be read throws AppError.
// With the quotas of the game's draws, a rank reached says what it paid ("Tipp 1: 3 + GZ am 03.01.2026, CHF
// 26.80 laut Quoten").
QString checkSlips(Session& session, SlipStore& store, QuotaStore* quotas = nullptr);

// One slip against the draws stored: each of its draw days that is past - drawn, or missing from the archive
// (before today without a stored draw) - with what each tip reached.
struct SlipDay {
    QDate day;
    const Draw* draw = nullptr; // nullptr: missing
    std::vector<const PrizeRank*> ranks;
};
struct SlipResult {
    std::vector<SlipDay> days;
    int drawn = 0;
    int missing = 0;
};
SlipResult evaluate(const Slip& slip, const std::map<QDate, Draw>& draws, const QDate& today);

// What page "Meine Scheine" shows of the current game.
struct Page {
    struct Row {
        QString firstDraw, draws, tips, stake, ranks, paid;
        QString won; // what the ranks reached paid at the quotas
    };
    struct HitLine {
        QString day, numbers;
        QStringList ranks; // of each tip
    };
    std::vector<Slip> slips;                // the newest first, as the rows
    std::vector<Row> rows;                  // ScheinGrid
    std::vector<std::vector<HitLine>> hits; // TreffGrid of each slip: a line per past draw day of its period
    QString totals;                         // Label90
    bool francs = false; // the game's quotas are known: each rank says what it paid, the row what all paid
};
// With the quotas of the game's draws: what each rank paid ("3 + GZ (26.80)", "4 (Quote fehlt)"), what a slip
// won at them, and a balance that counts that where the player typed nothing.
Page pageOf(Session& session, SlipStore& store, QuotaStore* quotas = nullptr);

} // namespace slips
