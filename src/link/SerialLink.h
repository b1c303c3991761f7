#pragma once

#include "link/LineAssembler.h"
#include "platform/DeviceLock.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <functional>

class QEventLoop;

namespace link {

// The serial port to the controller with its reception and its reply time-out. One object
// serves the process; it lives apart from every window, so the link runs without them.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    static SerialLink &instance();
    // Closes the port and starts afresh (tests).
    static void resetInstance();

    // The device that port number n stands for.
    static QString deviceForPort(int portNo);

    bool open();
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString lastOpenError() const { return m_lastOpenError; }
    // Characters received and not yet taken by the reception (offline, they stay).
    qint64 pendingInput() const { return m_port.isOpen() ? m_port.bytesAvailable() : 0; }

    // The sender's own in-exchange flag: set from its first step to its result.
    bool inExchange() const { return m_inExchange; }
    void setInExchange(bool on) { m_inExchange = on; }

    // Discards pending input and any partial line (decoding complete unsolicited lines in
    // them), clears gRecvEnd and writes the line with CR LF. False when the port failed.
    // A resent line keeps a partial line only while it can still be the head of its reply
    // (replyLength characters with CR LF; 0: not known): arriving within the last line time,
    // without CR or LF, shorter than the reply, with the line's echo. The time-out cut that
    // reply, and its rest is still coming. Any other partial line is cleared; a stalled head
    // is joined only to a line that is no reply by itself and completes it. A partial line
    // that is the beginning of a copy of the previous reply is kept too, so that the copy is
    // known when it ends.
    // After a reply that came only once the line had been sent again, the controller may
    // still answer the other sends with copies of it: a short quiet interval lets them
    // arrive and be dropped first.
    bool send(const QByteArray &line, int replyLength = 0);
    // Arms the reply time-out and waits for the first complete line, the time-out, a lost
    // link or (with watchStop) the stop request gGrpMoveStop. A timeout of 0 or less arms
    // only the bound for waits the controller may end late. When the time-out falls while a
    // line is partly received, the line is given one line time to end.
    void waitForAnswer(int timeoutMs, bool watchStop);

    // A stop ("0SP") that did not reach the controller while an axis may have been moving:
    // the sender sends it first on the next exchange of any window, and forgets it only once
    // the controller has answered it.
    bool stopOwed() const { return m_stopOwed; }
    void setStopOwed(bool owed) { m_stopOwed = owed; }

    // The port failed while open (a USB adapter pulled out, the peer of a pseudo-terminal
    // gone); cleared by the next opening.
    bool linkLost() const { return m_lost; }
    QString lostReason() const { return m_lostReason; }
    // Losses of the port counted over the process (`link::LossWatch`): a procedure that
    // repeats on its own ends once the count has changed since the operator started it.
    int losses() const { return m_losses; }
    void countLoss() { ++m_losses; }

    // How long a send waits at most for the copies of the previous reply to arrive.
    static constexpr int kRepeatQuietMs = 200;
    // Time the longest reply takes on the line at the port's speed (8N1: ten bits a character).
    int lineTimeMs() const;
    // The clock (milliseconds) the link stamps received characters with; tests put their
    // own in its place, an empty function puts the steady clock back.
    void setClock(std::function<qint64()> clock);
    // Copies of a reply still expected (tests).
    int repeatsExpected() const { return m_repeatsLeft; }
    // Characters dropped as parts of overlong lines so far.
    qint64 droppedCharacters() const { return m_assembler.dropped(); }

    // Bound of a wait without a reply time-out ("0MG" waits for the end of a group move).
    static constexpr int kUnboundedWaitMs = 10 * 60 * 1000;

    QTimer &timer2() { return m_timer2; }

    // Reception (in place of the 1 ms polling timer) and the time-out handler.
    void TimerJusin_Timer();
    void timerTimeout_Timer();

    ~SerialLink() override;

private:
    SerialLink();
    void readPending();
    void deliverLines();
    void takeAnswer(QByteArray line, bool heldCopy = false); // a copy: it may be the held line
    bool takeRepeat(const QByteArray &line);
    bool copiesMayCome() const { return m_repeatsLeft > 0 || m_ownReplyMayFollow; }
    // Reads and delivers what arrives within `ms` while `more` holds and the port lives.
    void readWithin(int ms, const std::function<bool()> &more);
    void awaitRepeats();
    void awaitLineEnd();
    qint64 now() const;
    bool partialIsLive() const;
    bool isHeadOfReply(const QByteArray &line) const;
    bool couldBeginReply(const QByteArray &line, const QByteArray &partial) const;
    QByteArray restOfCutReply(const QByteArray &line) const;
    bool isCopyOnItsWay() const;
    bool canAnswer(const QByteArray &line) const;
    void takeHeldAfterQuiet();
    void forgetRepeats();
    void onError(QSerialPort::SerialPortError error);
    void endWait();

    QSerialPort m_port;
    QTimer m_timeout;
    QTimer m_stopPoll;
    QTimer m_timer2;
    QTimer m_copyQuiet;
    LineAssembler m_assembler;
    QList<QByteArray> m_lines;
    // The line last sent, how often it went again unanswered, and whether a reply came.
    QByteArray m_lastSent;
    int m_resends = 0;
    bool m_lastAnswered = true;
    // The reply of an exchange that needed resends, the line it answered and how many copies
    // of it may follow; a copy met while a reply is awaited is held back until a different
    // line shows it up as a copy, or the time-out makes it the reply after all, but only to
    // the very line it answered: for any other line it is dropped and the line goes again.
    QByteArray m_repeatLine;
    QByteArray m_repeatFor;
    int m_repeatsLeft = 0;
    // A held copy became the reply: the line's own reply may still come, and is a copy too.
    bool m_ownReplyMayFollow = false;
    QByteArray m_held;
    // A controller may answer a line twice: the previous reply met again as the first line
    // of the next exchange is a copy once another line follows it, or the reply itself: at
    // once when the same line waits again, after one line time of quiet when another line
    // with the same echo waits. One copy per reply at most.
    bool m_copyMayFollow = false;
    bool m_heldUntilQuiet = false;
    qint64 m_arrivals = 0;
    qint64 m_arrivalsAtHold = 0;
    // The partial line kept at a send began a copy of the previous reply.
    bool m_copyOnItsWay = false;
    // A head cleared at a resend because it had stopped growing: a line that is its rest
    // (and no reply by itself) is joined to it.
    QByteArray m_cutHead;
    int m_expectedLength = 0;
    qint64 m_lastArrivalMs = 0;
    std::function<qint64()> m_clock;
    QEventLoop *m_loop = nullptr;
    bool m_waiting = false;
    bool m_inExchange = false;
    bool m_lost = false;
    bool m_stopOwed = false;
    int m_losses = 0;
    int m_generation = 0;
    QString m_lostReason;
    QString m_lastOpenError;
    QString m_device;
    platform::DeviceLock m_deviceLock;
};

} // namespace link

// 0: the port is open (it was, or it is now); 1: it could not be opened.
int CommPortOpen();
int CommPortOpen2();
// Closes the port unless "PortOccupy" keeps it open.
void CommPortClose();
// Closes the port whatever "PortOccupy" says.
void CommPortCloseForce();
// The port lamp of the main window follows this.
bool CommPortIsOpen();

// The deferred opening of the parameter window: the online actuator window enables Timer2,
// whose tick opens the parameter window once it has been asked for.
void EnableTimer2();
void Timer2_Timer();
