#include "sim/ControllerSim.h"

#include <QDateTime>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr std::chrono::steady_clock::duration kCharTime = std::chrono::nanoseconds(1000000000 / 960);

QByteArray hexByte(unsigned char b)
{
    return QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

Fault Fault::always(FaultKind kind, const QByteArray &match)
{
    Fault f;
    f.kind = kind;
    f.match = match;
    return f;
}

Fault Fault::nth(FaultKind kind, const QByteArray &match, int n)
{
    Fault f = always(kind, match);
    f.first = n;
    f.last = n;
    return f;
}

Fault Fault::answerOnly(const QByteArray &match, int k)
{
    Fault f = always(FaultKind::Silence, match);
    f.first = 1;
    f.last = k - 1;
    return f;
}

Fault Fault::late(const QByteArray &match, int n, bool holdResendAnswer)
{
    Fault f = nth(FaultKind::LateThenResend, match, n);
    f.holdResendAnswer = holdResendAnswer;
    return f;
}

Fault Fault::longAfterTheTimeOut(const QByteArray &match, int n)
{
    Fault f = nth(FaultKind::Delay, match, n);
    f.delayMs = 10000;
    return f;
}

Fault Fault::slow(const QByteArray &match, int first, int count, int delayMs)
{
    Fault f = always(FaultKind::Delay, match);
    f.first = first;
    f.last = first + count - 1;
    f.delayMs = delayMs;
    f.inTurn = true;
    return f;
}

Fault Fault::straddle(const QByteArray &match, int n, int cutAtMs, int gapMs)
{
    Fault f = nth(FaultKind::Split, match, n);
    f.cutAtMs = cutAtMs;
    f.delayMs = gapMs;
    return f;
}

Fault Fault::lineEndLost(const QByteArray &match, int n, bool withCr)
{
    Fault f = nth(FaultKind::LineEndLost, match, n);
    f.lostEnd = withCr ? QByteArray("\n") : QByteArray("\r\n");
    return f;
}

Fault Fault::cutForGood(const QByteArray &match, int n, int head)
{
    Fault f = nth(FaultKind::CutForGood, match, n);
    f.offset = head;
    return f;
}

Fault Fault::twice(const QByteArray &match, int n, bool copyMeetsNext)
{
    Fault f = nth(FaultKind::Twice, match, n);
    f.copyMeetsNext = copyMeetsNext;
    return f;
}

ControllerSim::ControllerSim()
{
    for (QByteArray &b : m_blocks)
        b = QByteArray(16, '\0');
    m_blocks[0][6] = 0x0F;
    installDefaultHandlers();
}

ControllerSim::~ControllerSim()
{
    stop();
}

void ControllerSim::installDefaultHandlers()
{
    m_handlers.insert("0CM", [](const QByteArray &arg) -> QByteArray {
        if (arg.isEmpty())
            return {};
        if (arg.size() == 1)
            return "0CM" + arg;
        return "0CM0" + arg.right(1);
    });
    // Handlers run on the simulator's thread with its lock held.
    m_handlers.insert("0RD", [this](const QByteArray &arg) -> QByteArray {
        bool ok = false;
        const int block = arg.toInt(&ok, 16);
        if (arg.size() != 1 || !ok || block < 0 || block > 12)
            return {};
        QByteArray reply = "0RD" + arg;
        for (char c : m_blocks[block])
            reply += hexByte(static_cast<unsigned char>(c));
        return reply;
    });
    m_handlers.insert("0WD", [this](const QByteArray &arg) -> QByteArray {
        bool ok = false;
        const int block = arg.left(1).toInt(&ok, 16);
        if (arg.size() != 33 || !ok || block < 0 || block > 12)
            return {};
        const QByteArray bytes = QByteArray::fromHex(arg.mid(1));
        if (bytes.size() != 16)
            return {};
        m_blocks[block] = bytes;
        return "0WD" + arg.left(1);
    });
    m_handlers.insert("0WE", [](const QByteArray &arg) -> QByteArray {
        return arg.size() == 1 ? "0WE" + arg : QByteArray();
    });
    m_handlers.insert("0RV", [](const QByteArray &arg) -> QByteArray {
        if (arg.isEmpty())
            return "0RV1.0K4R";
        if (arg.size() == 1 && arg[0] >= '1' && arg[0] <= '4')
            return "0RV" + arg + "1.0K4R";
        return {};
    });
}

bool ControllerSim::start(QString *error)
{
    auto fail = [&](const char *what) {
        if (error)
            *error = systemError(what);
        closeFds();
        return false;
    };
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    char name[256];
    if (ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname_r");
    m_devicePath = QString::fromLocal8Bit(name);
    // Our own hold on the terminal keeps it alive, and raw, while the program has it closed.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0)
        return fail("open pseudo-terminal");
    struct termios tio;
    if (tcgetattr(m_slave, &tio) != 0)
        return fail("tcgetattr");
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return fail("tcsetattr");
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    int pipeFds[2];
    if (pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        return fail("pipe2");
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void ControllerSim::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> lock(m_mutex);
    closeFds();
    if (m_wakeRead >= 0)
        ::close(m_wakeRead);
    if (m_wakeWrite >= 0)
        ::close(m_wakeWrite);
    m_wakeRead = m_wakeWrite = -1;
}

void ControllerSim::closeFds()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void ControllerSim::wake()
{
    if (m_wakeWrite >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeWrite, &c, 1);
    }
}

void ControllerSim::setHandler(const QByteArray &command, Reply reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handlers.insert(command, std::move(reply));
}

void ControllerSim::addFault(const Fault &fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.append({fault, 0});
}

void ControllerSim::clearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
    // Answers a slow controller still owes belong to the test before.
    m_output.clear();
    m_wireFree = Clock::time_point();
    m_inTurnAfter = Clock::time_point();
    m_lateLine.clear();
    m_lateAnswer.clear();
    m_heldCopy.clear();
}

void ControllerSim::setPaced(bool paced)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_paced = paced;
}

