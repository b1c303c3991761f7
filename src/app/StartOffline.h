#pragma once

// The start-up's settings and its offline road as far as they need no window: what the
// program runs until the splash, the online/offline choice and the actuator setup window
// take their places in the start-up.
namespace startup {

// Parameters cleared, then each axis a used QZ axis of the new type; before the settings.
void resetAxesForStart();

// Offline mode, the stored actuators, the catalogue, their factory parameters, the limits,
// the designations, the conversion panels and the axis columns. 0 when all were taken; 1 when
// the stored actuators are invalid (messages 4 and 5) or the catalogue or the factory
// parameters could not be read (their readers have said so).
int startOfflineActuators();

} // namespace startup
