#pragma once

struct Session;

// How often each number of the game stands in the tips of the grid, as bars on page "Diagramm" (Button6).
// The cells are read in grid order up to the first empty one; the rows after it do not count.
void showTipDistribution(Session& session);
