#include "positions/PosiTransfer.h"

#include "tables/DevSetting.h"
#include "actuators/DeviceChange.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "link/OnlineMode.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/CtWriteMode.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "platform/Dialogs.h"
#include "positions/PosiCompare.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiFileCommands.h"
#include "positions/PosiRecord.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo2.h"
#include "positions/frmSelectPosiNo3.h"

#include <QCoreApplication>
#include <vector>

using link::exchange;
using link::Via;

int gPosiNoPrevFrom = 0;
int gPosiNoPrevTo = 0;

namespace {

// The displayed and working ranges as a command found them, put back when it does not end
// well, so that the grid and its numbering never disagree.
struct Ranges
{
    int defFrom = gPosiNoDefFrom;
    int defTo = gPosiNoDefTo;
    int from = gPosiNoFrom;
    int to = gPosiNoTo;

    void restore() const
    {
        gPosiNoDefFrom = defFrom;
        gPosiNoDefTo = defTo;
        gPosiNoFrom = from;
        gPosiNoTo = to;
    }
};

bool validRange(int from, int to)
{
    return from >= 1 && from <= to && to <= kPosiMax;
}

} // namespace

namespace positions {

void reportPortClosed()
{
    SetOfflineMode();
    platform::msgBox(link::portOpenFailureText());
}

void resetPosiTransferState()
{
    gPosiDataExist = false;
    gPosiNoPrevFrom = 0;
    gPosiNoPrevTo = 0;
}

} // namespace positions

// ---------------------------------------------------------------- read

int ReadPosidataFromCt()
{
    gTranceCancel = false;
    gTranceCancelable = true;
    const int from = gPosiNoFrom;
    const int to = gPosiNoTo;
    if (!validRange(from, to))
        return 1;

    link::TransferProgress &progress = link::transferProgress();
    progress.open(368, to - from + 2);
    std::vector<positions::PosiRecord> read;
    read.reserve(size_t(to - from + 1));
    for (int p = from; p <= to && !gTranceCancel; ++p) {
        if (exchange(Via::Resend, QStringLiteral("0RP"), positions::posiRecordNo(p),
                     positions::kPosiReadReplyLength, 1000) != 0) {
            CommPortClose();
            progress.close();
            return 1;
        }
        gTusinStr[p - 1] = gRecvData;
        // A reply for another position or with a field that is not hexadecimal is never
        // taken in part.
        const auto record = positions::decodePosiReply(gRecvData, p);
        if (!record) {
            link::refuseReply();
            progress.close();
            return 1;
        }
        read.push_back(*record);
        progress.setValue(p - from);
    }
    progress.close();
    CommPortClose();
    if (gTranceCancel) {
        gTranceCancel = false;
        return 2;
    }
    for (int p = from; p <= to; ++p)
        positions::posiRecordIntoImage(p, read[size_t(p - from)]);
    return 0;
}

int GetPosidataFromCt2()
{
    GridCursorTop();
    lockGrid(GridCursor::Kept);

    gPosiDataExist = false;
    CheckPosiDataExist();
    if (gPosiDataExist) {
        const int answer = ResMsgBox({369}, platform::MbYesNoCancel | platform::MbQuestion);
        if (answer != platform::IdYes && answer != platform::IdNo)
            return 1;
        // Only data that were really saved may be replaced.
        if (answer == platform::IdYes) {
            SaveCancelFlag = false;
            if (SavePosiFileAs() != kPosiSaved)
                return 1;
            lockGrid(GridCursor::Kept);
        }
    }

    const Ranges before;
    gTranceCancelable = true;
    {
        frmSelectPosiNo2 range(core::mainform::window());
        range.exec();
    }
    if (gSelectCancel) {
        gSelectCancel = false;
        before.restore();
        return 1;
    }
    if (ResMsgBox({370}, platform::MbOkCancel | platform::MbQuestion) != platform::IdOk) {
        before.restore();
        return 1;
    }
    if (!validRange(gPosiNoFrom, gPosiNoTo)) {
        before.restore();
        return 1;
    }

    leaveOfflineForExchange();
    gTranceCancel = false;
    gPosiNoPrevFrom = gPosiNoDefFrom;
    gPosiNoPrevTo = gPosiNoDefTo;
    gPosiNoDefFrom = gPosiNoFrom;
    gPosiNoDefTo = gPosiNoTo;

    int reconciled = 0;
    const link::LinkStep reconcile = link::runStep([&reconciled] {
        reconciled = DevChangeFromCt();
        return reconciled;
    });
    if (reconciled != 0) {
        before.restore();
        // One failure, one box: a communication failure the link has told is not told again.
        if (reconciled == 1)
            reconcile.followUp(ResLines({108, 425}));
        else
            ResMsgBox({425});
        return 1;
    }

    const int read = ReadPosidataFromCt();
    if (read != 0) {
        before.restore();
        if (read == 2)
            ResMsgBox({425});
        return 1;
    }

    CopyGridToPosiData();
    PulseToMm_Table();
    QzDataHyoji_3();
    gPosiFileName = LoadResText(374);
    // The table no longer stands for the file it came from: Save must ask for a name.
    gPosiFilePath.clear();
    if (MainFormPort *form = core::mainform::form())
        form->showFileName(gPosiFileName);
    gDataChanged = false;
    return 0;
}

int GetPosidataFromCt()
{
    BusyGuard busy;
    AllCMD_Muko();
    const int result = GetPosidataFromCt2();
    CommPortClose();
    AllCMD_Yuko();
    unlockGrid();
    return result;
}

// ---------------------------------------------------------------- write

