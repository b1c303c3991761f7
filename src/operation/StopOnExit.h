#pragma once

namespace operation {

// A jog feed that may run when the program is ended (SIGTERM, SIGHUP, SIGINT, the end of the
// desktop session, the application quitting) gets its stop before the program goes; then the
// program ends as it would have. Called once by the start-up, once the application object
// exists (and by test drivers).
void installStopOnExit();

} // namespace operation
