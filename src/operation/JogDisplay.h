#pragma once

#include <QString>

// What the jog operation shows and switches on its window.
class JogDisplay
{
public:
    virtual ~JogDisplay() = default;
    // The present-position label of an axis (0 to 3).
    virtual void showPresentPosition(int axis, const QString &text) = 0;
    // The four present-position labels: white for a running used axis, grey otherwise.
    virtual void setPositionLabelsLit(const bool (&lit)[4]) = 0;
    virtual void enableStart(bool on) = 0;
    // The mode options, the jog buttons of the used axes, "Position Get" and "Complete".
    virtual void enableJogControls() = 0;
    // Everything but "Start" off, "Start" on.
    virtual void JogCMDBTN_Muko() = 0;
    virtual void setCommTimer(bool on) = 0;
    // TimerDelay: the press gate opens again 300 ms later.
    virtual void startPressGate() = 0;
    // The jog grid's redrawing back on.
    virtual void restoreGridState() = 0;
};
