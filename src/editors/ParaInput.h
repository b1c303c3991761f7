#pragma once

#include <QChar>
#include <QString>
#include <optional>

// What the parameter window's fields accept: the key filter and range of each numeric field,
// the number a field's text stands for, and the range checks of the whole parameter set.

extern bool gParaEmpty; // the last blank test found an empty field

namespace editors {

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
    bool wide;       // a 32-bit item
};

const ParaFieldRule &paraFieldRule(ParaField field);

// Whether the key filter lets the character into a field holding `text`. Enter is the
// caller's (it moves the focus); Backspace and Tab always pass.
bool paraKeyAccepted(ParaField field, const QString &text, QChar key);

// The decimal number at the start of the text (0 when it begins with none).
double paraTextNumber(const QString &text);
// That number rounded half to even into [min, max] of a 16- or 32-bit integer; nullopt when
// it does not fit the integer.
std::optional<qint64> paraTextInteger(const QString &text, bool wide);

// The check on leaving a field: false when the text is to be wiped.
bool paraFieldAccepted(ParaField field, const QString &text);

} // namespace editors

// Range checks of the parameter set over the axes in use: 1 when an item is out of range.
int ParametaValueCheck();
// The smaller check the online actuator window runs before its write.
int ParametaValueCheck2();
