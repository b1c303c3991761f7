#pragma once

namespace platform {

class PrinterDevice;

// The print dialog and the page set-up dialog on a printer. false: the operator cancelled.
// Under a DialogScript the answer is scripted: a PDF path makes the printer print into that
// file, an empty path cancels.
bool printDialog(PrinterDevice &printer);
bool pageSetupDialog(PrinterDevice &printer);

// The one printer of the run: the page set-up changes it, every report prints on it.
PrinterDevice &sharedPrinter();
void resetSharedPrinter();

} // namespace platform
