#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <functional>

// The designation of each axis: family, "-", size, speed letter, "-", stroke in three places,
// PG mark, vertical mark (13 characters for a three-digit stroke), as DispDeviceName last
// built it. gDevTypeLabel is the caption of the main window's lblDeviceType of the axis (empty
// for an axis not in use); the position file records these four texts.
extern QString gDevTypeLabel[kAxisCount];

// The text of the grid's heading row over the four columns of the axis: the axis label, ":",
// then the designation and "(Old)" for an old-type axis, or twelve asterisks for an axis not
// in use.
QString DevGridHeading(int axis);

// The designation of one axis from the current set and the catalogue's option codes.
QString DevDesignationText(int axis);

// Builds the texts of every axis, then lets the main window show them.
void DispDeviceName();
void setDeviceNameHook(std::function<void()> hook);

namespace actuators {
void resetDevDesignation();
}
