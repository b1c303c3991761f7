#include "operation/IoMonitor.h"
#include "link/OnlineMode.h"

#include "core/BusyGuard.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "tables/IoBits.h"
#include "operation/IoMonitorDisplay.h"

#include <QDebug>
#include <QList>
#include <cstring>

namespace {
// Every monitor alive, for the end of the program.
QList<IoMonitor *> g_monitors;
// The end's one try: quick, the program is going.
constexpr int kExitTimeoutMs = 300;
} // namespace

IoMonitor::IoMonitor(IoMonitorDisplay &display)
    : m_display(display)
{
    link::setIoMonitorHooks(this);
    g_monitors.append(this);
}

IoMonitor::~IoMonitor()
{
    g_monitors.removeOne(this);
    if (&link::ioMonitorHooks() == this)
        link::setIoMonitorHooks(nullptr);
}

void IoMonitor::requestStartStop()
{
    if (m_ioCheckTyu)
        m_gonnaStop = true;
    else
        m_gonnaStart = true;
}

int IoMonitor::readAndShow()
{
    leaveOfflineForExchange();
    m_readUnderWay = true;
    if (ReadIOFromCt() != 0)
        return 1;
    m_display.IoStateHyoji();
    return 0;
}

void IoMonitor::timerInputOutput1_Timer()
{
    if (m_inCycle)
        return;
    if (!m_ioCheckTyu && !m_gonnaStart)
        return;
    // A start request waits for a free link: taken while another exchange runs, it would
    // show "Stop Monitor" with nothing monitored.
    if (gTusinNow)
        return;
    // A port lost since the start ends the monitoring, though it came back: no output toggle
    // clicked before goes out, and the operator starts it again.
    if (m_ioCheckTyu && m_loss.lost()) {
        BusyGuard busy;
        endMonitoring();
        return;
    }
    if (!m_ioCheckTyu) {
        m_gonnaStart = false;
        m_loss = link::LossWatch();
        m_display.IoMonitorStartDisp();
    }

    BusyGuard busy;
    m_inCycle = true;
    gTusinNow = true;
    struct CycleEnd
    {
        bool &flag;
        ~CycleEnd() { flag = false; }
    } cycleEnd{m_inCycle};

    if (!m_ioCheckTyu) {
        int mode = m_display.ignoreExternalInput() ? 1 : 0;
        // Sent is enough: a controller that took "0CM01" and whose answer was lost ignores its
        // external inputs all the same.
        m_modeSent = mode == 1;
        if (SetCtCommMode(0, mode) != 0) {
            endMonitoring();
            return;
        }
        m_ioCheckTyu = true;
    }
    if (!m_outputHenkoAri && readAndShow() != 0) {
        endMonitoring();
        return;
    }
    // Also the toggles clicked while the read above waited for its replies.
    if (m_outputHenkoAri) {
        if (WriteOutputToCt() != 0 || readAndShow() != 0) {
            endMonitoring();
            return;
        }
    }
    if (m_gonnaStop) {
        m_gonnaStop = false;
        m_ioCheckTyu = false;
        leaveMonitorMode();
        m_display.AllLED_Off();
        m_display.IoMonitorStopDisp();
        gTusinNow = false;
        return;
    }
    gTusinNow = false;
}

void IoMonitor::leaveMonitorMode()
{
    // Tried once, its result not looked at: the controller takes its external inputs again.
    int mode = 0;
    SetCtCommMode(0, mode);
    m_modeSent = false;
    CommPortClose();
}

void IoMonitor::endMonitoring()
{
    // A controller told to ignore its external inputs must not keep doing so after a failure.
    // The failure has been told: this attempt adds no box of its own.
    if (m_ioCheckTyu || m_modeSent) {
        link::leaveTransferModeSilently();
        CommPortClose();
    }
    m_modeSent = false;
    m_ioCheckTyu = false;
    m_gonnaStart = false;
    m_gonnaStop = false;
    m_readUnderWay = false;
    // A toggle that was never written must not fire at some later start.
    m_outputHenkoAri = false;
    std::memset(gOutputReq, 0, sizeof gOutputReq);
    m_display.AllLED_Off();
    m_display.IoMonitorStopDisp();
    gTusinNow = false;
}

bool IoMonitor::requestToggle(int digit, int bit, bool onWhiteIcon)
{
    if (m_gonnaStop)
        return false;
    if (onWhiteIcon && !m_ioCheckTyu)
        return false;
    if (digit < 0 || digit >= kIoDigitsUsed || bit < 0 || bit >= kIoBitsPerDigit)
        return false;
    gOutputReq[digit][bit] = true;
    m_outputHenkoAri = true;
    return true;
}

bool IoMonitor::mayClose() const
{
    return !m_ioCheckTyu && !m_inCycle && !commandRefused();
}

void IoMonitor::leaveEveryMonitorBeforeExit()
{
    for (IoMonitor *monitor : std::as_const(g_monitors)) {
        const bool ran = monitor->m_ioCheckTyu || monitor->m_modeSent;
        monitor->m_ioCheckTyu = false;
        monitor->m_gonnaStart = false;
        monitor->m_gonnaStop = false;
        monitor->m_readUnderWay = false;
        monitor->m_outputHenkoAri = false;
        std::memset(gOutputReq, 0, sizeof gOutputReq);
        // The session's end may yet be cancelled: the window then shows what the controller
        // is in, monitoring stopped, and its button starts it again.
        monitor->m_display.AllLED_Off();
        monitor->m_display.IoMonitorStopDisp();
        if (monitor->m_modeSent) {
            monitor->m_modeSent = false;
            const bool left = link::exchange(link::Via::Silent, QStringLiteral("0CM"),
                                             link::cmd::commModeArgument(0, 0), 7, kExitTimeoutMs) == 0;
            gTusinNow = false;
            qInfo().noquote() << "program ending:" << (left ? "monitor mode left" : "monitor mode exit not answered");
        }
        // As every stop of the monitoring leaves it.
        if (ran)
            CommPortClose();
    }
}
