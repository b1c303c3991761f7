#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

namespace tables {

// How a reader of the system's files ended. Only an input/output failure is worth another
// try; a rejected header has been told to the operator already, and a damaged file stays
// damaged.
enum class FileRead { Ok, IoFailed, Rejected, Damaged };

constexpr int kFileTries = 6;
constexpr int kFileRetryMs = 100;

// Runs the read, and again 100 ms later while it fails for input/output, at most six times.
FileRead readWithRetry(const std::function<FileRead()> &read);
// Runs the write (true when written) the same way; true when a try succeeded.
bool writeWithRetry(const std::function<bool()> &write);
// The operator's message of a failed write: the message's text, then the reason of the last
// try on a line of its own (platform::lastWriteFailure), when one is known.
QString writeFailureText(int messageId);
// The operator's message of a failed read: the message's text, then readFailureReason() on a
// line of its own when one is known.
QString readFailureText(int messageId);
// Why the last file read was refused: its size or kind, or the line its reader found damaged
// (3016) or ending without its line end (3050), with the file named; empty when none is known.
QString readFailureReason();
// The message of one of the program's own lists (the actuator catalogue, the factory lists, the
// alarm lists) that could not be used: `missingIds` only when there is no such file; a file that
// is there is told as damaged or unreadable, named with its line or the system's reason.
QString listFailureText(const QString &path, std::initializer_list<int> missingIds);

} // namespace tables
