#include "support/FileFault.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

bool makeNamedPipe(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
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
