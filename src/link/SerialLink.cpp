#include "link/SerialLink.h"

#include "core/AppSettings.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>

namespace link {

namespace {

SerialLink *g_link = nullptr;

qint64 steadyMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

void destroyLink()
{
    delete g_link;
    g_link = nullptr;
}

bool isUnsolicited(const QByteArray &line)
{
    return line.startsWith("0%%");
}

void takeUnsolicited(const QByteArray &line)
{
    gEventMsgFlag = true;
    gEventMsg = QString::fromLatin1(line);
    AlarmHyoji();
}

// Why a device did not open. Qt reports a port held by another program (its lock file, or
// exclusive use) as a permission error too: only a device this user may not read and write
// needs the group remedy.
QString openFailureReason(const QSerialPort &port, const QString &device)
{
    const QByteArray path = QFile::encodeName(device);
    const QFileInfo info(device);
    if (port.error() == QSerialPort::PermissionError && info.isReadable() && info.isWritable())
        return device + QStringLiteral(": ") + LoadResText(3030);
    QString reason = device + QStringLiteral(": ") + port.errorString();
    if (port.error() == QSerialPort::PermissionError) {
        struct stat st;
        QString group;
        if (::stat(path.constData(), &st) == 0) {
            if (const struct group *g = ::getgrgid(st.st_gid))
                group = QString::fromLocal8Bit(g->gr_name);
        }
        if (!group.isEmpty())
            reason += QStringLiteral(" ") + LoadResText(3031).arg(group);
    }
    return reason;
}

} // namespace

SerialLink &SerialLink::instance()
{
    if (!g_link) {
        g_link = new SerialLink;
        // Gone before the application object, while the event dispatcher still exists.
        qAddPostRoutine(destroyLink);
    }
    return *g_link;
}

void SerialLink::resetInstance()
{
    if (!g_link)
        return;
    g_link->close();
    g_link->m_timeout.stop();
    g_link->m_stopPoll.stop();
    g_link->m_timer2.stop();
    g_link->m_copyQuiet.stop();
    g_link->m_clock = nullptr;
    g_link->m_assembler.clear();
    g_link->m_lines.clear();
    g_link->forgetRepeats();
    g_link->m_inExchange = false;
    g_link->m_stopOwed = false;
    g_link->m_lost = false;
    g_link->m_lostReason.clear();
    g_link->m_lastOpenError.clear();
}

SerialLink::SerialLink()
{
    m_timeout.setSingleShot(true);
    m_timeout.setTimerType(Qt::PreciseTimer);
    m_stopPoll.setInterval(10);
    m_timer2.setInterval(1000);
    m_copyQuiet.setSingleShot(true);
    connect(&m_copyQuiet, &QTimer::timeout, this, &SerialLink::takeHeldAfterQuiet);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::TimerJusin_Timer);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
    connect(&m_timeout, &QTimer::timeout, this, &SerialLink::timerTimeout_Timer);
    connect(&m_stopPoll, &QTimer::timeout, this, [this] {
        if (gGrpMoveStop)
            endWait();
    });
    connect(&m_timer2, &QTimer::timeout, this, [] { Timer2_Timer(); });
}

SerialLink::~SerialLink()
{
    m_port.close();
    m_deviceLock.unlock();
}

QString SerialLink::deviceForPort(int portNo)
{
    const QString forced = qEnvironmentVariable("QZW4_PORT_DEVICE");
    if (!forced.isEmpty())
        return forced;
    const QString key = QStringLiteral("PortDevice%1").arg(portNo);
    if (platform::SettingsStore::contains(key))
        return platform::SettingsStore::text(key, QString());
    return QStringLiteral("/dev/ttyS%1").arg(portNo - 1);
}

bool SerialLink::open()
{
    if (gPortNo < 1 || gPortNo > 9)
        gPortNo = platform::SettingsStore::numberOr(QStringLiteral("PortNo"), core::settings::kDefPortNo);
    if (m_port.isOpen())
        return true;
    m_device = deviceForPort(gPortNo);
    m_port.setPortName(m_device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // A program that holds the device with flock(2) alone is not seen by Qt's own lock.
    if (!m_deviceLock.lock(m_device)) {
        m_lastOpenError = m_device + QStringLiteral(": ") + LoadResText(3030);
        qWarning().noquote() << "port not opened:" << m_lastOpenError << "(locked with flock)";
        return false;
    }
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_deviceLock.unlock();
        m_lastOpenError = openFailureReason(m_port, m_device);
        qWarning().noquote() << "port not opened:" << m_lastOpenError;
        return false;
    }
    m_port.clear(QSerialPort::Input);
    ++m_generation;
    m_assembler.clear();
    m_lines.clear();
    forgetRepeats();
    gRecvBuf.clear();
    m_lost = false;
    m_lostReason.clear();
    m_lastOpenError.clear();
    return true;
}

