#pragma once

#include <functional>

// Online and offline mode. The main window's online lamp follows it through a hook that the
// main window fills in when it exists.
void SetOnlineMode();
void SetOfflineMode();
// 0: go offline; 1: stay online. Asks only while online.
int ConfirmOffline();

void setOnlineLampHook(std::function<void(bool shown)> hook);

// Waits the given milliseconds while every window stays live. Each wait has its own timer
// and loop, so a wait begun inside another (from a handler run meanwhile) ends on its own.
void MsecTimerWait(int ms);
