#pragma once

#include <QString>
#include <QVariant>

// The state of the link to the controller, shared by the port, the senders, the command
// builders, the alarm display and the main window's status poll.

extern bool gOfflineMode;    // true: files only; the system counts as online until start-up decides
extern bool gTusinNow;       // a command exchange is in progress (set and cleared by the builders)
extern bool gTusinErr;       // the current exchange failed for good
extern bool gTimeOut;        // the reply time-out has expired
extern int gTimeOutMs;       // reply time-out of the next exchange; 0 arms none
extern QString gRecvBuf;     // characters received since the last complete line
extern QString gRecvData;    // the last complete line, CR LF included
extern bool gRecvEnd;        // a complete line arrived since the last send
extern bool gEventMsgFlag;   // an unsolicited controller message is pending
extern QString gEventMsg;    // the last unsolicited line
extern bool gAlarmNow;       // the last unsolicited line reported an alarm
extern bool gAlarmKnown;     // its code was found in the error list
extern QString gAlarmCode;   // the alarm code character
extern QString gAlarmText;   // the text shown for it
extern int gRetryCount;      // scratch attempt counter of the port-open and resend loops
extern bool gGrpMoveStop;    // stop request of a running test move; ends a recovery wait
extern bool gTranceCancel;   // the progress window's Cancel was pressed
extern bool gTranceCancelable; // the progress window offers Cancel
extern int gCtVersion;       // the controller's model digit
extern QString gCtVersionStr;
extern QString gAxisVersionStr[4];
extern bool gHomeDone;
extern bool gCmdNow;         // a window's controller command is running; its window stays open

// One record per block, group, macro, position or input/output line of a transfer.
constexpr int kTusinStrSize = 1000;
extern QVariant gTusinStr[kTusinStrSize];

// The busy window is loaded (set and cleared by the window itself).
extern bool gProcessingShown;

namespace link {
// Back to the state of a fresh process: port closed, every field cleared.
void resetLinkState();
}
