#pragma once

#include "game/Draw.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

struct Game;
struct Session;

// Shows the entry dialog pre-filled with the preset and returns the draw the user confirmed, or nothing
// when the user cancelled. The real one is TForm3 (askForDraw in DrawEntryDialog.h).
using DrawPrompt = std::function<std::optional<Draw>(const Draw& preset)>;

// Shows and evaluates the draw for the date of DateTimePicker1; the app hands in the evaluation's
// showDrawForDate, which this folder cannot call itself.
using EvaluateForDate = std::function<void()>;

// Why a draw from the entry dialog cannot be stored in the game's archive (a number out of range, or two
// of the six numbers and Z equal), or an empty text when it is fine.
QString drawEntryProblem(const Draw& draw, const Game& game);

// The six numbers ascending; ZZ and SZ stay where they are.
Draw withSortedNumbers(Draw draw);

// "Eingeben" (BitBtn8): asks for a draw pre-filled from the newest stored one (in an empty archive the
// last draw day up to today, numbers left for the user), stores it behind the newest draw or in date
// order in place of a draw of the same date - a different draw (a Superzahl is a difference) stored there
// only after a yes to the question that names both (Nein first) - then sets DateTimePicker1 to the newest
// stored date and evaluates. A date after today is refused, one without a draw of the game taken only after
// a question (Nein first). A missing archive throws AppError and changes nothing.
void enterDraw(Session& session, const DrawPrompt& prompt, const EvaluateForDate& evaluate);

// "Löschen" (BitBtn6): asks first, naming the draw on display (Nein first), then removes the stored draw
// that is it under the hourglass, puts DateTimePicker1 on that date and evaluates, so that the next later
// draw comes on. With no draw on display, or one that is not stored (a web page's), it says so and deletes
// nothing.
void deleteCurrentDraw(Session& session, const EvaluateForDate& evaluate);
