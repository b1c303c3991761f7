#include "operation/JogControl.h"
#include "link/OnlineMode.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "operation/JogCommand.h"
#include "operation/JogDisplay.h"
#include "platform/Dialogs.h"
#include "positions/PosiGridText.h"

#include <QCoreApplication>
#include <QDebug>
#include <QList>

namespace {
// Every jog control alive, for the stop at the program's end.
QList<JogControl *> g_controls;
// The failures after the first follow from it; the operator reads the first.
QString firstFailure(const QStringList &failures)
{
    for (qsizetype i = 1; i < failures.size(); ++i)
        qInfo().noquote() << "link failure kept behind the first:" << failures.at(i);
    return failures.value(0);
}

} // namespace

JogControl::JogControl(JogDisplay &display)
    : m_display(display)
{
    g_controls.append(this);
}

JogControl::~JogControl()
{
    g_controls.removeOne(this);
    releaseHeldFailures();
}

void JogControl::holdLinkFailures()
{
    if (!m_hold)
        m_hold = std::make_unique<link::HeldTells>();
}

void JogControl::releaseHeldFailures()
{
    if (!m_hold)
        return;
    const QString held = firstFailure(m_hold->take());
    m_hold.reset();
    if (!held.isEmpty())
        platform::msgBox(held);
}

int JogControl::failStart()
{
    // Every way out of a failed start leaves the link free and the port closed.
    gTusinNow = false;
    JogEnd();
    return 1;
}

int JogControl::start()
{
    BusyGuard busy;
    m_display.enableStart(false);
    leaveOfflineForExchange();

    // One failure, one box: the link's own when it told one.
    const auto enterJogMode = [] {
        int mode = 2;
        return SetCtCommMode(0, mode);
    };
    if (link::runStepOrTell(enterJogMode, LoadResText(377)) != 0)
        return failStart();
    if (ReadAxisUse() != 0)
        return failStart();
    gTusinNow = true;
    if (ReadHomeStatus() != 0)
        return failStart();
    const std::optional<qint64> home = link::replyHex(4, 1);
    if (home && *home == 0) {
        if (SendMoveCmd(0, 1) != 0)
            return failStart();
        for (;;) {
            const int ready = ReadCtRAStatus();
            if (ready == 1)
                break;
            if (ready == -1)
                return failStart();
            QCoreApplication::processEvents();
        }
    }
    const int read = ReadnDisp_PresentPos();
    gTusinNow = false;
    if (read != 0)
        return failStart();
    if (ReadAxisBlock() != 0)
        return failStart();

    bool lit[4];
    for (int a = 0; a < 4; ++a) {
        m_maxPos[a] = gAxisUnused[a] ? 0 : gAxisStrokeLimit[a];
        lit[a] = !gAxisUnused[a];
    }
    m_display.setPositionLabelsLit(lit);
    m_display.enableJogControls();

    for (Entry &e : m_queue)
        e = Entry();
    m_tusinDACount = -1;
    m_needTusin = false;
    m_tusinCounter = 0;
    m_stopTimer = false;
    m_running = true;
    m_loss = link::LossWatch();
    m_display.setCommTimer(true);
    return 0;
}

void JogControl::append(const Entry &entry)
{
    if (m_tusinDACount >= kSlots - 1)
        return;
    ++m_tusinDACount;
    m_queue[m_tusinDACount] = entry;
    m_queue[m_tusinDACount].serial = ++m_nextSerial;
    m_needTusin = true;
}

void JogControl::removeAt(int slot)
{
    for (int k = slot; k < kSlots - 1; ++k)
        m_queue[k] = m_queue[k + 1];
    m_queue[kSlots - 1] = Entry();
    if (m_tusinDACount >= 0)
        --m_tusinDACount;
    if (m_tusinDACount == -1)
        m_needTusin = false;
}

JogControl::Entry JogControl::takeHead()
{
    const Entry head = m_queue[0];
    removeAt(0);
    return head;
}

int JogControl::queuedFeed() const
{
    for (int k = m_tusinDACount; k >= 0; --k) {
        if (m_queue[k].command.startsWith(QLatin1String("0JR")))
            return k;
    }
    return -1;
}

bool JogControl::dropQueuedFeed()
{
    const int k = queuedFeed();
    if (k < 0)
        return false;
    removeAt(k);
    return true;
}

