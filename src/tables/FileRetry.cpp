#include "tables/FileRetry.h"

#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/MsecTimerWait.h"
#include "platform/ItemWriter.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFileInfo>

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
    const QString reason = readFailureReason();
    if (!reason.isEmpty())
        text += QStringLiteral("\r\n") + reason;
    return text;
}

QString readFailureReason()
{
    if (platform::lastReadTooLarge())
        return LoadResText(3032).arg(platform::kMaxTextFileBytes / (1024 * 1024));
    if (platform::lastReadNotRegular())
        return LoadResText(3042);
    const int line = platform::lastReadDamagedLine();
    if (line > 0)
        return LoadResText(platform::lastReadCutShort() ? 3050 : 3016)
            .arg(QString::number(line), QDir::toNativeSeparators(platform::lastReadPath()));
    return QString();
}

QString listFailureText(const QString &path, std::initializer_list<int> missingIds)
{
    if (!QFileInfo::exists(path))
        return ResLines(missingIds);
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (platform::lastReadDamagedLine() > 0) {
        text = readFailureReason();
    } else {
        // There, but not read: too large, no regular file, or refused by the system.
        text = LoadResText(3052).arg(QDir::toNativeSeparators(path));
        const QString reason = readFailureReason();
        if (!reason.isEmpty())
            text += crlf + reason;
        else if (!platform::lastReadFailure().isEmpty())
            text += crlf + platform::lastReadFailure();
    }
    return text + crlf + LoadResText(3051);
}

} // namespace tables
