#include "actuators/PendingSnapshot.h"

PendingSnapshot PendingSnapshot::capture()
{
    PendingSnapshot s;
    for (int a = 0; a < kAxisCount; ++a) {
        s.unused[a] = gDevSetteiUnused[a];
        s.family[a] = gDevSetteiFamily[a];
        s.size[a] = gDevSetteiSize[a];
        s.speed[a] = gDevSetteiSpeed[a];
        s.stroke[a] = gDevSetteiStroke[a];
        s.newType[a] = gDevSetteiNewType[a];
        s.vertical[a] = gDevSetteiVertical[a];
        s.withPG[a] = gDevSetteiWithPG[a];
        s.devFamily[a] = gDevFamily[a];
        s.axisUnused[a] = gAxisUnused[a];
    }
    return s;
}

void PendingSnapshot::restore() const
{
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSetteiUnused[a] = unused[a];
        gDevSetteiFamily[a] = family[a];
        gDevSetteiSize[a] = size[a];
        gDevSetteiSpeed[a] = speed[a];
        gDevSetteiStroke[a] = stroke[a];
        gDevSetteiNewType[a] = newType[a];
        gDevSetteiVertical[a] = vertical[a];
        gDevSetteiWithPG[a] = withPG[a];
        gDevFamily[a] = devFamily[a];
        gAxisUnused[a] = axisUnused[a];
    }
}
