#include "link/LinkHooks.h"

namespace link {

namespace {
AlarmPanel g_panel;
std::function<void(const AlarmPanel &)> g_alarmHook;
std::function<void(bool)> g_homeHook;
std::function<void(int, const QString &)> g_statusHook;
std::function<bool()> g_takeRequest;
std::function<void()> g_openParameter;
} // namespace

const AlarmPanel &alarmPanel()
{
    return g_panel;
}

void setAlarmPanel(const AlarmPanel &panel)
{
    g_panel = panel;
    if (g_alarmHook)
        g_alarmHook(g_panel);
}

void setAlarmPanelHook(std::function<void(const AlarmPanel &)> hook)
{
    g_alarmHook = std::move(hook);
}

void showHomeLamp(bool shown)
{
    if (g_homeHook)
        g_homeHook(shown);
}

void setHomeLampHook(std::function<void(bool)> hook)
{
    g_homeHook = std::move(hook);
}

void showStatusPanel(int panel, const QString &text)
{
    if (g_statusHook)
        g_statusHook(panel, text);
}

void setStatusPanelHook(std::function<void(int, const QString &)> hook)
{
    g_statusHook = std::move(hook);
}

void setParameterWindowHooks(std::function<bool()> takeRequest, std::function<void()> open)
{
    g_takeRequest = std::move(takeRequest);
    g_openParameter = std::move(open);
}

bool takeParameterWindowRequest()
{
    return g_takeRequest && g_takeRequest();
}

void openParameterWindow()
{
    if (g_openParameter)
        g_openParameter();
}

void resetLinkHooks()
{
    g_panel = AlarmPanel();
    g_alarmHook = nullptr;
    g_homeHook = nullptr;
    g_statusHook = nullptr;
    g_takeRequest = nullptr;
    g_openParameter = nullptr;
}

} // namespace link
