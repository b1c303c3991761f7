#include "tables/ParaWindowKeep.h"

namespace tables {

namespace {

std::function<void()> &openWindowHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

QHash<QString, QVariant> ParaWindowKeep::fieldsForCurrentActuators()
{
    if (madeFor != ActuatorSet::current())
        clear();
    return fields;
}

void ParaWindowKeep::clear()
{
    fields.clear();
    madeFor = ActuatorSet();
}

ParaWindowKeep &keptParaWindow()
{
    static ParaWindowKeep kept;
    return kept;
}

void currentActuatorsChanged()
{
    ParaWindowKeep &kept = keptParaWindow();
    if (kept.madeFor != ActuatorSet::current())
        kept.clear();
    if (const std::function<void()> hook = openWindowHook())
        hook();
}

void setParaWindowActuatorsHook(std::function<void()> hook)
{
    openWindowHook() = std::move(hook);
}

} // namespace tables
