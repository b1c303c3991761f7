#include "operation/StopOnExit.h"

#include "core/Messages.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "operation/IoMonitor.h"
#include "operation/JogControl.h"
#include "platform/Dialogs.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QTimer>
#include <functional>

#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace operation {

namespace {

// How long the stop waits for an exchange under way to return: one reply time-out with room.
constexpr int kRetryMs = 10;
constexpr int kRetries = 300;
// The end's one try of each command: quick, the program is going.
constexpr int kExitTimeoutMs = 300;
// The main window's close or the session's end has settled: the application's end that
// follows sends nothing again.
bool g_settledBeforeQuit = false;

// The stop, then `then`. Asked while an exchange waits for its reply (the signal's notifier
// runs inside that wait), the stop waits for it to return; an exchange cannot be started
// from inside another.
void stopThen(std::function<void()> then, int retriesLeft)
{
    if (settleControllerBeforeExit() || retriesLeft <= 0) {
        then();
        return;
    }
    QTimer::singleShot(kRetryMs, QCoreApplication::instance(),
                       [then = std::move(then), retriesLeft] { stopThen(then, retriesLeft - 1); });
}

} // namespace

bool settleControllerBeforeExit()
{
    if (JogControl::exchangeUnderWay() || !JogControl::stopEveryFeedBeforeExit())
        return false;
    link::SerialLink &serial = link::SerialLink::instance();
    if (serial.stopOwed()) {
        // A good answer clears the debt; the sender sends "0SP" itself first, not again.
        link::exchange(link::Via::Silent, QStringLiteral("0SP"), QString(), 5, kExitTimeoutMs);
        qInfo().noquote() << "program ending:" << (serial.stopOwed() ? "stop not answered" : "stop sent");
    }
    IoMonitor::leaveEveryMonitorBeforeExit();
    gTusinNow = false;
    return true;
}

void settleControllerAtNormalExit()
{
    if (!settleControllerBeforeExit())
        return;
    g_settledBeforeQuit = true;
    if (link::SerialLink::instance().stopOwed())
        ResMsgBox({2901}, platform::MbExclamation);
}

void installStopOnExit()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    platform::watchTerminationSignals([](int signal) {
        stopThen([signal] { platform::endBySignal(signal); }, kRetries);
    });
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] {
        if (!g_settledBeforeQuit)
            settleControllerBeforeExit();
    });
#if QT_CONFIG(sessionmanager)
    if (auto *gui = qobject_cast<QGuiApplication *>(app)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                         [](QSessionManager &) { stopThen([] { g_settledBeforeQuit = true; }, kRetries); });
    }
#endif
}

} // namespace operation
