#pragma once

struct Session;

// The statistics of the current game's archive. Each reads the archive once, counts over the draws the
// DrawFilter selects (read from the controls when it starts) and writes the chart model; a missing
// archive throws AppError before the chart changes. The hourglass shows while they run. Every one of them
// fills a ChartPlan and draws it by drawChart (stats/ChartPlan.h); the bar charts of counts carry what
// chance expects of each bar (stats/Chance.h), which the view shows while the switch "Zufall" is on.

// Frequencies of the numbers of the game (start-up; the generator). Stays on its page. The chart also
// carries the verdict of the test of the counts against chance.
void countNumberFrequencies(Session& session);
// The same for SpeedButton2, which also writes the verdict into the second status panel while the switch
// "Zufall" is on (start-up and the generator write their own texts there).
void showNumberFrequencies(Session& session);
// Neighbour pairs, triples or quadruples (groupSize 2, 3, 4: Button2, Button3, Button4); shows "Diagramm".
void countNeighbourGroups(Session& session, int groupSize);
// Overdue numbers (Button5); shows "Diagramm".
void countOverdueNumbers(Session& session);
// Number frequencies year by year as a surface (SpeedButton1).
void countYearSurface(Session& session);
// Distribution of the digit sums (SpeedButton9).
void countDigitSums(Session& session);
// Distribution of the super numbers after 1 August 1995 (SpeedButton3).
void countSuperNumbers(Session& session);
// The counts of a game's extra number from a drum of its own, the Glückszahl (SpeedButton15): a band and a
// verdict as for the frequencies, the verdict in the second status panel while "Zufall" is on.
void showExtraNumbers(Session& session);
