#include "tables/GrpTable.h"

#include "tables/DevSetting.h"
#include "core/Module2Calc.h"
#include "tables/FileHeader.h"
#include "tables/ParaSet.h"
#include "platform/ItemReader.h"
#include "platform/ItemWriter.h"

#include <QFileInfo>
#include <cstring>

int gGrpData[kGrpCount + 1][2] = {};
int gGrpDataIn[kGrpCount + 1][2] = {};
bool gGrpDataInMissing[kGrpCount + 1] = {};
int gGrpNoFrom = 1;
int gGrpNoTo = kGrpCount;
bool gGrpVerifyNG = false;
QString gGrpVerifyList;
QString gGrpPrintTitle;

namespace tables {

void resetGrpTable()
{
    std::memset(gGrpData, 0, sizeof gGrpData);
    std::memset(gGrpDataIn, 0, sizeof gGrpDataIn);
    for (bool &m : gGrpDataInMissing)
        m = false;
    gGrpNoFrom = 1;
    gGrpNoTo = kGrpCount;
    gGrpVerifyNG = false;
    gGrpVerifyList.clear();
    gGrpPrintTitle.clear();
}

void initGrpData()
{
    for (int g = 0; g <= kGrpCount; ++g)
        gGrpData[g][0] = gGrpData[g][1] = 1;
}

FileRead readGrpFile(const QString &path, RecordCount *count)
{
    platform::ItemReader in;
    const FileRead header = openWithHeader(in, path, "GRP", {"QZ-K4", "QZ-K2"}, 19);
    if (header != FileRead::Ok)
        return header;
    // Line 2, the counts, decides nothing: a file holding fewer groups than it names is read,
    // and the caller tells the operator so.
    RecordCount counted;
    in.beginLine();
    counted.named = int(qBound(0.0, tables::leadingNumber(in.raw()), double(kGrpCount)));
    in.raw();
    counted.lastLine = in.line();

    int data[kGrpCount + 1][2] = {};
    bool present[kGrpCount + 1] = {};
    while (in.ok() && !in.atEnd()) {
        in.beginLine();
        const double g = core::calc::roundHalfEven(tables::leadingNumber(in.raw()));
        const auto start = cellToInt16(in.raw());
        const auto end = cellToInt16(in.raw());
        if (in.ok() && (!start || !end || g < 0 || g > kGrpCount))
            in.fail(QStringLiteral("no group line"));
        if (!in.ok())
            return FileRead::Damaged;
        ++counted.held;
        counted.lastLine = in.line();
        if (g == 0)
            continue; // row 0 is never used
        data[int(g)][0] = int(*start);
        data[int(g)][1] = int(*end);
        present[int(g)] = true;
    }
    if (!in.ok())
        return FileRead::Damaged;
    if (count)
        *count = counted;

    for (int g = 1; g <= kGrpCount; ++g) {
        gGrpDataInMissing[g] = !present[g];
        for (int k = 0; k < 2; ++k)
            gGrpDataIn[g][k] = present[g] ? data[g][k] : gGrpData[g][k];
    }
    gGrpPrintTitle = QFileInfo(path).fileName();
    return FileRead::Ok;
}

} // namespace tables

void LetGrpDataInToGrpData()
{
    for (int g = 1; g <= kGrpCount; ++g)
        if (!gGrpDataInMissing[g])
            for (int k = 0; k < 2; ++k)
                gGrpData[g][k] = gGrpDataIn[g][k];
}

void LetGrpDataToGrpDataIn()
{
    for (int g = 1; g <= kGrpCount; ++g)
        for (int k = 0; k < 2; ++k)
            gGrpDataIn[g][k] = gGrpData[g][k];
    MarkGrpDataInComplete();
}

void MarkGrpDataInComplete()
{
    for (bool &m : gGrpDataInMissing)
        m = false;
}

void GrpDataToText()
{
    gGrpVerifyNG = false;
    gGrpVerifyList.clear();
    for (int g = qMax(gGrpNoFrom, 1); g <= qMin(gGrpNoTo, kGrpCount); ++g) {
        if (gGrpDataInMissing[g] || gGrpData[g][0] != gGrpDataIn[g][0]
            || gGrpData[g][1] != gGrpDataIn[g][1]) {
            gGrpVerifyNG = true;
            gGrpVerifyList += QLatin1Char(' ') + QString::number(g) + QLatin1Char(',');
        }
    }
}

int WriteGrpFile(const QString &path)
{
    platform::ItemWriter w;
    w.text(QStringLiteral("QZ-K4")).text(QStringLiteral("GRP")).endLine();
    w.number(qint64(kGrpCount)).number(qint64(3)).endLine();
    for (int g = 1; g <= kGrpCount; ++g)
        w.text(QString::number(g)).number(qint64(gGrpData[g][0])).number(qint64(gGrpData[g][1])).endLine();
    return w.commit(path) ? 0 : 1;
}

