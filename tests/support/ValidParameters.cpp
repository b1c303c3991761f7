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

void writeAxisParameters(int a, const AxisParameters &p)
{
    gPrmHomeOffset[a] = p.homeOffset;
    gPrmHomePush[a] = p.homePush;
    gPrmHomeVel[a] = p.homeVel;
    gPrmHomeOfsVel[a] = p.homeOfsVel;
    gPrmHomePushVel[a] = p.homePushVel;
    gPrmHomeOrder[a] = p.homeOrder;
    gPrmAxisStroke[a] = p.axisStroke;
    gPrmAxisLead[a] = p.axisLead;
    gPrmAxisPulse[a] = p.axisPulse;
    gPrmJogHighVel[a] = p.jogHighVel;
    gPrmAutoDrv[a] = p.autoDrv;
    gPrmJhOrQz[a] = p.jhOrQz;
    gPrmActSize[a] = p.actSize;
    gPrmActSpeed[a] = p.actSpeed;
    gPrmActStroke[a] = p.actStroke;
    if (p.actuator)
        gPrmActuator[a] = *p.actuator;
    gPrmPgFunc[a] = p.pgFunc;
    gPrmPgAlarm[a] = p.pgAlarm;
    gPrmPgCheckTimer[a] = p.pgCheckTimer;
    gPrmLsSerchTimer[a] = p.lsSerchTimer;
    gPrmSoftLimit[a] = p.softLimit;
    gPrmM0Disable[a] = p.m0Disable;
}

void writeSharedParameters(const SharedParameters &p)
{
    gPrmHomeOut = p.homeOut;
    gPrmAlmCode = p.almCode;
    gPrmGrpEnable = p.grpEnable;
    gPrmSmTimeoutSel = p.smTimeoutSel;
    gPrmSmTimerVal = p.smTimerVal;
    gAxisMask = p.axisMask;
    gPrmAutoHome = p.autoHome;
    gPrmStopPause = p.stopPause;
}
