#pragma once

#include "platform/FieldText.h"

#include <QChar>
#include <QString>
#include <optional>

class QObject;
class QValidator;

// What the parameter window's fields accept: the key filter and range of each numeric field,
// the number a field's text stands for, and the range checks of the whole parameter set.

extern bool gParaEmpty; // the last blank test found an empty field

namespace tables {

// The numeric entry fields of the parameter window.
enum class ParaField {
    HomeOffset,
    HomePush,
    HomeVel,
    HomeOfsVel,
    HomePushVel,
    HomeOrder,
    AxisStroke,
    AxisLead,
    AxisPulse,
    JogHighVel,
    PgAlarm,
    PgCheckTimer,
    LsSerchTimer,
    SmTimeoutTimer,
    OneAxis,
};

struct ParaFieldRule
{
    int maxLength;   // the key filter takes no digit beyond it
    bool noZeroKey;  // "0" is not a key this field takes
    bool checked;    // leaving the field checks its range
    qint64 min;
    qint64 max;
    int item;        // the parameter item it edits, whose store sets the number's width
};

const ParaFieldRule &paraFieldRule(ParaField field);

// Whether the item is held in 32 bits: the width every text taken into it is read at.
bool paraItemWide(int number);

// Whether the key filter lets the character into a field holding `text`. Enter is the
// caller's (it moves the focus); Backspace and Tab always pass.
bool paraKeyAccepted(ParaField field, const QString &text, QChar key);

// The number an entry box's text stands for: 0 for an empty text (the blank test catches it),
// otherwise the text read strictly (platform::fieldNumber) as a whole number of the form that
// fits a 16- or 32-bit integer; nullopt for any other text ("12abc", "300.7"), never the
// number the text begins with.
std::optional<qint64> boxInteger(const QString &text, const platform::FieldForm &form, bool wide);
// The same without a length (the actuator stroke list).
std::optional<qint64> paraTextInteger(const QString &text, bool wide);
// A field's number: its form is its key filter's (digits, its length).
std::optional<qint64> paraFieldInteger(ParaField field, const QString &text);

// The check on leaving a field: false when the text is to be wiped.
bool paraFieldAccepted(ParaField field, const QString &text);

// The field's validator: a pasted, dropped or composed text is taken only when the field's
// key filter could have typed it.
QValidator *newParaFieldValidator(ParaField field, QObject *parent);

} // namespace tables

// Range checks of the parameter set over the axes in use: 1 when an item is out of range.
int ParametaValueCheck();
// The smaller check the online actuator window runs before its write.
int ParametaValueCheck2();
