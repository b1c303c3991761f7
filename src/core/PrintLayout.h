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

// Computes the metrics for the printer's current font, which the caller sets first. 0 when
// done; 1 when there is no printer or the text height rounds to 0, and the caller stops.
int PrintSettei(platform::PrinterDevice &printer);

namespace core::printing {
// The metrics from a measured text height and printable size, both in millimetres.
int computeLayout(double textHeightMm, double printableWidthMm, double printableHeightMm);
// Every report's fixed layout stays on its page: a body of `headerLines` lines of the header
// unit and `rows` lines of the row pitch must end a blank line above the footer rule
// ((gPrnLines - 1) x gPrnCharW); while it would not, the unit shrinks by a millimetre and the
// metrics follow. 0 when it fits; 1 when even a unit of 1 mm does not.
int keepWithinPage(long headerLines, long rows = 0);
// The text shrinks with its lines: measured in the printer's font (the report's, set before
// PrintSettei), a line of text must be no taller than the line unit, so that no line runs into
// the next; where the rounded or shrunk unit is smaller, every size the report draws in is
// made smaller by the same measure (fontPoints). A font that fits stays as it is.
void fitTextToLines(platform::PrinterDevice &printer);
// A size of the report in points as it is drawn: the report's own size, fitted to its lines.
double fontPoints(double points);
void resetPrintLayout();
}
