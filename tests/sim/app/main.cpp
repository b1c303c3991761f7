// qzk4-sim: the controller simulator as a program. Prints the device path of its
// pseudo-terminal as the first line and serves until it is ended (Ctrl-C or a signal).
//   --paced   answer at the pace of a 9600-baud line (960 characters a second)
#include "sim/ControllerModel.h"
#include "sim/ControllerSim.h"

#include <csignal>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    bool paced = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--paced") == 0) {
            paced = true;
        } else {
            std::fprintf(stderr, "usage: %s [--paced]\n", argv[0]);
            return 2;
        }
    }

    // The serving thread inherits this mask, so only sigwait below sees the signals.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    // The model outlives the serving: it is declared first.
    sim::ControllerModel model;
    sim::ControllerSim controller;
    model.install(controller);
    controller.setPaced(paced);
    QString error;
    if (!controller.start(&error)) {
        std::fprintf(stderr, "qzk4-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(controller.devicePath()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&signals, &received);
    controller.stop();
    return 0;
}