void ControllerSim::sendUnsolicited(const QByteArray &line)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pushQueue.append(line + "\r\n");
    }
    wake();
}

void ControllerSim::sendRaw(const QByteArray &bytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pushQueue.append(bytes);
    }
    wake();
}

QByteArray ControllerSim::unsolicitedLine(char state, char code)
{
    return QByteArray("0%%") + state + '0' + code;
}

void ControllerSim::vanish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_vanishRequested = true;
    }
    wake();
}

QList<ReceivedLine> ControllerSim::received() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

QStringList ControllerSim::receivedLines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList out;
    for (const ReceivedLine &r : m_received)
        out << QString::fromLatin1(r.line);
    return out;
}

void ControllerSim::clearReceived()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_received.clear();
}

bool ControllerSim::waitForReceived(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_receivedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                      [&] { return m_received.size() >= count; });
}

bool ControllerSim::waitForUnread(int bytes, int timeoutMs) const
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int waiting = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // Our own hold on the terminal sees the queue the program reads from.
            if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &waiting) != 0)
                return false;
        }
        if (waiting >= bytes)
            return true;
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void ControllerSim::setBlock(int block, const QByteArray &bytes16)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (block >= 0 && block < 13 && bytes16.size() == 16)
        m_blocks[block] = bytes16;
}

QByteArray ControllerSim::block(int block) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return block >= 0 && block < 13 ? m_blocks[block] : QByteArray();
}

void ControllerSim::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        if (m_vanishRequested) {
            m_vanishRequested = false;
            closeFds();
            m_output.clear();
        }
        for (const QByteArray &line : std::as_const(m_pushQueue))
            queueOutput(line, Clock::now());
        m_pushQueue.clear();
        writeDue();

        struct timespec timeout = {0, 100 * 1000 * 1000};
        if (!m_output.empty()) {
            const auto wait = std::max(Clock::duration::zero(), m_output.begin()->first - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
            timeout.tv_sec = ns / 1000000000LL;
            timeout.tv_nsec = ns % 1000000000LL;
        }
        struct pollfd fds[2] = {{m_wakeRead, POLLIN, 0}, {m_master, POLLIN, 0}};
        const int nfds = m_master >= 0 ? 2 : 1;
        lock.unlock();
        const int ready = ppoll(fds, nfds, &timeout, nullptr);
        lock.lock();
        if (ready <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            char buf[64];
            while (::read(m_wakeRead, buf, sizeof buf) > 0) {
            }
        }
        if (nfds == 2 && m_master >= 0 && (fds[1].revents & POLLIN)) {
            char buf[512];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            const auto now = Clock::now();
            for (ssize_t i = 0; i < n; ++i) {
                if (m_partial.isEmpty())
                    m_lineStart = now;
                m_partial += buf[i];
                if (m_partial.endsWith("\r\n")) {
                    const QByteArray line = m_partial.chopped(2);
                    m_partial.clear();
                    handleLine(line, m_lineStart);
                }
            }
        }
    }
}

QByteArray ControllerSim::answerTo(const QByteArray &line) const
{
    const auto it = m_handlers.constFind(line.left(3));
    if (it == m_handlers.constEnd() || !*it)
        return {};
    return (*it)(line.mid(3));
}

