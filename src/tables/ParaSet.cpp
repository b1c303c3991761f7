#include "tables/ParaSet.h"

#include "core/Module2Calc.h"
#include "core/Padding.h"
#include "tables/ParaVerify.h"
#include "tables/ParaWindowKeep.h"

#include <cmath>
#include <limits>

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

namespace tables {

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
    const double r = core::calc::roundHalfEven(v);
    if (r < double(min) || r > double(max))
        return std::nullopt;
    return qint64(r);
}

namespace {

constexpr qint64 kNoMax = std::numeric_limits<qint64>::max();
constexpr ParaStore I16 = ParaStore::Int16, I32 = ParaStore::Int32, TXT = ParaStore::Text;
constexpr ParaBlock NONE = ParaBlock::None, ZERO = ParaBlock::Zero, ORDER = ParaBlock::Order,
                    ODD = ParaBlock::Odd, EVEN = ParaBlock::Even;
constexpr ParaCheck UNCHECKED = ParaCheck::None, WHOLE = ParaCheck::WholeSet, ALWAYS = ParaCheck::Always;

} // namespace

// clang-format off
const ParaItem kParaItemTable[kParaItemCount] = {
// no  axis   store  variable: 16-bit, 32-bit, text        block firstByte bytes filed newerRow check  min  max
//     verification                   print line and label           list        common row
{ 1, true,  I32, nullptr, gPrmHomeOffset, nullptr,   ODD,   0, 2, true,  false, ALWAYS,    1, 65535,
       kVerifyHome, "OFFSET",          5, " 1.OFFSET:",        0, 0,               -1},
{ 2, true,  I16, gPrmHomePush, nullptr, nullptr,     ODD,   2, 1, true,  false, ALWAYS,    1, 255,
       kVerifyHome, "PUSH",            6, " 2.PUSH:",          0, 0,               -1},
{ 3, true,  I16, gPrmHomeVel, nullptr, nullptr,      ODD,   3, 1, true,  false, ALWAYS,    1, 60,
       kVerifyHome, "VEL",             7, " 3.VEL:",           0, 0,               -1},
{ 4, true,  I16, gPrmHomeOfsVel, nullptr, nullptr,   ODD,   4, 1, true,  false, ALWAYS,    1, 60,
       kVerifyHome, "OFSVEL",          8, " 4.OFSVEL:",        0, 0,               -1},
{ 5, true,  I16, gPrmHomePushVel, nullptr, nullptr,  ODD,   5, 1, true,  false, ALWAYS,    1, 60,
       kVerifyHome, "PUSHVEL",         9, " 5.PUSHVEL:",       0, 0,               -1},
{ 6, true,  I16, gPrmHomeOrder, nullptr, nullptr,    ORDER, 0, 1, true,  false, WHOLE,     1, 9,
       kVerifyHome, "SEQ",            10, " 6.SEQ:",           0, 0,               -1},
{ 7, true,  I32, nullptr, gPrmAxisStroke, nullptr,   EVEN,  5, 3, true,  false, ALWAYS,    0, 262143,
       kVerifyAxis, "STROKE",         13, " 1.STROKE:",        0, 0,               -1},
{ 8, true,  I16, gPrmAxisLead, nullptr, nullptr,     EVEN,  1, 1, true,  false, ALWAYS,    1, 255,
       kVerifyAxis, "LEAD",           14, " 2.LEAD:",          0, 0,               -1},
{ 9, true,  I32, nullptr, gPrmAxisPulse, nullptr,    EVEN,  2, 2, true,  false, ALWAYS,    1, 65535,
       kVerifyAxis, "PULSE",          15, " 3.PULSE:",         0, 0,               -1},
{10, true,  I16, gPrmJogHighVel, nullptr, nullptr,   ODD,   6, 1, true,  false, ALWAYS,    1, 30,
       kVerifyAxis, "JOGVEL",         16, " 4.JOG VEL:",       0, 0,               -1},
{11, true,  I16, gPrmAutoDrv, nullptr, nullptr,      ODD,  12, 1, true,  false, WHOLE,     0, 1,
       kVerifyAxis, "AUTODRIVE",      17, " 5.Auto Drive:",    641, 2,             -1},
{12, true,  I16, gPrmJhOrQz, nullptr, nullptr,       EVEN,  0, 1, true,  false, ALWAYS,    0, kParaTypeCount - 1,
       kVerifyAxis, "TYPE",           18, " 6.TYPE:",          kParaTypeText, kParaTypeCount, -1},
{13, true,  TXT, nullptr, nullptr, gPrmActuator,     NONE,  0, 0, true,  false, ALWAYS,    1, kNoMax,
       kVerifyAxis, "Actuator",       19, " 7.Actuator:",      0, 0,               -1},
{14, true,  I16, gPrmPgFunc, nullptr, nullptr,       EVEN,  4, 1, true,  false, ALWAYS,    0, 2,
       kVerifyPg,   "FUNCTION",       22, " 1.FUNCTION:",      652, 3,              0},
{15, true,  I32, nullptr, gPrmPgAlarm, nullptr,      ODD,   7, 2, true,  false, WHOLE,     5, 65535,
       kVerifyPg,   "ALM",            23, " 2.ALM:",           0, 0,                1},
{16, false, I16, &gPrmHomeOut, nullptr, nullptr,     ZERO,  0, 1, true,  false, WHOLE,     0, 3,
       kVerifyEtc,  "HOME OUT",       26, " 1. HOME OUT:",     0, 0,                2},
{17, false, I16, &gPrmAlmCode, nullptr, nullptr,     ZERO,  2, 1, true,  false, WHOLE,     0, 1,
       kVerifyEtc,  "ALM CODE",       27, " 2. ALM CODE:",     0, 0,                3},
{18, false, I16, &gPrmGrpEnable, nullptr, nullptr,   ZERO,  3, 1, true,  false, WHOLE,     0, 1,
       kVerifyEtc,  "GRP ENABLE",     28, " 3. GRP ENABLE:",   655, 2,              4},
{19, false, I16, &gPrmSmTimeoutSel, nullptr, nullptr, ZERO, 4, 1, true,  false, WHOLE,     0, 1,
       kVerifyEtc,  "SM TIMEOUT",     29, " 4. SM TIMEOUT:",   0, 0,                5},
{20, false, I16, &gPrmSmTimerVal, nullptr, nullptr,  ZERO,  5, 1, true,  false, WHOLE,     1, 255,
       kVerifyEtc,  "SM TIMER",       30, " 5. SM TIMER:",     0, 0,                6},
{21, false, I16, &gAxisMask, nullptr, nullptr,       ZERO,  6, 1, true,  false, WHOLE,     0, 15,
       kVerifySp,   "AXIS",           33, " 1. AXIS:",         0, 0,               -1},
{22, false, I16, &gPrmAutoHome, nullptr, nullptr,    ZERO,  1, 1, true,  false, WHOLE,     0, 1,
       kVerifySp,   "AUTO HOME",      34, " 2. AUTO HOME:",    663, 2,              8},
{23, true,  I16, gPrmPgCheckTimer, nullptr, nullptr, ODD,   9, 1, true,  false, WHOLE,     0, 255,
       kVerifySp,   "PG TIMER",       36, " 3. PG TIMER:",     0, 0,                9},
{24, true,  I16, gPrmLsSerchTimer, nullptr, nullptr, ODD,  10, 1, true,  false, WHOLE,     0, 255,
       kVerifySp,   "LS SERCH TIMER", 37, " 4. LS TIMER:",     0, 0,               10},
{25, true,  I16, gPrmSoftLimit, nullptr, nullptr,    ODD,  11, 1, true,  false, WHOLE,     0, 1,
       kVerifySp,   "SOFT LIMIT",     38, " 5. SOFT LIMIT:",   655, 2,             11},
{26, true,  I16, gPrmM0Disable, nullptr, nullptr,    ODD,  13, 1, true,  false, WHOLE,     0, 1,
       kVerifySp,   "M0 DISABLE",     39, " 6. M0 ENABLE:",    655, 2,             12},
{27, false, I16, &gPrmStopPause, nullptr, nullptr,   ZERO,  7, 1, true,  true,  WHOLE,     0, 1,
       kVerifySp,   "STOP/PAUSE",     40, " 7. STOP/PAUSE:",   667, 2,             13},
// Carried to the controller only: in no file, check, verification or print.
{28, false, I16, &gPrmSingle28, nullptr, nullptr,    ZERO,  8, 1, false, false, UNCHECKED, 0, 0,
       -1,          nullptr,           0, nullptr,             0, 0,               -1},
// The actuator code's parts: filed and verified as the code (13); the even block carries
// size and speed as a code of their own.
{29, true,  TXT, nullptr, nullptr, gPrmActSize,      NONE,  0, 0, false, false, ALWAYS,    3, 3,
       -1,          nullptr,           0, nullptr,             0, 0,               -1},
{30, true,  TXT, nullptr, nullptr, gPrmActSpeed,     NONE,  0, 0, false, false, ALWAYS,    1, kNoMax,
       -1,          nullptr,           0, nullptr,             0, 0,               -1},
{31, true,  I16, gPrmActStroke, nullptr, nullptr,    EVEN, 10, 2, false, false, ALWAYS,    0, 500,
       -1,          nullptr,           0, nullptr,             0, 0,               -1},
};
// clang-format on

