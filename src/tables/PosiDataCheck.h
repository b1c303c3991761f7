#pragma once

#include "tables/CellEntry.h"

#include <functional>

namespace tables {

class GridCells;

// The check of the working range as it stands in the grid: flags every invalid cell and
// its row, counts the failing positions in gPosiNgCount, and only when none fails copies
// the range into gPosiFileTable and gPosiTable. 0 passed, 1 failed (flags left set for the
// result window), 2 the grid holds no positions. Shows nothing.
int checkPosiGrid(const GridCells &grid, const AxisInfo (&axes)[4], bool mm);

// The grid PosiDataCheck3 reads (the main window's), and the result window it shows.
void setCheckGrid(GridCells *grid);
GridCells *checkGrid();
void setCheckResultWindow(std::function<void()> show);

} // namespace tables

// The check before the table is saved, written, verified, printed or converted: 0 the
// tables hold the grid's working range, 1 the caller stops (the failing positions have been
// shown), 2 the grid holds no positions.
int PosiDataCheck3();
