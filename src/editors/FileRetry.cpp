#include "editors/FileRetry.h"

#include "core/OnlineMode.h"

namespace editors {

FileRead readWithRetry(const std::function<FileRead()> &read)
{
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
    for (int attempt = 1; attempt <= kFileTries; ++attempt) {
        if (attempt > 1)
            MsecTimerWait(kFileRetryMs);
        if (write())
            return true;
    }
    return false;
}

} // namespace editors
