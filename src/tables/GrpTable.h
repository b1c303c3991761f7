#pragma once

#include "tables/FileHeader.h"

#include <QString>

// The group table: groups 1 to 99, each a start (column 0) and an end (column 1) position
// number; row 0 is never shown, saved or sent. gGrpData is what the group window edits,
// saves and sends; gGrpDataIn what was last read from a file or the controller.
constexpr int kGrpCount = 99;
extern int gGrpData[kGrpCount + 1][2];
extern int gGrpDataIn[kGrpCount + 1][2];
// Groups the last file read lacked; they take no value from it and always count as different.
extern bool gGrpDataInMissing[kGrpCount + 1];
extern int gGrpNoFrom;
extern int gGrpNoTo;
extern bool gGrpVerifyNG;
extern QString gGrpVerifyList;  // " 3, 17," for groups 3 and 17
extern QString gGrpPrintTitle;  // name of the last group file read

void LetGrpDataInToGrpData();   // groups present in the incoming copy into the edited table
void LetGrpDataToGrpDataIn();
void GrpDataToText();
int WriteGrpFile(const QString &path);  // 0 written, 1 failed; no message

// After a controller read has filled every group of gGrpDataIn.
void MarkGrpDataInComplete();

namespace tables {
// Reads a group file into gGrpDataIn; a wrong header has its message. A failed read changes
// nothing; a group without a line keeps the edited table's values in gGrpDataIn and is marked
// missing. count, when given, gets the groups line 2 names and the group lines read.
FileRead readGrpFile(const QString &path, RecordCount *count = nullptr);
void resetGrpTable();
// Every group 1 to 1: the edited table as the program starts. Run once by the start-up; the
// group window keeps the table for the whole run, so closing it loses nothing.
void initGrpData();
}
