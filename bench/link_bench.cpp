// Measures the link against the controller simulator, through the real sender and port:
//  - the median time of one exchange when the simulator answers at once, beside the floor
//    of a bare QSerialPort exchange on the same pseudo-terminal;
//  - with the simulator paced at 960 characters a second, the elapsed time of 200 "0RD"
//    exchanges divided by their wire time;
//  - the position table's transfers of all 999 positions (positions_bench.cpp).
#include "core/AppSettings.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "sim/SimSession.h"
#include "positions_bench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCommandChars = 6;  // "0RD0" CR LF
constexpr int kReplyChars = 38;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One exchange on a bare port: write, then read until the whole reply is in.
std::vector<double> bareExchanges(const QString &device, int count)
{
    std::vector<double> times;
    QSerialPort port(device);
    port.setBaudRate(QSerialPort::Baud9600);
    if (!port.open(QIODevice::ReadWrite))
        return times;
    QElapsedTimer t;
    for (int i = 0; i < count; ++i) {
        t.start();
        port.write("0RD0\r\n");
        port.flush();
        QByteArray got;
        while (!got.endsWith("\r\n") && port.waitForReadyRead(1000))
            got += port.readAll();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return times;
}

std::vector<double> senderExchanges(int count, int *failures)
{
    std::vector<double> times;
    QElapsedTimer t;
    for (int i = 0; i < count; ++i) {
        gTimeOutMs = 1000;
        gTusinNow = true;
        t.start();
        if (SendCmdToCt(QStringLiteral("0RD"), kReplyChars, QStringLiteral("0")) != 0)
            ++*failures;
        times.push_back(t.nsecsElapsed() / 1e6);
        gTusinNow = false;
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    sim::SimSession session;
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    gPortOccupy = true;
    int failures = 0;

    const std::vector<double> bare = bareExchanges(session.controller().devicePath(), 2000);
    senderExchanges(200, &failures); // warm-up
    const std::vector<double> ours = senderExchanges(2000, &failures);
    const double bareMs = median(bare);
    const double oursMs = median(ours);
    std::printf("exchange, simulator answering at once (median of %zu):\n", ours.size());
    std::printf("  overhead per exchange through the sender  %.4f ms  (aim: under 0.2 ms)\n", oursMs);
    std::printf("  a bare QSerialPort exchange, for scale    %.4f ms\n", bareMs);

    session.controller().setPaced(true);
    constexpr int kPaced = 200;
    QElapsedTimer t;
    t.start();
    senderExchanges(kPaced, &failures);
    const double elapsed = t.nsecsElapsed() / 1e9;
    const double wire = kPaced * double(kCommandChars + kReplyChars) / 960.0;
    std::printf("%d \"0RD\" exchanges at 960 characters a second:\n", kPaced);
    std::printf("  elapsed %.3f s, wire time %.3f s, ratio %.4f  (aim: under 1.01)\n", elapsed, wire,
                elapsed / wire);
    if (failures)
        std::printf("failed exchanges: %d\n", failures);
    CommPortCloseForce();

    const int transferFailures = runPositionBench(session);
    if (transferFailures)
        std::printf("failed position transfers: %d\n", transferFailures);
    failures += transferFailures;
    return failures ? 1 : 0;
}
