#include "app/StartOffline.h"

#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "link/OnlineMode.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"

namespace startup {

void resetAxesForStart()
{
    ClearParaArrays();
    for (int a = 0; a < kAxisCount; ++a) {
        gDevIsQz[a] = true;
        gDevFamily[a] = QStringLiteral("QZ");
        gAxisUnused[a] = false;
        gAxisNewType[a] = true;
        gDevSetteiNewType[a] = true;
    }
}

int startOfflineActuators()
{
    SetOfflineMode();
    int result = 0;
    if (LoadDevSetting() == 1) {
        // The actuator setup window, which would follow, is not part of this start yet.
        ResMsgBox({4, 5});
        result = 1;
    } else {
        for (int a = 0; a < kAxisCount; ++a) {
            if (gDevIsQz[a])
                gDevFamily[a] = QStringLiteral("QZ");
        }
        if (ReadDevList() == 1 || SetStdParameta() != 0) {
            result = 1;
        } else {
            CulcDevLimits();
            DispDeviceName();
            DispPulsePerMm();
        }
    }
    DispAxisData();
    EditCMD_Muko();
    return result;
}

} // namespace startup
