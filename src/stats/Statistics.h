#pragma once

#include <QString>

struct Services;

// The statistics of the archive. Each reads the archive at archivePath once, counts over the draws the
// DrawFilter selects (read from the controls when it starts) and writes the chart model; a missing
// archive throws AppError before the chart changes. The hourglass shows while they run.

// Frequencies of the numbers 1 .. 45 (SpeedButton2; start-up; the generator). Stays on its page.
void countNumberFrequencies(Services& services, const QString& archivePath);
// Neighbour pairs, triples or quadruples (groupSize 2, 3, 4: Button2, Button3, Button4); shows "Diagramm".
void countNeighbourGroups(Services& services, const QString& archivePath, int groupSize);
// Overdue numbers (Button5); shows "Diagramm".
void countOverdueNumbers(Services& services, const QString& archivePath);
// Number frequencies year by year as a surface (SpeedButton1).
void countYearSurface(Services& services, const QString& archivePath);
// Distribution of the digit sums (SpeedButton9).
void countDigitSums(Services& services, const QString& archivePath);
// Distribution of the super numbers after 1 August 1995 (SpeedButton3).
void countSuperNumbers(Services& services, const QString& archivePath);
