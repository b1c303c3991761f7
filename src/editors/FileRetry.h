#pragma once

#include <functional>

namespace editors {

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

} // namespace editors
