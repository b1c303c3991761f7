#pragma once

class DevicePanels;

// The online window's choice as Change and Write takes it to the controller.
namespace actuators {

// Whether the window's axis box marks the axis used (a greyed box counts as used).
bool chosenAxisUsed(const DevicePanels &panels, int axis);

// The choice into the pending set: every axis, used or not, of the QZ family; the sizes that
// are always new type are vertical too, an old type takes its vertical box.
void takeChosenActuators(const DevicePanels &panels);

// Every used axis' chosen actuator checked before anything is sent to the controller: a valid
// code (messages 4 and 5), a row of the catalogue (4 and 5), a row of the factory lists (36)
// and factory values in range (1524 and 1525). The pending set, the axis use and the
// parameters are as they were afterwards; false once the operator has been told.
bool chosenActuatorsWritable(const DevicePanels &panels);

} // namespace actuators
