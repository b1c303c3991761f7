#include "link/OnlineMode.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"

namespace {
std::function<void(bool)> g_lampHook;

void showLamp(bool shown)
{
    if (g_lampHook)
        g_lampHook(shown);
}
} // namespace

void setOnlineLampHook(std::function<void(bool)> hook)
{
    g_lampHook = std::move(hook);
}

void SetOnlineMode()
{
    gOfflineMode = false;
    showLamp(true);
}

void SetOfflineMode()
{
    gOfflineMode = true;
    showLamp(false);
}

void leaveOfflineForExchange()
{
    gOfflineMode = false;
}

int ConfirmOffline()
{
    if (gOfflineMode)
        return 0;
    const int answer = ResMsgBox({432}, platform::MbOkCancel | platform::MbQuestion);
    return answer == platform::IdOk ? 0 : 1;
}
