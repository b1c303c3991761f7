#include "support/ProcessSignal.h"

#include <csignal>
#include <sys/types.h>

bool sendEndSignal(qint64 pid, EndSignal signal)
{
    const int number = signal == EndSignal::Terminate ? SIGTERM : signal == EndSignal::HangUp ? SIGHUP : SIGINT;
    return ::kill(pid_t(pid), number) == 0;
}