int PosiKakikomimaeParaCheck()
{
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(378, 4);
    auto fail = [&progress] {
        gTusinErr = false;
        progress.close();
        CommPortClose();
        return 1;
    };

    if (!link::openPortWithTries()) {
        positions::reportPortClosed();
        return fail();
    }
    if (CtCommModeOn() != 0)
        return fail();
    if (ReadAxisUse() != 0 || ReadAxisBlock() != 0) {
        gTimeOut = false;
        return fail();
    }
    qint32 limit[4] = {};
    for (int a = 0; a < kAxisCount; ++a) {
        limit[a] = gAxisUnused[a] ? 0 : gAxisStrokeLimit[a];
        progress.setValue(a + 1);
    }

    GridStateOff();
    // The pulses the check has just refreshed, whatever unit the grid shows.
    const QList<int> over = positions::positionsOverLimit(gPosiNoFrom, gPosiNoTo, limit);
    GridCursorTop();
    GridStateOn();
    if (!over.isEmpty()) {
        platform::msgBox(LoadResText(379) + QStringLiteral("\r\n") + LoadResText(380) + QStringLiteral("\r\n")
                         + LoadResText(381) + positions::posiNumberList(over) + LoadResText(382));
        return fail();
    }
    return 0;
}

int WritePosidataToCt()
{
    const int from = gPosiNoFrom;
    const int to = gPosiNoTo;
    if (!validRange(from, to))
        return 1;

    // Every record is built and checked before the first is sent.
    QList<QPair<int, QString>> records;
    QList<int> bad;
    for (int n = from; n <= to; ++n) {
        if (gPosiLineFlag[n - 1])
            continue;
        const auto record = positions::posiRecordFromTable(n);
        const auto text = record ? positions::encodePosiRecord(n, *record) : std::nullopt;
        if (!text) {
            bad.append(n);
            continue;
        }
        gTusinStr[n - 1] = *text;
        records.append({n, *text});
    }
    if (!bad.isEmpty()) {
        platform::msgBox(LoadResText(385) + QStringLiteral("\r\n") + LoadResText(380) + QStringLiteral("\r\n")
                         + LoadResText(381) + positions::posiNumberList(bad) + LoadResText(382));
        link::transferProgress().close();
        CommPortClose();
        return 1;
    }

    link::TransferProgress &progress = link::transferProgress();
    gTranceCancel = false;
    gTranceCancelable = true;
    progress.open(383, to - from + 1);
    gTimeOutMs = 1000;
    int sent = 0;
    // The link's word on a cut write waits for what the cut leaves behind: one box.
    link::HeldTells held;
    for (const auto &[n, text] : records) {
        if (gTranceCancel) {
            gTranceCancel = false;
            progress.close();
            CommPortClose();
            return 2;
        }
        if (exchange(Via::Resend, QStringLiteral("0WP"), text, positions::kPosiWriteReplyLength, 1000) != 0) {
            CommPortClose();
            progress.close();
            link::mainWindowCommands().CMDBTN_Yuko();
            link::tellCutWrite(held.take(), 377);
            return 1;
        }
        if (!positions::posiWriteEchoIs(gRecvData, n)) {
            progress.close();
            link::refuseTransmit();
            link::tellCutWrite(held.take(), 377);
            return 1;
        }
        progress.setValue(++sent);
    }
    progress.close();
    CommPortClose();
    return 0;
}

int LoadPosidataToCt2()
{
    lockGrid(GridCursor::Kept);
    if (Check_flgdLineNo() == 1)
        return 1;
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
    if (ResMsgBox({375}, platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return 1;

    leaveOfflineForExchange();
    gTranceCancel = false;
    QCoreApplication::processEvents();

    if (!link::enterCtWriteMode())
        return 1;
    link::TransferModeGuard transferMode;
    transferMode.entered();

    const int axes = ReadAxisSetting();
    if (axes == -1)
        return 1;
    if (axes == 1) {
        ResMsgBox({357, 483});
        return 1;
    }
    const int devices = SetDeviceFromCt();
    if (devices == -1)
        return 1;
    if (devices == 1) {
        ResMsgBox({357, 483});
        return 1;
    }
    // One failure, one box: 377 only for a failure the link has not told.
    if (link::runStepOrTell(&ReadAxisUse, LoadResText(377)) != 0)
        return 1;
    if (PosiKakikomimaeParaCheck() != 0)
        return 1;
    if (WritePosidataToCt() != 0)
        return 1;

    // The plain mode again, with the link's repeats (they keep their own count: the senders
    // reset gRetryCount). The tries are silent: a mode left unconfirmed is told once, below,
    // not once per try.
    transferMode.left();
    const bool back = link::withLinkTries(&link::leaveTransferModeSilently);
    // Every position was accepted: a mode command that goes unanswered does not make it a
    // failed write, and the operator reads the outcome once.
    if (back)
        ResMsgBox({376});
    else
        ResMsgBox({3020, 3021});
    return back ? 0 : 1;
}

int LoadPosidataToCt()
{
    BusyGuard busy;
    AllCMD_Muko();
    const int result = LoadPosidataToCt2();
    CommPortClose();
    AllCMD_Yuko();
    GridCursorTop();
    unlockGrid();
    return result;
}

namespace positions {

void registerPosiTransferCommands()
{
    core::mainform::setCommand(QStringLiteral("GetPosidataFromCt"), &GetPosidataFromCt);
    core::mainform::setCommand(QStringLiteral("LoadPosidataToCt"), &LoadPosidataToCt);
}

} // namespace positions
