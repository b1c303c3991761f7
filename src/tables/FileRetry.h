#pragma once

#include <QString>
#include <functional>

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
// The operator's message of a failed read: the message's text, then, when the file was refused
// for its size or kind, a line that says so, or when its reader found a line damaged, a line
// that names it.
QString readFailureText(int messageId);

} // namespace tables
