#pragma once

#include <QString>
#include <functional>

// What the link shows on the main window goes through these hooks, which the main window
// fills in when it exists. Without a hook the link only keeps the state, so it works and is
// tested without any window.
namespace link {

// The alarm panel: lamp imgAlarmLed, number lblAlarmNo, comment lblErrorComment.
struct AlarmPanel
{
    bool lampShown = false;
    QString alarmNo;
    QString comment = QStringLiteral("No Error");
};

// The panel as it stands; a main window created later shows this first.
const AlarmPanel &alarmPanel();
void setAlarmPanel(const AlarmPanel &panel);
void setAlarmPanelHook(std::function<void(const AlarmPanel &)> hook);

// The home lamp imgHomeGreen.
void showHomeLamp(bool shown);
void setHomeLampHook(std::function<void(bool shown)> hook);

// A panel of the status bar sbStatusBar (1 = the controller version).
void showStatusPanel(int panel, const QString &text);
void setStatusPanelHook(std::function<void(int panel, const QString &text)> hook);

// The deferred opening of the parameter window (Timer2): `takeRequest` tests and clears the
// request flag of the online actuator window, `open` shows the parameter window.
void setParameterWindowHooks(std::function<bool()> takeRequest, std::function<void()> open);
bool takeParameterWindowRequest();
void openParameterWindow();

// Drops every hook and resets the panel (tests).
void resetLinkHooks();

} // namespace link
