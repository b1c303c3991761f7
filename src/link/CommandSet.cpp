#include "link/CommandSet.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/MsecTimerWait.h"
#include "link/OnlineMode.h"
#include "core/Padding.h"
#include "tables/ParaSet.h"
#include "link/DeviceIo.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ParaTransfer.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"

using link::exchange;
using link::replyHex;
using link::Via;

bool gCtAxisUnused[4] = {};

namespace link {

void resetCommandSet()
{
    for (bool &unused : gCtAxisUnused)
        unused = false;
    resetParaTransfer();
    resetWindowHooks();
}

} // namespace link

namespace link::cmd {

QString commModeArgument(int mask, int mode)
{
    return (QString::number(mask) + QString::number(mode)).trimmed();
}

std::optional<QString> moveArgument(int position, int mask)
{
    if (position < 0 || position > 999 || mask < 0 || mask > 15)
        return std::nullopt;
    return HexZeroPad(position, 3) + HexZeroPad(mask, 1);
}

std::optional<QString> grpMoveArgument(int group)
{
    if (group < 0 || group > 99)
        return std::nullopt;
    return HexZeroPad(group, 2);
}

} // namespace link::cmd

namespace {

// The axis mask of block 0 (reply characters 17 and 18), with the block digit checked.
std::optional<int> blockZeroMask()
{
    if (!link::replyRecordIs(4, QStringLiteral("0")))
        return std::nullopt;
    const auto mask = replyHex(17, 2);
    if (!mask)
        return std::nullopt;
    return int(*mask);
}

// Lets the link's other users finish before the next poll.
bool waitLinkIdle()
{
    while (gTusinNow && !gTusinErr)
        MsecTimerWait(10);
    return !gTusinErr;
}

} // namespace

int CtCommModeOn()
{
    const int result = exchange(Via::Once, QStringLiteral("0CM"), QStringLiteral("1"), 6);
    if (result == 0)
        SetOnlineMode();
    else
        SetOfflineMode();
    return result;
}

int CtCommModeOn2()
{
    const int result = exchange(Via::Silent, QStringLiteral("0CM"), QStringLiteral("1"), 6);
    if (result == 0)
        SetOnlineMode();
    else if (!gEventMsgFlag)
        SetOfflineMode();
    return result;
}

int SetCtCommMode(int flag, int &mode)
{
    const int mask = flag == 1 ? link::usedAxisMask() : 0;
    if (mode < 0 || mode > 2)
        mode = 0;
    // Silently: the online lamp follows the reply.
    leaveOfflineForExchange();
    return exchange(Via::Once, QStringLiteral("0CM"), link::cmd::commModeArgument(mask, mode), 7,
                    1000, true) == 0 ? 0 : 1;
}

int ReadCtRAStatus()
{
    if (exchange(Via::Resend, QStringLiteral("0RA"), QString(), 6) != 0)
        return -1;
    return gRecvData.mid(3, 1) == QLatin1String("1") ? 1 : 0;
}

int ReadHomeStatus()
{
    gHomeDone = false;
    if (exchange(Via::Resend, QStringLiteral("0RH"), QString(), 6) != 0) {
        CommPortClose();
        return 1;
    }
    const QString state = gRecvData.mid(3, 1);
    if (state == QLatin1String("1")) {
        gHomeDone = true;
        link::showHomeLamp(true);
    } else if (state == QLatin1String("0")) {
        link::showHomeLamp(false);
    }
    return 0;
}

int ReadCtVersion()
{
    if (link::preparePort() != 0)
        return 1;
    if (exchange(Via::Resend, QStringLiteral("0RV"), QString(), 11) != 0)
        return 1;
    const QChar model = gRecvData.at(7);
    if (!model.isDigit())
        return link::refuseReply();
    gCtVersion = model.digitValue();
    gCtVersionStr = gRecvData.mid(3, 3);
    return 0;
}

int CheckCtModel()
{
    for (int axis = 0; axis < kAxisCount; ++axis) {
        if (gAxisUnused[axis])
            continue;
        const QString axisDigit = QString::number(axis + 1);
        // The link has told why: the other axes would only tell it again.
        if (exchange(Via::Resend, QStringLiteral("0RV"), axisDigit, 12) != 0)
            return 1;
        // The reply names its axis: another axis' version is never taken for this one.
        if (!link::replyRecordIs(4, axisDigit))
            return link::refuseReply();
        if (gRecvData.mid(7, 3) != QLatin1String("K4R"))
            return 1;
        gAxisVersionStr[axis] = gRecvData.mid(4, 3);
    }
    return 0;
}

int ReadAxisUse()
{
    if (link::preparePort() != 0)
        return 1;
    if (exchange(Via::Resend, QStringLiteral("0RD"), QStringLiteral("0"), 38) != 0)
        return 1;
    const auto mask = blockZeroMask();
    if (!mask)
        return link::refuseReply();
    gAxisMask = *mask;
    for (int i = 0; i < kAxisCount; ++i)
        gAxisUnused[i] = (*mask & (1 << i)) == 0;
    return 0;
}