qint64 ParaItem::valueAt(int axis) const
{
    const int i = row(axis);
    return wide ? qint64(wide[i]) : narrow ? qint64(narrow[i]) : 0;
}

void ParaItem::setValueAt(int axis, qint64 value) const
{
    const int i = row(axis);
    if (wide)
        wide[i] = qint32(value);
    else if (narrow)
        narrow[i] = int(value);
}

QString &ParaItem::textAt(int axis) const
{
    return text[row(axis)];
}

QVariant ParaItem::cell(int axis) const
{
    return store == ParaStore::Text ? QVariant(textAt(axis)) : QVariant(int(valueAt(axis)));
}

qint64 ParaItem::storeMin() const
{
    return store == ParaStore::Int32 ? -2147483647LL - 1 : -32768;
}

qint64 ParaItem::storeMax() const
{
    return store == ParaStore::Int32 ? 2147483647LL : 32767;
}

bool ParaItem::withinLimits(int axis) const
{
    const qint64 v = store == ParaStore::Text ? qint64(textAt(axis).size()) : valueAt(axis);
    return v >= min && v <= max;
}

void rebuildActuatorCode(int axis)
{
    gPrmActuator[axis] = gPrmActSize[axis] + gPrmActSpeed[axis] + DecZeroPad(gPrmActStroke[axis], 3);
}

