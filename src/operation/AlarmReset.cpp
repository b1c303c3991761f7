#include "operation/AlarmReset.h"
#include "link/OnlineMode.h"

#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"

namespace {

void enableResetButton(bool on)
{
    if (MainFormPort *form = mainform::form())
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
    // The controller that answers the reset with its alarm is told in one box: the link's word
    // on the alarm and, under it, that the alarm cannot be reset from here.
    const QStringList told = link::heldTells([&result] { result = SendCmdToCt(QStringLiteral("0AR"), 5, QString()); });
    gTusinNow = false;
    const QString alarm = link::alarmMessage();
    for (const QString &text : std::as_const(told))
        platform::msgBox(gAlarmNow && text == alarm ? text + QStringLiteral("\r\n\r\n") + ResLines({324, 325}) : text);

    if (result == 0) {
        if (gRecvData.left(3) == QLatin1String("0AR")) {
            link::AlarmPanel panel;
            panel.lampShown = false;
            panel.alarmNo.clear();
            panel.comment = QStringLiteral("No Error");
            link::setAlarmPanel(panel);
            gEventMsgFlag = false;
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
    mainform::setCommand(QStringLiteral("cmdReset_Click"), [] {
        cmdReset_Click();
        return 0;
    });
}

} // namespace operation
