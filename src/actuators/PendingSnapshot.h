#pragma once

#include "tables/DevSetting.h"

#include <QString>

// The pending actuator set (with the family and axis use the setup windows also write), kept
// so that a cancelled or failed change can put everything back.
struct PendingSnapshot
{
    static PendingSnapshot capture();
    void restore() const;

    bool unused[kAxisCount] = {};
    QString family[kAxisCount];
    QString size[kAxisCount];
    QString speed[kAxisCount];
    int stroke[kAxisCount] = {};
    bool newType[kAxisCount] = {};
    bool vertical[kAxisCount] = {};
    bool withPG[kAxisCount] = {};
    QString devFamily[kAxisCount];
    bool axisUnused[kAxisCount] = {};
};
