#include "support/FileFault.h"

#include <QFile>
#include <QList>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

bool makeNamedPipe(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeSocketFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    // The socket's node stays in the folder after the socket is closed.
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    // Without this the process would be ended by the signal that goes with the refused write.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    m_previous = lim.rlim_cur;
    lim.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &lim);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = rlim_t(m_previous);
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, m_previousHandler);
}

namespace {

// The lines of the file without their CR LF, and the file again from them.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines)
        l.chop(l.endsWith('\r') ? 1 : 0);
    return lines;
}

QByteArray fileOf(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

// The line without its last item (nor the comma before it).
QByteArray withoutLastItem(const QByteArray &line)
{
    const int comma = line.lastIndexOf(',');
    Q_ASSERT(comma > 0);
    return line.left(comma);
}

} // namespace

QList<DamagedCopy> cutAndShortCopies(const QByteArray &good, int middleLine)
{
    Q_ASSERT(good.endsWith("\r\n"));
    QList<QByteArray> lines = linesOf(good);
    const int last = int(lines.size());
    Q_ASSERT(middleLine >= 1 && middleLine < last);
    QList<DamagedCopy> copies;
    copies.append({QStringLiteral("cut inside the last item"), good.left(good.size() - 3), last});
    copies.append({QStringLiteral("cut before the last line end"), good.left(good.size() - 2), last});
    QList<QByteArray> shortLast = lines;
    shortLast.last() = withoutLastItem(shortLast.last());
    copies.append({QStringLiteral("last line short of an item"), fileOf(shortLast), last});
    QList<QByteArray> shortMiddle = lines;
    shortMiddle[middleLine - 1] = withoutLastItem(shortMiddle[middleLine - 1]);
    copies.append({QStringLiteral("a line short of an item"), fileOf(shortMiddle), middleLine});
    return copies;
}
