#pragma once

// Requests and results passed between the core's windows.

extern bool gSplashEnd; // the splash window's time is up

namespace winflags {
void resetWinFlags();
}
