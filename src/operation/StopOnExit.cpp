#include "operation/StopOnExit.h"

#include "operation/JogControl.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
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

// The stop, then `then`. Asked while an exchange waits for its reply (the signal's notifier
// runs inside that wait), the stop waits for it to return; an exchange cannot be started
// from inside another.
void stopThen(std::function<void()> then, int retriesLeft)
{
    if (JogControl::stopEveryFeedBeforeExit() || retriesLeft <= 0) {
        then();
        return;
    }
    QTimer::singleShot(kRetryMs, QCoreApplication::instance(),
                       [then = std::move(then), retriesLeft] { stopThen(then, retriesLeft - 1); });
}

} // namespace

void installStopOnExit()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    platform::watchTerminationSignals([](int signal) {
        stopThen([signal] { platform::endBySignal(signal); }, kRetries);
    });
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { JogControl::stopEveryFeedBeforeExit(); });
#if QT_CONFIG(sessionmanager)
    if (auto *gui = qobject_cast<QGuiApplication *>(app)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                         [](QSessionManager &) { stopThen([] {}, kRetries); });
    }
#endif
}

} // namespace operation
