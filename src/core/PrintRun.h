#pragma once

#include <QFont>
#include <functional>

namespace platform {
class PrinterDevice;
}

namespace core::printing {

// One report on a printer the operator has chosen: the report's font first, the page metrics
// measured in it and fitted to the report's fixed layout (keepWithinPage), its text fitted to
// those lines (fitTextToLines: the report draws in fontPoints), the document started, `draw`
// run, the document ended. `draw` answers false when the printer failed midway. A printer that cannot be measured, started, drawn on or ended is told with
// tellPrintFailed, after the document has been ended. True only when the report was handed
// over whole.
bool runReport(platform::PrinterDevice &printer, const QFont &font, long headerLines, long rows,
               const std::function<bool()> &draw);

// The operator's messages of every report: a print that failed (397 "(3)", then 396) and a
// print dialog cancelled where the report says so (396).
void tellPrintFailed();
void tellPrintCancelled();

} // namespace core::printing
