#include "editors/FileRetry.h"

#include "core/BusyGuard.h"
#include "core/OnlineMode.h"

namespace editors {

// Both hold the busy guard: their pauses between tries let events in.
FileRead readWithRetry(const std::function<FileRead()> &read)
{
    BusyGuard busy;
    FileRead result = FileRead::IoFailed;
    for (int attempt = 1; attempt <= kFileTries; ++attempt) {
        if (attempt > 1)
            MsecTimerWait(kFileRetryMs);
        result = read();
        if (result != FileRead::IoFailed)
            break;
    }
    return result;
}

bool writeWithRetry(const std::function<bool()> &write)
{
    BusyGuard busy;
    for (int attempt = 1; attempt <= kFileTries; ++attempt) {
        if (attempt > 1)
            MsecTimerWait(kFileRetryMs);
        if (write())
            return true;
    }
    return false;
}

} // namespace editors
