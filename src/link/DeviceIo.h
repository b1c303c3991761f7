#pragma once

// The actuator read-back (the even parameter block of every used axis into the read-back set
// of the actuator setting) and the exchange of the controller's input and output words.

// 0 every used axis read (the fields of the others cleared), 1 failed (nothing changed).
// Opens the port itself and leaves it open.
int ReadDeviceFromCt();
// -1 the read failed, 0 the controller's actuators agree with the system's, 1 they differ.
int SetDeviceFromCt();
// "0RI" and "0RO" into gInputBit and gOutputBit (both or neither); 0 / 1. Leaves gTusinNow
// set, as the monitor holds it for its whole cycle.
int ReadIOFromCt();
// The requested toggles applied to gOutputBit, then "0WO"; 0 / 1.
int WriteOutputToCt();
