#pragma once

// The alarm reset of the main window's Reset button and the Function menu's "Alarm Reset":
// sends "0AR" and, when the controller takes it, clears the alarm panel.
void cmdReset_Click();

namespace operation {
void registerAlarmReset();
}
