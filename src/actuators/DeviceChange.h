#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <array>
#include <optional>

// The sequences that replace the actuators of the axes as a whole and bring the rest of the
// system in step: the main window's actuator change, the comparison with the controller
// before a position read, and the take-over of a position file's actuators.

// The main window's actuator-change button (also the Settings menu's offline device setting
// and the start-up).
void cmdChangeDev_Click();
void Change_Device();
// 0 actuators set and factory parameters computed; 1 the factory parameters could not be
// computed; -1 the window was cancelled. On -1, and on 1 outside the start-up, the pending set
// and the axis use are as they were before.
int OpenDeviceWindow();

// 0 go on reading; 1 stop (link failure, or the controller's parameters not read); -1 the
// operator cancelled.
int DevChangeFromCt();

// The designations of an opened position file into the pending set. 0 taken; 1 refused
// (messages 4 and 5; nothing changed). Axes used by the file but not by the system are parsed
// silently; `fileOnlyFailed`, when given, tells which of them could not be.
int DevFileShogo(std::array<bool, kAxisCount> *fileOnlyFailed = nullptr);

// The Settings menu's device entries.
void mnuSettingsDeviceOffline_Click();
void mnuSettingsDeviceOnline_Click();

namespace actuators {

// The main window's commands of this subsystem, by their handler names.
void wireDeviceCommands();

// The positions follow actuators that have just changed (the actuator change, the online
// window's Change and Write, the parameter write's read-back). The whole displayed table is
// checked, whatever range the last operation worked on, so that no typed Posi is dropped at
// the redraw and no row keeps values of the old actuators. A table that passes is converted
// (millimetres from pulses when millimetres are shown, else pulses from millimetres) and
// redrawn; one that fails is left as the operator typed it after message 1526. The
// designations and pulse-per-millimetre panels are shown again either way. Returns the check's
// result: 0 passed, 1 failed, 2 no positions.
int convertPositionsToNewActuators();

} // namespace actuators
