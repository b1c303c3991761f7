#pragma once

#include "actuators/DevSetting.h"

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

// One designation parsed against the catalogue; nullopt when it cannot be taken.
struct ParsedDesignation
{
    QString family; // "QZ" or "JH"
    QString size;
    QString speed;
    int stroke = 0;
    bool newType = false;
    bool vertical = false;
    bool withPG = false;
};
// `newTypeEntry` is the file's "NEW"/"OLD"; `vertical` the pending vertical flag as it stands
// (kept for a new-type actuator whose catalogue row makes the option selectable).
std::optional<ParsedDesignation> parseDesignation(const QString &designation, const QString &newTypeEntry,
                                                  bool vertical);

// The main window's commands of this subsystem, by their handler names.
void wireDeviceCommands();

} // namespace actuators
