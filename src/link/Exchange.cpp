#include "link/Exchange.h"

#include "tables/DevSetting.h"
#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/MsecTimerWait.h"
#include "link/OnlineMode.h"
#include "link/CommandSet.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"

#include <QList>

#include <utility>

namespace link {

int exchange(Via via, const QString &command, const QString &argument, int replyLength,
             int timeoutMs, bool keepBusy)
{
    // Commands are refused while the reply is awaited, whoever started the exchange.
    BusyGuard busy;
    gTimeOutMs = timeoutMs;
    gTusinNow = true;
    int result = 1;
    switch (via) {
    case Via::Resend:
        result = SendCmdToCt(command, replyLength, argument);
        break;
    case Via::Once:
        result = SendCmdToCt2(command, replyLength, argument);
        break;
    case Via::Silent:
        result = SendCmdToCt3(command, replyLength, argument);
        break;
    }
    if (!keepBusy)
        gTusinNow = false;
    return result;
}

bool withLinkTries(const std::function<bool()> &attempt, int *failedTries)
{
    for (int failed = 0;;) {
        const bool done = attempt();
        if (!done)
            ++failed;
        if (failedTries)
            *failedTries = failed;
        if (done)
            return true;
        if (failed >= kPortOpenTries)
            return false;
        MsecTimerWait(kPortOpenPauseMs);
    }
}

bool openPortWithTries(bool secondName, const std::function<void()> &afterTry)
{
    gRetryCount = 0;
    return withLinkTries(
        [&] {
            const bool opened = (secondName ? CommPortOpen2() : CommPortOpen()) == 0;
            if (afterTry)
                afterTry();
            return opened;
        },
        &gRetryCount);
}

int preparePort(bool secondName)
{
    if (!openPortWithTries(secondName))
        return 1;
    return CtCommModeOn();
}

QString portOpenFailureText()
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = LoadResText(109) + crlf + crlf + LoadResText(110);
    const QString reason = SerialLink::instance().lastOpenError();
    if (!reason.isEmpty())
        text += crlf + reason;
    return text;
}

int usedAxisMask()
{
    int mask = 0;
    for (int i = 0; i < kAxisCount; ++i)
        if (!gAxisUnused[i])
            mask |= 1 << i;
    return mask;
}

std::optional<qint64> hexValue(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 15)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar ch : digits) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'0' && c <= u'9')
            v = c - u'0';
        else if (c >= u'A' && c <= u'F')
            v = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            v = c - u'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + v;
    }
    return value;
}

std::optional<qint64> replyHex(int from, int count)
{
    if (from < 1 || count < 1 || gRecvData.size() < from - 1 + count)
        return std::nullopt;
    return hexValue(QStringView(gRecvData).mid(from - 1, count));
}

bool replyRecordIs(int from, const QString &record)
{
    return gRecvData.mid(from - 1, record.size()) == record;
}

int refuseReply()
{
    CommPortClose();
    gTusinErr = true;
    SetOfflineMode();
    tellFailure(LoadResText(104));
    return 1;
}

int refuseTransmit()
{
    CommPortClose();
    gTusinErr = true;
    tellFailure(ResLines({384, 385}));
    return 1;
}

LossWatch::LossWatch()
    : m_start(SerialLink::instance().losses())
{
}

bool LossWatch::lost() const
{
    return SerialLink::instance().losses() != m_start;
}

namespace {
int g_toldFailures = 0;
// Innermost last; a hold may end out of order (the jog window's lives across events).
QList<HeldTells *> g_holds;
} // namespace

void tellFailure(const QString &text)
{
    ++g_toldFailures;
    if (!g_holds.isEmpty()) {
        g_holds.last()->m_texts.append(text);
        return;
    }
    platform::msgBox(text);
}

HeldTells::HeldTells()
{
    g_holds.append(this);
}

HeldTells::~HeldTells()
{
    const qsizetype at = g_holds.indexOf(this);
    g_holds.removeAt(at);
    HeldTells *outer = at > 0 ? g_holds.at(at - 1) : nullptr;
    // A failure nobody took is still told: none is ever lost.
    for (const QString &text : std::as_const(m_texts)) {
        if (outer)
            outer->m_texts.append(text);
        else
            platform::msgBox(text);
    }
}

QStringList HeldTells::take()
{
    return std::exchange(m_texts, {});
}

QStringList heldTells(const std::function<void()> &step)
{
    HeldTells held;
    step();
    return held.take();
}

bool LinkStep::followUp(const QString &text, int style) const
{
    const QString shown = followUpText(text);
    if (shown.isEmpty())
        return false;
    platform::msgBox(shown, style);
    return true;
}

QString LinkStep::followUpText(const QString &text) const
{
    return failed() && !m_linkTold ? text : QString();
}

LinkStep runStep(const std::function<int()> &step)
{
    const int before = g_toldFailures;
    const int result = step();
    return LinkStep(result, g_toldFailures != before);
}

int runStepOrTell(const std::function<int()> &step, const QString &followUp)
{
    const LinkStep done = runStep(step);
    done.followUp(followUp);
    return done.result();
}

bool leaveTransferModeSilently()
{
    const bool left = exchange(Via::Silent, QStringLiteral("0CM"), cmd::commModeArgument(0, 0), 7) == 0;
    gTusinNow = false;
    return left;
}

} // namespace link
