#pragma once

#include "tables/FileRetry.h"
#include "platform/Dialogs.h"

#include <QString>

// The parameter file (".pmt"): the whole parameter set as sections of comma-separated rows.

extern QString gParaFileName; // name (without folder) of the last parameter file saved

// Writes the parameter set (not the exchange table); 0 written, 1 failed. The actuator codes
// are rebuilt from their parts first.
int WriteParaFile(const QString &path);

// The open dialog, the read (retried on input/output failures) and the unpacking into the
// parameter set: 0 loaded, 1 not loaded (the operator has been told), -1 dialog cancelled.
int LoadParaFile();

namespace tables {

// Reads a file into the exchange table only. A wrong header has been told to the operator; any
// other failure leaves the exchange table as it was, without a message, and notes the damaged
// line for readFailureText.
FileRead readParaFile(const QString &path);

platform::FileDialogRequest paraOpenRequest();
platform::FileDialogRequest paraSaveRequest();

// The file part of the parameter window's open command: read with retries, unpack, and tell
// the operator about a failure (681). 0 loaded, 1 not.
int openParaFileFrom(const QString &path);
// The file part of its save command: write with retries, then message 14 or 13. 0 written.
int saveParaFileTo(const QString &path);

} // namespace tables
