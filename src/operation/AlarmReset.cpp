#include "operation/AlarmReset.h"
#include "link/OnlineMode.h"

#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"

namespace {

void enableResetButton(bool on)
{
    if (MainFormPort *form = core::mainform::form())
        form->setControlEnabled(QStringLiteral("cmdReset"), on);
}

} // namespace

void cmdReset_Click()
{
    BusyGuard busy;
    EditCMD_Muko();
    enableResetButton(false);
    // The reset is the operator's way back from an alarm that put the system offline.
    leaveOfflineForExchange();

    gTimeOutMs = 1000;
    gTusinNow = true;
    int result = 0;
    // A reset that fails while the controller reports an alarm, whether it answered with the
    // alarm or not at all, is told in one box: the link's word and, under it, that the alarm
    // cannot be reset from here.
    const QStringList told = link::heldTells([&result] { result = SendCmdToCt(QStringLiteral("0AR"), 5, QString()); });
    gTusinNow = false;
    QStringList parts;
    if (!told.isEmpty())
        parts << told.join(QStringLiteral("\r\n"));
    if (result != 0 && gAlarmNow)
        parts << ResLines({324, 325});
    if (!parts.isEmpty())
        platform::msgBox(parts.join(QStringLiteral("\r\n\r\n")));

    if (result == 0) {
        if (gRecvData.left(3) == QLatin1String("0AR")) {
            link::AlarmPanel panel;
            panel.lampShown = false;
            panel.alarmNo.clear();
            panel.comment = QStringLiteral("No Error");
            link::setAlarmPanel(panel);
            gEventMsgFlag = false;
            // The controller took the reset: no alarm is reported any more, and a later failed
            // reset is not told as an alarm that stays.
            gAlarmNow = false;
        }
        if (CtCommModeOn() != 0)
            gTusinErr = false;
        CommPortClose();
    }
    enableResetButton(true);
}

namespace operation {

void registerAlarmReset()
{
    core::mainform::setCommand(QStringLiteral("cmdReset_Click"), [] {
        cmdReset_Click();
        return 0;
    });
}

} // namespace operation
