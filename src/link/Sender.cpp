#include "link/Sender.h"

#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"

#include <QDebug>
#include <QElapsedTimer>

using link::SerialLink;

namespace {

enum class Policy { Resend, Once, Silent };

const QString kCrLf = QStringLiteral("\r\n");

struct ExchangeGuard
{
    explicit ExchangeGuard(SerialLink &link) : m_link(link) { m_link.setInExchange(true); }
    ~ExchangeGuard() { m_link.setInExchange(false); }
    SerialLink &m_link;
};

void tell(Policy policy, const QString &text)
{
    if (policy != Policy::Silent)
        link::tellFailure(text);
}

void decodeUnsolicitedAnswer()
{
    gEventMsgFlag = true;
    gEventMsg = gRecvData;
    AlarmHyoji();
}

// The port failed under the sender: closed, offline, told once.
int runTimeError(Policy policy, SerialLink &link)
{
    QString text = LoadResText(108);
    if (link.linkLost())
        text += kCrLf + link.lostReason();
    else
        link.countLoss();
    gTusinErr = true;
    CommPortCloseForce();
    SetOfflineMode();
    tell(policy, text);
    return 1;
}

const QString kStop = QStringLiteral("0SP");

// The answer to a stop may come behind a late reply to an earlier command (its time-out had
// passed): that line answers no stop, and the controller has still to answer this one. Such
// lines are skipped within the stop's time-out, so that a stop the controller took is not
// told as failed.
void waitForStopAnswer(SerialLink &link, int timeoutMs)
{
    QElapsedTimer since;
    since.start();
    link.waitForAnswer(timeoutMs, false);
    while (gRecvEnd && !link.linkLost() && !gRecvData.startsWith(kStop)
           && !gRecvData.startsWith(QLatin1String("0%%"))) {
        const qint64 left = timeoutMs - since.elapsed();
        if (left <= 0)
            break;
        qInfo().noquote() << "late reply to an earlier command skipped before the stop's:"
                          << gRecvData.trimmed();
        gRecvEnd = false;
        gTimeOut = false;
        link.waitForAnswer(int(left), false);
    }
}

// A stop that did not reach the controller while an axis may have been moving goes before
// any other line, once per exchange; it is forgotten only when the controller answers it.
// False when the port failed under it.
bool sendOwedStop(SerialLink &link)
{
    gTimeOut = false;
    if (!link.send(kStop.toLatin1()))
        return false;
    waitForStopAnswer(link, gTimeOutMs > 0 ? gTimeOutMs : 1000);
    if (link.linkLost())
        return false;
    if (gRecvEnd && gRecvData == kStop + kCrLf) {
        link.setStopOwed(false);
        qInfo().noquote() << "owed stop taken by the controller";
    } else {
        if (gRecvEnd && gRecvData.startsWith(QLatin1String("0%%")))
            decodeUnsolicitedAnswer();
        qWarning().noquote() << "owed stop not answered; it goes again before the next exchange";
    }
    gTimeOut = false;
    return true;
}

enum class Recovery { Stopped, Unsolicited, Plain, Lost };

// Puts the controller back into plain communication mode; its answer only tells whether an
// alarm is pending.
Recovery recover(SerialLink &link)
{
    gTimeOut = false;
    if (!link.send(QByteArrayLiteral("0CM0")))
        return Recovery::Lost;
    link.waitForAnswer(gTimeOutMs, true);
    if (link.linkLost())
        return Recovery::Lost;
    if (gGrpMoveStop)
        return Recovery::Stopped;
    if (gRecvEnd && gRecvData.startsWith(QLatin1String("0%%")))
        return Recovery::Unsolicited;
    return Recovery::Plain;
}

int sendCommand(Policy policy, const QString &command, int replyLength, const QString &argument)
{
    SerialLink &link = SerialLink::instance();
    if (link.inExchange()) {
        qWarning().noquote() << "send of" << command + argument
                             << "refused: another exchange is waiting for its reply";
        return 1;
    }
    ExchangeGuard guard(link);

    // 1. Port.
    if (!link::openPortWithTries()) {
        if (policy == Policy::Silent) {
            CommPortCloseForce();
            SetOfflineMode();
            return 1;
        }
        link::tellFailure(link::portOpenFailureText());
        SetOfflineMode();
        return 1;
    }

    // 2.-5. Send and wait; after a time-out the same line goes again. Without a time-out of
    // its own ("0MG") the wait ends by its bound or a stop request: one send only.
    gRetryCount = 0;
    const int sends = policy == Policy::Resend && gTimeOutMs > 0 ? 6 : 1;
    const QString line = command + argument;
    const QString echo = line.left(3);
    if (link.stopOwed() && line != kStop && !sendOwedStop(link))
        return runTimeError(policy, link);
    for (;;) {
        gTusinErr = false;
        gTimeOut = false;
        if (!link.send(line.toLatin1(), replyLength))
            return runTimeError(policy, link);
        if (line == kStop && gTimeOutMs > 0)
            waitForStopAnswer(link, gTimeOutMs);
        else
            link.waitForAnswer(gTimeOutMs, gTimeOutMs <= 0);
        if (link.linkLost())
            return runTimeError(policy, link);
        if (!gRecvEnd && gTimeOutMs <= 0 && gGrpMoveStop) {
            // The operator stopped the wait for the end of a group move: nothing to report.
            SetOfflineMode();
            return 1;
        }
        if (!gRecvEnd && gTimeOutMs <= 0)
            gTimeOut = true; // out of bounds: the outcome of a time-out
        if (!gTimeOut)
            break;
        ++gRetryCount;
        if (gRetryCount >= sends) {
            gTusinErr = true;
            CommPortCloseForce();
            SetOfflineMode();
            tell(policy, ResLines({100, 101, 102, 103}, kCrLf + kCrLf));
            return 1;
        }
    }

    // 6. An unsolicited line in place of the reply.
    if (gRecvData.startsWith(QLatin1String("0%%"))) {
        decodeUnsolicitedAnswer();
        if (policy == Policy::Silent) {
            CommPortClose();
            return 1;
        }
        link::tellFailure(link::alarmMessage());
        if (gAlarmNow) {
            CommPortCloseForce();
            SetOfflineMode();
        }
        return 1;
    }

    // 7., 8. Wrong echo, then wrong length: the recovery decides what is reported.
    const bool wrongEcho = gRecvData.left(3) != echo;
    if (wrongEcho || gRecvData.size() != replyLength) {
        switch (recover(link)) {
        case Recovery::Lost:
            return runTimeError(policy, link);
        case Recovery::Stopped:
            SetOfflineMode();
            return 1;
        case Recovery::Unsolicited:
            decodeUnsolicitedAnswer();
            if (policy == Policy::Silent) {
                if (wrongEcho)
                    return 1;
                break; // a wrong length ends as a plain answer would
            }
            if (gAlarmNow) {
                CommPortCloseForce();
                SetOfflineMode();
            }
            link::tellFailure(link::alarmMessage());
            return 1;
        case Recovery::Plain:
            break;
        }
        CommPortClose();
        gTusinErr = true;
        SetOfflineMode();
        if (wrongEcho)
            tell(policy, LoadResText(104));
        else
            tell(policy, ResLines({105, 106}));
        return 1;
    }

    // 9. A good reply.
    if (line == kStop)
        link.setStopOwed(false);
    gEventMsgFlag = false;
    link::clearAlarmPanel();
    SetOnlineMode();
    return 0;
}

} // namespace

int SendCmdToCt(const QString &command, int replyLength, const QString &argument)
{
    return sendCommand(Policy::Resend, command, replyLength, argument);
}

int SendCmdToCt2(const QString &command, int replyLength, const QString &argument)
{
    return sendCommand(Policy::Once, command, replyLength, argument);
}

int SendCmdToCt3(const QString &command, int replyLength, const QString &argument)
{
    return sendCommand(Policy::Silent, command, replyLength, argument);
}
