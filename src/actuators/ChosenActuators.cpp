#include "actuators/ChosenActuators.h"

#include "actuators/DevCatalogue.h"
#include "tables/DevSetting.h"
#include "actuators/DevicePanels.h"
#include "actuators/PendingSnapshot.h"
#include "core/Messages.h"
#include "tables/ParaInput.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"

namespace actuators {

bool chosenAxisUsed(const DevicePanels &panels, int axis)
{
    return panels.axis[axis].chkAxisEnable.value != 0;
}

void takeChosenActuators(const DevicePanels &panels)
{
    for (int a = 0; a < kAxisCount; ++a) {
        const DevicePanels::Axis &p = panels.axis[a];
        gDevSetteiFamily[a] = QStringLiteral("QZ");
        gDevIsQz[a] = true;
        gDevSetteiSize[a] = p.comboDeviceSize.text;
        gDevSetteiSpeed[a] = p.comboDeviceSpeed.text;
        // A stroke beyond 16 bits is no actuator stroke: the checks refuse 0.
        gDevSetteiStroke[a] = DevicePanels::strokeValue(p.comboDeviceStroke.text).value_or(0);
        if (DevicePanels::forcesNewAndVertical(gDevSetteiSize[a]) || p.chkNewOrOld.value == 0) {
            gDevSetteiNewType[a] = true;
            gDevSetteiVertical[a] = true;
        } else {
            gDevSetteiNewType[a] = false;
            gDevSetteiVertical[a] = gDevSetteiFamily[a] == QLatin1String("QZ") && p.chkDevVsiyou.value == 1;
        }
        gDevSetteiWithPG[a] = gDevSetteiFamily[a] == QLatin1String("QZ") && p.chkDevPgUse.value == 1;
    }
}

namespace {

bool writable(const DevicePanels &panels)
{
    takeChosenActuators(panels);
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = !chosenAxisUsed(panels, a);
        if (gAxisUnused[a])
            continue;
        if (CheckDevCode(gDevSetteiSize[a], gDevSetteiSpeed[a], gDevSetteiStroke[a]) != 0
            || DevListLookup3(gDevSetteiSize[a], gDevSetteiSpeed[a], gDevSetteiStroke[a]) != 0) {
            ResMsgBox({4, 5});
            return false;
        }
    }
    // The factory values the write would send, with their own message when a row is missing.
    if (SetStdParameta2() != 0)
        return false;
    if (ParametaValueCheck2() != 0) {
        ResMsgBox({1524, 1525});
        return false;
    }
    return true;
}

} // namespace

bool chosenActuatorsWritable(const DevicePanels &panels)
{
    const PendingSnapshot pending = PendingSnapshot::capture();
    // Never kept: the check changes no parameter.
    tables::ParaSetGuard parameters;
    const bool ok = writable(panels);
    pending.restore();
    return ok;
}

} // namespace actuators
