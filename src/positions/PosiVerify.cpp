#include "positions/PosiVerify.h"
#include "link/OnlineMode.h"

#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"
#include "positions/PosiCompare.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiTable.h"
#include "positions/PosiTransfer.h"
#include "tables/SyogoKekka.h"
#include "positions/frmDataShogo.h"
#include "positions/frmSelectPosiNo3.h"
#include "positions/frmSelectPosiNo4.h"
#include "positions/frmSyogoKekka.h"

namespace {

// The differences in the result window, or the message that there are none.
void showVerifyResult(const QString &noDifferenceText)
{
    if (gPosiNgCount > 0) {
        gResultIsVerify = true;
        frmSyogoKekka result(core::mainform::window());
        result.exec();
    } else {
        platform::msgBox(noDifferenceText + QStringLiteral("\r\n\r\n") + LoadResText(826));
    }
    ClearCellFlags();
}

} // namespace

int PosiDataFileShogo2()
{
    BusyGuard busy;
    gPosiNoFrom = gPosiNoDefFrom;
    gPosiNoTo = gPosiNoDefTo;
    if (PosiDataCheck3() != 0)
        return 1;

    platform::FileDialogRequest request;
    request.title = LoadResText(350);
    request.filter = LoadResText(351);
    request.defaultExt = QStringLiteral("qzd");
    request.mustExist = true;
    const QString path = platform::getOpenFileName(request);
    if (path.isEmpty())
        return 1;

    PosiFileImage image;
    if (positions::readPosiFileReported(path, image) != 0)
        return 1;
    positions::takePosiFileImage(image);
    // Positions inside the file's range that it has no line for are not its data.
    bool held[kPosiRows] = {};
    for (const PosiFileLine &line : image.lines)
        if (line.no >= 1 && line.no <= kPosiMax)
            held[line.no] = true;

    const bool overlap = ClampSelectRow() == 0;
    {
        frmSelectPosiNo4 range(overlap, core::mainform::window());
        range.exec();
    }
    if (gSelectCancel) {
        gSelectCancel = false;
        return 1;
    }
    if (!overlap)
        return 1;

    positions::comparePosiRange(gPosiNoFrom, gPosiNoTo, held);
    showVerifyResult(LoadResText(352) + path + LoadResText(353));
    return 0;
}

int PosiDataCtShogo()
{
    BusyGuard busy;
    {
        frmSelectPosiNo3 range(core::mainform::window());
        range.exec();
    }
    if (gSelectCancel) {
        gSelectCancel = false;
        return 1;
    }
    if (PosiDataCheck3() != 0)
        return 1;
    leaveOfflineForExchange();
    if (!link::openPortWithTries()) {
        positions::reportPortClosed();
        return 1;
    }
    if (CtCommModeOn() != 0) {
        gTusinErr = false;
        CommPortClose();
        return 1;
    }
    if (ReadPosidataFromCt() != 0)
        return 1;

    positions::comparePosiRange(gPosiNoFrom, gPosiNoTo);
    showVerifyResult(LoadResText(354));
    return 0;
}

int PosiDataShogo()
{
    AllCMD_Muko();
    int result = 1;
    {
        frmDataShogo choice(core::mainform::window());
        choice.exec();
        if (choice.ShogoSaki == 1)
            result = PosiDataFileShogo2();
        else if (choice.ShogoSaki == 2)
            result = PosiDataCtShogo();
    }
    CommPortClose();
    AllCMD_Yuko();
    return result;
}

int cmdPosiVerify_Click()
{
    AllCMD_Muko();
    lockGrid(GridCursor::ToTop);
    if (Check_flgdLineNo() == 1) {
        AllCMD_Yuko();
        unlockGrid();
        return 1;
    }
    const int result = PosiDataShogo();
    unlockGrid();
    return result;
}

int PosiDataCtShogoCmd()
{
    AllCMD_Muko();
    lockGrid(GridCursor::ToTop);
    int result = 1;
    if (Check_flgdLineNo() != 1) {
        result = PosiDataCtShogo();
        CommPortClose();
    }
    unlockGrid();
    AllCMD_Yuko();
    return result;
}

namespace positions {

void registerPosiVerifyCommands()
{
    core::mainform::setCommand(QStringLiteral("cmdPosiVerify_Click"), &cmdPosiVerify_Click);
    core::mainform::setCommand(QStringLiteral("PosiDataCtShogoCmd"), &PosiDataCtShogoCmd);
    core::mainform::setCommand(QStringLiteral("PosiDataCtShogo"), &PosiDataCtShogo);
    core::mainform::setCommand(QStringLiteral("PosiDataFileShogo2"), &PosiDataFileShogo2);
}

} // namespace positions
