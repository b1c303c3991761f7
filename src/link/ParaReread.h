#pragma once

#include <functional>

// The short re-read of the controller's parameters into the system after an actuator change:
// the axis use, then every parameter block, unpacked into the parameter set. Nothing is
// displayed; the callers display and recompute the limits. 0 read and unpacked, 1 failed.
int GetParametaValue2();

// The controller's axis use read into the system; false after the failure was told once (the
// link's box, or 359 when the link told nothing).
bool readAxisUseReported();

// The parameter window, when open, lets its fields follow the axis use as soon as it is read.
void setParaAxisUseHook(std::function<void()> hook);
