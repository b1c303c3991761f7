#include "tables/ParaSet.h"

#include "core/Module2Calc.h"

#include <cmath>

qint32 gPrmHomeOffset[kAxisCount] = {};
int gPrmHomePush[kAxisCount] = {};
int gPrmHomeVel[kAxisCount] = {};
int gPrmHomeOfsVel[kAxisCount] = {};
int gPrmHomePushVel[kAxisCount] = {};
int gPrmHomeOrder[kAxisCount] = {};
qint32 gPrmAxisStroke[kAxisCount] = {};
int gPrmAxisLead[kAxisCount] = {};
qint32 gPrmAxisPulse[kAxisCount] = {};
int gPrmJogHighVel[kAxisCount] = {};
int gPrmAutoDrv[kAxisCount] = {};
int gPrmJhOrQz[kAxisCount] = {};
QString gPrmActuator[kAxisCount];
int gPrmPgFunc[kAxisCount] = {};
qint32 gPrmPgAlarm[kAxisCount] = {};
int gPrmHomeOut = 0;
int gPrmAlmCode = 0;
int gPrmGrpEnable = 0;
int gPrmSmTimeoutSel = 0;
int gPrmSmTimerVal = 0;
int gAxisMask = 0;
int gPrmAutoHome = 0;
int gPrmPgCheckTimer[kAxisCount] = {};
int gPrmLsSerchTimer[kAxisCount] = {};
int gPrmSoftLimit[kAxisCount] = {};
int gPrmM0Disable[kAxisCount] = {};
int gPrmStopPause = 0;
int gPrmSingle28 = 0;
QString gPrmActSize[kAxisCount];
QString gPrmActSpeed[kAxisCount];
int gPrmActStroke[kAxisCount] = {};

QVariant gParaTmp[kParaItems][kParaRows];
bool gPrnAxisUnused[kAxisCount] = {};

