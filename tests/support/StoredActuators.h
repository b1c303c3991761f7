#pragma once

// The actuator set-up a test of a window needs, without the start-up's windows: offline mode,
// the stored actuators, the catalogue, their factory parameters, the limits, the designations,
// the conversion panels and the axis columns. 0 when all were taken; 1 when the stored
// actuators are invalid or the catalogue or the factory parameters could not be read.
int useStoredActuatorsOffline();
