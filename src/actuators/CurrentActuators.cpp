#include "actuators/CurrentActuators.h"

#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DeviceChange.h"
#include "core/MainForm.h"
#include "tables/AxisScale.h"
#include "tables/ParaWindowKeep.h"
#include "core/Module2Calc.h"

namespace actuators {

int makeActuatorsCurrent(int options)
{
    if (options & ControllerReadBack) {
        LetDevFlags();
        CheckDevSetting();
        CulcStrokeMm();
    } else {
        CulcDevLimits();
    }
    if (!(options & KeepNewTypeFlags))
        CopyNewTypeFlag();
    // The next offline start must convert and limit with these actuators, not the old ones.
    const int stored = options & DoNotStore ? 0 : SaveDevSetting();
    DispDeviceName();
    DispAxisData();
    DispPulsePerMm();
    if (!(options & PositionsLeft))
        convertPositionsToNewActuators();
    // A parameter set kept or shown for other actuators must not come back nor be written.
    tables::currentActuatorsChanged();
    return stored;
}

} // namespace actuators
