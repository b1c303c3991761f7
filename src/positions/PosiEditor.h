#pragma once

#include "tables/GridCells.h"
#include "positions/PosiLines.h"

class QWidget;

namespace platform {
class FixedGrid;
}

namespace positions {

// The main window's grid as the editing logic sees it.
class FixedGridCells : public tables::GridCells
{
public:
    explicit FixedGridCells(platform::FixedGrid &grid) : m_grid(grid) {}
    int rows() const override;
    QString text(int row, int col) const override;
    void setText(int row, int col, const QString &text) override;
    void insertRow(int row) override;
    void removeRow(int row) override;

private:
    platform::FixedGrid &m_grid;
};

// The cursor and the selection of the grid: the selected range's corners, or the cursor alone.
GridSelection selectionOf(const platform::FixedGrid &grid);

// Gives the main window's grid its cell editor, range selection and cursor handlers, makes
// it the grid the position check reads, and wires the line and clipboard commands. The grid
// is the window's child "flgdData"; a window without one gets nothing.
void attachPosiEditing(QWidget &window);

} // namespace positions
