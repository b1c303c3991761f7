#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// What every command builder and transfer shares: one exchange framed by the reply time-out
// and the exchange flag, the port preparation, and the checks of a reply's fields.
namespace link {

enum class Via { Resend, Once, Silent }; // SendCmdToCt, SendCmdToCt2, SendCmdToCt3

// gTimeOutMs = timeoutMs and gTusinNow set around the sender; gTusinNow is cleared after
// it unless `keepBusy`. The sender's result.
int exchange(Via via, const QString &command, const QString &argument, int replyLength,
             int timeoutMs = 1000, bool keepBusy = false);

// Opens the port, up to six attempts 100 ms apart, with a counter of its own; silent.
bool openPortWithTries(bool secondName = false);
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
// Link failures told so far in this process.
int toldFailures();
// Set up where a command begins: whether the link has told a failure since. A command adds
// its own failure message only when the link has told nothing, so that the operator sees
// one box for one failure.
class TellWatch
{
public:
    bool linkTold() const { return toldFailures() != m_start; }

private:
    int m_start = toldFailures();
};

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

// "0CM" "00" without a message: the controller leaves its transfer or write mode on a way
// out after a failure that has been told already. True when it answered.
bool leaveTransferModeSilently();

} // namespace link
