#pragma once

#include <QFont>
#include <QString>

namespace positions {
class PosiPrintCanvas;
}

// The header and footer of the current page of the position report: title, designations
// (gPosiFileDev), page number, the column titles (row 0 of gPosiWork), the date and time
// `stamp`, and the rules. Leaves the font at 11 point regular.
void PrintPosiData(int &pageNo, positions::PosiPrintCanvas &canvas, const QString &stamp);

namespace positions {

// Draws the pages of positions from to to (rows of gPosiWork) with the metrics of
// PrintLayout, counting the pages in gPrnPageNo. 0 drawn; 1 the printer failed.
int drawPosiReport(PosiPrintCanvas &canvas, int from, int to, const QString &stamp);

// The report's font: the printer font of the language's texts, 11 point.
QFont posiPrintFont();

// The footer's text for now: the short date, two blanks, the time.
QString printStamp();

} // namespace positions