void SerialLink::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_deviceLock.unlock();
    m_assembler.clear();
    m_lines.clear();
}

void SerialLink::readPending()
{
    if (!m_port.isOpen())
        return;
    const QByteArray data = m_port.readAll();
    if (data.isEmpty())
        return;
    m_lastArrivalMs = now();
    ++m_arrivals;
    m_lines.append(m_assembler.feed(data));
    gRecvBuf = QString::fromLatin1(m_assembler.partial());
}

void SerialLink::TimerJusin_Timer()
{
    // Offline, input is left unread, unless a sender asks for its own reply.
    if (!m_port.isOpen() || (gOfflineMode && !m_waiting))
        return;
    readPending();
    deliverLines();
}

// The first line after a send is the answer and belongs to the waiting sender; it alone
// sets gRecvData. Other lines wait until no sender waits: unsolicited ones are decoded
// then, anything else is a stray line and dropped. A copy of the previous exchange's reply
// is never the answer while another line follows it.
void SerialLink::deliverLines()
{
    while (!m_lines.isEmpty()) {
        if (m_waiting) {
            if (gRecvEnd)
                return;
            QByteArray line = m_lines.takeFirst();
            if (!m_cutHead.isEmpty()) {
                line = restOfCutReply(line);
                m_cutHead.clear();
            }
            if (!m_held.isEmpty())
                qInfo().noquote() << "copy of the previous reply dropped:" << m_held.trimmed();
            m_held.clear();
            m_heldUntilQuiet = false;
            m_copyQuiet.stop();
            const bool begunBeforeSend = m_copyOnItsWay;
            m_copyOnItsWay = false;
            if (takeRepeat(line)) {
                m_held = line;
                continue;
            }
            if (m_copyMayFollow && line == m_repeatLine) {
                m_copyMayFollow = false;
                // Begun before the line went, or unfit to answer it: a copy, nothing else.
                if (begunBeforeSend || !canAnswer(line)) {
                    qInfo().noquote() << "copy of the previous reply dropped:" << line.trimmed();
                    continue;
                }
                // The same line again: copy or reply, it answers this line as well, and a
                // status poll must not pay a line time of quiet for each answer alike.
                if (m_repeatFor == m_lastSent) {
                    takeAnswer(line);
                    return;
                }
                m_held = line;
                m_heldUntilQuiet = true;
                m_arrivalsAtHold = m_arrivals;
                m_copyQuiet.start(lineTimeMs());
                continue;
            }
            takeAnswer(line);
            return;
        }
        const QByteArray line = m_lines.takeFirst();
        m_copyOnItsWay = false;
        if (takeRepeat(line) || (m_copyMayFollow && line == m_repeatLine)) {
            m_copyMayFollow = false;
            qInfo().noquote() << "copy of the previous reply dropped:" << line.trimmed();
        } else if (isUnsolicited(line)) {
            takeUnsolicited(line);
        } else {
            qInfo().noquote() << "line outside an exchange dropped:" << line.trimmed();
        }
    }
}

void SerialLink::takeAnswer(QByteArray line, bool heldCopy)
{
    gRecvData = QString::fromLatin1(line);
    gRecvEnd = true;
    m_timeout.stop();
    // The copies the previous exchange left to expect end here; a reply that came only
    // after the line had gone again may be followed by copies of its own, and so may a
    // held copy taken for the reply, whose line's own answer may still be on its way.
    // Any reply may come twice from a controller that answers twice; a "0%%" line said again
    // is the controller's state again, never a copy.
    m_lastAnswered = true;
    m_held.clear();
    m_heldUntilQuiet = false;
    m_copyQuiet.stop();
    m_repeatLine = line;
    m_repeatFor = m_lastSent;
    m_repeatsLeft = m_resends;
    m_ownReplyMayFollow = heldCopy;
    m_copyMayFollow = !isUnsolicited(line);
    endWait();
}

bool SerialLink::takeRepeat(const QByteArray &line)
{
    if (!copiesMayCome() || line != m_repeatLine)
        return false;
    if (m_repeatsLeft > 0)
        --m_repeatsLeft;
    else
        m_ownReplyMayFollow = false;
    return true;
}

void SerialLink::forgetRepeats()
{
    m_lastSent.clear();
    m_resends = 0;
    m_lastAnswered = true;
    m_repeatLine.clear();
    m_repeatFor.clear();
    m_repeatsLeft = 0;
    m_ownReplyMayFollow = false;
    m_held.clear();
    m_copyMayFollow = false;
    m_heldUntilQuiet = false;
    m_copyOnItsWay = false;
    m_cutHead.clear();
    m_copyQuiet.stop();
}

