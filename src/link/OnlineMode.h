#pragma once

#include <functional>

// Online and offline mode. The main window's online lamp follows it through a hook that the
// main window fills in when it exists.
void SetOnlineMode();
void SetOfflineMode();
// 0: go offline; 1: stay online. Asks only while online.
int ConfirmOffline();

void setOnlineLampHook(std::function<void(bool shown)> hook);
