#include "tables/PosiTable.h"

#include "platform/FieldText.h"
#include "tables/DevSetting.h"
#include "tables/PosiImage.h"


QVariant gPosiFileTable[kPosiRows][kPosiFileCols];
double gPosiTable[kPosiRows][8] = {};
bool gPosiLineFlag[kPosiRows] = {};
bool gPosiCellFlag[kPosiRows][kPosiCols] = {};

bool gDataChanged = false;
QString gPosiFileName;
int gPosiNoFrom = 0;
int gPosiNoTo = 0;
int gPosiNoDefFrom = 0;
int gPosiNoDefTo = 0;
int gPosiFileNoFrom = 0;
int gPosiFileNoTo = 0;
int gPosiCommonFrom = 0;
int gPosiCommonTo = 0;
bool gPosiNewMode = false;
bool gSelectCancel = false;

namespace tables {

void resetPosiTable()
{
    for (auto &row : gPosiFileTable)
        for (QVariant &cell : row)
            cell = QVariant();
    for (auto &row : gPosiTable)
        for (double &cell : row)
            cell = 0;
    for (bool &f : gPosiLineFlag)
        f = false;
    ClearCellFlags();
    gDataChanged = false;
    gPosiFileName.clear();
    gPosiNoFrom = gPosiNoTo = 0;
    gPosiNoDefFrom = gPosiNoDefTo = 0;
    gPosiFileNoFrom = gPosiFileNoTo = 0;
    gPosiCommonFrom = gPosiCommonTo = 0;
    gPosiNewMode = false;
    gSelectCancel = false;
    gClipLineOk = false;
    gClipCellOk = false;
}

double numericValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return v.toDouble();
    default:
        break;
    }
    // A text counts only when it is wholly a number, as every field is read.
    return platform::fieldNumber(v.toString(), platform::FieldForm{0, true}).value_or(0.0);
}

int defaultAcc(const QString &size, const QString &speed)
{
    return speed == QLatin1String("D") && size == QLatin1String(" 42") ? 2 : 3;
}

} // namespace tables

void InitPosiData()
{
    int acc[4];
    for (int a = 0; a < 4; ++a) {
        acc[a] = tables::defaultAcc(gDevSize[a], gDevSpeed[a]);
    }
    for (int n = 1; n <= kPosiMax; ++n) {
        for (double &cell : gPosiTable[n])
            cell = 0;
        for (int c = 0; c < kPosiCols; ++c) {
            QVariant v;
            if (c == kColComment)
                v = QString();
            else if (c < 16 && c % 4 == 0)
                v = 30;
            else if (c < 16 && c % 4 == 1)
                v = acc[c / 4];
            else
                v = 0;
            gPosiFileTable[n][c] = v;
            gPosiWork[n][c + 1] = v;
        }
    }
}

void CopyGridToPosiData()
{
    const int from = qMax(gPosiNoFrom, 1);
    const int to = qMin(gPosiNoTo, kPosiMax);
    for (int n = from; n <= to; ++n) {
        for (int c = 0; c < kPosiCols; ++c) {
            if (tables::isPosiColumn(c))
                gPosiTable[n][c / 4] = tables::numericValue(gPosiWork[n][c + 1]);
            else
                gPosiFileTable[n][c] = gPosiWork[n][c + 1];
        }
    }
}

void ClearCellFlags()
{
    for (auto &row : gPosiCellFlag)
        for (bool &f : row)
            f = false;
}

int ClampSelectRow()
{
    int start = 0;
    bool overlap = false;
    if (gPosiFileNoFrom > gPosiNoDefFrom) {
        overlap = gPosiFileNoFrom <= gPosiNoDefTo;
        start = gPosiFileNoFrom;
    } else {
        overlap = gPosiFileNoTo >= gPosiNoDefFrom;
        start = gPosiNoDefFrom;
    }
    if (!overlap)
        return 1;
    gPosiCommonFrom = start;
    gPosiCommonTo = qMin(gPosiFileNoTo, gPosiNoDefTo);
    return 0;
}
