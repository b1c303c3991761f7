#include "tables/PosiUnits.h"

#include "tables/AxisScale.h"
#include "tables/DevSetting.h"
#include "core/Module2Calc.h"
#include "tables/PosiTable.h"

int PulseToMm_Table()
{
    if (!everyAxisInUseConvertible())
        return 1;
    for (int n = gPosiNoFrom; n <= gPosiNoTo && n < kPosiRows; ++n) {
        if (n < 1)
            continue;
        for (int a = 0; a < kAxisCount; ++a)
            gPosiTable[n][a + 4] =
                gAxisUnused[a] ? 0.0 : *PulseToMm(gDevLead[a], gDevPPR[a], gPosiTable[n][a]);
    }
    return 0;
}

int MmToPulse_Table()
{
    if (!everyAxisInUseConvertible())
        return 1;
    for (int n = gPosiNoFrom; n <= gPosiNoTo && n < kPosiRows; ++n) {
        if (n < 1)
            continue;
        for (int a = 0; a < kAxisCount; ++a)
            gPosiTable[n][a] =
                gAxisUnused[a] ? 0.0 : *MmToPulse(gDevLead[a], gDevPPR[a], gPosiTable[n][a + 4]);
    }
    return 0;
}
