#include "actuators/DevWinFlags.h"

bool gDevSelectLock = false;
bool gDevOptEdit = true;
bool gDevSyosaiReq = false;

namespace actuators {

void resetDevWinFlags()
{
    gDevSelectLock = false;
    gDevOptEdit = true;
    gDevSyosaiReq = false;
}

} // namespace actuators
