#pragma once

#include <QColor>
#include <QString>

// What the position grid shows, cell by cell, worked out from the tables and the settings.
// Grid row r (from 2) shows position gPosiNoDefFrom + r - 2; grid column c shows table
// column c - 1; column 0 holds the position number.
namespace positions::posigrid {

constexpr int kHeadingRows = 2;
constexpr int kGridCols = 21;
constexpr int kCommentCol = 20;
constexpr int kTwipsPerPixel = 15;

// The cell colours. The invalid colour stands for the desktop's window background.
QColor windowColour();
QColor lightYellow();  // axes 2 and 4
QColor lightGrey();    // an axis that is not used
QColor lightCyan();    // the cell whose editor is open

// The background of grid column c (1 to 16) in a position row, by the axis' use.
QColor axisColumnColour(int gridCol);

// The text of table column c (0 to 19) of position n, as the redisplay writes it.
QString cellText(int n, int tableCol);
// A position in millimetres as the grid shows it: "#0.000", blanks on the left to 7.
QString mmText(double mm);
// A number without leading zeros or trailing decimal zeros.
QString plainNumber(double v);

// The heading texts in the current language.
QString headingRow0(int gridCol);
QString headingRow1(int gridCol);
// "Posi" followed by the axis number (1 to 4) and the unit of gDispMmUnit.
QString posiHeading(int axisNo);

// Column widths in twips; the comment column gets the room the grid leaves, at least 3000.
int columnWidthTwips(int gridCol, int gridWidthTwips);

} // namespace positions::posigrid
