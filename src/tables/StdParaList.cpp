#include "tables/StdParaList.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "platform/Dialogs.h"
#include "platform/ItemReader.h"
#include "platform/ProgramFolder.h"

#include <memory>

StdParaRow gStdParaList[kAxisCount][kStdParaRows];
int gStdParaCount[kAxisCount] = {};
QVariant gCmnParaList[kCmnParaRows][kCmnParaCols];

namespace {

constexpr qint64 kMin16 = -32768, kMax16 = 32767;
constexpr qint64 kMin32 = -2147483647LL - 1, kMax32 = 2147483647LL;

// OFFSET, STROKE and PULSE are 32-bit; the rest of items 1 to 11 16-bit.
bool is32BitValue(int i)
{
    return i == 0 || i == 6 || i == 8;
}

struct Lists
{
    StdParaRow rows[kAxisCount][kStdParaRows];
    int count[kAxisCount] = {};
    QVariant common[kCmnParaRows][kCmnParaCols];
};

enum class Outcome { Ok, WrongHeader, Failed };

Outcome readAxisList(const QString &path, int axis, Lists &l)
{
    platform::ItemReader in;
    if (!in.open(path))
        return Outcome::Failed;
    const QString model = in.text();
    const QString name = in.text();
    const qint64 count = in.integer();
    in.raw(); // not used
    if (!in.ok())
        return Outcome::Failed;
    if (model != QLatin1String("QZ-K4")
        || (name != QLatin1String("QZ-STDPRM") && name != QLatin1String("JH-STDPRM")))
        return Outcome::WrongHeader;
    if (count < 0 || count >= kStdParaRows)
        return Outcome::Failed;
    const int type = gDevSetteiNewType[axis] || gDevSetteiVertical[axis] ? 1 : 0;
    l.rows[axis][0].key = QString::number(count);
    for (int r = 1; r <= count; ++r) {
        StdParaRow &row = l.rows[axis][r];
        row.key = in.raw();
        for (int i = 0; i < kStdParaValues; ++i) {
            const auto v = editors::cellToInteger(in.raw(), is32BitValue(i) ? kMin32 : kMin16,
                                                  is32BitValue(i) ? kMax32 : kMax16);
            if (!v)
                return Outcome::Failed;
            row.values[i] = *v;
        }
        row.actuator = in.raw();
        if (!in.ok())
            return Outcome::Failed;
        row.type = type;
        row.size = row.key.left(3);
        row.speed = row.key.mid(3, 1);
        row.stroke = actuators::leadingNumber(row.key.mid(5, 3));
    }
    l.count[axis] = int(count);
    return Outcome::Ok;
}

Outcome readCommonList(Lists &l)
{
    platform::ItemReader in;
    if (!in.open(platform::programFile(QStringLiteral("w4cmstpr.lst"))))
        return Outcome::Failed;
    const QString model = in.text();
    const QString name = in.text();
    const qint64 sections = in.integer(0, 100);
    if (!in.ok())
        return Outcome::Failed;
    if (model != QLatin1String("QZ-K4") || name != QLatin1String("QZ-CMNPRM"))
        return Outcome::WrongHeader;
    const char *const names[] = {"PG", "ETC", "SPECIAL"};
    int row = 0;
    for (int k = 0; k < sections; ++k) {
        const QString section = in.text();
        const qint64 rows = in.integer(0, kCmnParaRows);
        const qint64 values = in.integer(0, kCmnParaCols);
        if (!in.ok() || section != QLatin1String(names[qMin(k, 2)]))
            return Outcome::Failed;
        for (int r = 0; r < rows; ++r, ++row) {
            if (row >= kCmnParaRows)
                return Outcome::Failed;
            for (int c = 0; c < values; ++c)
                l.common[row][c] = in.raw();
        }
    }
    if (!in.ok())
        return Outcome::Failed;
    // Every value the factory setting takes must be there and be a number.
    for (int r = 0; r <= 13; ++r) {
        if (r == 7)
            continue;
        const qint64 max = r == 1 ? kMax32 : kMax16;
        const qint64 min = r == 1 ? kMin32 : kMin16;
        if (!editors::cellToInteger(l.common[r][1], min, max))
            return Outcome::Failed;
        if (r <= 1 && !editors::cellToInteger(l.common[r][2], min, max))
            return Outcome::Failed;
    }
    return Outcome::Ok;
}

void tellListMissing()
{
    ResMsgBox({28, 29});
}

struct Found
{
    const StdParaRow *row[kAxisCount] = {};
};

// The first row of each axis' pending actuator; false when an axis in use has none.
bool findRows(Found &f)
{
    bool all = true;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        const int count = qBound(0, gStdParaCount[a], kStdParaRows - 1);
        for (int r = 1; r <= count; ++r) {
            const StdParaRow &row = gStdParaList[a][r];
            if (row.size == gDevSetteiSize[a] && row.speed == gDevSetteiSpeed[a]
                && row.stroke == double(gDevSetteiStroke[a])) {
                f.row[a] = &row;
                break;
            }
        }
        if (!f.row[a])
            all = false;
    }
    return all;
}

// The lists read afresh and the row of each axis in use found; false once the operator has
// been told that the standard parameter file cannot serve.
bool readListsAndFindRows(Found &found)
{
    if (ReadStdParaFile() != 0 || !findRows(found)) {
        ResMsgBox({36});
        return false;
    }
    return true;
}

