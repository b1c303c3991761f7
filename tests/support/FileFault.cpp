#include "support/FileFault.h"

#include "core/Messages.h"

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

QString damageText(const FileCopy &copy, const QString &path)
{
    return LoadResText(copy.verdict == FileVerdict::CutShort ? 3050 : 3016)
        .arg(QString::number(copy.line), path);
}

QList<FileCopy> cutAndShortCopies(const QByteArray &good, int middleLine)
{
    Q_ASSERT(good.endsWith("\r\n"));
    QList<QByteArray> lines = linesOf(good);
    const int last = int(lines.size());
    Q_ASSERT(middleLine >= 1 && middleLine < last);
    QList<FileCopy> copies;
    copies.append({QStringLiteral("cut inside the last item"), good.left(good.size() - 3), FileVerdict::CutShort, last});
    copies.append({QStringLiteral("cut before the last line end"), good.left(good.size() - 2), FileVerdict::CutShort,
                   last});
    QList<QByteArray> shortLast = lines;
    shortLast.last() = withoutLastItem(shortLast.last());
    copies.append({QStringLiteral("last line short of an item"), fileOf(shortLast), FileVerdict::Damaged, last});
    QList<QByteArray> shortMiddle = lines;
    shortMiddle[middleLine - 1] = withoutLastItem(shortMiddle[middleLine - 1]);
    copies.append({QStringLiteral("a line short of an item"), fileOf(shortMiddle), FileVerdict::Damaged, middleLine});
    return copies;
}

QList<FileCopy> editorEndingCopies(const QByteArray &good, FileKind kind)
{
    Q_ASSERT(good.endsWith("\r\n"));
    const QList<QByteArray> lines = linesOf(good);
    const int last = int(lines.size());
    const QByteArray unended = good.left(good.size() - 2);
    const FileVerdict cut = kind == FileKind::Written ? FileVerdict::CutShort : FileVerdict::ReadsWhole;
    QByteArray crOnly = good;
    crOnly.replace("\r\n", "\r");
    QByteArray lfOnly = good;
    lfOnly.replace("\r\n", "\n");
    return {
        {QStringLiteral("no last line end"), unended, cut, last},
        {QStringLiteral("Ctrl-Z right after the last item"), unended + "\x1a", cut, last},
        {QStringLiteral("CR LF, then Ctrl-Z"), good + "\x1a", FileVerdict::ReadsWhole, last},
        {QStringLiteral("CR only"), crOnly, FileVerdict::ReadsWhole, last},
        {QStringLiteral("LF only"), lfOnly, FileVerdict::ReadsWhole, last},
    };
}

QList<FileCopy> cutsAtLineEnds(const QByteArray &good, int fromLine)
{
    const QList<QByteArray> lines = linesOf(good);
    QList<FileCopy> copies;
    for (int kept = fromLine; kept < lines.size(); ++kept)
        copies.append({QStringLiteral("cut after line %1").arg(kept), fileOf(lines.mid(0, kept)),
                       FileVerdict::ReadsWhole, kept});
    return copies;
}

QList<FileCopy> listDamageCopies(const QByteArray &good, int rowLine)
{
    Q_ASSERT(good.endsWith("\r\n"));
    const QList<QByteArray> lines = linesOf(good);
    const int last = int(lines.size());
    Q_ASSERT(rowLine >= 1 && rowLine <= last);
    QList<QByteArray> shortRow = lines;
    shortRow[rowLine - 1] = withoutLastItem(shortRow[rowLine - 1]);
    QList<QByteArray> splitRow = lines;
    const int comma = splitRow[rowLine - 1].indexOf(',');
    Q_ASSERT(comma > 0);
    splitRow[rowLine - 1].replace(comma, 1, "\r\n");
    QList<QByteArray> twice = lines;
    twice.append(lines.last());
    return {
        {QStringLiteral("a row short of an item"), fileOf(shortRow), FileVerdict::Damaged, rowLine},
        {QStringLiteral("a row over two lines"), fileOf(splitRow), FileVerdict::Damaged, rowLine},
        {QStringLiteral("count above the rows"), fileOf(lines.mid(0, last - 1)), FileVerdict::Damaged, last - 1},
        {QStringLiteral("count below the rows"), fileOf(twice), FileVerdict::Damaged, last + 1},
    };
}