namespace editors {

std::optional<qint64> cellToInteger(const QVariant &cell, qint64 min, qint64 max)
{
    double v = 0;
    switch (cell.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
        v = cell.toDouble();
        break;
    case QMetaType::Bool:
        v = cell.toBool() ? -1 : 0;
        break;
    default: {
        const QString t = cell.toString().trimmed();
        bool ok = false;
        v = t.toDouble(&ok);
        if (t.isEmpty() || !ok)
            return std::nullopt;
    }
    }
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = calc::roundHalfEven(v);
    if (r < double(min) || r > double(max))
        return std::nullopt;
    return qint64(r);
}

struct ParaSnapshot
{
    qint32 homeOffset[kAxisCount];
    int homePush[kAxisCount], homeVel[kAxisCount], homeOfsVel[kAxisCount];
    int homePushVel[kAxisCount], homeOrder[kAxisCount];
    qint32 axisStroke[kAxisCount];
    int axisLead[kAxisCount];
    qint32 axisPulse[kAxisCount];
    int jogHighVel[kAxisCount], autoDrv[kAxisCount], jhOrQz[kAxisCount];
    QString actuator[kAxisCount];
    int pgFunc[kAxisCount];
    qint32 pgAlarm[kAxisCount];
    int homeOut, almCode, grpEnable, smTimeoutSel, smTimerVal, axisMask, autoHome;
    int pgCheckTimer[kAxisCount], lsSerchTimer[kAxisCount], softLimit[kAxisCount];
    int m0Disable[kAxisCount];
    int stopPause, single28;
    QString actSize[kAxisCount], actSpeed[kAxisCount];
    int actStroke[kAxisCount];
    bool devIsQz[kAxisCount], setteiVertical[kAxisCount], setteiWithPG[kAxisCount];
    int axisMaskNew;
};

namespace {

template<typename T, typename U>
void copyArray(T (&to)[kAxisCount], const U (&from)[kAxisCount])
{
    for (int a = 0; a < kAxisCount; ++a)
        to[a] = from[a];
}

void capture(ParaSnapshot &s)
{
    copyArray(s.homeOffset, gPrmHomeOffset);
    copyArray(s.homePush, gPrmHomePush);
    copyArray(s.homeVel, gPrmHomeVel);
    copyArray(s.homeOfsVel, gPrmHomeOfsVel);
    copyArray(s.homePushVel, gPrmHomePushVel);
    copyArray(s.homeOrder, gPrmHomeOrder);
    copyArray(s.axisStroke, gPrmAxisStroke);
    copyArray(s.axisLead, gPrmAxisLead);
    copyArray(s.axisPulse, gPrmAxisPulse);
    copyArray(s.jogHighVel, gPrmJogHighVel);
    copyArray(s.autoDrv, gPrmAutoDrv);
    copyArray(s.jhOrQz, gPrmJhOrQz);
    copyArray(s.actuator, gPrmActuator);
    copyArray(s.pgFunc, gPrmPgFunc);
    copyArray(s.pgAlarm, gPrmPgAlarm);
    s.homeOut = gPrmHomeOut;
    s.almCode = gPrmAlmCode;
    s.grpEnable = gPrmGrpEnable;
    s.smTimeoutSel = gPrmSmTimeoutSel;
    s.smTimerVal = gPrmSmTimerVal;
    s.axisMask = gAxisMask;
    s.autoHome = gPrmAutoHome;
    copyArray(s.pgCheckTimer, gPrmPgCheckTimer);
    copyArray(s.lsSerchTimer, gPrmLsSerchTimer);
    copyArray(s.softLimit, gPrmSoftLimit);
    copyArray(s.m0Disable, gPrmM0Disable);
    s.stopPause = gPrmStopPause;
    s.single28 = gPrmSingle28;
    copyArray(s.actSize, gPrmActSize);
    copyArray(s.actSpeed, gPrmActSpeed);
    copyArray(s.actStroke, gPrmActStroke);
    copyArray(s.devIsQz, gDevIsQz);
    copyArray(s.setteiVertical, gDevSetteiVertical);
    copyArray(s.setteiWithPG, gDevSetteiWithPG);
    s.axisMaskNew = gAxisMaskNew;
}

void restore(const ParaSnapshot &s)
{
    copyArray(gPrmHomeOffset, s.homeOffset);
    copyArray(gPrmHomePush, s.homePush);
    copyArray(gPrmHomeVel, s.homeVel);
    copyArray(gPrmHomeOfsVel, s.homeOfsVel);
    copyArray(gPrmHomePushVel, s.homePushVel);
    copyArray(gPrmHomeOrder, s.homeOrder);
    copyArray(gPrmAxisStroke, s.axisStroke);
    copyArray(gPrmAxisLead, s.axisLead);
    copyArray(gPrmAxisPulse, s.axisPulse);
    copyArray(gPrmJogHighVel, s.jogHighVel);
    copyArray(gPrmAutoDrv, s.autoDrv);
    copyArray(gPrmJhOrQz, s.jhOrQz);
    copyArray(gPrmActuator, s.actuator);
    copyArray(gPrmPgFunc, s.pgFunc);
    copyArray(gPrmPgAlarm, s.pgAlarm);
    gPrmHomeOut = s.homeOut;
    gPrmAlmCode = s.almCode;
    gPrmGrpEnable = s.grpEnable;
    gPrmSmTimeoutSel = s.smTimeoutSel;
    gPrmSmTimerVal = s.smTimerVal;
    gAxisMask = s.axisMask;
    gPrmAutoHome = s.autoHome;
    copyArray(gPrmPgCheckTimer, s.pgCheckTimer);
    copyArray(gPrmLsSerchTimer, s.lsSerchTimer);
    copyArray(gPrmSoftLimit, s.softLimit);
    copyArray(gPrmM0Disable, s.m0Disable);
    gPrmStopPause = s.stopPause;
    gPrmSingle28 = s.single28;
    copyArray(gPrmActSize, s.actSize);
    copyArray(gPrmActSpeed, s.actSpeed);
    copyArray(gPrmActStroke, s.actStroke);
    copyArray(gDevIsQz, s.devIsQz);
    copyArray(gDevSetteiVertical, s.setteiVertical);
    copyArray(gDevSetteiWithPG, s.setteiWithPG);
    gAxisMaskNew = s.axisMaskNew;
}

// Converts cells one after the other; the first that does not convert marks the whole
// unpacking failed, and the caller's guard puts every value back.
class Unpacker
{
public:
    bool ok() const { return m_ok; }

    int i16(int item, int row)
    {
        return int(take(gParaTmp[item][row], -32768, 32767));
    }
    qint32 i32(int item, int row)
    {
        return qint32(take(gParaTmp[item][row], -2147483647LL - 1, 2147483647LL));
    }

private:
    qint64 take(const QVariant &cell, qint64 min, qint64 max)
    {
        const auto v = editors::cellToInteger(cell, min, max);
        if (!v)
            m_ok = false;
        return v.value_or(0);
    }
    bool m_ok = true;
};

// Items 1 to 13 of one axis.
void unpackAxisItems(Unpacker &u, int a)
{
    gPrmHomeOffset[a] = u.i32(1, a);
    gPrmHomePush[a] = u.i16(2, a);
    gPrmHomeVel[a] = u.i16(3, a);
    gPrmHomeOfsVel[a] = u.i16(4, a);
    gPrmHomePushVel[a] = u.i16(5, a);
    gPrmHomeOrder[a] = u.i16(6, a);
    gPrmAxisStroke[a] = u.i32(7, a);
    gPrmAxisLead[a] = u.i16(8, a);
    gPrmAxisPulse[a] = u.i32(9, a);
    gPrmJogHighVel[a] = u.i16(10, a);
    gPrmAutoDrv[a] = u.i16(11, a);
    gPrmJhOrQz[a] = u.i16(12, a);
    gPrmActuator[a] = gParaTmp[13][a].toString();
}

void unpackPgAndSpecial(Unpacker &u, int a)
{
    gPrmPgFunc[a] = u.i16(14, a);
    gPrmPgAlarm[a] = u.i32(15, a);
    gPrmPgCheckTimer[a] = u.i16(23, a);
    gPrmLsSerchTimer[a] = u.i16(24, a);
    gPrmSoftLimit[a] = u.i16(25, a);
    gPrmM0Disable[a] = u.i16(26, a);
}

void unpackSingles(Unpacker &u)
{
    gPrmHomeOut = u.i16(16, 0);
    gPrmAlmCode = u.i16(17, 0);
    gPrmGrpEnable = u.i16(18, 0);
    gPrmSmTimeoutSel = u.i16(19, 0);
    gPrmSmTimerVal = u.i16(20, 0);
    gAxisMask = u.i16(21, 0);
    gPrmAutoHome = u.i16(22, 0);
}

} // namespace

void resetParaSet()
{
    ClearParaArrays();
    ClearParaTable();
    for (bool &f : gPrnAxisUnused)
        f = false;
}

ParaSetGuard::ParaSetGuard()
    : m_saved(new ParaSnapshot)
{
    capture(*m_saved);
}

ParaSetGuard::~ParaSetGuard()
{
    if (!m_keep)
        restore(*m_saved);
    delete m_saved;
}

} // namespace editors

