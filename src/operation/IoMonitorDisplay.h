#pragma once

// What the input/output monitor's cycle shows on its window.
class IoMonitorDisplay
{
public:
    virtual ~IoMonitorDisplay() = default;
    // Every lamp from gInputBit and gOutputBit.
    virtual void IoStateHyoji() = 0;
    // Every lamp dark.
    virtual void AllLED_Off() = 0;
    // "Stop Monitor"; the close button and chkIgnore unavailable.
    virtual void IoMonitorStartDisp() = 0;
    // "Start Monitor"; the close button and chkIgnore available.
    virtual void IoMonitorStopDisp() = 0;
    // chkIgnore: the controller is to ignore its external inputs while monitored.
    virtual bool ignoreExternalInput() const = 0;
};
