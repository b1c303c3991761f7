// A small program for the tests: the jog window against the controller on QZW4_PORT_DEVICE,
// with the start-up's stop at the program's end installed. It starts the jog window, holds
// AXIS1+ in JOG feed, prints "feeding" once the feed has been sent and runs until it is ended:
// by a signal, or by "q" on its standard input (the application's event loop ends without
// its windows being closed, as the desktop session may end it).
//   jog_exit_driver <settings file>
#include "operation/StopOnExit.h"
#include "operation/frmJOG.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: jog_exit_driver <settings file>\n");
        return 2;
    }
    platform::SettingsStore::useFile(QString::fromLocal8Bit(argv[1]));
    operation::installStopOnExit();

    frmJOG window;
    window.show();
    if (window.control().start() != 0) {
        std::fprintf(stderr, "jog start failed\n");
        return 3;
    }
    if (!window.control().press(0, 0, 100)) {
        std::fprintf(stderr, "press refused\n");
        return 4;
    }
    // The window's own communication timer sends the feed.
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (!window.control().feedSent())
            return;
        watch.stop();
        std::printf("feeding\n");
        std::fflush(stdout);
    });
    watch.start();

    QFile in;
    in.open(0, QIODevice::ReadOnly | QIODevice::Unbuffered);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        // One character at a time: a file read waits until it has all it asked for.
        char c = 0;
        const qint64 n = in.read(&c, 1);
        if (n <= 0 || c == 'q') {
            input.setEnabled(false);
            // The event loop ends without the windows being asked to close.
            QCoreApplication::exit(0);
        }
    });
    const int result = app.exec();
    // The session ends the process once the application has quit: nothing of the window's own
    // closing runs, so only the stop at the application's end can have reached the controller.
    std::fflush(stdout);
    std::_Exit(result);
}
