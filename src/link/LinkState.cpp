#include "link/LinkState.h"

bool gOfflineMode = false;

namespace link {

void resetLinkState()
{
    gOfflineMode = false;
}

} // namespace link
