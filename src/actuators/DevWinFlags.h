#pragma once

// Requests and results passed between the actuator setup windows and their callers.

extern bool gDevSelectLock; // start-up: the offline setup window offers no way out but Set
extern bool gDevOptEdit;    // the setup windows may edit the PG and vertical options
extern bool gDevSyosaiReq;  // the parameter window is to open once the online window has gone

namespace actuators {
void resetDevWinFlags();
}
