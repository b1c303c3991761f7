#pragma once

#include <QList>

#include "positions/PosiPrintCanvas.h"

// The print selection window's answer, read once it has closed: PrintCancel when it was
// closed without OK, PrintPosiNow when OK chose the grid's positions.
extern bool PrintCancel;
extern bool PrintPosiNow;
// The range of the print under way.
extern int PrintNoFrom;
extern int PrintNoTo;

// The whole print command: selection, range, check, the grid's texts into gPosiWork, printer
// dialog, pages. Tells the operator when the printer fails or the print dialog is cancelled.
void PosiDataPrint();
// File > Print and the toolbar's Print: the commands off around PosiDataPrint.
int mnuFilePrint_Click();
// File > Page Setup: the printer set-up dialog on the shared printer.
int mnuFilePageSetup_Click();

namespace positions {

// What the last print drew (empty until a print has drawn something).
const QList<PosiPrintCanvas::Item> &lastPosiPrint();

void registerPosiPrintCommands();
void resetPosiPrintState();

} // namespace positions
