#include "tables/ParaVerify.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"

bool gVerifyNG = false;
QString gVerifyDiff[kVerifyGroups];

namespace {

// Numbers compare by value whatever their form in the table; a cell that is no number differs.
bool sameNumber(qint64 value, const QVariant &cell)
{
    const auto v = tables::cellToInteger(cell, -2147483647LL - 1, 2147483647LL);
    return v && *v == value;
}

// A differing item: its name, with the axis for a per-axis item ("OFFSET(1)").
void note(const tables::ParaItem &item, int axis)
{
    QString &diff = gVerifyDiff[item.verifyGroup];
    gVerifyNG = true;
    diff += QLatin1String(item.verifyName);
    if (item.perAxis)
        diff += QLatin1Char('(') + QString::number(axis + 1) + QLatin1Char(')');
    diff += QLatin1Char(',');
}

void compare(const tables::ParaItem &item, int axis)
{
    const QVariant &cell = item.tableCell(axis);
    const bool same = item.store == tables::ParaStore::Text ? cell.toString() == item.textAt(axis)
                                                             : sameNumber(item.valueAt(axis), cell);
    if (!same)
        note(item, axis);
}

} // namespace

void ParaChangeCheck()
{
    gVerifyNG = false;
    for (QString &d : gVerifyDiff)
        d.clear();
    // Each group lists its single items, then the items of each axis in use.
    for (int group = 0; group < kVerifyGroups; ++group) {
        for (const tables::ParaItem &item : tables::kParaItemTable)
            if (item.verifyGroup == group && !item.perAxis)
                compare(item, 0);
        for (int a = 0; a < kAxisCount; ++a) {
            if (gAxisUnused[a])
                continue;
            for (const tables::ParaItem &item : tables::kParaItemTable)
                if (item.verifyGroup == group && item.perAxis)
                    compare(item, a);
        }
    }
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

namespace tables {

void resetParaVerify()
{
    gVerifyNG = false;
    for (QString &d : gVerifyDiff)
        d.clear();
}

} // namespace tables
