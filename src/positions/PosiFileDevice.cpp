#include "positions/PosiFileDevice.h"

void ReflectFileDevice2PcDevice()
{
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = gDevSetteiUnused[a];
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        gAxisNewType[a] = gDevSetteiNewType[a];
        gDevSize[a] = gDevSetteiSize[a];
        gDevSpeed[a] = gDevSetteiSpeed[a];
        gDevStroke[a] = gDevSetteiStroke[a];
        gDevWithPG[a] = gDevSetteiWithPG[a];
        gDevVertical[a] = gDevSetteiVertical[a];
    }
}

int CompareActuatorSettingOfPosifile2PC()
{
    for (int a = 0; a < kAxisCount; ++a) {
        if (gDevSetteiUnused[a])
            continue;
        if (gAxisNewType[a] != gDevSetteiNewType[a] || gDevSize[a] != gDevSetteiSize[a]
            || gDevSpeed[a] != gDevSetteiSpeed[a] || gDevStroke[a] != gDevSetteiStroke[a]
            || gDevWithPG[a] != gDevSetteiWithPG[a] || gDevVertical[a] != gDevSetteiVertical[a])
            return 1;
    }
    return 0;
}

namespace positions {

DevSettingSnapshot DevSettingSnapshot::take()
{
    DevSettingSnapshot s;
    for (int a = 0; a < kAxisCount; ++a) {
        s.unused[a] = gAxisUnused[a];
        s.isQz[a] = gDevIsQz[a];
        s.family[a] = gDevFamily[a];
        s.size[a] = gDevSize[a];
        s.speed[a] = gDevSpeed[a];
        s.stroke[a] = gDevStroke[a];
        s.lead[a] = gDevLead[a];
        s.ppr[a] = gDevPPR[a];
        s.withPg[a] = gDevWithPG[a];
        s.vertical[a] = gDevVertical[a];
        s.newType[a] = gAxisNewType[a];
        s.newTypeStr[a] = gDevNewTypeStr[a];
        s.maxPulse[a] = gDevMaxPulse[a];
        s.strokeMm[a] = gStrokeMm[a];
        s.setteiUnused[a] = gDevSetteiUnused[a];
        s.setteiFamily[a] = gDevSetteiFamily[a];
        s.setteiSize[a] = gDevSetteiSize[a];
        s.setteiSpeed[a] = gDevSetteiSpeed[a];
        s.setteiStroke[a] = gDevSetteiStroke[a];
        s.setteiNewType[a] = gDevSetteiNewType[a];
        s.setteiVertical[a] = gDevSetteiVertical[a];
        s.setteiWithPg[a] = gDevSetteiWithPG[a];
    }
    return s;
}

void DevSettingSnapshot::restore() const
{
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = unused[a];
        gDevIsQz[a] = isQz[a];
        gDevFamily[a] = family[a];
        gDevSize[a] = size[a];
        gDevSpeed[a] = speed[a];
        gDevStroke[a] = stroke[a];
        gDevLead[a] = lead[a];
        gDevPPR[a] = ppr[a];
        gDevWithPG[a] = withPg[a];
        gDevVertical[a] = vertical[a];
        gAxisNewType[a] = newType[a];
        gDevNewTypeStr[a] = newTypeStr[a];
        gDevMaxPulse[a] = maxPulse[a];
        gStrokeMm[a] = strokeMm[a];
        gDevSetteiUnused[a] = setteiUnused[a];
        gDevSetteiFamily[a] = setteiFamily[a];
        gDevSetteiSize[a] = setteiSize[a];
        gDevSetteiSpeed[a] = setteiSpeed[a];
        gDevSetteiStroke[a] = setteiStroke[a];
        gDevSetteiNewType[a] = setteiNewType[a];
        gDevSetteiVertical[a] = setteiVertical[a];
        gDevSetteiWithPG[a] = setteiWithPg[a];
    }
}

} // namespace positions
