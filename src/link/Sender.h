#pragma once

#include <QString>

// Every exchange with the controller: one command line sent, one reply line awaited and
// checked by its echo (the first three characters) and its length (CR LF included).
// Result 0: a good reply, left in gRecvData; 1: failure, already reported where the
// sender reports. The caller sets gTimeOutMs and gTusinNow first.
//
// SendCmdToCt sends up to six times after time-outs and reports failures; SendCmdToCt2
// sends once and reports; SendCmdToCt3 sends once and reports nothing.
//
// A sender called while another sender is inside its exchange (from a handler run during
// its wait) refuses: result 1, nothing sent.
int SendCmdToCt(const QString &command, int replyLength, const QString &argument);
int SendCmdToCt2(const QString &command, int replyLength, const QString &argument);
int SendCmdToCt3(const QString &command, int replyLength, const QString &argument);
