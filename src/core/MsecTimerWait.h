#pragma once

// Waits the given milliseconds while every window stays live. Each wait has its own timer
// and loop, so a wait begun inside another (from a handler run meanwhile) ends on its own.
void MsecTimerWait(int ms);
