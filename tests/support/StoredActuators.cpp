#include "support/StoredActuators.h"

#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "actuators/DevSettingStore.h"
#include "core/MainForm.h"
#include "link/OnlineMode.h"
#include "tables/AxisScale.h"
#include "tables/DevSetting.h"
#include "tables/StdParaList.h"

int useStoredActuatorsOffline()
{
    SetOfflineMode();
    int result = 0;
    if (LoadDevSetting() == 1) {
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
