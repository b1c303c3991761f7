#include "positions/PosiPrintCommands.h"

#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "core/PrintRun.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "tables/GridCells.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiImage.h"
#include "positions/PosiPrintReport.h"
#include "tables/PosiTable.h"
#include "positions/frmPrintSelect.h"
#include "positions/frmSelectPosiNo3.h"

bool PrintCancel = false;
bool PrintPosiNow = false;
int PrintNoFrom = 0;
int PrintNoTo = 0;

namespace {

QList<positions::PosiPrintCanvas::Item> g_lastPrint;

// Row 0 of gPosiWork the grid's column titles, row n the texts of position n as shown.
void copyGridTexts(const tables::GridCells &grid, int from, int to)
{
    using namespace positions;
    for (int c = 0; c < tables::kGridColumns; ++c)
        gPosiWork[0][c] = grid.text(1, c);
    for (int n = from; n <= to; ++n) {
        const int r = n - gPosiNoDefFrom + tables::kGridHeadingRows;
        for (int c = 0; c < tables::kGridColumns; ++c)
            gPosiWork[n][c] = (r >= tables::kGridHeadingRows && r < grid.rows()) ? grid.text(r, c) : QString();
    }
}

} // namespace

void PosiDataPrint()
{
    BusyGuard busy;
    {
        frmPrintSelect select(core::mainform::window());
        select.exec();
    }
    if (PrintCancel || !PrintPosiNow)
        return;
    if (Check_flgdLineNo() == 1)
        return;
    {
        frmSelectPosiNo3 range(core::mainform::window());
        range.exec();
    }
    if (gSelectCancel) {
        gSelectCancel = false;
        return;
    }
    PrintNoFrom = gPosiNoFrom;
    PrintNoTo = gPosiNoTo;
    if (PosiDataCheck3() != 0)
        return;
    tables::GridCells *grid = tables::checkGrid();
    if (!grid || PrintNoFrom < 1 || PrintNoTo > kPosiMax || PrintNoFrom > PrintNoTo)
        return;

    GridStateOff();
    copyGridTexts(*grid, PrintNoFrom, PrintNoTo);
    GridCursorTop();
    GridStateOn();
    if (MainFormPort *form = core::mainform::form())
        for (int a = 0; a < 4; ++a)
            gPosiFileDev[a] = form->deviceLabel(a);

    platform::PrinterDevice &printer = platform::sharedPrinter();
    if (!platform::printDialog(printer)) {
        core::printing::tellPrintCancelled();
        return;
    }
    positions::PosiPrintCanvas canvas(printer);
    // The first position's two lines under the header must fit on the page.
    core::printing::runReport(printer, positions::posiPrintFont(), 0, 8, [&] {
        return positions::drawPosiReport(canvas, PrintNoFrom, PrintNoTo, positions::printStamp()) == 0;
    });
    g_lastPrint = canvas.items();
}

int mnuFilePrint_Click()
{
    BusyGuard busy;
    CMDBTN_Muko();
    ToolBar_Muko();
    EditCMD_Muko();
    PosiDataPrint();
    CMDBTN_Yuko();
    ToolBar_Yuko();
    if (MainFormPort *form = core::mainform::form())
        form->repaintWindow();
    return 0;
}

int mnuFilePageSetup_Click()
{
    EditCMD_Muko();
    // Cancel keeps the printer as it was; a choice holds for the next print.
    platform::pageSetupDialog(platform::sharedPrinter());
    return 0;
}

namespace positions {

const QList<PosiPrintCanvas::Item> &lastPosiPrint()
{
    return g_lastPrint;
}

void registerPosiPrintCommands()
{
    core::mainform::setCommand(QStringLiteral("mnuFilePrint_Click"), &mnuFilePrint_Click);
    core::mainform::setCommand(QStringLiteral("mnuFilePageSetup_Click"), &mnuFilePageSetup_Click);
}

void resetPosiPrintState()
{
    PrintCancel = false;
    PrintPosiNow = false;
    PrintNoFrom = 0;
    PrintNoTo = 0;
    g_lastPrint.clear();
}

} // namespace positions
