#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

// A stand-in for the QZ-K4 controller on a pseudo-terminal. The program opens the device
// path as its serial port; the simulator serves the other end from a thread of its own, so
// the real serial code runs against it.
//
// Replies (CR LF ends every line; the length counts it):
//   "0CM" + "1" or "0"           -> "0CM" + the argument                     (6)
//   "0CM" + axis mask + mode     -> "0CM0" + the mode digit                  (7)
//   "0RD" + block 0..C           -> "0RD" + block + 32 hex digits            (38)
//   "0WD" + block + 32 digits    -> "0WD" + block; the block is stored       (6)
//   "0WE" + kind                 -> "0WE" + kind                             (6)
//   "0RV"                        -> "0RV" + version "1.0" + "K" + model "4" + "R"  (11)
//   "0RV" + axis 1..4            -> "0RV" + axis + version "1.0" + "K4R"     (12)
// Block 0 starts with the axis mask 0F in byte 6 (all four axes); other blocks are zero.
// Unsolicited lines: "0%%" + state ("0" no alarm) + "0" + code (8 with CR LF).
// A command the table does not hold gets no answer.
namespace sim {

struct ReceivedLine
{
    qint64 msecsSinceEpoch = 0; // wall-clock time stamp
    QByteArray line;            // without CR LF
};

enum class FaultKind {
    Silence,           // no answer
    Delay,             // answer after delayMs (paced or inTurn: what follows waits behind it)
    WrongEcho,         // the first three characters become "0XX"
    WrongRecord,       // character 4 (the record or block digit) changes
    WrongLength,       // lengthDelta characters fewer (negative) or more before CR LF
    NotHex,            // the character at offset becomes "G"
    Split,             // written in two pieces, cut at offset, delayMs apart; with cutAtMs
                       // >= 0 the first piece has arrived cutAtMs after the line began
                       // to arrive (paced: the piece is on the line just before that)
    UnsolicitedInstead,// the unsolicited line in place of the answer
    UnsolicitedBefore, // the unsolicited line, then the answer, in one write
    UnsolicitedAfter,  // the answer, then the unsolicited line, in one write
    Vanish,            // the port disappears instead of answering
    LineEndLost,       // the answer's line end (lostEnd: its LF, or CR LF) is lost on the wire
    CutForGood,        // only the answer's first offset characters (-1: 5) go out, never the rest
    Twice,             // the answer goes out twice (copyMeetsNext: the copy only once the
                       // next line has arrived, before that line's answer)
    LateThenResend     // a busy controller: the answer to the line comes only once the line
                       // has been sent again, and the resend is answered at once after it
                       // (with holdResendAnswer, only when the next line arrives: its copy
                       // then meets the next command); no other fault sees the resend
};

// A fault applies to the lines that match `match` (three characters: that command; more:
// that exact line; empty: every line), counted from the moment it is added: occurrences
// `first` to `last` (1-based). The first fault that applies to a line decides.
struct Fault
{
    FaultKind kind = FaultKind::Silence;
    QByteArray match;
    int first = 1;
    int last = INT_MAX;
    int delayMs = 0;
    int offset = -1;      // Split: where to cut (-1: the middle); NotHex: which character (-1: 4)
    int lengthDelta = -1; // WrongLength
    int cutAtMs = -1;     // Split
    bool inTurn = false;  // Delay: later answers go out after this one, as a controller's do
    bool holdResendAnswer = false; // LateThenResend
    bool copyMeetsNext = false;    // Twice
    QByteArray lostEnd = "\n";    // LineEndLost
    QByteArray unsolicited = "0%%0000";

