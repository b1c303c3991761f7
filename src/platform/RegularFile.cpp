#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a file");
}

QString reasonFor(const QString &kind)
{
    return QStringLiteral("not a regular file (%1)").arg(kind);
}

} // namespace

QString nonRegularKind(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return kindOf(st.st_mode);
}

QString notRegularFileReason(const QString &path)
{
    const QString kind = nonRegularKind(path);
    return kind.isEmpty() ? QString() : reasonFor(kind);
}

bool openRegularForReading(QFile &file, const QString &path, QString *error, bool *refused)
{
    if (refused)
        *refused = false;
    // Opened without waiting, and judged by what was opened, not by the name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int openError = errno;
        // A socket cannot be opened at all, and another try finds the same socket: it is
        // refused for its kind, as a named pipe is, not failed as a file that may come back.
        const QString kind = nonRegularKind(path);
        if (refused)
            *refused = !kind.isEmpty();
        if (error)
            *error = kind.isEmpty() ? QString::fromLocal8Bit(std::strerror(openError)) : reasonFor(kind);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const QString kind = ::fstat(fd, &st) == 0 ? kindOf(st.st_mode) : QStringLiteral("not a file");
        ::close(fd);
        if (error)
            *error = reasonFor(kind);
        if (refused)
            *refused = true;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform
