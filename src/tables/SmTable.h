#pragma once

#include "tables/FileHeader.h"

#include <QString>

// The sequence macros: 20 macros of 16 steps. Cell [s][2m] is the command and [s][2m + 1] the
// data of step s (0 to 15) of macro m (0 to 19); step 16 and column 40 are spare. Command 0
// is END, whose data does not count.
constexpr int kSmMacros = 20;
constexpr int kSmSteps = 16;
extern int gSmData[kSmSteps + 1][2 * kSmMacros + 1];
extern int gSmDataIn[kSmSteps + 1][2 * kSmMacros + 1];
// Macros the last file read lacked; they take no value from it and always count as different.
extern bool gSmDataInMissing[kSmMacros];
extern int gSmNoFrom;
extern int gSmNoTo;
extern bool gSmVerifyNG;
extern QString gSmVerifyList; // " 2, 11," for macros 2 and 11

// Every step END: the edited macros as the program starts (run once by the start-up).
void ClearSqMcrData();
void SqMcrDataRestore(); // incoming to edited, END data zeroed in both
void SqMcrDataPack();    // edited to incoming, END data zeroed in both
int SqMcrDataToText();   // 1 when a macro differs
int WriteSqMcrFile(const QString &path); // 0 written, 1 failed; no message

// After a controller read has filled every macro of gSmDataIn.
void MarkSmDataInComplete();

namespace tables {
// Reads a macro file into gSmDataIn; a wrong header has its message. A failed read changes
// nothing; a macro without a block keeps the edited table's values in gSmDataIn and is marked
// missing. count, when given, gets the macros line 2 names and the macro blocks read.
FileRead readSqMcrFile(const QString &path, RecordCount *count = nullptr);
void resetSmTable();
}
