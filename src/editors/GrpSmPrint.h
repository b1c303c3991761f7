#pragma once

#include <QString>

namespace editors {
class ReportCanvas;
}

// Set by the group and macro windows before they print: true names the file in the header.
extern bool gGrpPrintFromFile;
extern bool gSmPrintFromFile;
extern QString gSmPrintTitle;

// Print dialog, page metrics, then the report of gGrpDataIn (groups 1 to 99, one page) or
// of macros gSmNoFrom to gSmNoTo of gSmDataIn (nine a page). A cancelled dialog prints nothing.
// Groups and macros marked missing from the printed file print without values.
void PrintGrpData();
void PrintSqMcrData();

namespace editors {
// The reports alone, on a canvas, with the page metrics as they are; `stamp` is the footer.
void PrintGrpPage(ReportCanvas &canvas, const QString &stamp);
void PrintSqMcrPage(ReportCanvas &canvas, const QString &stamp);
void drawGrpReport(ReportCanvas &canvas, const QString &stamp);
void drawSqMcrReport(ReportCanvas &canvas, const QString &stamp);
void resetGrpSmPrint();

// The print dialog, then one report drawn on the chosen printer (core::printing::runReport), with
// the date and time of now as its footer; `lastLine` is the last line of its body. A
// cancelled dialog prints nothing and says nothing; a failed print is told. True when printed.
using ReportDraw = void (*)(ReportCanvas &canvas, const QString &stamp);
bool printReport(ReportDraw draw, long lastLine);
} // namespace editors
