#pragma once

#include <QtGlobal>

// The actuator of each axis (index 0 to 3 for axes 1 to 4), as far as the conversions need it.
constexpr int kAxisCount = 4;

extern bool gAxisUnused[kAxisCount];   // the axis has no actuator
extern int gDevLead[kAxisCount];       // millimetres per motor revolution
extern qint32 gDevPPR[kAxisCount];     // pulses per revolution
extern qint32 gDevMaxPulse[kAxisCount];// largest position in pulses
extern double gStrokeMm[kAxisCount];   // stroke in millimetres, whole thousandths

namespace actuators {
void resetDevSetting();
}
