#include "app/MainLinkProbe.h"

#include "link/CommandSet.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"

namespace {
app::LinkProbe linkItself()
{
    app::LinkProbe p;
    p.portOpen = [] { return CommPortIsOpen(); };
    p.alarmNow = [] { return gAlarmNow; };
    p.eventMsgPending = [] { return gEventMsgFlag; };
    p.exchangeRunning = [] { return gTusinNow; };
    p.clearEventMsg = [] { gEventMsgFlag = false; };
    p.commModeOn2 = [] { return CtCommModeOn2(); };
    // At exit the port closes whatever "PortOccupy" says.
    p.closePort = [] {
        if (CommPortIsOpen())
            CommPortCloseForce();
    };
    return p;
}

app::LinkProbe g_probe = linkItself();
} // namespace

namespace app {

void setLinkProbe(LinkProbe probe)
{
    g_probe = probe.portOpen || probe.closePort || probe.commModeOn2 ? std::move(probe) : linkItself();
}

const LinkProbe &linkProbe()
{
    return g_probe;
}

} // namespace app
