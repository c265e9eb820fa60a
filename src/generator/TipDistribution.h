#pragma once

struct Services;
class TipGrid;

// How often each number 1 .. 45 stands in the tips of the grid, as bars on page "Diagramm" (Button6).
// The cells are read in grid order up to the first empty one; the rows after it do not count.
void showTipDistribution(Services& services, const TipGrid& grid);
