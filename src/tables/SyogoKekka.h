#pragma once

#include <QList>

// What the result window shows: the positions whose row flag is set, after a position
// check (its failing cells) or a verification (its differing cells).
extern int gPosiNgCount;     // positions with the row flag set
extern bool gResultIsVerify; // true: verification differences; false: check errors

namespace tables {

struct ResultLine
{
    int position = 0;
    bool cell[19] = {}; // table columns 0 to 18: flagged
};

// The flagged positions from gPosiNoFrom up to 999, in ascending order.
QList<ResultLine> resultLines();

// The width of every column of the result grid in twips, from the grid's width: the four
// columns of an axis not in use get 0.
QList<int> resultColumnWidths(int gridWidthTwips, const bool (&axisUnused)[4]);

void resetResultState();

} // namespace tables