int cmn16(int row, int col)
{
    return int(editors::cellToInt16(gCmnParaList[row][col]).value_or(0));
}

qint32 cmn32(int row, int col)
{
    return qint32(editors::cellToInt32(gCmnParaList[row][col]).value_or(0));
}

void takeRowValues(int a, const StdParaRow &row, bool withSeqAndDrive)
{
    gPrmActSize[a] = row.size;
    gPrmActSpeed[a] = row.speed;
    gPrmActStroke[a] = int(row.stroke);
    gPrmHomeOffset[a] = qint32(row.values[0]);
    gPrmHomePush[a] = int(row.values[1]);
    gPrmHomeVel[a] = int(row.values[2]);
    gPrmHomeOfsVel[a] = int(row.values[3]);
    gPrmHomePushVel[a] = int(row.values[4]);
    if (withSeqAndDrive)
        gPrmHomeOrder[a] = int(row.values[5]);
    gPrmAxisStroke[a] = qint32(row.values[6]);
    gPrmAxisLead[a] = int(row.values[7]);
    gPrmAxisPulse[a] = qint32(row.values[8]);
    gPrmJogHighVel[a] = int(row.values[9]);
    if (withSeqAndDrive)
        gPrmAutoDrv[a] = int(row.values[10]);
    gPrmJhOrQz[a] = row.type;
    gPrmActuator[a] = row.actuator;
}

int usedAxisMask()
{
    int mask = 0;
    for (int a = 0; a < kAxisCount; ++a)
        if (!gAxisUnused[a])
            mask |= 1 << a;
    return mask;
}

} // namespace

namespace editors {

void resetStdParaList()
{
    for (auto &axis : gStdParaList)
        for (auto &row : axis)
            row = StdParaRow();
    for (int &c : gStdParaCount)
        c = 0;
    for (auto &row : gCmnParaList)
        for (auto &cell : row)
            cell = QVariant();
}

} // namespace editors

int ReadStdParaFile()
{
    auto l = std::make_unique<Lists>();
    QString path;
    for (int a = 0; a < kAxisCount; ++a) {
        // An axis of another family reads the list of the axis before it.
        if (gDevSetteiFamily[a] == QLatin1String("QZ"))
            path = platform::programFile(gDevSetteiNewType[a] ? QStringLiteral("w4nqzstpr.lst")
                                                              : QStringLiteral("w4qzstpr.lst"));
        const Outcome o = path.isEmpty() ? Outcome::Failed : readAxisList(path, a, *l);
        if (o == Outcome::WrongHeader) {
            platform::msgBox(LoadResText(26) + QStringLiteral("(") + QString::number(a + 1)
                             + QStringLiteral("AXIS)"));
            return 1;
        }
        if (o == Outcome::Failed) {
            tellListMissing();
            return 1;
        }
    }
    const Outcome o = readCommonList(*l);
    if (o == Outcome::WrongHeader) {
        ResMsgBox({27});
        return 1;
    }
    if (o == Outcome::Failed) {
        tellListMissing();
        return 1;
    }
    for (int a = 0; a < kAxisCount; ++a) {
        for (int r = 0; r < kStdParaRows; ++r)
            gStdParaList[a][r] = l->rows[a][r];
        gStdParaCount[a] = l->count[a];
    }
    for (int r = 0; r < kCmnParaRows; ++r)
        for (int c = 0; c < kCmnParaCols; ++c)
            gCmnParaList[r][c] = l->common[r][c];
    return 0;
}

int SetStdParameta()
{
    Found found;
    if (!readListsAndFindRows(found))
        return 1;
    editors::ParaSetGuard guard;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        takeRowValues(a, *found.row[a], true);
        const int pgColumn = gDevSetteiWithPG[a] ? 2 : 1;
        gPrmPgFunc[a] = cmn16(0, pgColumn);
        gPrmPgAlarm[a] = cmn32(1, pgColumn);
        gPrmPgCheckTimer[a] = cmn16(9, 1);
        gPrmLsSerchTimer[a] = cmn16(10, 1);
        gPrmSoftLimit[a] = cmn16(11, 1);
        gPrmM0Disable[a] = cmn16(12, 1);
    }
    gPrmHomeOut = cmn16(2, 1);
    gPrmAlmCode = cmn16(3, 1);
    gPrmGrpEnable = cmn16(4, 1);
    gPrmSmTimeoutSel = cmn16(5, 1);
    gPrmSmTimerVal = cmn16(6, 1);
    if (!gDevWinOnline)
        gAxisMaskNew = usedAxisMask();
    gAxisMask = gAxisMaskNew;
    gPrmAutoHome = cmn16(8, 1);
    gPrmStopPause = cmn16(13, 1);
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a] && SplitDevCode(a, gPrmActuator[a]) != 0) {
            ResMsgBox({36});
            return 1;
        }
    }
    guard.keep();
    return 0;
}

int SetStdParameta2()
{
    Found found;
    if (!readListsAndFindRows(found))
        return 1;
    editors::ParaSetGuard guard;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        takeRowValues(a, *found.row[a], false);
        if (SplitDevCode(a, gPrmActuator[a]) != 0) {
            ResMsgBox({36});
            return 1;
        }
        gPrmPgFunc[a] = cmn16(0, gDevSetteiWithPG[a] ? 2 : 1);
    }
    if (gDevWinOnline)
        gAxisMask = gAxisMaskNew;
    guard.keep();
    return 0;
}