bool JogControl::press(int button, int option, int velocity)
{
    // A second press of the held button would queue a feed whose release drops it instead of
    // stopping the one that runs.
    if (m_feedSent || queuedFeed() >= 0)
        return false;
    // A JOG feed keeps the last slot for the stop its release queues.
    const int lastFree = option == 0 ? kSlots - 3 : kSlots - 2;
    if (!m_delayTimeup || m_tusinDACount > lastFree)
        return false;
    m_delayTimeup = false;
    m_display.startPressGate();
    Entry e;
    e.replyLength = 5;
    if (option == 0) {
        e.command = operation::jog::jogFeedCommand(button, velocity);
    } else {
        e.command = QStringLiteral("0MV");
        e.amount = operation::jog::inchingAmount(option);
        e.button = button;
    }
    append(e);
    return true;
}

void JogControl::release(int button, int option)
{
    Q_UNUSED(button);
    // A feed not sent yet is dropped with its stop: nothing moves once the hand has left. One
    // that has been sent is stopped, whatever else was queued.
    const bool dropped = dropQueuedFeed();
    if (m_feedSent) {
        stopFeed();
        return;
    }
    if (dropped || option != 0 || !m_running)
        return;
    // The release of a press the gate ignored still asks for a stop.
    Entry e;
    e.command = QStringLiteral("0SP");
    e.replyLength = 5;
    append(e);
}

bool JogControl::exchangeUnderWay()
{
    return gTusinNow || link::SerialLink::instance().inExchange();
}

bool JogControl::stopFeed()
{
    if (!m_feedSent) {
        if (!m_moveSent)
            releaseHeldFailures();
        return true;
    }
    if (exchangeUnderWay()) {
        m_stopDeferred = true;
        return false;
    }
    m_stopDeferred = false;
    gTimeOutMs = 1000;
    gTusinNow = true;
    link::SerialLink &serial = link::SerialLink::instance();
    bool stopped = false;
    QStringList failures = m_hold ? m_hold->take() : QStringList();
    {
        link::HeldTells hold;
        // A port that vanished gets one attempt to open, not a round of them: the owed stop
        // goes as soon as the port is back.
        if (!serial.linkLost() || serial.isOpen() || CommPortOpen() == 0)
            stopped = SendCmdToCt(QStringLiteral("0SP"), 5, QString()) == 0;
        failures += hold.take();
    }
    gTusinNow = false;
    // Tried with every resend: later ways out do not repeat the attempt, the link does.
    m_feedSent = false;
    m_moveSent = false;
    if (!stopped)
        serial.setStopOwed(true);
    // One box: the first failure held, the one before the stop when there was one.
    m_hold.reset();
    const QString failure = firstFailure(failures);
    if (!failure.isEmpty())
        platform::msgBox(failure);
    if (!stopped)
        ResMsgBox({2901}, platform::MbExclamation);
    settle();
    return stopped;
}

void JogControl::windowGoes()
{
    stopFeed();
    if (m_feedSent)
        return; // deferred behind the exchange under way
    m_moveSent = false;
    releaseHeldFailures();
}

bool JogControl::stopEveryFeedBeforeExit()
{
    if (exchangeUnderWay())
        return false;
    for (JogControl *control : std::as_const(g_controls)) {
        for (Entry &e : control->m_queue)
            e = Entry();
        control->m_tusinDACount = -1;
        control->m_needTusin = false;
        control->m_pendingAction = nullptr;
        if (!control->m_feedSent && !control->m_moveSent)
            continue;
        // The stop goes with any other the link owes, once (operation::settleControllerBeforeExit).
        link::SerialLink::instance().setStopOwed(true);
        control->m_feedSent = false;
        control->m_moveSent = false;
        if (control->m_hold)
            control->m_hold->take(); // the program is going: no box
        control->m_hold.reset();
    }
    return true;
}

void JogControl::whenLinkFree(std::function<void()> action)
{
    if (!exchangeUnderWay()) {
        action();
        return;
    }
    if (!m_pendingAction)
        m_pendingAction = std::move(action);
}

void JogControl::settle()
{
    if (exchangeUnderWay())
        return;
    if (m_stopDeferred && m_feedSent) {
        stopFeed(); // settles again when it is done
        return;
    }
    m_stopDeferred = false;
    if (m_pendingAction) {
        const std::function<void()> action = std::move(m_pendingAction);
        m_pendingAction = nullptr;
        action();
    }
}

void JogControl::stopTimer()
{
    gTusinNow = false;
    m_running = false;
    m_display.setCommTimer(false);
    // A failed exchange ends a feed too: its stop first, then the controls go grey. An inching
    // move the failure left unknown is stopped the same way.
    if (m_moveSent)
        m_feedSent = true;
    stopFeed();
    m_display.JogCMDBTN_Muko();
}

