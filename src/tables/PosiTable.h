#pragma once

#include "core/CommandSwitch.h"

#include <QString>
#include <QVariant>

// The position table: positions 1 to 999 by row; row 0 exists and is never used.
constexpr int kPosiMax = 999;
constexpr int kPosiRows = kPosiMax + 1;
constexpr int kPosiCols = 20;     // table columns 0 to 19 (VEL ACC WAY Posi x4, ITPL OUT S/M COMMENT)
constexpr int kPosiFileCols = 21; // column 20 is carried along but never used

// Table columns.
constexpr int kColItpl = 16;
constexpr int kColOut = 17;
constexpr int kColSm = 18;
constexpr int kColComment = 19;

// Per position and table column: a number or a text (values from the grid or a file may
// arrive as text and are taken by their numeric value where a number is needed). The Posi
// slots (3, 7, 11, 15) hold no value: the positions live in gPosiTable.
extern QVariant gPosiFileTable[kPosiRows][kPosiFileCols];
// Per position, axis a (0 to 3): the position in pulses in column a (the master value) and in
// millimetres in column a + 4, derived from it.
extern double gPosiTable[kPosiRows][8];
// The flag of position n is element n - 1: set by the checks for a position that failed.
extern bool gPosiLineFlag[kPosiRows];
// Per position and table column: a cell found invalid or different.
extern bool gPosiCellFlag[kPosiRows][kPosiCols];

extern bool gDataChanged;     // changed since last saved, opened, read or created
extern QString gPosiFileName; // shown in the main window's file-name label
extern int gPosiNoFrom;       // working range of the current operation
extern int gPosiNoTo;
extern int gPosiNoDefFrom;    // displayed range (0 to 0: the grid holds no positions)
extern int gPosiNoDefTo;
extern int gPosiFileNoFrom;   // range found in the position file just read
extern int gPosiFileNoTo;
extern int gPosiCommonFrom;   // overlap of the file's and the displayed range
extern int gPosiCommonTo;
extern bool gPosiNewMode;     // New is asking for the range of the new table
extern bool gSelectCancel;    // a range window was left by Cancel or its close box
// gClipLineOk and gClipCellOk, the clipboard flags, live with the command switches.

namespace tables {

void resetPosiTable();

// The axis (0 to 3) of table column c (0 to 15); -1 for the common columns.
constexpr int axisOfColumn(int c) { return c >= 0 && c < 16 ? c / 4 : -1; }
constexpr bool isPosiColumn(int c) { return c >= 0 && c < 16 && c % 4 == 3; }

// The number a value stands for: a number as it is, a text only when it is wholly a number
// (platform::fieldNumber); any other text gives 0.
double numericValue(const QVariant &v);

// ACC of a new table: 2 for the actuator of speed "D" and size " 42", 3 otherwise.
int defaultAcc(const QString &size, const QString &speed);

} // namespace tables

// Positions 1 to 999 with the defaults of a new table.
void InitPosiData();
// Rows gPosiNoFrom..gPosiNoTo of gPosiWork into the table (pulse columns; mm untouched).
void CopyGridToPosiData();
void ClearCellFlags();
// 0 when the file's range and the displayed range overlap (gPosiCommonFrom/To set), else 1.
int ClampSelectRow();