void ControllerSim::handleLine(const QByteArray &line, Clock::time_point firstByte)
{
    m_received.append({QDateTime::currentMSecsSinceEpoch(), line});
    m_receivedChanged.notify_all();

    const auto arrived = Clock::now();
    const Clock::time_point replyAt =
        m_paced ? std::max(arrived, firstByte + kCharTime * int(line.size() + 2)) : arrived;
    // A busy controller's backlog goes out before anything it answers now.
    if (!m_heldCopy.isEmpty()) {
        queueOutput(m_heldCopy, replyAt);
        m_heldCopy.clear();
    }
    if (!m_lateLine.isEmpty()) {
        const bool resend = line == m_lateLine;
        queueOutput(m_lateAnswer + "\r\n", replyAt);
        m_lateLine.clear();
        m_lateAnswer.clear();
        if (resend) {
            const QByteArray copy = answerTo(line);
            if (!copy.isEmpty()) {
                if (m_lateHold)
                    m_heldCopy = copy + "\r\n";
                else
                    queueOutput(copy + "\r\n", replyAt);
            }
            return;
        }
    }

    const Fault *fault = nullptr;
    for (ActiveFault &f : m_faults) {
        const QByteArray &m = f.fault.match;
        const bool matches = m.isEmpty() || (m.size() == 3 ? line.startsWith(m) : line == m);
        if (!matches)
            continue;
        ++f.seen;
        if (!fault && f.seen >= f.fault.first && f.seen <= f.fault.last)
            fault = &f.fault;
    }

    QByteArray answer = answerTo(line);
    const auto now = Clock::now();
    Clock::time_point at = m_paced ? std::max(now, firstByte + kCharTime * int(line.size() + 2)) : now;
    if (!fault) {
        if (!answer.isEmpty())
            queueOutput(answer + "\r\n", at);
        return;
    }
    const Fault &f = *fault;
    switch (f.kind) {
    case FaultKind::Silence:
        return;
    case FaultKind::Vanish:
        closeFds();
        m_output.clear();
        return;
    case FaultKind::UnsolicitedInstead:
        queueOutput(f.unsolicited + "\r\n", at);
        return;
    default:
        break;
    }
    if (answer.isEmpty())
        return;
    if (f.kind == FaultKind::LateThenResend) {
        m_lateLine = line;
        m_lateAnswer = answer;
        m_lateHold = f.holdResendAnswer;
        return;
    }
    switch (f.kind) {
    case FaultKind::Delay:
        at += std::chrono::milliseconds(f.delayMs);
        if (f.inTurn && !m_paced) {
            queueOutput(answer + "\r\n", at);
            m_inTurnAfter = std::max(m_inTurnAfter, at);
            return;
        }
        break;
    case FaultKind::WrongEcho:
        answer.replace(0, qMin<qsizetype>(3, answer.size()), "0XX");
        break;
    case FaultKind::WrongRecord:
        if (answer.size() > 3)
            answer[3] = answer[3] == '1' ? '2' : '1';
        break;
    case FaultKind::WrongLength:
        if (f.lengthDelta < 0)
            answer.chop(qMin<qsizetype>(-f.lengthDelta, answer.size()));
        else
            answer += QByteArray(f.lengthDelta, '0');
        break;
    case FaultKind::NotHex: {
        const int i = f.offset >= 0 ? f.offset : 4;
        if (i < answer.size())
            answer[i] = 'G';
        break;
    }
    case FaultKind::Split: {
        const QByteArray full = answer + "\r\n";
        const qsizetype cut = f.offset >= 0 ? qMin<qsizetype>(f.offset, full.size()) : full.size() / 2;
        if (f.cutAtMs >= 0) {
            const auto cutAt = firstByte + std::chrono::milliseconds(f.cutAtMs);
            const auto start = m_paced ? cutAt - kCharTime * int(cut) : cutAt;
            at = std::max(at, start);
        }
        queueOutput(full.left(cut), at);
        queueOutput(full.mid(cut), (m_paced ? std::max(at, m_wireFree) : at) + std::chrono::milliseconds(f.delayMs));
        return;
    }
    case FaultKind::UnsolicitedBefore:
        queueOutput(f.unsolicited + "\r\n" + answer + "\r\n", at);
        return;
    case FaultKind::LineEndLost:
        queueOutput(answer + QByteArray("\r\n").chopped(f.lostEnd.size()), at);
        return;
    case FaultKind::CutForGood:
        queueOutput(answer.left(f.offset >= 0 ? f.offset : 5), at);
        return;
    case FaultKind::Twice:
        queueOutput(answer + "\r\n", at);
        if (f.copyMeetsNext)
            m_heldCopy = answer + "\r\n";
        else
            queueOutput(answer + "\r\n", at);
        return;
    case FaultKind::UnsolicitedAfter:
        queueOutput(answer + "\r\n" + f.unsolicited + "\r\n", at);
        return;
    default:
        break;
    }
    queueOutput(answer + "\r\n", at);
}

void ControllerSim::queueOutput(const QByteArray &bytes, Clock::time_point notBefore)
{
    if (!m_paced) {
        m_output.emplace(std::max(notBefore, m_inTurnAfter), bytes);
        return;
    }
    auto t = std::max(notBefore, m_wireFree);
    for (char c : bytes) {
        t += kCharTime;
        m_output.emplace(t, QByteArray(1, c));
    }
    m_wireFree = t;
}

void ControllerSim::writeDue()
{
    const auto now = Clock::now();
    QByteArray due;
    while (!m_output.empty() && m_output.begin()->first <= now) {
        due += m_output.begin()->second;
        m_output.erase(m_output.begin());
    }
    if (due.isEmpty() || m_master < 0)
        return;
    qsizetype done = 0;
    while (done < due.size()) {
        const ssize_t n = ::write(m_master, due.constData() + done, size_t(due.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
}

} // namespace sim
