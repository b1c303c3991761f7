#pragma once

// The system beep that answers a refused key or value. Counted, so that a test can tell a
// refusal that sounded from one that passed without a sign.
namespace platform {

void beep();
// Beeps sounded in this process so far.
int beepCount();

} // namespace platform
