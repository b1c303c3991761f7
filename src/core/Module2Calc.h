#pragma once

#include <QString>
#include <functional>
#include <optional>

// Conversions between pulses and millimetres. nullopt stands for a division by zero: a lead
// or a pulses-per-revolution of 0.

std::optional<double> PulseToMm(int lead, qint32 ppr, double pulses);
std::optional<double> MmToPulse(int lead, qint32 ppr, double mm);
// Millimetres snapped to a whole number of pulses; mode 1 rounds an exact half up, 0 down.
std::optional<double> MmRoundToPulse(int lead, int mode, qint32 ppr, double mm);

// Convert the working range of the position table; 0 when done, 1 when an axis in use has a
// lead or pulses per revolution of 0 (then nothing is converted).
int PulseToMm_Table();
int MmToPulse_Table();

// The stroke in millimetres of every axis in use, truncated to 0.001 mm; 0 or 1 as above.
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

// (a / b) * c to one decimal, raised to the next whole number unless its tenths digit is 0;
// -1 when b is 0 or the value is below 0.05.
int CulcRoundUpTenth(int a, int b, int c);

namespace calc {
double roundHalfEven(double x);
double roundHalfAway(double x, int decimals);
}
