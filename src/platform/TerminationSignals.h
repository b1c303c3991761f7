#pragma once

#include <functional>

namespace platform {

// SIGTERM, SIGHUP and SIGINT reach the event loop instead of ending the program at once: the
// handler only writes the signal's number into a pipe, which a socket notifier reads, and
// `onSignal` runs there with that number. A later call replaces the callback.
void watchTerminationSignals(std::function<void(int)> onSignal);

// Ends the program as `signal` would have without a handler of ours.
[[noreturn]] void endBySignal(int signal);

} // namespace platform
