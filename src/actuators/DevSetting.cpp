#include "actuators/DevSetting.h"

bool gAxisUnused[kAxisCount] = {};
int gDevLead[kAxisCount] = {2, 2, 2, 2};
qint32 gDevPPR[kAxisCount] = {400, 400, 400, 400};
qint32 gDevMaxPulse[kAxisCount] = {};
double gStrokeMm[kAxisCount] = {};

namespace actuators {

void resetDevSetting()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = false;
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevMaxPulse[a] = 0;
        gStrokeMm[a] = 0;
    }
}

} // namespace actuators
