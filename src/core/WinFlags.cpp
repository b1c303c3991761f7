#include "core/WinFlags.h"

bool gSplashEnd = false;

namespace winflags {

void resetWinFlags()
{
    gSplashEnd = false;
}

} // namespace winflags
