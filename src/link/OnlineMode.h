#pragma once

#include <functional>

// Online and offline mode. The main window's online lamp follows it through a hook that the
// main window fills in when it exists.
void SetOnlineMode();
void SetOfflineMode();
// A command that talks to the controller leaves offline mode before its exchange; the lamp
// stays as it is until the reply decides (SetOnlineMode, or SetOfflineMode on a failure).
void leaveOfflineForExchange();
// 0: go offline; 1: stay online. Asks only while online.
int ConfirmOffline();

void setOnlineLampHook(std::function<void(bool shown)> hook);
