#include "support/ValidParameters.h"

#include "tables/DevSetting.h"
#include "tables/ParaSet.h"

void validParameters()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gPrmHomeOffset[a] = 300;
        gPrmHomeVel[a] = 10;
        gPrmAxisStroke[a] = 262143;
        gPrmAxisLead[a] = 2;
        gPrmAxisPulse[a] = 40000;
        gPrmActSize[a] = QStringLiteral(" 28");
        gPrmActSpeed[a] = QStringLiteral("L");
        gPrmActStroke[a] = 50;
    }
    gAxisMask = 1;
}
