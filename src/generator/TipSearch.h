#pragma once

#include "state/TipGrid.h"

#include <QString>

class DrawSteps;
struct Session;

// "Tipps berechnen" (BitBtn4, a click on Label28, and the chosen seed): takes the latest two selected
// draws, builds the preference pool and searches up to 14 tips under the options, writes them into the
// grid and evaluates them against the draw on display. The options the search relaxes (CheckBox8,
// UpDown4, UpDown5, UpDown6) are put back at its end, and also when it fails; failures propagate.
void calculateTips(Session& session, DrawSteps& steps);

// The status text of a complete candidate of tip `tipNumber` (1 .. 14), numbers sorted ascending:
// "1.Tipp:  3 11  12  25  30  41  QS: 122".
QString candidateStatusText(int tipNumber, const Numbers& numbers, int digitSum);
