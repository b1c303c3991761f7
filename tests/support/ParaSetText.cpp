#include "support/ParaSetText.h"

#include "tables/DevSetting.h"
#include "tables/ParaSet.h"

QStringList paraSetText()
{
    QStringList out;
    for (int a = 0; a < kAxisCount; ++a)
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9").arg(gPrmHomeOffset[a]).arg(gPrmHomePush[a])
                   .arg(gPrmHomeVel[a]).arg(gPrmHomeOfsVel[a]).arg(gPrmHomePushVel[a]).arg(gPrmHomeOrder[a])
                   .arg(gPrmAxisStroke[a]).arg(gPrmAxisLead[a]).arg(gPrmAxisPulse[a])
            << QStringLiteral("%1 %2 %3 [%4] %5 %6").arg(gPrmJogHighVel[a]).arg(gPrmAutoDrv[a])
                   .arg(gPrmJhOrQz[a]).arg(gPrmActuator[a]).arg(gPrmPgFunc[a]).arg(gPrmPgAlarm[a])
            << QStringLiteral("%1 %2 %3 %4 [%5|%6|%7]").arg(gPrmPgCheckTimer[a]).arg(gPrmLsSerchTimer[a])
                   .arg(gPrmSoftLimit[a]).arg(gPrmM0Disable[a]).arg(gPrmActSize[a], gPrmActSpeed[a])
                   .arg(gPrmActStroke[a]);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9").arg(gPrmHomeOut).arg(gPrmAlmCode).arg(gPrmGrpEnable)
               .arg(gPrmSmTimeoutSel).arg(gPrmSmTimerVal).arg(gAxisMask).arg(gPrmAutoHome)
               .arg(gPrmStopPause).arg(gPrmSingle28);
    return out;
}
