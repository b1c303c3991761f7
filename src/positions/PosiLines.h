#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Line insert and delete, and the clipboard's text of grid cells, on the position grid.
namespace tables {
class GridCells;
}

namespace positions {

// The cursor (current cell) and the other corner of the selection.
struct GridSelection
{
    int row = 0;
    int col = 0;
    int endRow = 0;
    int endCol = 0;
};

// Where the cursor goes after a line command; done false when the command did nothing.
struct LineResult
{
    bool done = false;
    int row = 0;
    int col = 1;
};

// The texts of a new line, grid columns 0 to 20 (the number left for the renumbering).
QStringList newLineTexts();

// Removes grid rows first..last (at least one), moving the displayed and working ranges.
void PosiGyoDelete(tables::GridCells &grid, int first, int last);
// Adds (last - first + 1) new lines at row first; lines pushed past 999 are lost.
void PosiGyoInsert(tables::GridCells &grid, int first, int last);
// Column 0 of every position row: gPosiNoDefFrom + r - 2.
void renumberRows(tables::GridCells &grid);

// The buttons and Edit menu items (they show their refusal themselves).
LineResult cmdDeleteLine(tables::GridCells &grid, const GridSelection &sel);
LineResult cmdInsertLine(tables::GridCells &grid, const GridSelection &sel);
// Enter in the comment column: the row the cursor goes to (column 1), appending a line at
// the end of the grid while the last position is below 999.
int rowAfterCommentEnter(tables::GridCells &grid, int row);

// Clipboard text: tabs between fields, CR between lines, nothing after the last.
QString selectionText(const tables::GridCells &grid, const GridSelection &sel);
// 0 empty, 1 whole lines (20 fields in its first line), 2 cells.
int CheckClipText(const QString &text);
// gClipLineOk and gClipCellOk from a CheckClipText result.
void setClipFlags(int clipKind);
// Lines split at CR, LF or CR LF (another program's line ends), without a trailing empty one.
QList<QStringList> clipLines(const QString &text);
QString firstClipField(const QString &text);

// The refusals of the copy and paste commands (message and false when refused).
bool cellCopyAllowed(const GridSelection &sel);
bool lineCopyAllowed(const GridSelection &sel);
bool cellPasteAllowed(const GridSelection &sel);
bool linePasteAllowed(const GridSelection &sel);

// A pasted field that is not wholly a number of the column it would go to.
struct RefusedField
{
    int position = 0;
    int col = 0; // grid column
    QString text;
};

// Writes the clipboard's lines over the grid from (row, col) down, dropping what does not fit;
// all or nothing: when a field is refused, no cell changes and one box names every refused
// field (3010). Comments lose what the file cannot hold (told with 3003). Marks the data
// changed when it wrote; true when it pasted.
bool LinePasteFromClip(tables::GridCells &grid, const QString &text, int row, int col);

} // namespace positions
