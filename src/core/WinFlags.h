#pragma once

// Requests and results passed between the core's windows.

extern bool gSplashEnd; // the splash window's time is up
extern bool gFileCmdNow; // a data window's file or print command is running

namespace core::winflags {
void resetWinFlags();
}
