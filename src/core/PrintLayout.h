#pragma once

#include <QString>

namespace platform {
class PrinterDevice;
}

// Page metrics of a printed report, whole millimetres, valid until the next PrintSettei.
extern long gPrnCharW;   // height of "A": the header line unit
extern long gPrnCharH;   // row pitch, gPrnCharW + 1
extern long gPrnLines;   // header-unit lines per page
extern long gPrnCols;    // row-pitch lines per page
extern long gPrnHeight;  // gPrnLines * gPrnCharW
extern long gPrnWidth;   // printable width less 10
extern int gPrnPageNo;
extern QString gPrnDevSize;
extern QString gPrnDevSpeed;
extern QString gPrnDevStroke;

// Computes the metrics for the printer's current font. 0 when done; 1 when there is no
// printer or the text height rounds to 0, and the caller stops its print.
int PrintSettei(platform::PrinterDevice &printer);

namespace printing {
// The metrics from a measured text height and printable size, both in millimetres.
int computeLayout(double textHeightMm, double printableWidthMm, double printableHeightMm);
void resetPrintLayout();
}
