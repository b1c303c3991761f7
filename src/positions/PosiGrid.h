#pragma once

#include <QString>

namespace platform {
class FixedGrid;
}

// The main window's position grid flgdData: its layout, its redisplay from the tables and
// its colours. Free functions over the grid so that the window stays a thin layer.
namespace positions::posigrid {

// Rows, merging, heights, headings, widths and alignments, as the window sets them at load.
void layoutGrid(platform::FixedGrid &grid);
// The two heading rows in the current language; also names a new table "New Data".
void setMainFormStr(platform::FixedGrid &grid);
// The comment column takes the width the grid leaves, at least 3000 twips.
void fitCommentColumn(platform::FixedGrid &grid);

void fill(platform::FixedGrid &grid);          // QzDataHyoji_3
void dispAxisData(platform::FixedGrid &grid);  // DispAxisData
void changeDispUnit(platform::FixedGrid &grid);// Change_DispUnit
int checkLineNo(platform::FixedGrid &grid);    // Check_flgdLineNo
void stateOff(platform::FixedGrid &grid);      // GridStateOff
void stateOn(platform::FixedGrid &grid);       // GridStateOn
void cursorTop(platform::FixedGrid &grid);     // GridCursorTop
// Heading row 0 over the four columns of an axis (0 to 3); the row is drawn smaller than the
// layout's 10 points where a heading would not show whole over its columns.
void setAxisHeading(platform::FixedGrid &grid, int axis, const QString &text);

// Hides the grid for a bulk change and gives it back as it was on every way out, so an
// early end never leaves it hidden.
class BulkChange
{
public:
    explicit BulkChange(platform::FixedGrid &grid);
    ~BulkChange();
    BulkChange(const BulkChange &) = delete;
    BulkChange &operator=(const BulkChange &) = delete;

private:
    platform::FixedGrid &m_grid;
    bool m_wasVisible;
    bool m_hadScrollBars;
};

} // namespace positions::posigrid