void ClearParaArrays()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gPrmHomeOffset[a] = 0;
        gPrmHomePush[a] = 0;
        gPrmHomeVel[a] = 0;
        gPrmHomeOfsVel[a] = 0;
        gPrmHomePushVel[a] = 0;
        gPrmHomeOrder[a] = 0;
        gPrmAxisStroke[a] = 0;
        gPrmAxisLead[a] = 0;
        gPrmAxisPulse[a] = 0;
        gPrmJogHighVel[a] = 0;
        gPrmAutoDrv[a] = 0;
        gPrmJhOrQz[a] = 0;
        gPrmActuator[a].clear();
        gPrmPgFunc[a] = 0;
        gPrmPgAlarm[a] = 0;
        gPrmPgCheckTimer[a] = 0;
        gPrmLsSerchTimer[a] = 0;
        gPrmSoftLimit[a] = 0;
        gPrmM0Disable[a] = 0;
        gPrmActSize[a].clear();
        gPrmActSpeed[a].clear();
        gPrmActStroke[a] = 0;
    }
    gPrmHomeOut = 0;
    gPrmAlmCode = 0;
    gPrmGrpEnable = 0;
    gPrmSmTimeoutSel = 0;
    gPrmSmTimerVal = 0;
    gAxisMask = 0;
    gPrmAutoHome = 0;
    gPrmStopPause = 0;
    gPrmSingle28 = 0;
}

void ClearParaTable()
{
    for (auto &item : gParaTmp)
        for (auto &cell : item)
            cell = QString();
}

int SetParametaFromTable()
{
    editors::ParaSetGuard guard;
    editors::Unpacker u;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        editors::unpackAxisItems(u, a);
        gPrmActSize[a] = gParaTmp[29][a].toString();
        gPrmActSpeed[a] = gParaTmp[30][a].toString();
        gPrmActStroke[a] = u.i16(31, a);
        gDevIsQz[a] = gPrmJhOrQz[a] == 0 || gPrmJhOrQz[a] == 1;
        gDevSetteiVertical[a] = gPrmJhOrQz[a] == 1;
        editors::unpackPgAndSpecial(u, a);
        gDevSetteiWithPG[a] = gPrmPgFunc[a] != 0;
    }
    editors::unpackSingles(u);
    gPrmStopPause = u.i16(27, 0);
    gPrmSingle28 = u.i16(28, 0);
    if (!u.ok())
        return 1;
    guard.keep();
    return 0;
}

int LetParaTableToArrays()
{
    editors::ParaSetGuard guard;
    editors::Unpacker u;
    for (int a = 0; a < kAxisCount; ++a) {
        editors::unpackAxisItems(u, a);
        const auto parts = actuators::parseActuatorCode(gPrmActuator[a]);
        if (!parts)
            return 1;
        gPrmActSize[a] = parts->size;
        gPrmActSpeed[a] = parts->speed;
        gPrmActStroke[a] = parts->stroke;
        editors::unpackPgAndSpecial(u, a);
    }
    editors::unpackSingles(u);
    // A file of the older layout has no STOP/PAUSE row; item 28 is not in any file, so the
    // value sent to the controller stays what it was.
    if (gParaTmp[27][0].toString().isEmpty()) {
        gParaTmp[27][0] = 0;
        gPrmStopPause = 0;
    } else {
        gPrmStopPause = u.i16(27, 0);
    }
    if (!u.ok())
        return 1;
    guard.keep();
    return 0;
}

void SetAxisFlagFromMask()
{
    for (int a = 0; a < kAxisCount; ++a)
        gPrnAxisUnused[a] = (gAxisMask & (1 << a)) == 0;
}

void SetAxisFlagFromPara()
{
    const int mask = int(editors::cellToInt16(gParaTmp[21][0]).value_or(0));
    for (int a = 0; a < kAxisCount; ++a)
        gPrnAxisUnused[a] = (mask & (1 << a)) == 0;
}
