#include "link/DeviceIo.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/Padding.h"
#include "tables/ParaSet.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/ParaBlockCodec.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "tables/IoBits.h"

#include <cstring>

using link::exchange;
using link::Via;

namespace {

struct ReadBack
{
    int kind = 0;
    int lead = 0;
    qint32 ppr = 0;
    int withPG = 0;
    qint32 strokeLimit = 0;
    QString size;
    QString speed;
    int stroke = 0;
};

ReadBack readBackFrom(const link::BlockBytes &b)
{
    ReadBack r;
    r.kind = b[0];
    r.lead = b[1];
    r.ppr = b[2] * 256 + b[3];
    r.withPG = b[4];
    r.strokeLimit = (b[5] << 16) + (b[6] << 8) + b[7];
    link::actCodeFromBytes(b[8], b[9], r.size, r.speed);
    r.stroke = b[10] * 256 + b[11];
    return r;
}

int failIo()
{
    CommPortClose();
    link::enableMainCommands();
    link::ioMonitorHooks().clearReadFlag();
    return 1;
}

} // namespace

int ReadDeviceFromCt()
{
    if (!link::openPortWithTries())
        return 1;
    if (CtCommModeOn() != 0)
        return 1;
    ReadBack read[kAxisCount];
    for (int axis = 0; axis < kAxisCount; ++axis) {
        if (gAxisUnused[axis])
            continue;
        const int block = 6 + 2 * axis;
        if (exchange(Via::Resend, QStringLiteral("0RD"), HexZeroPad(block, 1), 38) != 0)
            return 1;
        const auto bytes = link::paraBlockFromReply(block, gRecvData);
        if (!bytes)
            return link::refuseReply();
        read[axis] = readBackFrom(*bytes);
    }
    // Taken only when every axis was read, so a failure leaves the set as it was.
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const ReadBack &r = read[axis];
        gCtDevKind[axis] = r.kind;
        gCtDevLead[axis] = r.lead;
        gCtDevPPR[axis] = r.ppr;
        gCtDevWithPG[axis] = r.withPG;
        gAxisStrokeLimit[axis] = r.strokeLimit;
        gPrmActSize[axis] = r.size;
        gPrmActSpeed[axis] = r.speed;
        gPrmActStroke[axis] = r.stroke;
    }
    return 0;
}

int SetDeviceFromCt()
{
    if (ReadDeviceFromCt() != 0)
        return -1;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        const bool pgDiffers = gDevSetteiWithPG[a] ? gCtDevWithPG[a] == 0
                                                   : (gCtDevWithPG[a] == 1 || gCtDevWithPG[a] == 2);
        if (pgDiffers || gCtDevLead[a] != gDevLead[a] || gCtDevPPR[a] != gDevPPR[a]
            || gAxisStrokeLimit[a] != gDevMaxPulse[a] || gPrmActSize[a] != gDevSize[a]
            || gPrmActSpeed[a] != gDevSpeed[a] || gPrmActStroke[a] != gDevStroke[a])
            return 1;
    }
    return 0;
}

int ReadIOFromCt()
{
    gTusinStr[0] = QString();
    gTusinStr[1] = QString();
    const QString commands[2] = {QStringLiteral("0RI"), QStringLiteral("0RO")};
    bool inputs[kIoDigits][kIoBitsPerDigit];
    bool outputs[kIoDigits][kIoBitsPerDigit];
    for (int k = 0; k < 2; ++k) {
        if (exchange(Via::Once, commands[k], QString(), 11, 1000, true) != 0)
            return failIo();
        gTusinStr[k] = gRecvData;
        if (!tables::decodeIoWord(QStringView(gRecvData).mid(3, kIoDigitsUsed),
                                     k == 0 ? inputs : outputs)) {
            link::refuseReply();
            return failIo();
        }
    }
    std::memcpy(gInputBit, inputs, sizeof gInputBit);
    std::memcpy(gOutputBit, outputs, sizeof gOutputBit);
    link::ioMonitorHooks().clearReadFlag();
    return 0;
}

int WriteOutputToCt()
{
    tables::applyOutputRequests(gOutputBit, gOutputReq);
    const QString argument = tables::encodeIoWord(gOutputBit);
    gTusinStr[0] = argument;
    if (exchange(Via::Once, QStringLiteral("0WO"), argument, 11, 1000, true) != 0) {
        CommPortClose();
        return 1;
    }
    if (gRecvData.left(9) != QLatin1String("0WO") + argument)
        return link::refuseTransmit();
    link::ioMonitorHooks().clearOutputPending();
    CommPortClose();
    return 0;
}