int ReadAxisUseWithProgress()
{
    link::TransferProgress &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(368, 3);
    if (!link::openPortWithTries(false, [&progress] { progress.setValue(1); })) {
        progress.close();
        return 1;
    }
    const int mode = CtCommModeOn();
    progress.setValue(2);
    if (mode != 0) {
        progress.close();
        CommPortClose();
        return 1;
    }
    const int read = exchange(Via::Resend, QStringLiteral("0RD"), QStringLiteral("0"), 38);
    progress.setValue(3);
    progress.close();
    if (read != 0)
        return 1;
    const auto mask = blockZeroMask();
    if (!mask)
        return link::refuseReply();
    for (int i = 0; i < kAxisCount; ++i)
        gAxisUnused[i] = (*mask & (1 << i)) == 0;
    CommPortClose();
    return 0;
}

int ReadAxisUse2()
{
    if (!link::openPortWithTries(true))
        return 1;
    if (CtCommModeOn() != 0)
        return 1;
    // The link's repeats keep their own count: each send resets gRetryCount.
    const bool read = link::withLinkTries([] {
        if (exchange(Via::Silent, QStringLiteral("0RD"), QStringLiteral("0"), 38) != 0)
            return false;
        const auto mask = blockZeroMask();
        if (!mask)
            return false;
        for (int i = 0; i < kAxisCount; ++i)
            gCtAxisUnused[i] = (*mask & (1 << i)) == 0;
        CommPortClose();
        return true;
    });
    return read ? 0 : 1;
}

int ReadAxisBlock()
{
    if (link::preparePort() != 0)
        return 1;
    for (int axis = 0; axis < kAxisCount; ++axis) {
        if (gAxisUnused[axis]) {
            gAxisStrokeLimit[axis] = 0;
            continue;
        }
        const QString block = HexZeroPad(6 + 2 * axis, 1);
        if (exchange(Via::Resend, QStringLiteral("0RD"), block, 38) != 0)
            return 1;
        const auto limit = replyHex(15, 6);
        if (!link::replyRecordIs(4, block) || !limit)
            return link::refuseReply();
        gAxisStrokeLimit[axis] = qint32(*limit);
    }
    return 0;
}

int ReadAxisSetting()
{
    if (ReadAxisUse2() != 0)
        return -1;
    for (int i = 0; i < kAxisCount; ++i)
        if (gAxisUnused[i] != gCtAxisUnused[i])
            return 1;
    return 0;
}

int ReadCtSetting()
{
    const int axes = ReadAxisSetting();
    if (axes != 0)
        return axes;
    return SetDeviceFromCt();
}

int SendMoveCmd(int position, int mode)
{
    const auto argument = link::cmd::moveArgument(position, link::usedAxisMask());
    if (!argument)
        return 1;
    const QString command = mode == 1 ? QStringLiteral("0MM") : QStringLiteral("0MP");
    return exchange(Via::Once, command, *argument, 9) == 0 ? 0 : 1;
}

int SendGrpMoveCmd(int group)
{
    const auto argument = link::cmd::grpMoveArgument(group);
    if (!argument)
        return 1;
    // No reply time-out: the controller answers when the group move is over.
    return exchange(Via::Once, QStringLiteral("0MG"), *argument, 7, 0) == 0 ? 0 : 1;
}

int ReadOutputStatus()
{
    if (exchange(Via::Once, QStringLiteral("0RO"), QString(), 11) != 0)
        return -1;
    const auto value = replyHex(9, 1);
    if (!value) {
        link::refuseReply();
        return -1;
    }
    return int(*value);
}

int CtMovePosi()
{
    if (SendMoveCmd(0, 1) != 0) {
        CommPortClose();
        return -1;
    }
    for (;;) {
        if (!waitLinkIdle())
            return -1;
        const int status = ReadCtRAStatus();
        if (status == 1)
            break;
        if (status == -1)
            return -1;
    }
    gHomeDone = true;
    link::showHomeLamp(true);

    if (!waitLinkIdle())
        return -1;
    const int outputs = ReadOutputStatus();
    if (outputs >= 0) {
        link::showHomeLamp(true);
        link::moveWindowHooks().MoveStateHyoji(outputs);
        link::moveWindowHooks().setReachedPosition(QStringLiteral("H0"));
        return 1;
    }
    link::MoveWindowHooks &move = link::moveWindowHooks();
    move.MoveCMDBTN_Yuko();
    move.enableDwellControls();
    link::mainWindowCommands().enableResetButton();
    link::mainWindowCommands().MenuFunction_Yuko();
    return -1;
}

int ShowCtVersion()
{
    if (ReadCtVersion() != 0) {
        link::showStatusPanel(1, LoadResText(415));
        return 1;
    }
    link::showStatusPanel(1, LoadResText(416) + gCtVersionStr);
    return 0;
}

int ShowCtVersion2()
{
    if (ShowCtVersion() != 0)
        return 1;
    return CheckCtModel() == 0 ? 0 : 1;
}
