#pragma once

#include <QtGlobal>

// The signals that end a program, sent to another process. (Kept out of the tests' own files:
// the system's signal header brings a function named like the link's namespace.)
enum class EndSignal { Terminate, HangUp, Interrupt };

// False when the signal could not be sent.
bool sendEndSignal(qint64 pid, EndSignal signal);
