#pragma once

#include <QChar>
#include <QString>

class QObject;
class QValidator;

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
// The stored value of a box's text: its number (read strictly, platform::fieldInteger), 0 for
// an empty text or any text that is not wholly a 16-bit whole number (the check then refuses it).
int grpBoxValue(const QString &text);

// A box takes three digits: the key filter, and the validator that holds a paste, a drop or
// an input method's text to the same rule.
constexpr int kGrpBoxLength = 3;
bool grpBoxKeyAccepted(const QString &text, QChar key);
QValidator *newGrpBoxValidator(QObject *parent);
}
