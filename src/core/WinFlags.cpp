#include "core/WinFlags.h"

bool gSplashEnd = false;
bool gFileCmdNow = false;

namespace core::winflags {

void resetWinFlags()
{
    gSplashEnd = false;
    gFileCmdNow = false;
}

} // namespace core::winflags