// The controller answers the sends it had queued at once after the late reply: their
// copies are taken in and dropped before the next command goes. Whatever stays away longer
// is recognised once the next command is out.
void SerialLink::readWithin(int ms, const std::function<bool()> &more)
{
    QElapsedTimer since;
    since.start();
    while (more() && m_port.isOpen() && !m_lost) {
        const qint64 left = ms - since.elapsed();
        if (left <= 0)
            break;
        if (!m_port.waitForReadyRead(int(left))) {
            if (m_port.error() == QSerialPort::TimeoutError)
                m_port.clearError();
            break;
        }
        readPending();
        deliverLines();
    }
}

void SerialLink::awaitRepeats()
{
    readWithin(kRepeatQuietMs, [this] { return copiesMayCome(); });
}

bool SerialLink::send(const QByteArray &line, int replyLength)
{
    if (!m_port.isOpen() || m_lost)
        return false;
    // Whatever came before this command is no answer to it.
    m_waiting = false;
    m_held.clear();
    m_heldUntilQuiet = false;
    m_copyQuiet.stop();
    if (m_lastAnswered && copiesMayCome())
        awaitRepeats();
    if (m_lost || !m_port.isOpen())
        return false;
    if (m_port.waitForReadyRead(0) == false && m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    if (m_lost || !m_port.isOpen())
        return false;
    readPending();
    deliverLines();
    const bool resend = line == m_lastSent && !m_lastAnswered;
    m_expectedLength = replyLength;
    m_copyOnItsWay = false;
    m_cutHead.clear();
    if (resend && isHeadOfReply(line)) {
        // The reply the time-out cut is still arriving: its rest completes it.
    } else if (!resend && isCopyOnItsWay()) {
        m_copyOnItsWay = true;
    } else {
        // A head that stopped growing is never glued to what comes next; only a line that
        // cannot be a reply by itself, and completes it, is taken for its rest.
        if (resend && couldBeginReply(line, m_assembler.partial()))
            m_cutHead = m_assembler.partial();
        m_assembler.clear();
        gRecvBuf.clear();
    }
    if (!m_port.isOpen())
        return false;

    gRecvEnd = false;
    m_resends = resend ? m_resends + 1 : 0;
    m_lastSent = line;
    m_lastAnswered = false;
    const QByteArray frame = line + "\r\n";
    if (m_port.write(frame) != frame.size())
        return false;
    m_port.flush();
    return !m_lost && m_port.isOpen();
}

void SerialLink::waitForAnswer(int timeoutMs, bool watchStop)
{
    m_waiting = true;
    m_timeout.start(timeoutMs > 0 ? timeoutMs : kUnboundedWaitMs);
    if (watchStop || timeoutMs <= 0)
        m_stopPoll.start();
    readPending();
    deliverLines();
    if (!gRecvEnd && !gTimeOut && !m_lost && !(watchStop && gGrpMoveStop)) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    m_timeout.stop();
    m_stopPoll.stop();
    // A reply that completed while the time-out fired is still the reply: taken in the same
    // turn of the event loop as the time-out, or waiting in the port.
    if (gRecvEnd)
        gTimeOut = false;
    if (!gRecvEnd && gTimeOut && m_port.isOpen() && !m_lost) {
        if (!m_port.waitForReadyRead(0) && m_port.error() == QSerialPort::TimeoutError)
            m_port.clearError();
        readPending();
        deliverLines();
        awaitLineEnd();
        if (gRecvEnd)
            gTimeOut = false;
    }
    // A copy held back that nothing followed was the reply after all, when it answered the
    // line now waiting; the reply of another line never is: that line goes again.
    if (!gRecvEnd && gTimeOut && !m_held.isEmpty()) {
        if (m_heldUntilQuiet) {
            takeAnswer(m_held);
            gTimeOut = false;
        } else if (m_repeatFor == m_lastSent) {
            takeAnswer(m_held, true);
            gTimeOut = false;
        } else {
            qInfo().noquote() << "copy of an earlier reply dropped at the time-out:" << m_held.trimmed();
            m_held.clear();
        }
    }
    m_waiting = false;
    m_copyQuiet.stop();
    m_heldUntilQuiet = false;
    if (!m_lines.isEmpty())
        QTimer::singleShot(0, this, [this] { if (!m_waiting) deliverLines(); });
}

int SerialLink::lineTimeMs() const
{
    const qint64 baud = m_port.baudRate() > 0 ? m_port.baudRate() : 9600;
    return int((LineAssembler::kLongestLine * 10 * 1000 + baud - 1) / baud);
}

// A line the time-out cut is still arriving: at the port's speed it ends within one line
// time, and it may well be the reply.
void SerialLink::awaitLineEnd()
{
    if (!partialIsLive())
        return;
    readWithin(lineTimeMs(), [this] { return !gRecvEnd && !m_assembler.partial().isEmpty(); });
}

void SerialLink::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

qint64 SerialLink::now() const
{
    return m_clock ? m_clock() : steadyMs();
}

// A partial line whose last character came within one line time is still arriving; one
// that stopped growing before that never ends (its rest lost on the wire).
bool SerialLink::partialIsLive() const
{
    if (m_assembler.partial().isEmpty() || m_assembler.discarding())
        return false;
    return now() - m_lastArrivalMs <= lineTimeMs();
}

// The partial line received so far can still be the head of the reply to `line`: it is
// arriving, it repeats the line's command as far as it goes, it holds no line end (a CR
// whose LF was lost ends no reply) and it is shorter than the reply.
bool SerialLink::isHeadOfReply(const QByteArray &line) const
{
    return partialIsLive() && couldBeginReply(line, m_assembler.partial());
}

bool SerialLink::couldBeginReply(const QByteArray &line, const QByteArray &partial) const
{
    if (partial.isEmpty() || m_assembler.discarding())
        return false;
    if (partial.contains('\r') || partial.contains('\n'))
        return false;
    if (m_expectedLength > 0 && partial.size() >= m_expectedLength)
        return false;
    return line.startsWith(partial.left(3));
}

// The first line after a resend that cleared a stalled head: when it cannot be a reply by
// itself (no echo) and completes the head to a reply of the right length, it is the rest of
// the reply the time-out cut, which resumed after all.
QByteArray SerialLink::restOfCutReply(const QByteArray &line) const
{
    const QByteArray echo = m_lastSent.left(3);
    if (line.startsWith(echo))
        return line;
    const QByteArray joined = m_cutHead + line;
    if (!joined.startsWith(echo) || (m_expectedLength > 0 && joined.size() != m_expectedLength))
        return line;
    qInfo().noquote() << "rest of a reply cut by the time-out joined to its head:" << joined.trimmed();
    return joined;
}

// The partial line at a send is the beginning of a second copy of the previous reply.
bool SerialLink::isCopyOnItsWay() const
{
    const QByteArray &partial = m_assembler.partial();
    return m_copyMayFollow && !partial.isEmpty() && !m_assembler.discarding()
           && partial.size() < m_repeatLine.size() && m_repeatLine.startsWith(partial);
}

// Whether a line could be the reply to the line now waiting, as far as the link knows it:
// the command's echo and the reply's length.
bool SerialLink::canAnswer(const QByteArray &line) const
{
    if (!line.startsWith(m_lastSent.left(3)))
        return false;
    return m_expectedLength <= 0 || line.size() == m_expectedLength;
}

// The previous reply met again and nothing followed it for one line time: it is the reply
// (the same answer as before), unless characters are still coming.
void SerialLink::takeHeldAfterQuiet()
{
    if (!m_waiting || gRecvEnd || m_held.isEmpty() || !m_heldUntilQuiet)
        return;
    if (m_arrivals != m_arrivalsAtHold) {
        m_arrivalsAtHold = m_arrivals;
        m_copyQuiet.start(lineTimeMs());
        return;
    }
    takeAnswer(m_held);
}

void SerialLink::endWait()
{
    if (m_loop)
        m_loop->quit();
}

void SerialLink::timerTimeout_Timer()
{
    gTimeOut = true;
    m_timeout.stop();
    endWait();
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        break;
    default:
        return;
    }
    if (!m_port.isOpen() || m_lost)
        return;
    m_lost = true;
    ++m_losses;
    // Whatever waits for the link ends on it, also between two exchanges.
    gTusinErr = true;
    m_lostReason = m_device + QStringLiteral(": ") + m_port.errorString();
    qWarning().noquote() << "link lost:" << m_lostReason;
    endWait();
    // Closing from inside the port's own signal is left to the next turn of the event loop.
    // A sender in its exchange reports the loss itself, with its own outcome.
    const bool senderReports = m_inExchange;
    const int generation = m_generation;
    QTimer::singleShot(0, this, [this, senderReports, generation] {
        if (generation != m_generation)
            return; // the port has been opened afresh meanwhile
        close();
        if (senderReports)
            return;
        SetOfflineMode();
        tellFailure(LoadResText(108) + QStringLiteral("\r\n") + m_lostReason);
    });
}

} // namespace link

using link::SerialLink;

int CommPortOpen()
{
    return SerialLink::instance().open() ? 0 : 1;
}

int CommPortOpen2()
{
    return CommPortOpen();
}

void CommPortClose()
{
    if (!gPortOccupy)
        SerialLink::instance().close();
}

void CommPortCloseForce()
{
    SerialLink::instance().close();
}

bool CommPortIsOpen()
{
    return SerialLink::instance().isOpen();
}

void EnableTimer2()
{
    SerialLink::instance().timer2().start();
}

void Timer2_Timer()
{
    if (!link::takeParameterWindowRequest())
        return;
    SerialLink::instance().timer2().stop();
    link::openParameterWindow();
}
