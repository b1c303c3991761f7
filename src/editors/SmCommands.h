#pragma once

#include <QChar>
#include <QString>
#include <functional>

class QObject;
class QValidator;

// The commands of the sequence-macro window over gSmData, without the window: each asks,
// reads, writes, verifies or prints and tells the operator itself. The window shows its
// macro again afterwards.

// "<3>,<12>," for macros 3 and 12: the macros the last check found invalid.
extern QString SmCheckNGList;

// 1 when a step of any macro is invalid. END steps (code 0 or 15) become code 0 with data 0.
int SmData_Check();

void SmReadFromCt();
void SmWriteToCt();
void SmCtShogo();
void SmFileOpen();
void SmFileSave();
void SmFileShogo();
void SmDispPrint();
void SmFilePrint();

namespace editors {
// Whether data fits a command: 1..4 for the input and output commands, 1..9 for END and the
// timers; false for any other command.
bool smDataFits(int command, int data);
// The stored value of a data box's text: its number (read strictly, platform::fieldInteger),
// 0 for an empty text or any text that is not wholly a 16-bit whole number (the check then
// refuses it).
int smBoxValue(const QString &text);

// The digits a data box takes for the command chosen in its list (index 1 to 4: 1 to 4;
// 5 and 6: 1 to 9; none otherwise), one character; the validator holds a paste, a drop or an
// input method's text to the same rule, for the command chosen when it is asked.
constexpr int kSmDataLength = 1;
bool smDataKeyAccepted(int commandIndex, QChar key);
QValidator *newSmDataValidator(std::function<int()> commandIndex, QObject *parent);
}
