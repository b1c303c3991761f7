#pragma once

#include <QString>

// The commands of the group window over gGrpData, without the window: each asks, reads,
// writes, verifies or prints and tells the operator itself. The window redisplays its page
// afterwards.

// 1 when a group from gGrpNoFrom to gGrpNoTo has a start or end outside 1..999 or a start
// greater than its end; no message.
int GrpData_Check();

void GrpReadFromCt();
void GrpWriteToCt();
void GrpCtShogo();
void GrpFileOpen();
void GrpFileSave();
void GrpFileShogo();
void GrpDispPrint();
void GrpFilePrint();

namespace editors {
// The stored value of a box's text: its number, 0 for an empty text or one that no 16-bit
// value holds (the check then refuses it).
int grpBoxValue(const QString &text);
}
