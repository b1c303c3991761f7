#include "link/LinkState.h"

#include "link/CommandSet.h"
#include "link/ErrorList.h"
#include "link/SerialLink.h"

bool gOfflineMode = false;
bool gTusinNow = false;
bool gTusinErr = false;
bool gTimeOut = false;
int gTimeOutMs = 1000;
QString gRecvBuf;
QString gRecvData;
bool gRecvEnd = false;
bool gEventMsgFlag = false;
QString gEventMsg;
bool gAlarmNow = false;
bool gAlarmKnown = false;
QString gAlarmCode;
QString gAlarmText;
int gRetryCount = 0;
bool gGrpMoveStop = false;
bool gTranceCancel = false;
bool gTranceCancelable = false;
int gCtVersion = 0;
QString gCtVersionStr;
QString gAxisVersionStr[4];
bool gHomeDone = false;
bool gCmdNow = false;
QVariant gTusinStr[kTusinStrSize];
bool gProcessingShown = false;

namespace link {

void resetLinkState()
{
    SerialLink::resetInstance();
    gOfflineMode = false;
    gTusinNow = false;
    gTusinErr = false;
    gTimeOut = false;
    gTimeOutMs = 1000;
    gRecvBuf.clear();
    gRecvData.clear();
    gRecvEnd = false;
    gEventMsgFlag = false;
    gEventMsg.clear();
    gAlarmNow = false;
    gAlarmKnown = false;
    gAlarmCode.clear();
    gAlarmText.clear();
    gRetryCount = 0;
    gGrpMoveStop = false;
    gTranceCancel = false;
    gTranceCancelable = false;
    gCtVersion = 0;
    gCtVersionStr.clear();
    for (QString &s : gAxisVersionStr)
        s.clear();
    gHomeDone = false;
    gCmdNow = false;
    for (QVariant &v : gTusinStr)
        v = QVariant();
    resetErrorList();
    resetCommandSet();
}

} // namespace link
