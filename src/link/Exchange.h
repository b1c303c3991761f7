#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

// What every command builder and transfer shares: one exchange framed by the reply time-out
// and the exchange flag, the port preparation, and the checks of a reply's fields.
namespace link {

enum class Via { Resend, Once, Silent }; // SendCmdToCt, SendCmdToCt2, SendCmdToCt3

// gTimeOutMs = timeoutMs and gTusinNow set around the sender; gTusinNow is cleared after
// it unless `keepBusy`. The sender's result.
int exchange(Via via, const QString &command, const QString &argument, int replyLength,
             int timeoutMs = 1000, bool keepBusy = false);

// The link's repeats: a step that may fail for a moment (the port held by another program, a
// controller busy with the last command) is tried up to kPortOpenTries times, kPortOpenPauseMs
// apart, silently. True as soon as `attempt` succeeds; `failedTries`, when given, is left at
// the number of failed tries.
constexpr int kPortOpenTries = 6;
constexpr int kPortOpenPauseMs = 100;
bool withLinkTries(const std::function<bool()> &attempt, int *failedTries = nullptr);
// The one way a command opens the port, with the link's repeats. gRetryCount is left at the
// number of failed tries. `afterTry`, when given, runs after every try (a progress window's
// step).
bool openPortWithTries(bool secondName = false, const std::function<void()> &afterTry = {});
// The port opened, then communication mode ("0CM" "1"); 0 good, 1 failed (silently where
// the port would not open).
int preparePort(bool secondName = false);

// Messages 109 and 110 for a port that would not open, with the system's reason on a line
// of its own when there is one.
QString portOpenFailureText();

// Bit i for every axis i (0 to 3) in use.
int usedAxisMask();

// Hexadecimal digits (either case) as a number; nullopt for no digits or any other character.
std::optional<qint64> hexValue(QStringView digits);

// The hexadecimal field of the last reply from character `from` (counted from 1), `count`
// characters; nullopt when the reply is too short or a character is not a hexadecimal digit.
std::optional<qint64> replyHex(int from, int count);
// The last reply names the record asked for at character `from`.
bool replyRecordIs(int from, const QString &record);

// A reply that passed the sender's checks but answers another record, or carries a field
// that is not hexadecimal: handled as a wrong echo (port closed, exchange failed, offline,
// message 104). Returns 1.
int refuseReply();
// A write whose echo is wrong: port closed, exchange failed, messages 384 and 385. Returns 1.
int refuseTransmit();

// Shows a link failure to the operator and counts it.
void tellFailure(const QString &text);
// What one step of a command that talks to the controller came to: its result (0 good) and
// whether the link told the operator a failure while it ran. A command adds its own failure
// message only through it, so that one failure is one box.
class LinkStep
{
public:
    LinkStep(int result, bool linkTold) : m_result(result), m_linkTold(linkTold) {}
    int result() const { return m_result; }
    bool failed() const { return m_result != 0; }
    bool linkTold() const { return m_linkTold; }
    // The command's own message after a failed step, shown only when the link told nothing
    // while the step ran. True when shown.
    bool followUp(const QString &text, int style = 0) const;
    // The same for a box the command composes itself: the text, or empty when the step did
    // not fail or the link told.
    QString followUpText(const QString &text) const;

private:
    int m_result;
    bool m_linkTold;
};

// Runs one step (0 good) and notes whether the link told a failure meanwhile.
LinkStep runStep(const std::function<int()> &step);
// A step with its follow-up message shown right after it when it failed and the link told
// nothing. The step's result.
int runStepOrTell(const std::function<int()> &step, const QString &followUp);

// Set up where the operator starts a procedure that repeats on its own (a test-move run, the
// jog ticks, the input/output monitoring): whether the port was lost since. After a loss such
// a procedure ends; it never goes on over a port that came back, whatever the operator
// answered to the loss' box.
class LossWatch
{
public:
    LossWatch();
    bool lost() const;

private:
    int m_start;
};

// While one lives, the link's failure texts are kept (and counted as told) instead of shown,
// so that an operation can show them in one box with what the failure leaves behind, or a
// window whose axis may be moving can try its stop before any box stands in the way. Texts
// still kept when it ends go to the hold made before it, or are shown then, one box each.
class HeldTells
{
public:
    HeldTells();
    ~HeldTells();
    HeldTells(const HeldTells &) = delete;
    HeldTells &operator=(const HeldTells &) = delete;
    // The texts kept so far, which are then no longer kept.
    QStringList take();

private:
    friend void tellFailure(const QString &text);
    QStringList m_texts;
};

// Runs one step with the link's failure texts held, and gives them back for the step's own
// box (one failure, one box).
QStringList heldTells(const std::function<void()> &step);

// "0CM" "00" without a message: the controller leaves its transfer or write mode on a way
// out after a failure that has been told already. True when it answered.
bool leaveTransferModeSilently();

// Once the controller was put into transfer mode (`entered`), every way out that has not
// `left` it sends leaveTransferModeSilently, so that the controller is never left in it.
class TransferModeGuard
{
public:
    TransferModeGuard() = default;
    TransferModeGuard(const TransferModeGuard &) = delete;
    TransferModeGuard &operator=(const TransferModeGuard &) = delete;
    ~TransferModeGuard()
    {
        if (m_entered)
            leaveTransferModeSilently();
    }
    void entered() { m_entered = true; }
    void left() { m_entered = false; }

private:
    bool m_entered = false;
};

} // namespace link
