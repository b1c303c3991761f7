#pragma once

#include <QString>
#include <functional>
#include <optional>

// The scale of each actuator's axis: pulses and millimetres by its lead and pulses per
// revolution (the conversions themselves are core/Module2Calc.h).

// Every axis in use has a lead and pulses per revolution other than 0.
bool everyAxisInUseConvertible();

// The stroke in millimetres of every axis in use, truncated to 0.001 mm; 0 when done, 1 when
// an axis in use has a lead or pulses per revolution of 0 (then nothing is converted).
int CulcStrokeMm();

// The status-bar texts for one axis (0 to 3): "<k>1mm = 200Pulse" and "<k>1Pulse= 0.005mm".
struct PulsePerMmText
{
    QString panel2;
    QString panel3;
};
std::optional<PulsePerMmText> PulsePerMmFor(int axis);

// Write the status-bar panels 2 and 3 for the first axis in use, or for the given axis.
void DispPulsePerMm();
void DispPulsePerMm2(int axis);
void setPulsePerMmHook(std::function<void(const QString &panel2, const QString &panel3)> hook);
