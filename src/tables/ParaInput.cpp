#include "tables/ParaInput.h"

#include "tables/ParaSet.h"
#include "platform/FieldValidator.h"

bool gParaEmpty = false;

namespace tables {

const ParaFieldRule &paraFieldRule(ParaField field)
{
    // max length, no "0" key, checked on leaving, range, item
    static const ParaFieldRule rules[] = {
        {5, false, true, 1, 65535, 1},       // HomeOffset
        {3, false, true, 1, 255, 2},         // HomePush
        {3, false, true, 1, 60, 3},          // HomeVel
        {3, false, true, 1, 60, 4},          // HomeOfsVel
        {3, false, true, 1, 60, 5},          // HomePushVel
        {1, true, true, 0, 255, 6},          // HomeOrder
        {6, false, true, 0, 262143, 7},      // AxisStroke
        {3, false, true, 0, 255, 8},         // AxisLead
        {5, false, true, 0, 65535, 9},       // AxisPulse
        {2, false, true, 1, 30, 10},         // JogHighVel
        {5, false, true, 5, 65535, 15},      // PgAlarm
        {3, false, true, 0, 255, 23},        // PgCheckTimer
        {3, false, true, 0, 255, 24},        // LsSerchTimer
        {3, false, true, 1, 255, 20},        // SmTimeoutTimer
        {2, false, false, 0, 15, 21},        // OneAxis
    };
    return rules[static_cast<int>(field)];
}

bool paraItemWide(int number)
{
    return paraItem(number).store == ParaStore::Int32;
}

bool paraKeyAccepted(ParaField field, const QString &text, QChar key)
{
    if (key == QChar(8) || key == QChar(9))
        return true;
    const ParaFieldRule &rule = paraFieldRule(field);
    if (text.size() == rule.maxLength)
        return false;
    const QChar lowest = rule.noZeroKey ? QLatin1Char('1') : QLatin1Char('0');
    return key >= lowest && key <= QLatin1Char('9');
}

std::optional<qint64> boxInteger(const QString &text, const platform::FieldForm &form, bool wide)
{
    if (text.trimmed().isEmpty())
        return 0;
    return platform::fieldInteger(text, form, wide);
}

std::optional<qint64> paraTextInteger(const QString &text, bool wide)
{
    return boxInteger(text, platform::FieldForm(), wide);
}

std::optional<qint64> paraFieldInteger(ParaField field, const QString &text)
{
    const ParaFieldRule &rule = paraFieldRule(field);
    return boxInteger(text, platform::FieldForm{rule.maxLength, false}, paraItemWide(rule.item));
}

bool paraFieldAccepted(ParaField field, const QString &text)
{
    const ParaFieldRule &rule = paraFieldRule(field);
    if (!rule.checked)
        return true;
    const auto v = paraFieldInteger(field, text);
    return v && *v >= rule.min && *v <= rule.max;
}

QValidator *newParaFieldValidator(ParaField field, QObject *parent)
{
    return new platform::FieldValidator(paraFieldRule(field).maxLength,
                                        [field](QChar c) { return paraKeyAccepted(field, QString(), c); }, parent);
}

} // namespace tables

namespace {

// The items of one axis (the single items for axis -1) within their limits: every checked
// item for the whole set's check, only those of the smaller check otherwise.
bool itemsWithinLimits(int axis, bool wholeSet)
{
    for (const tables::ParaItem &item : tables::kParaItemTable) {
        if (item.perAxis != (axis >= 0) || item.check == tables::ParaCheck::None)
            continue;
        if (!wholeSet && item.check != tables::ParaCheck::Always)
            continue;
        if (!item.withinLimits(qMax(axis, 0)))
            return false;
    }
    return true;
}

} // namespace

int ParametaValueCheck()
{
    bool bad = false;
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a] && !itemsWithinLimits(a, true))
            bad = true;
    }
    if (!itemsWithinLimits(-1, true))
        bad = true;
    return bad ? 1 : 0;
}

int ParametaValueCheck2()
{
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a] && !itemsWithinLimits(a, false))
            return 1;
    }
    return 0;
}
