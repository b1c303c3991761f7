#include "positions/PosiCompare.h"

#include "tables/DevSetting.h"
#include "tables/PosiImage.h"
#include "positions/PosiRange.h"
#include "tables/SyogoKekka.h"

#include <cmath>

bool gPosiDataExist = false;

namespace positions {

namespace {

double tableValue(int n, int c)
{
    return tables::isPosiColumn(c) ? gPosiTable[n][c / 4] : tables::numericValue(gPosiFileTable[n][c]);
}

bool compared(int c)
{
    const int axis = tables::axisOfColumn(c);
    return axis < 0 || !gAxisUnused[axis];
}

} // namespace

int comparePosiRange(int from, int to, const bool *held)
{
    ClearCellFlags();
    gPosiNgCount = 0;
    for (int n = qMax(from, 1); n <= to && n <= kPosiMax; ++n) {
        const bool present = !held || held[n];
        bool differs = false;
        for (int c = 0; c < kColComment; ++c) {
            if (!compared(c))
                continue;
            if (present && tableValue(n, c) == tables::numericValue(gPosiWork[n][c + 1]))
                continue;
            gPosiCellFlag[n][c] = true;
            differs = true;
        }
        if (differs) {
            gPosiCellFlag[n][kColComment] = true;
            ++gPosiNgCount;
        }
    }
    return gPosiNgCount;
}

QList<int> positionsOverLimit(int from, int to, const qint32 (&limit)[4])
{
    QList<int> over;
    for (int n = qMax(from, 1); n <= to && n <= kPosiMax; ++n) {
        if (gPosiLineFlag[n - 1])
            continue;
        for (int a = 0; a < kAxisCount; ++a) {
            if (gAxisUnused[a])
                continue;
            if (double(limit[a]) < std::nearbyint(gPosiTable[n][a])) {
                over.append(n);
                break;
            }
        }
    }
    return over;
}

QString posiNumberList(const QList<int> &positions)
{
    QString text;
    for (int n : positions)
        text += QString::number(n) + QLatin1Char(',');
    return text;
}

int acceptRange4(const QString &start, const QString &end)
{
    const auto first = positions::posirange::boxNumber(start);
    const auto last = positions::posirange::boxNumber(end);
    if (first && last && *first > *last)
        return 2;
    const bool valid = first && last && *first >= gPosiCommonFrom && *last <= gPosiCommonTo
                       && *first >= 1 && *last <= kPosiMax;
    if (!valid)
        return 1;
    gPosiNoFrom = *first;
    gPosiNoTo = *last;
    return 0;
}

} // namespace positions

void CheckPosiDataExist()
{
    for (int n = 1; n <= kPosiMax; ++n) {
        for (int c = 0; c < kPosiCols; ++c) {
            const QVariant &v = gPosiFileTable[n][c];
            if (!v.isValid() || v.isNull())
                continue;
            if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
                continue;
            gPosiDataExist = true;
            return;
        }
    }
}
