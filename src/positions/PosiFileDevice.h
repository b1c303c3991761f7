#pragma once

#include "tables/DevSetting.h"

#include <QString>

// The actuators an opened position file records, against the system's: the pending set holds
// the file's (after DevFileShogo), the current set the system's.

// The pending set becomes the current one: axis use of all four axes, then the actuator of
// every axis now in use.
void ReflectFileDevice2PcDevice();

// 1 when an axis the file uses has an actuator other than the system's (type, size, speed,
// stroke, PG, vertical), else 0. Axis use itself is compared by the caller.
int CompareActuatorSettingOfPosifile2PC();

namespace positions {

// Everything an open may change in the actuator setting, so that a refused or cancelled open
// can put it back as it was.
struct DevSettingSnapshot
{
    bool unused[kAxisCount];
    bool isQz[kAxisCount];
    QString family[kAxisCount];
    QString size[kAxisCount];
    QString speed[kAxisCount];
    int stroke[kAxisCount];
    int lead[kAxisCount];
    qint32 ppr[kAxisCount];
    bool withPg[kAxisCount];
    bool vertical[kAxisCount];
    bool newType[kAxisCount];
    QString newTypeStr[kAxisCount];
    qint32 maxPulse[kAxisCount];
    double strokeMm[kAxisCount];

    bool setteiUnused[kAxisCount];
    QString setteiFamily[kAxisCount];
    QString setteiSize[kAxisCount];
    QString setteiSpeed[kAxisCount];
    int setteiStroke[kAxisCount];
    bool setteiNewType[kAxisCount];
    bool setteiVertical[kAxisCount];
    bool setteiWithPg[kAxisCount];

    static DevSettingSnapshot take();
    void restore() const;
};

} // namespace positions
