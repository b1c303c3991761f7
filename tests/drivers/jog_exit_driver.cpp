// A small program for the tests: a window against the controller on QZW4_PORT_DEVICE, with the
// start-up's procedure at the program's end installed, run until it is ended: by a signal, or
// by "q" on its standard input (the application's event loop ends without its windows being
// closed, as the desktop session may end it). What it leaves to that end:
//   jog      the jog window holds AXIS1+ in JOG feed; "feeding" once the feed has been sent
//   owed     a stop the link owes the controller, as a stop that failed leaves it; "owed"
//   monitor  the input/output monitor runs with "ignore external inputs" ticked; "monitoring"
//            once its "0CM01" has been sent
//   jog_exit_driver <settings file> [jog|owed|monitor]
#include "link/SerialLink.h"
#include "operation/IoMonitor.h"
#include "operation/JogControl.h"
#include "operation/StopOnExit.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: jog_exit_driver <settings file> [jog|owed|monitor]\n");
        return 2;
    }
    platform::SettingsStore::useFile(QString::fromLocal8Bit(argv[1]));
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray("jog");
    operation::installStopOnExit();

    std::unique_ptr<frmJOG> jog;
    std::unique_ptr<frmIOCheck> monitor;
    std::function<bool()> ready;
    const char *readyText = nullptr;
    if (mode == "jog") {
        jog = std::make_unique<frmJOG>();
        jog->show();
        if (jog->control().start() != 0) {
            std::fprintf(stderr, "jog start failed\n");
            return 3;
        }
        if (!jog->control().press(0, 0, 100)) {
            std::fprintf(stderr, "press refused\n");
            return 4;
        }
        // The window's own communication timer sends the feed; it runs once its exchange has
        // returned.
        ready = [&] { return jog->control().feedSent() && !JogControl::exchangeUnderWay(); };
        readyText = "feeding";
    } else if (mode == "owed") {
        link::SerialLink::instance().setStopOwed(true);
        ready = [] { return true; };
        readyText = "owed";
    } else if (mode == "monitor") {
        monitor = std::make_unique<frmIOCheck>();
        monitor->show();
        monitor->findChild<QCheckBox *>(QStringLiteral("chkIgnore"))->setChecked(true);
        // The window's own timer starts the monitoring.
        monitor->monitor().requestStartStop();
        ready = [&] { return monitor->monitor().IoCheckTyu() && !JogControl::exchangeUnderWay(); };
        readyText = "monitoring";
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.constData());
        return 2;
    }
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (!ready())
            return;
        watch.stop();
        std::printf("%s\n", readyText);
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
    // The session ends the process once the application has quit: nothing of the windows' own
    // closing runs, so only the procedure at the application's end can have reached the
    // controller.
    std::fflush(stdout);
    std::_Exit(result);
}
