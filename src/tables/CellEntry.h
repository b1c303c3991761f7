#pragma once

#include "platform/FieldText.h"

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

// The cell entry of the position grid: which cells open an editor, what each column lets
// through while typing, and how a typed value is checked, converted and stored.

extern QString gEditOldText; // the cell's text when its editor opened
extern int gEditEndKey;      // key code of the last key pressed in the editor; 13 = Enter

namespace tables {

enum class CellKind { Number, Vel, Acc, Way, Posi, Itpl, Out, Sm, Comment };

// Grid column (0 to 20) to its field; the axis (0 to 3) of grid columns 1 to 16, else -1.
CellKind cellKind(int gridCol);
int axisOfGridCol(int gridCol);

// What the entry and the checks need to know of an axis' actuator.
struct AxisInfo
{
    bool used = true;
    QString size;       // three characters, " 42"
    QString speed;      // one letter, "D"
    int devStroke = 0;  // the actuator's stroke in whole millimetres
    double strokeMm = 0;// the largest position in millimetres
    qint32 maxPulse = 0;
    int lead = 0;
    qint32 ppr = 0;
};
AxisInfo axisInfo(int axis);

// The highest ACC of an axis: 2 for the actuator of speed "D" and size " 42", else 3.
int accMax(const AxisInfo &axis);

// Characters an editor takes (0: no limit), and whether a typed character gets through.
int editorLength(int gridCol, bool mm);
bool keyPasses(int gridCol, bool mm, QChar key);

// The form of a column's numbers (its editor's length; a decimal point only for millimetres),
// and the number a cell's text stands for in it: nullopt unless the text is wholly such a
// number (platform::fieldNumber). Typing, pasting and the check all read a cell by this.
platform::FieldForm cellForm(int gridCol, bool mm);
std::optional<double> cellNumber(int gridCol, bool mm, const QString &text);

// A comment as it may be stored: no double quote (it ends the text in the file), no
// control character, only characters the file's encoding can hold, 40 characters at most.
bool commentValid(const QString &comment);
// The same comment with what may not be stored left out and cut to 40 characters; a character
// outside the file's encoding goes whole, a surrogate pair is never split; blanks are kept.
QString cleanComment(const QString &comment);
// Whether the text holds a character the file's encoding cannot hold.
bool holdsUnstorable(const QString &text);
// Whether a comment from another program or a file must be cleaned before it is kept: it holds
// a character the file's encoding cannot hold or a control character (below 0x20, or 0x7F; a
// byte of a file that does not decode arrives as one, U+001A).
bool commentNeedsCleaning(const QString &text);
// Tells the operator once that such characters were left out of the comments of these
// positions (nothing when the list is empty).
void tellCleanedComments(const QList<int> &positions);

// The outcome of a typed value.
struct Entry
{
    bool accepted = false;
    QString text;       // the editor's text as it is stored
    bool posi = false;  // a position: pulses and mm go into the table
    bool cleaned = false; // a comment that lost characters the file cannot hold
    double pulses = 0;
    double mm = 0;
};
Entry evaluateEntry(int gridCol, const QString &text, const AxisInfo &axis, bool mm, bool roundUp);
// A comment pasted from another program, taken as typing takes it: refused where typing is
// refused (a double quote), else trimmed and cut to 40 characters; what the file cannot hold
// and control characters (no key types them) are left out, and `cleaned` says so.
Entry pastedComment(const QString &field);

} // namespace tables

// Checks the editor's text of grid column gridCol for the given position (its number in
// column 0); 0 accepted (the text rewritten, a position stored in gPosiTable, the data
// marked changed), 1 refused. The caller sounds the beep.
int SetDataForFlex(int position, int gridCol, QString &editorText);

namespace tables {
// The edit state, the check's hooks and the result counters as at start.
void resetEditState();
}
