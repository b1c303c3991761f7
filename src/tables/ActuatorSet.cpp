#include "tables/ActuatorSet.h"

namespace tables {

bool ActuatorSet::Axis::operator==(const Axis &other) const
{
    if (used != other.used)
        return false;
    if (!used)
        return true;
    return size == other.size && speed == other.speed && stroke == other.stroke && lead == other.lead
           && ppr == other.ppr && maxPulse == other.maxPulse && newType == other.newType
           && vertical == other.vertical && withPG == other.withPG;
}

ActuatorSet ActuatorSet::current()
{
    ActuatorSet set;
    for (int a = 0; a < kAxisCount; ++a) {
        Axis &x = set.axis[a];
        x.used = !gAxisUnused[a];
        x.size = gDevSize[a];
        x.speed = gDevSpeed[a];
        x.stroke = gDevStroke[a];
        x.lead = gDevLead[a];
        x.ppr = gDevPPR[a];
        x.maxPulse = gDevMaxPulse[a];
        x.newType = gAxisNewType[a];
        x.vertical = gDevVertical[a];
        x.withPG = gDevWithPG[a];
    }
    return set;
}

bool ActuatorSet::operator==(const ActuatorSet &other) const
{
    for (int a = 0; a < kAxisCount; ++a) {
        if (axis[a] != other.axis[a])
            return false;
    }
    return true;
}

} // namespace tables
