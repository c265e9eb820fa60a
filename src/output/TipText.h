#pragma once

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "game/Tip.h"

class TipGrid;
struct Game;
class Shell;
struct AppState;

// The tips as the text file "Tipp.txt" in the program directory.
namespace tiptext {

constexpr const char* FileName = "Tipp.txt";

// The draw after one on `drawDay`: a Wednesday is followed by the Saturday, every other day (the
// Saturday) by the day four days later.
QDate nextDrawDate(double drawDay);

// The draw the sheet is for. A game played today: its next draw day on or after today, or the next after the
// newest stored draw where that is later, never a day that has passed or one without a draw. A game no
// longer played ("6 aus 45"): the draw after the one on display, as the sheet always named it.
QDate sheetDate(const Game& game, double shownDraw, const QDate& today,
                const std::optional<QDate>& newestStored);

// Header, tildes, an empty line and one line per row whose first cell is filled, with the tip's own extra
// number where the game has one ("   GZ: 4"). Throws AppError when a cell of such a row holds no number.
QStringList lines(const TipGrid& grid, const QDate& nextDraw, const Game& game,
                  const QLocale& locale = QLocale());

// The same for a system's tips, "System.txt": one line a tip, its number as wide as the count needs.
QStringList systemLines(const std::vector<Tip>& tips, const QDate& nextDraw, const Game& game,
                        const QLocale& locale = QLocale());

// The lines as written: Latin-1, every line ended by CR LF.
QByteArray encode(const QStringList& lines);

} // namespace tiptext

// Writes "Tipp.txt" for the draw of sheetDate, replacing an earlier file, and opens it with the shell.
// Returns the file's path. On a failure (a cell that holds no number, a file that cannot be written) it
// throws AppError before anything is opened.
QString writeTipText(const AppState& state, const TipGrid& grid, Shell& shell, const QDate& today);
// Writes "System.txt" of a system's tips the same way.
QString writeSystemText(const AppState& state, const std::vector<Tip>& tips, Shell& shell,
                        const QDate& today);
