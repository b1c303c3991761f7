#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The actuator of each axis (index 0 to 3 for axes 1 to 4) in three sets: the current set the
// whole system works with, the pending set that the setup windows and an opened position file
// propose, and the set read back from the controller.
constexpr int kAxisCount = 4;

// Current set.
extern bool gAxisUnused[kAxisCount];   // the axis has no actuator
extern bool gDevIsQz[kAxisCount];      // the actuator is of the QZ family
extern QString gDevFamily[kAxisCount]; // "QZ" or "JH", as the setup windows chose it
extern QString gDevSize[kAxisCount];   // three characters, " 28", "E35"
extern QString gDevSpeed[kAxisCount];  // speed letter
extern int gDevStroke[kAxisCount];     // millimetres
extern int gDevLead[kAxisCount];       // millimetres per motor revolution
extern qint32 gDevPPR[kAxisCount];     // pulses per revolution
extern bool gDevWithPG[kAxisCount];
extern bool gDevVertical[kAxisCount];
extern bool gAxisNewType[kAxisCount];
extern QString gDevNewTypeStr[kAxisCount]; // "NEW" or "OLD"
extern qint32 gDevMaxPulse[kAxisCount];// largest position in pulses
extern double gStrokeMm[kAxisCount];   // stroke in millimetres, whole thousandths

// Pending set. Its vertical and PG flags are also the ones the designation and the stored
// settings use.
extern bool gDevSetteiUnused[kAxisCount];
extern QString gDevSetteiFamily[kAxisCount];
extern QString gDevSetteiSize[kAxisCount];
extern QString gDevSetteiSpeed[kAxisCount];
extern int gDevSetteiStroke[kAxisCount];
extern bool gDevSetteiNewType[kAxisCount];
extern bool gDevSetteiVertical[kAxisCount];
extern bool gDevSetteiWithPG[kAxisCount];

// Read-back set (the controller's actuator blocks); its size, speed and stroke are the
// parameter set's gPrmActSize, gPrmActSpeed and gPrmActStroke (tables/ParaSet.h).
extern int gCtDevKind[kAxisCount];     // 0 QZ, 1 QZ vertical, other: another family
extern int gCtDevLead[kAxisCount];
extern qint32 gCtDevPPR[kAxisCount];
extern int gCtDevWithPG[kAxisCount];   // 0 without PG, 1 or 2 with
extern qint32 gAxisStrokeLimit[kAxisCount];

// Requests between the actuator windows and the factory-parameter routines.
extern bool gDevWinOnline;  // the online setup window asked for the factory values
extern bool gDevWinCalled;  // the offline setup window was opened by the parameter window
extern int gAxisMaskNew;    // axis-use mask built from the chosen actuators

// Sizes that are always of the new type.
bool IsNewTypeSize(const QString &size);

// Every axis in use names a whole actuator in the read-back (size, speed letter, stroke).
bool readBackComplete();
// Read-back to current: the check of the read-back actuators (0 all used axes complete,
// 1 an axis is not; that axis and the later ones are not taken) and the flags and limits.
int CheckDevSetting();
void LetDevFlags();
// Parameters to current: axis use from gAxisMask, then each used axis from its parameters.
void CulcDevLimits();
// Pending new-type flags to current, for the axes in use.
void CopyNewTypeFlag();
// Current to pending, before an opened position file proposes its actuators.
void LetDevSettingToDevSettei();

// The seven-character actuator code: size (3), speed letter (1), stroke (3; zeros or blanks).
int SplitDevCode(int axis, const QString &code);
int SplitDevCodePrint(const QString &code);
int CheckDevCode(const QString &size, const QString &speed, int stroke);

namespace tables {
void resetDevSetting();

// The parts of an actuator code.
struct ActuatorCode
{
    QString size;   // three characters, " 28", "E35"; empty for no actuator
    QString speed;  // one capital letter; empty for no actuator
    int stroke = 0; // millimetres
};
// A code as the files and the factory lists hold it: seven characters (size, speed letter,
// three stroke digits with leading zeros or blanks), six (a two-character size without its
// blank), or the three stroke digits alone (an axis without actuator parts). nullopt for
// anything else: a code that does not parse is refused, never guessed at.
std::optional<ActuatorCode> parseActuatorCode(const QString &code);

// The leading decimal number of a text: blanks skipped, reading stops at the first character
// that cannot continue the number, 0 when there is none.
double leadingNumber(const QString &text);
}
