#pragma once

#include <QString>
#include <optional>

// The controller's command set as far as the link builds it: communication mode, ready and
// home status, version and model, axis presence and limits, moves and the output status.
// Results follow the system's convention; failures have been told by the senders.

// The controller's axis use as the silent axis read found it (true: axis not used).
extern bool gCtAxisUnused[4];

int CtCommModeOn();  // "0CM" "1" through SendCmdToCt2; online when good, offline when not
int CtCommModeOn2(); // the same, silent; offline only when no unsolicited line is pending
// "0CM" with the mask of the used axes (flag 1) or 0, then the mode 0 to 2 (any other mode
// becomes 0, in the caller's variable too). Leaves gTusinNow set.
int SetCtCommMode(int flag, int &mode);
int ReadCtRAStatus();   // 1 ready, 0 moving, -1 failed
int ReadHomeStatus();   // gHomeDone and the home lamp; 0 good, 1 failed
int ReadCtVersion();    // gCtVersion, gCtVersionStr
int CheckCtModel();     // 0 when every used axis answers "K4R"
int ReadAxisUse();      // gAxisMask and gAxisUnused from block 0; the port stays open
int ReadAxisUseWithProgress(); // gAxisUnused only, in the progress window
int ReadAxisUse2();     // gCtAxisUnused, silently, with up to six tries
int ReadAxisBlock();    // gAxisStrokeLimit of the used axes; the port stays open
int ReadAxisSetting();  // -1 not read, 1 the axis use differs, 0 the same
int ReadCtSetting();    // ReadAxisSetting, then the actuators compared (SetDeviceFromCt)
int SendMoveCmd(int position, int mode); // "0MM" for mode 1, else "0MP"
int SendGrpMoveCmd(int group);           // "0MG"; no time-out, a stop request ends it
int ReadOutputStatus(); // the digit of OUT1/OUT2 (0 to 15), -1 failed
int CtMovePosi();       // the home move: 1 done, -1 failed

// The controller's version in panel 1 of the status bar; 0 good, 1 failed.
int ShowCtVersion();
// The same, then the model of every used axis checked.
int ShowCtVersion2();

namespace link {
// The command set's and the transfers' own state, and the window hooks, as at start.
void resetCommandSet();
}

namespace link::cmd {

// "0CM" argument: the decimal mask followed by the mode digit ("151", "00").
QString commModeArgument(int mask, int mode);
// "0MP"/"0MM" argument: position in three hexadecimal digits and the mask digit; nullopt
// for a position outside 0 to 999.
std::optional<QString> moveArgument(int position, int mask);
// "0MG" argument: the group in two hexadecimal digits; nullopt outside 0 to 99.
std::optional<QString> grpMoveArgument(int group);

} // namespace link::cmd