struct ParaSnapshot
{
    qint64 numbers[kParaItemCount][kAxisCount];
    QString texts[kParaItemCount][kAxisCount];
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

int rowsOf(const ParaItem &item)
{
    return item.perAxis ? kAxisCount : 1;
}

void capture(ParaSnapshot &s)
{
    for (const ParaItem &item : kParaItemTable) {
        for (int a = 0; a < rowsOf(item); ++a) {
            if (item.store == ParaStore::Text)
                s.texts[item.number - 1][a] = item.textAt(a);
            else
                s.numbers[item.number - 1][a] = item.valueAt(a);
        }
    }
    copyArray(s.devIsQz, gDevIsQz);
    copyArray(s.setteiVertical, gDevSetteiVertical);
    copyArray(s.setteiWithPG, gDevSetteiWithPG);
    s.axisMaskNew = gAxisMaskNew;
}

void restore(const ParaSnapshot &s)
{
    for (const ParaItem &item : kParaItemTable) {
        for (int a = 0; a < rowsOf(item); ++a) {
            if (item.store == ParaStore::Text)
                item.textAt(a) = s.texts[item.number - 1][a];
            else
                item.setValueAt(a, s.numbers[item.number - 1][a]);
        }
    }
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

    // The item's cell into its variable: a text as it is, a number within its store.
    void take(const ParaItem &item, int axis)
    {
        const QVariant &cell = item.tableCell(axis);
        if (item.store == ParaStore::Text) {
            item.textAt(axis) = cell.toString();
            return;
        }
        const auto v = tables::cellToInteger(cell, item.storeMin(), item.storeMax());
        if (!v)
            m_ok = false;
        item.setValueAt(axis, v.value_or(0));
    }

private:
    bool m_ok = true;
};

} // namespace

void resetParaSet()
{
    ClearParaArrays();
    ClearParaTable();
    for (bool &f : gPrnAxisUnused)
        f = false;
    keptParaWindow().clear();
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

} // namespace tables

void ClearParaArrays()
{
    for (const tables::ParaItem &item : tables::kParaItemTable) {
        for (int a = 0; a < tables::rowsOf(item); ++a) {
            if (item.store == tables::ParaStore::Text)
                item.textAt(a).clear();
            else
                item.setValueAt(a, 0);
        }
    }
}

void ClearParaTable()
{
    for (auto &item : gParaTmp)
        for (auto &cell : item)
            cell = QString();
}

int SetParametaFromTable()
{
    tables::ParaSetGuard guard;
    tables::Unpacker u;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        for (const tables::ParaItem &item : tables::kParaItemTable)
            if (item.perAxis)
                u.take(item, a);
        gDevIsQz[a] = gPrmJhOrQz[a] == 0 || gPrmJhOrQz[a] == 1;
        gDevSetteiVertical[a] = gPrmJhOrQz[a] == 1;
        gDevSetteiWithPG[a] = gPrmPgFunc[a] != 0;
    }
    for (const tables::ParaItem &item : tables::kParaItemTable)
        if (!item.perAxis)
            u.take(item, 0);
    if (!u.ok())
        return 1;
    guard.keep();
    return 0;
}

int LetParaTableToArrays()
{
    tables::ParaSetGuard guard;
    tables::Unpacker u;
    for (int a = 0; a < kAxisCount; ++a) {
        for (const tables::ParaItem &item : tables::kParaItemTable)
            if (item.perAxis && item.filed)
                u.take(item, a);
        // The file holds the actuator code; its parts come from it.
        const auto parts = tables::parseActuatorCode(gPrmActuator[a]);
        if (!parts)
            return 1;
        gPrmActSize[a] = parts->size;
        gPrmActSpeed[a] = parts->speed;
        gPrmActStroke[a] = parts->stroke;
    }
    // Single items no file holds keep the value the controller gave them.
    for (const tables::ParaItem &item : tables::kParaItemTable) {
        if (item.perAxis || !item.filed)
            continue;
        if (item.newerRow && item.tableCell(0).toString().isEmpty()) {
            item.tableCell(0) = 0;
            item.setValueAt(0, 0);
            continue;
        }
        u.take(item, 0);
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
    const int mask = int(tables::cellToInt16(tables::paraItem(21).tableCell(0)).value_or(0));
    for (int a = 0; a < kAxisCount; ++a)
        gPrnAxisUnused[a] = (mask & (1 << a)) == 0;
}
