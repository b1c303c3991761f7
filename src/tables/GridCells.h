#pragma once

#include <QString>

namespace tables {

// The cells of the position grid as the editing logic sees them: rows 0 and 1 are the
// headings, row r (from 2) one position, column 0 its number, columns 1 to 20 the table
// columns 0 to 19. The main window's grid and the tests' in-memory grid both offer it.
class GridCells
{
public:
    virtual ~GridCells() = default;

    virtual int rows() const = 0;
    virtual QString text(int row, int col) const = 0;
    virtual void setText(int row, int col, const QString &text) = 0;
    // A blank row at index row; the rows from there down move one down.
    virtual void insertRow(int row) = 0;
    // The rows below move one up.
    virtual void removeRow(int row) = 0;
};

constexpr int kGridHeadingRows = 2;
constexpr int kGridColumns = 21;
constexpr int kGridCommentCol = 20;

} // namespace tables
