#pragma once

#include <functional>

namespace app {

// What the main window needs of the link: the link itself unless a test puts a probe in its
// place (an empty probe gives the link back).
struct LinkProbe
{
    std::function<bool()> portOpen;
    std::function<bool()> alarmNow;
    std::function<bool()> eventMsgPending;
    std::function<bool()> exchangeRunning;
    std::function<void()> clearEventMsg;
    std::function<int()> commModeOn2; // 0 when the controller took the command
    std::function<void()> closePort;
};
void setLinkProbe(LinkProbe probe);
const LinkProbe &linkProbe();

} // namespace app
