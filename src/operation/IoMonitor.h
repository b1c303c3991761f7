#pragma once

#include "link/Exchange.h"
#include "link/WindowHooks.h"

class IoMonitorDisplay;

// The input/output monitor's cycle: the start and stop requests, the 300 ms read of the
// inputs and outputs, and the output toggles the operator asks for. It is the link's
// IoMonitorHooks while it exists.
class IoMonitor : public link::IoMonitorHooks
{
public:
    explicit IoMonitor(IoMonitorDisplay &display);
    ~IoMonitor() override;
    IoMonitor(const IoMonitor &) = delete;
    IoMonitor &operator=(const IoMonitor &) = delete;

    bool IoCheckTyu() const { return m_ioCheckTyu; }
    bool OutputHenkoAri() const { return m_outputHenkoAri; }
    bool gonnaStartFLG() const { return m_gonnaStart; }
    bool gonnaStopFLG() const { return m_gonnaStop; }
    bool readUnderWay() const { return m_readUnderWay; }

    // The start/stop button: a stop while monitoring runs, else a start, taken by the next tick.
    void requestStartStop();
    // One tick of timerInputOutput1.
    void timerInputOutput1_Timer();
    // A click on an output's lamp (lit) or on its white icon (dark). True when the toggle was
    // taken for the next write.
    bool requestToggle(int digit, int bit, bool onWhiteIcon);
    // The window may close: never while monitoring runs or a cycle is under way.
    bool mayClose() const;

    // The program is ending: every monitor whose "0CM01" was sent and not yet taken back sends
    // one quick, silent "0CM00", so that the controller takes its external inputs again once
    // the program has gone; nothing else goes any more. Asked when no exchange is under way.
    static void leaveEveryMonitorBeforeExit();

    void clearReadFlag() override { m_readUnderWay = false; }
    void clearOutputPending() override { m_outputHenkoAri = false; }

private:
    int readAndShow();
    void endMonitoring();
    // "0CM00" and the port closed: the end of every monitoring that ran.
    void leaveMonitorMode();

    IoMonitorDisplay &m_display;
    bool m_ioCheckTyu = false;
    bool m_outputHenkoAri = false;
    bool m_gonnaStart = false;
    bool m_gonnaStop = false;
    bool m_readUnderWay = false;
    bool m_inCycle = false;
    bool m_modeSent = false; // "0CM01" sent, no "0CM00" since
    link::LossWatch m_loss;  // since the monitoring started

};
