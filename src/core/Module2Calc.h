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

// The conversions of the actuators' axes are in tables/AxisScale.h, those of the position
// table in tables/PosiUnits.h.

// (a / b) * c to one decimal, raised to the next whole number unless its tenths digit is 0;
// -1 when b is 0 or the value is below 0.05.
int CulcRoundUpTenth(int a, int b, int c);

namespace core::calc {
// A quotient taken back to the nearest nine decimals, so that an exact half stays a half.
double clean(double x);
double roundHalfEven(double x);
double roundHalfAway(double x, int decimals);
}
