#pragma once

// The state of the link to the controller.

extern bool gOfflineMode; // true: files only; the system counts as online until start-up decides

namespace link {
void resetLinkState();
}
