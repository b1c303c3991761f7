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
void PrintGrpData();
void PrintSqMcrData();

namespace editors {
// The reports alone, on a canvas, with the page metrics as they are; `stamp` is the footer.
void PrintGrpPage(ReportCanvas &canvas, const QString &stamp);
void PrintSqMcrPage(ReportCanvas &canvas, const QString &stamp);
void drawGrpReport(ReportCanvas &canvas, const QString &stamp);
void drawSqMcrReport(ReportCanvas &canvas, const QString &stamp);
void resetGrpSmPrint();

// The print dialog, the page metrics and one report drawn on the chosen printer, with the
// date and time of now as its footer. A cancelled dialog prints nothing.
using ReportDraw = void (*)(ReportCanvas &canvas, const QString &stamp);
void printReport(ReportDraw draw);
} // namespace editors
