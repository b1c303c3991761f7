#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <QtGlobal>

namespace tables {

// The current actuators as what the parameter set is made for: the axes in use and, for each,
// its actuator with the lead, pulses per revolution, stroke limit and the flags the parameters
// carry. Two sets are equal when the system converts, limits and writes alike with both; an
// axis not in use counts by that alone (the values it last had stay behind unused).
struct ActuatorSet
{
    struct Axis
    {
        bool used = false;
        QString size;
        QString speed;
        int stroke = 0;
        int lead = 0;
        qint32 ppr = 0;
        qint32 maxPulse = 0;
        bool newType = false;
        bool vertical = false;
        bool withPG = false;

        bool operator==(const Axis &other) const;
        bool operator!=(const Axis &other) const { return !(*this == other); }
    };

    static ActuatorSet current();

    Axis axis[kAxisCount];

    bool operator==(const ActuatorSet &other) const;
    bool operator!=(const ActuatorSet &other) const { return !(*this == other); }
};

} // namespace tables
