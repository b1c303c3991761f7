#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <QVariant>
#include <optional>

// The controller's parameters: per-axis arrays (index 0 to 3) and single values, items 1 to 31.
// HOME OFFSET, STROKE, PULSE and PG ALM are 32-bit, the other numbers 16-bit.
extern qint32 gPrmHomeOffset[kAxisCount];   // 1
extern int gPrmHomePush[kAxisCount];        // 2
extern int gPrmHomeVel[kAxisCount];         // 3
extern int gPrmHomeOfsVel[kAxisCount];      // 4
extern int gPrmHomePushVel[kAxisCount];     // 5
extern int gPrmHomeOrder[kAxisCount];       // 6
extern qint32 gPrmAxisStroke[kAxisCount];   // 7, pulses
extern int gPrmAxisLead[kAxisCount];        // 8, mm
extern qint32 gPrmAxisPulse[kAxisCount];    // 9
extern int gPrmJogHighVel[kAxisCount];      // 10
extern int gPrmAutoDrv[kAxisCount];         // 11
extern int gPrmJhOrQz[kAxisCount];          // 12 TYPE
extern QString gPrmActuator[kAxisCount];    // 13, seven-character actuator code
extern int gPrmPgFunc[kAxisCount];          // 14
extern qint32 gPrmPgAlarm[kAxisCount];      // 15
extern int gPrmHomeOut;                     // 16
extern int gPrmAlmCode;                     // 17
extern int gPrmGrpEnable;                   // 18
extern int gPrmSmTimeoutSel;                // 19
extern int gPrmSmTimerVal;                  // 20
extern int gAxisMask;                       // 21, bit n-1 = axis n present
extern int gPrmAutoHome;                    // 22
extern int gPrmPgCheckTimer[kAxisCount];    // 23
extern int gPrmLsSerchTimer[kAxisCount];    // 24
extern int gPrmSoftLimit[kAxisCount];       // 25
extern int gPrmM0Disable[kAxisCount];       // 26
extern int gPrmStopPause;                   // 27
extern int gPrmSingle28;                    // 28, carried to the controller only
extern QString gPrmActSize[kAxisCount];     // 29
extern QString gPrmActSpeed[kAxisCount];    // 30
extern int gPrmActStroke[kAxisCount];       // 31, mm

// The exchange table: cell [item][row]; per-axis items of axis a in row a, single items in
// row 0, cell [0][0] the name of the source. Cells hold empty text, a number or a text.
constexpr int kParaItems = 36;
constexpr int kParaRows = 5;
extern QVariant gParaTmp[kParaItems][kParaRows];

extern bool gPrnAxisUnused[kAxisCount]; // the axis is left out of the parameter print

void ClearParaArrays();
void ClearParaTable();
// Both unpackers convert every cell they need first and change nothing when one does not
// convert (result 1); 0 when unpacked.
int SetParametaFromTable();
int LetParaTableToArrays();
void SetAxisFlagFromMask();
void SetAxisFlagFromPara();

namespace tables {

// TYPE value v (0 to kParaTypeCount - 1) is named by message kParaTypeText + v, in the window's
// list and in the print alike.
constexpr int kParaTypeText = 643;
constexpr int kParaTypeCount = 6;

// How an item is held.
enum class ParaStore { Int16, Int32, Text };
// The range checks that hold an item to its limits: none, the whole set's check only
// (ParametaValueCheck), or also the smaller check of the online actuator window.
enum class ParaCheck { None, WholeSet, Always };
// Where an item travels in the controller's blocks (link/ParaBlockCodec.h): block 0, the
// homing-order blocks 1 to 4, the odd or the even block of its axis' pair. The actuator code
// and its size and speed travel as a code of their own in the even block (None).
enum class ParaBlock { None, Zero, Order, Odd, Even };

// One parameter item, with everything the walkers over the parameter set need of it: the
// clear, the snapshot, the exchange table's pack and unpack, the block codec, the file, the
// range checks, the verification and the print.
struct ParaItem
{
    int number;       // 1 to 31, also its row of the exchange table gParaTmp
    bool perAxis;     // one value per axis (table row a), or a single value (table row 0)
    ParaStore store;
    int *narrow;      // the variable behind it, by its store; the other two null
    qint32 *wide;
    QString *text;
    ParaBlock block;
    int firstByte;    // its field in its block: first byte and width in bytes
    int bytes;
    bool filed;       // a row of the parameter file; the file's rows are in item order
    bool newerRow;    // a file of the older layout lacks its row: the item reads as 0
    ParaCheck check;
    qint64 min;       // its limits: of the value, of a text its length
    qint64 max;
    int verifyGroup;  // ParaVerifyGroup; -1 when the verifications do not compare it
    const char *verifyName;
    int printLine;    // its line of the parameter print; 0 when not printed
    const char *printLabel;
    int listText;     // printed as a list's entry: the list's first message and its entries
    int listEntries;
    int commonRow;    // its row of the common factory list; -1 when it takes none

    int row(int axis) const { return perAxis ? axis : 0; }
    qint64 valueAt(int axis) const;
    void setValueAt(int axis, qint64 value) const;
    QString &textAt(int axis) const;
    // The value as a cell of the exchange table: a number, or the text.
    QVariant cell(int axis) const;
    // The cell of the exchange table for this item and axis.
    QVariant &tableCell(int axis) const { return gParaTmp[number][row(axis)]; }
    // The number range of its store.
    qint64 storeMin() const;
    qint64 storeMax() const;
    // Within its limits (a text by its length).
    bool withinLimits(int axis) const;
};

constexpr int kParaItemCount = 31;
// Items 1 to 31 in order: kParaItemTable[n - 1] is item n.
extern const ParaItem kParaItemTable[kParaItemCount];
inline const ParaItem &paraItem(int number)
{
    return kParaItemTable[number - 1];
}

// The actuator code of an axis built again from its parts (size, speed, three stroke digits).
void rebuildActuatorCode(int axis);

// Arrays and exchange table cleared, print flags false, nothing kept of the parameter window:
// the state of a fresh process.
void resetParaSet();

// A cell or list value as a whole number within [min, max], halves to the even neighbour;
// nullopt for empty text, a text that is no number, or a value out of range.
std::optional<qint64> cellToInteger(const QVariant &cell, qint64 min, qint64 max);
inline std::optional<qint64> cellToInt16(const QVariant &cell)
{
    return cellToInteger(cell, -32768, 32767);
}

// The whole parameter set with the actuator flags its unpacking derives, so that a routine
// can put everything back when it fails half way.
struct ParaSnapshot;
class ParaSetGuard
{
public:
    ParaSetGuard();
    ~ParaSetGuard();
    ParaSetGuard(const ParaSetGuard &) = delete;
    ParaSetGuard &operator=(const ParaSetGuard &) = delete;
    void keep() { m_keep = true; } // the changes stand
private:
    ParaSnapshot *m_saved;
    bool m_keep = false;
};

} // namespace tables
