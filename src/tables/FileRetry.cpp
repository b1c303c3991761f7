#include "tables/FileRetry.h"

#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/MsecTimerWait.h"
#include "platform/ItemWriter.h"
#include "platform/TextCodec.h"

namespace tables {

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
    platform::clearWriteFailure();
    for (int attempt = 1; attempt <= kFileTries; ++attempt) {
        if (attempt > 1)
            MsecTimerWait(kFileRetryMs);
        if (write())
            return true;
        // Another attempt finds the same named pipe or device: refused at once.
        if (platform::lastWriteNotRegular())
            break;
    }
    return false;
}

QString writeFailureText(int messageId)
{
    QString text = LoadResText(messageId);
    const QString reason = platform::lastWriteFailure();
    if (platform::lastWriteNotRegular())
        text += QStringLiteral("\r\n") + LoadResText(3043);
    else if (!reason.isEmpty())
        text += QStringLiteral("\r\n") + reason;
    return text;
}

QString readFailureText(int messageId)
{
    QString text = LoadResText(messageId);
    if (platform::lastReadTooLarge())
        text += QStringLiteral("\r\n") + LoadResText(3032).arg(platform::kMaxTextFileBytes / (1024 * 1024));
    if (platform::lastReadNotRegular())
        text += QStringLiteral("\r\n") + LoadResText(3042);
    if (platform::lastReadDamagedLine() > 0)
        text += QStringLiteral("\r\n") + LoadResText(3016).arg(platform::lastReadDamagedLine());
    return text;
}

} // namespace tables
