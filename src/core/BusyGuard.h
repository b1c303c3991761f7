#pragma once

// The process-wide busy guard. While an operation talks to the controller, reads or writes
// a file or prints, it holds a BusyGuard; meanwhile every command entry of every window is
// refused (commandRefused() is true) and so is closing the program. The guards nest: the
// system is busy until the last one ends. The switching of the main window's commands
// stays as it is on top of this; the guard closes the gaps it leaves (keyboard shortcuts,
// modeless windows, the close box, events queued before a control was disabled).
//
// Exempt, and so not testing it: the progress window's Cancel, the test-move window's stop
// and pause, the release of a jog button (its stop) and the input/output monitor's stop.
class BusyGuard
{
public:
    BusyGuard();
    ~BusyGuard();
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

    static bool busy();
};

// A command entry asks this first and returns at once when it is true.
bool commandRefused();
