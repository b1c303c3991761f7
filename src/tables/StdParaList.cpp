#include "tables/StdParaList.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "platform/Dialogs.h"
#include "platform/ItemReader.h"
#include "tables/FileRetry.h"
#include "platform/ProgramFolder.h"

#include <memory>

StdParaRow gStdParaList[kAxisCount][kStdParaRows];
int gStdParaCount[kAxisCount] = {};
QVariant gCmnParaList[kCmnParaRows][kCmnParaCols];

namespace {

// A row of an actuator list holds items 1 to kStdParaValues in order.
const tables::ParaItem &rowItem(int i)
{
    return tables::paraItem(i + 1);
}

// The rows of the common list's PG section carry a second column: the value for an axis
// with PG.
constexpr int kCmnPgRows = 2;

struct Lists
{
    StdParaRow rows[kAxisCount][kStdParaRows];
    int count[kAxisCount] = {};
    QVariant common[kCmnParaRows][kCmnParaCols];
};

enum class Outcome { Ok, WrongHeader, Failed };

// The program only reads these lists: the last line may lack its line end, but every header,
// heading and row stands on a line of its own, and a list holds the rows it names and no more.
void openList(platform::ItemReader &in, const QString &path)
{
    in.allowUnendedLastLine();
    in.open(path);
}

// Fails the reader when anything but blank lines follows what the list named.
void expectEnd(platform::ItemReader &in)
{
    if (!in.ok() || in.atEnd())
        return;
    in.beginLine(); // fails on more items in the last row
    in.raw();       // else names the first line beyond the rows named
    in.fail(QStringLiteral("more rows than the list names"));
}

Outcome readAxisList(const QString &path, int axis, Lists &l)
{
    platform::ItemReader in;
    openList(in, path);
    in.beginLine();
    const QString model = in.text();
    const QString name = in.text();
    const qint64 count = in.integer();
    in.raw(); // not used
    if (!in.ok())
        return Outcome::Failed;
    if (model != QLatin1String("QZ-K4")
        || (name != QLatin1String("QZ-STDPRM") && name != QLatin1String("JH-STDPRM")))
        return Outcome::WrongHeader;
    if (count < 0 || count >= kStdParaRows) {
        in.fail(QStringLiteral("row count %1 out of range").arg(count));
        return Outcome::Failed;
    }
    const int type = gDevSetteiNewType[axis] || gDevSetteiVertical[axis] ? 1 : 0;
    l.rows[axis][0].key = QString::number(count);
    for (int r = 1; r <= count; ++r) {
        StdParaRow &row = l.rows[axis][r];
        in.beginLine();
        row.key = in.raw();
        for (int i = 0; i < kStdParaValues; ++i) {
            const QString item = in.raw();
            const auto v = tables::cellToInteger(item, rowItem(i).storeMin(), rowItem(i).storeMax());
            if (in.ok() && !v)
                in.fail(QStringLiteral("item %1 of row %2 out of range: %3").arg(i + 2).arg(r).arg(item));
            if (!in.ok())
                return Outcome::Failed;
            row.values[i] = *v;
        }
        row.actuator = in.raw();
        if (!in.ok())
            return Outcome::Failed;
        row.type = type;
        row.size = row.key.left(3);
        row.speed = row.key.mid(3, 1);
        row.stroke = tables::leadingNumber(row.key.mid(5, 3));
    }
    expectEnd(in);
    if (!in.ok())
        return Outcome::Failed;
    l.count[axis] = int(count);
    return Outcome::Ok;
}

Outcome readCommonList(const QString &path, Lists &l)
{
    platform::ItemReader in;
    openList(in, path);
    in.beginLine();
    const QString model = in.text();
    const QString name = in.text();
    const qint64 sections = in.integer(0, 100);
    if (!in.ok())
        return Outcome::Failed;
    if (model != QLatin1String("QZ-K4") || name != QLatin1String("QZ-CMNPRM"))
        return Outcome::WrongHeader;
    const char *const names[] = {"PG", "ETC", "SPECIAL"};
    int rowLine[kCmnParaRows] = {};
    int row = 0;
    for (int k = 0; k < sections; ++k) {
        in.beginLine();
        const QString section = in.text();
        const qint64 rows = in.integer(0, kCmnParaRows);
        const qint64 values = in.integer(0, kCmnParaCols);
        if (in.ok() && section != QLatin1String(names[qMin(k, 2)]))
            in.fail(QStringLiteral("section %1 where %2 belongs").arg(section, QLatin1String(names[qMin(k, 2)])));
        if (!in.ok())
            return Outcome::Failed;
        for (int r = 0; r < rows; ++r, ++row) {
            in.beginLine();
            if (row >= kCmnParaRows) {
                in.raw();
                in.fail(QStringLiteral("more than %1 rows").arg(kCmnParaRows));
                return Outcome::Failed;
            }
            for (int c = 0; c < values; ++c)
                l.common[row][c] = in.raw();
            rowLine[row] = in.line();
        }
    }
    expectEnd(in);
    if (!in.ok())
        return Outcome::Failed;
    // Every value the factory setting takes must be there and be a number.
    for (const tables::ParaItem &item : tables::kParaItemTable) {
        if (item.commonRow < 0)
            continue;
        for (int c = 1; c <= (item.commonRow < kCmnPgRows ? 2 : 1); ++c) {
            if (!tables::cellToInteger(l.common[item.commonRow][c], item.storeMin(), item.storeMax())) {
                // A row the sections never reached is missing after the last line.
                in.failAt(rowLine[item.commonRow] > 0 ? rowLine[item.commonRow] : in.line(),
                          QStringLiteral("no factory value of row %1").arg(item.commonRow));
                return Outcome::Failed;
            }
        }
    }
    return Outcome::Ok;
}

// The lists' failure: a list that is not there as missing (28, 29), one that is there as
// damaged or unreadable, named with its line.
// The failure told in a box of its own, or handed to the caller, who adds what it means there.
int failWith(const QString &text, QString *failure)
{
    if (failure)
        *failure = text;
    else
        platform::msgBox(text);
    return 1;
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
    // A list that cannot be read and what that costs are one failure: one box.
    QString failure;
    if (ReadStdParaFile(&failure) != 0) {
        platform::msgBox(failure + QStringLiteral("\r\n") + ResLines({36}));
        return false;
    }
    if (!findRows(found)) {
        ResMsgBox({36});
        return false;
    }
    return true;
}

// An item's factory value from the common list; the PG section's second column for an axis
// with PG.
void takeCommonValue(const tables::ParaItem &item, int axis)
{
    const int column = item.commonRow < kCmnPgRows && item.perAxis && gDevSetteiWithPG[axis] ? 2 : 1;
    item.setValueAt(axis, tables::cellToInteger(gCmnParaList[item.commonRow][column], item.storeMin(),
                                                item.storeMax())
                             .value_or(0));
}

void takeRowValues(int a, const StdParaRow &row, bool withSeqAndDrive)
{
    gPrmActSize[a] = row.size;
    gPrmActSpeed[a] = row.speed;
    gPrmActStroke[a] = int(row.stroke);
    for (int i = 0; i < kStdParaValues; ++i) {
        const tables::ParaItem &item = rowItem(i);
        // The online actuator window keeps the homing order and Auto Drive the controller holds.
        if (withSeqAndDrive || (item.number != 6 && item.number != 11))
            item.setValueAt(a, row.values[i]);
    }
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

namespace tables {

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

} // namespace tables

int ReadStdParaFile(QString *failure)
{
    auto l = std::make_unique<Lists>();
    QString path;
    for (int a = 0; a < kAxisCount; ++a) {
        // An axis of another family reads the list of the axis before it.
        if (gDevSetteiFamily[a] == QLatin1String("QZ"))
            path = platform::programFile(gDevSetteiNewType[a] ? QStringLiteral("w4nqzstpr.lst")
                                                              : QStringLiteral("w4qzstpr.lst"));
        if (path.isEmpty())
            return failWith(ResLines({28, 29}), failure);
        const Outcome o = readAxisList(path, a, *l);
        if (o == Outcome::WrongHeader)
            return failWith(LoadResText(26) + QStringLiteral("(") + QString::number(a + 1) + QStringLiteral("AXIS)"),
                            failure);
        if (o == Outcome::Failed)
            return failWith(tables::listFailureText(path, {28, 29}), failure);
    }
    const QString common = platform::programFile(QStringLiteral("w4cmstpr.lst"));
    const Outcome o = readCommonList(common, *l);
    if (o == Outcome::WrongHeader)
        return failWith(ResLines({27}), failure);
    if (o == Outcome::Failed)
        return failWith(tables::listFailureText(common, {28, 29}), failure);
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
    tables::ParaSetGuard guard;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        takeRowValues(a, *found.row[a], true);
        for (const tables::ParaItem &item : tables::kParaItemTable)
            if (item.perAxis && item.commonRow >= 0)
                takeCommonValue(item, a);
    }
    for (const tables::ParaItem &item : tables::kParaItemTable)
        if (!item.perAxis && item.commonRow >= 0)
            takeCommonValue(item, 0);
    if (!gDevWinOnline)
        gAxisMaskNew = usedAxisMask();
    gAxisMask = gAxisMaskNew;
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
    tables::ParaSetGuard guard;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        takeRowValues(a, *found.row[a], false);
        if (SplitDevCode(a, gPrmActuator[a]) != 0) {
            ResMsgBox({36});
            return 1;
        }
        takeCommonValue(tables::paraItem(14), a);
    }
    if (gDevWinOnline)
        gAxisMask = gAxisMaskNew;
    guard.keep();
    return 0;
}
