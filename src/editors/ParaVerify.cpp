#include "editors/ParaVerify.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"

bool gVerifyNG = false;
QString gVerifyDiff[kVerifyGroups];

namespace {

// Numbers compare by value whatever their form in the table; a cell that is no number differs.
bool sameNumber(qint64 value, const QVariant &cell)
{
    const auto v = editors::cellToInteger(cell, -2147483647LL - 1, 2147483647LL);
    return v && *v == value;
}

void note(int group, const char *text, int axis)
{
    gVerifyNG = true;
    gVerifyDiff[group] += QLatin1String(text);
    if (axis >= 0)
        gVerifyDiff[group] += QString::number(axis + 1) + QLatin1Char(')');
    gVerifyDiff[group] += QLatin1Char(',');
}

void compare(int group, const char *text, qint64 value, int item, int axis)
{
    if (!sameNumber(value, gParaTmp[item][axis < 0 ? 0 : axis]))
        note(group, text, axis);
}

} // namespace

void ParaChangeCheck()
{
    gVerifyNG = false;
    for (QString &d : gVerifyDiff)
        d.clear();
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        compare(kVerifyHome, "OFFSET(", gPrmHomeOffset[a], 1, a);
        compare(kVerifyHome, "PUSH(", gPrmHomePush[a], 2, a);
        compare(kVerifyHome, "VEL(", gPrmHomeVel[a], 3, a);
        compare(kVerifyHome, "OFSVEL(", gPrmHomeOfsVel[a], 4, a);
        compare(kVerifyHome, "PUSHVEL(", gPrmHomePushVel[a], 5, a);
        compare(kVerifyHome, "SEQ(", gPrmHomeOrder[a], 6, a);
    }
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        compare(kVerifyAxis, "STROKE(", gPrmAxisStroke[a], 7, a);
        compare(kVerifyAxis, "LEAD(", gPrmAxisLead[a], 8, a);
        compare(kVerifyAxis, "PULSE(", gPrmAxisPulse[a], 9, a);
        compare(kVerifyAxis, "JOGVEL(", gPrmJogHighVel[a], 10, a);
        compare(kVerifyAxis, "AUTODRIVE(", gPrmAutoDrv[a], 11, a);
        compare(kVerifyAxis, "TYPE(", gPrmJhOrQz[a], 12, a);
        const QVariant &code = gParaTmp[13][a];
        if (code.toString() != gPrmActuator[a])
            note(kVerifyAxis, "Actuator(", a);
    }
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        compare(kVerifyPg, "FUNCTION(", gPrmPgFunc[a], 14, a);
        compare(kVerifyPg, "ALM(", gPrmPgAlarm[a], 15, a);
    }
    compare(kVerifySp, "AXIS", gAxisMask, 21, -1);
    compare(kVerifySp, "AUTO HOME", gPrmAutoHome, 22, -1);
    compare(kVerifySp, "STOP/PAUSE", gPrmStopPause, 27, -1);
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        compare(kVerifySp, "PG TIMER(", gPrmPgCheckTimer[a], 23, a);
        compare(kVerifySp, "LS SERCH TIMER(", gPrmLsSerchTimer[a], 24, a);
        compare(kVerifySp, "SOFT LIMIT(", gPrmSoftLimit[a], 25, a);
        compare(kVerifySp, "M0 DISABLE(", gPrmM0Disable[a], 26, a);
    }
    compare(kVerifyEtc, "HOME OUT", gPrmHomeOut, 16, -1);
    compare(kVerifyEtc, "ALM CODE", gPrmAlmCode, 17, -1);
    compare(kVerifyEtc, "GRP ENABLE", gPrmGrpEnable, 18, -1);
    compare(kVerifyEtc, "SM TIMEOUT", gPrmSmTimeoutSel, 19, -1);
    compare(kVerifyEtc, "SM TIMER", gPrmSmTimerVal, 20, -1);
}

QString paraVerifyText()
{
    if (!gVerifyNG)
        return LoadResText(826);
    const QString crlf = QStringLiteral("\r\n");
    QString text = LoadResText(823) + crlf;
    const int names[kVerifyGroups] = {673, 675, 676, 677, 678};
    for (int g : {kVerifyHome, kVerifyAxis, kVerifyPg, kVerifyEtc, kVerifySp}) {
        if (!gVerifyDiff[g].isEmpty())
            text += QLatin1Char('<') + LoadResText(names[g]) + QStringLiteral("> :") + gVerifyDiff[g] + crlf;
    }
    return text;
}

namespace editors {

void resetParaVerify()
{
    gVerifyNG = false;
    for (QString &d : gVerifyDiff)
        d.clear();
}

} // namespace editors
