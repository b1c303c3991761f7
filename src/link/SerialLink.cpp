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
        gPortNo = platform::SettingsStore::numberOr(QStringLiteral("PortNo"), settings::kDefPortNo);
    if (m_port.isOpen())
        return true;
    m_device = deviceForPort(gPortNo);
    m_port.setPortName(m_device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
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
            const QByteArray line = m_lines.takeFirst();
            if (!m_held.isEmpty())
                qInfo().noquote() << "copy of the previous reply dropped:" << m_held.trimmed();
            m_held.clear();
            if (takeRepeat(line)) {
                m_held = line;
                continue;
            }
            takeAnswer(line);
            return;
        }
        const QByteArray line = m_lines.takeFirst();
        if (takeRepeat(line))
            qInfo().noquote() << "copy of the previous reply dropped:" << line.trimmed();
        else if (isUnsolicited(line))
            takeUnsolicited(line);
        else
            qInfo().noquote() << "line outside an exchange dropped:" << line.trimmed();
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
    m_lastAnswered = true;
    m_held.clear();
    m_repeatLine = m_resends > 0 || heldCopy ? line : QByteArray();
    m_repeatFor = m_lastSent;
    m_repeatsLeft = m_resends;
    m_ownReplyMayFollow = heldCopy;
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

bool SerialLink::send(const QByteArray &line)
{
    if (!m_port.isOpen() || m_lost)
        return false;
    // Whatever came before this command is no answer to it.
    m_waiting = false;
    m_held.clear();
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
    if (!resend || !isHeadOfReply(line)) {
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
        if (m_repeatFor == m_lastSent) {
            takeAnswer(m_held, true);
            gTimeOut = false;
        } else {
            qInfo().noquote() << "copy of an earlier reply dropped at the time-out:" << m_held.trimmed();
            m_held.clear();
        }
    }
    m_waiting = false;
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
    if (m_assembler.partial().isEmpty() || m_assembler.discarding())
        return;
    readWithin(lineTimeMs(), [this] { return !gRecvEnd && !m_assembler.partial().isEmpty(); });
}

// The partial line received so far can begin the reply to `line`: it repeats the line's
// command as far as it goes.
bool SerialLink::isHeadOfReply(const QByteArray &line) const
{
    const QByteArray &partial = m_assembler.partial();
    if (partial.isEmpty() || m_assembler.discarding())
        return false;
    const QByteArray echo = partial.left(3);
    return line.startsWith(echo);
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
