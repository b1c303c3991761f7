#pragma once

// Convert the working range of the position table; 0 when done, 1 when an axis in use has a
// lead or pulses per revolution of 0 (then nothing is converted).
int PulseToMm_Table();
int MmToPulse_Table();
