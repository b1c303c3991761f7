#pragma once

// The position table: row n (1 to 999) holds, per axis a (0 to 3), the position in pulses in
// column a and in millimetres in column a + 4. Row 0 is not used.
constexpr int kPosiMax = 999;
constexpr int kPosiRows = kPosiMax + 1;

extern double gPosiTable[kPosiRows][8];
extern int gPosiNoFrom; // working range of the current operation
extern int gPosiNoTo;

namespace positions {
void resetPosiTable();
}