void JogControl::timerTusin_Timer()
{
    if (m_stopTimer) {
        stopTimer();
        return;
    }
    if (exchangeUnderWay())
        return;
    // A port lost since the start ends the ticks as a failed tick does, though it came back:
    // nothing queued before the loss goes, the feed's stop does.
    if (m_running && m_loss.lost()) {
        stopTimer();
        return;
    }
    tick();
    settle();
}

void JogControl::tick()
{
    m_tusinCounter = (m_tusinCounter + 1) % 4;
    if (m_tusinCounter == 3) {
        if (ReadnDisp_PresentPos() != 0) {
            stopTimer();
            return;
        }
        gTusinNow = false;
        return;
    }
    if (!m_needTusin)
        return;
    if (m_queue[0].command.isEmpty()) {
        m_tusinDACount = -1;
        m_needTusin = false;
        return;
    }
    const quint32 serial = m_queue[0].serial;
    const QString command = m_queue[0].command;
    if (command.startsWith(QLatin1String("0JR")) || command.startsWith(QLatin1String("0MV"))) {
        gTusinNow = true;
        const int ready = ReadCtRAStatus();
        gTusinNow = false;
        if (ready == -1) {
            stopTimer();
            return;
        }
        if (ready == 0)
            return;
        // Ready: the inching move sent before has ended.
        m_moveSent = false;
        if (!m_feedSent)
            releaseHeldFailures();
    }
    if (command == QLatin1String("0MV")) {
        if (ReadnDisp_PresentPos() != 0) {
            stopTimer();
            return;
        }
        gTusinNow = false;
    }
    // A release during the waits above may have taken the entry away.
    if (m_queue[0].serial != serial || m_queue[0].command.isEmpty())
        return;
    if (command == QLatin1String("0MV"))
        JogCmdMake(m_queue[0].amount, m_queue[0].button);
    const Entry entry = takeHead();
    const bool feed = entry.command.startsWith(QLatin1String("0JR"));
    const bool move = entry.command.startsWith(QLatin1String("0MV"));
    // From here on the axis may run, whatever the reply says.
    if (feed || move)
        holdLinkFailures();
    if (feed)
        m_feedSent = true;
    if (move)
        m_moveSent = true;
    gTusinNow = true;
    const int sent = SendCmdToCt2(entry.command, entry.replyLength, QString());
    if (sent != 0) {
        stopTimer();
        return;
    }
    if (entry.command == QLatin1String("0SP")) {
        m_feedSent = false;
        m_moveSent = false;
        releaseHeldFailures();
    }
    gTusinNow = false;
}

void JogControl::JogCmdMake(int amount, int button)
{
    const int axis = (button / 2) & 3;
    m_queue[0].command = operation::jog::inchingCommand(amount, button, m_dispPos[axis], m_maxPos[axis]);
    m_queue[0].replyLength = 5;
}

int JogControl::ReadnDisp_PresentPos()
{
    int mask = 0;
    int used = 0;
    for (int a = 0; a < 4; ++a) {
        if (!gAxisUnused[a]) {
            mask |= 1 << a;
            ++used;
        }
    }
    gTimeOutMs = 1000;
    gTusinNow = true;
    if (SendCmdToCt2(QStringLiteral("0RC"), 6 + 5 * used, QString::number(mask, 16).toUpper()) != 0)
        return 1;
    // Every field is decoded before any is taken, so a garbled reply changes nothing.
    qint32 read[4] = {0, 0, 0, 0};
    int from = 5;
    for (int a = 0; a < 4; ++a) {
        if (gAxisUnused[a])
            continue;
        const std::optional<qint64> v = link::replyHex(from, 5);
        if (!v)
            return link::refuseReply();
        read[a] = qint32(*v);
        from += 5;
    }
    for (int a = 0; a < 4; ++a) {
        if (gAxisUnused[a])
            continue;
        m_dispPos[a] = read[a];
        QString text;
        if (gDispMmUnit) {
            const std::optional<double> mm = PulseToMm(gDevLead[a], gDevPPR[a], read[a]);
            // An actuator without lead or pulses per revolution has no millimetres to show.
            text = mm ? positions::posigrid::mmText(*mm) : QString();
        } else {
            text = QString::number(read[a]);
        }
        m_display.showPresentPosition(a, text);
    }
    return 0;
}

void JogControl::JogEnd()
{
    windowGoes();
    for (Entry &e : m_queue)
        e = Entry();
    m_tusinDACount = -1;
    m_needTusin = false;
    m_stopTimer = true;
    m_running = false;
    m_display.JogCMDBTN_Muko();
    m_display.restoreGridState();
    const bool grey[4] = {false, false, false, false};
    m_display.setPositionLabelsLit(grey);
    CommPortClose();
}
