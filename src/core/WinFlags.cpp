#include "core/WinFlags.h"

bool gSplashEnd = false;
bool gFileCmdNow = false;

namespace winflags {

void resetWinFlags()
{
    gSplashEnd = false;
    gFileCmdNow = false;
}

} // namespace winflags
