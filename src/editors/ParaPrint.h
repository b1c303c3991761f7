#pragma once

#include <QString>

namespace editors {
class ReportCanvas;
}

// The parameter report: one page of the set in gParaTmp, the axes of gPrnAxisUnused left out.

extern bool gParaPrintFromFile; // the report names the file of gParaTmp's source

// The parameter arrays (all four axes) and single values into gParaTmp as "INDICATED DATA".
void SetPrintParaData();
// The print dialog, then the report on the chosen printer.
void PrintParaData();

namespace editors {
// The report alone, on a canvas, with the page metrics as they are; `stamp` is the footer.
void drawParaReport(ReportCanvas &canvas, const QString &stamp);
void resetParaPrint();
}