    static Fault always(FaultKind kind, const QByteArray &match = {});
    static Fault nth(FaultKind kind, const QByteArray &match, int n);
    // Silence for the first k - 1 sends of `match`: only the k-th is answered.
    static Fault answerOnly(const QByteArray &match, int k);
    // LateThenResend for the n-th line that matches.
    static Fault late(const QByteArray &match, int n, bool holdResendAnswer);
    // The n-th reply comes only long after the link's reply time-out (1 s) has given up on
    // it, so that no load on the machine lets it pass for in time: the test has ended before
    // it could arrive, and the next clearFaults() drops it.
    static Fault longAfterTheTimeOut(const QByteArray &match, int n);
    // A controller that stays slow: lines first .. first + count - 1 that match (resends
    // counted) are answered after delayMs.
    static Fault slow(const QByteArray &match, int first, int count, int delayMs);
    // The n-th reply cut by the reply time-out: its first half has arrived cutAtMs after the
    // line began to arrive, the rest follows gapMs later.
    static Fault straddle(const QByteArray &match, int n, int cutAtMs, int gapMs);
    // The n-th reply without its LF (withCr false: without CR LF).
    static Fault lineEndLost(const QByteArray &match, int n, bool withCr = true);
    // The n-th reply stops after its first `head` characters and never ends.
    static Fault cutForGood(const QByteArray &match, int n, int head = 5);
    // The n-th reply goes out twice.
    static Fault twice(const QByteArray &match, int n, bool copyMeetsNext);
};

class ControllerSim
{
public:
    using Reply = std::function<QByteArray(const QByteArray &argument)>; // empty: no answer

    ControllerSim();
    ~ControllerSim();
    ControllerSim(const ControllerSim &) = delete;
    ControllerSim &operator=(const ControllerSim &) = delete;

    // Creates the pseudo-terminal and starts serving; false with the reason on failure.
    bool start(QString *error = nullptr);
    void stop();
    QString devicePath() const { return m_devicePath; }

    // The command table: a reply builder per command; the reply length is the line it
    // returns plus CR LF.
    void setHandler(const QByteArray &command, Reply reply);

    void addFault(const Fault &fault);
    void clearFaults();
    // 960 characters a second each way, as a 9600-baud line carries them.
    void setPaced(bool paced);

    // A line sent by the controller on its own (CR LF is added).
    void sendUnsolicited(const QByteArray &line);
    // Characters as they stand, without a line end of their own.
    void sendRaw(const QByteArray &bytes);
    static QByteArray unsolicitedLine(char state, char code);
    // The port disappears now.
    void vanish();

    QList<ReceivedLine> received() const;
    QStringList receivedLines() const;
    void clearReceived();
    // Waits until at least `count` lines have been received; false after `timeoutMs`.
    bool waitForReceived(int count, int timeoutMs = 5000) const;
    // Waits until at least `bytes` characters wait, unread, at the program's end of the
    // line; false after `timeoutMs`.
    bool waitForUnread(int bytes, int timeoutMs = 5000) const;

    void setBlock(int block, const QByteArray &bytes16);
    QByteArray block(int block) const;

private:
    using Clock = std::chrono::steady_clock;

    void run();
    void handleLine(const QByteArray &line, Clock::time_point firstByte);
    QByteArray answerTo(const QByteArray &line) const;
    void queueOutput(const QByteArray &bytes, Clock::time_point notBefore);
    void writeDue();
    void closeFds();
    void wake();
    void installDefaultHandlers();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_receivedChanged;
    std::thread m_thread;
    bool m_stop = false;
    int m_master = -1;
    int m_slave = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    QString m_devicePath;
    bool m_paced = false;
    bool m_vanishRequested = false;
    QList<QByteArray> m_pushQueue;

    QHash<QByteArray, Reply> m_handlers;
    struct ActiveFault
    {
        Fault fault;
        int seen = 0;
    };
    QList<ActiveFault> m_faults;
    QList<ReceivedLine> m_received;
    QByteArray m_blocks[13];
    QByteArray m_partial;
    // LateThenResend: the line whose answer waits for its resend, that answer, and the
    // answer to the resend (or Twice's copy) while it waits for the next line.
    QByteArray m_lateLine;
    QByteArray m_lateAnswer;
    bool m_lateHold = false;
    QByteArray m_heldCopy;
    Clock::time_point m_lineStart;
    std::multimap<Clock::time_point, QByteArray> m_output;
    Clock::time_point m_wireFree; // paced: when the line is free for the next character
    Clock::time_point m_inTurnAfter; // unpaced: nothing goes out before a slow answer owed
};

} // namespace sim
