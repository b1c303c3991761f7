#include "core/BusyGuard.h"

namespace {
int g_depth = 0;
}

BusyGuard::BusyGuard()
{
    ++g_depth;
}

BusyGuard::~BusyGuard()
{
    --g_depth;
}

bool BusyGuard::busy()
{
    return g_depth > 0;
}

bool commandRefused()
{
    return BusyGuard::busy();
}
