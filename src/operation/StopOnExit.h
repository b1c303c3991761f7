#pragma once

namespace operation {

// What the program owes the controller when it ends (SIGTERM, SIGHUP, SIGINT, the end of the
// desktop session, the application quitting, File, Exit): a stop for a jog feed or inching
// move that may run and for any stop the link still owes, and "0CM00" for a live
// input/output monitor that sent "0CM01". Each goes once, quickly and silently; then the
// program ends as it would have. Called once by the start-up, once the application object
// exists (and by test drivers).
void installStopOnExit();

// The stop and the monitor's mode exit, once each, quick and silent. False while an exchange
// waits for its reply (nothing sent then): ask again once it has returned.
bool settleControllerBeforeExit();

// A normal exit (the main window closes): the same, and when the stop is still owed after that
// try, the operator is told that an axis may still move (2901) before the program goes.
void settleControllerAtNormalExit();

} // namespace operation
