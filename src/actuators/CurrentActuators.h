#pragma once

// The one way new actuators become the current ones, whichever road brought them (the actuator
// change, Change and Write, the parameter write's take-over, the parameter read's and the
// position read's take-over of the controller's actuators, the online start-up, the
// position-file open): the
// current set and its limits from the parameter set and the axis-use mask, the stored setting
// for the next start, the designations, the axis columns, the pulse-per-millimetre panels, the
// positions, and the parameter window's kept or shown set, dropped when it was made for other
// actuators.
namespace actuators {

enum ActuatorsCurrentOption {
    // The current new-type flags stay: the pending ones do not describe these actuators.
    KeepNewTypeFlags = 1,
    // Not stored: the factory parameters of the chosen actuators could not be computed.
    DoNotStore = 2,
    // The positions are not converted: the caller replaces them (an opened file, a read from
    // the controller) or keeps them as the grid shows them (the parameter read).
    PositionsLeft = 4,
    // The current set from the controller's actuators as read back (`ReadDeviceFromCt`, complete),
    // not from the parameter set: the online start-up reads no parameters.
    ControllerReadBack = 8,
};

// `options` is a combination of ActuatorsCurrentOption. 0, or 1 when the setting could not be
// stored (the operator has been told).
int makeActuatorsCurrent(int options = 0);

} // namespace actuators
