#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int g_pipe[2] = {-1, -1};
std::function<void(int)> g_onSignal;
const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void onSignalRaised(int signal)
{
    // Only what is safe in a signal handler: one write, errno kept.
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &number, 1);
    errno = saved;
}

void readSignals()
{
    unsigned char numbers[16];
    const ssize_t n = ::read(g_pipe[0], numbers, sizeof numbers);
    for (ssize_t i = 0; i < n; ++i) {
        qInfo().noquote() << "signal" << int(numbers[i]) << "received";
        if (g_onSignal)
            g_onSignal(numbers[i]);
        else
            endBySignal(numbers[i]);
    }
}

} // namespace

void watchTerminationSignals(std::function<void(int)> onSignal)
{
    g_onSignal = std::move(onSignal);
    if (g_pipe[0] >= 0)
        return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << "no pipe for the termination signals: they end the program at once";
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    auto *notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { readSignals(); });
    struct sigaction action = {};
    action.sa_handler = onSignalRaised;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

void endBySignal(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
    ::_exit(128 + signal); // a signal whose default is not to end the program
}

} // namespace platform
