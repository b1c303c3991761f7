#pragma once

// Reading the position table from the controller ("0RP") and writing it to the controller
// ("0WP"), both over the working range gPosiNoFrom..gPosiNoTo.

extern int gPosiNoPrevFrom; // the displayed range before a read; put back when it does not end well
extern int gPosiNoPrevTo;

// The read command (toolbar "Read", cmdPosiRead, File menu): every command off, the read,
// commands and grid on again. 0 when the table now holds the controller's positions.
int GetPosidataFromCt();
int GetPosidataFromCt2();
// The transfer alone, into the image gPosiWork: 0 read and decoded; 1 failed (the operator
// has been told); 2 cancelled by the operator. On 1 and 2 the image is as it was.
int ReadPosidataFromCt();

// The write command (toolbar "Load", cmdPosiLoad, File menu). 0 when every position was
// written and the controller is back in its plain mode.
int LoadPosidataToCt();
int LoadPosidataToCt2();
// 0 every position to be written lies within the maximum positions of its axes; 1 the write
// must not go on (the operator has been told, or nothing was to be told).
int PosiKakikomimaeParaCheck();
// The positions of the working range whose check flag is clear, one "0WP" each. 0 all written;
// 1 failed (told); 2 the operator pressed Cancel between two positions.
int WritePosidataToCt();

namespace positions {

// Message 109, 110 and the system's reason, offline: the port stayed closed.
void reportPortClosed();

void registerPosiTransferCommands();
void resetPosiTransferState();

} // namespace positions
