#include "tables/SmTable.h"

#include "tables/DevSetting.h"
#include "tables/FileHeader.h"
#include "tables/ParaSet.h"
#include "platform/ItemReader.h"
#include "platform/ItemWriter.h"

#include <cstring>

int gSmData[kSmSteps + 1][2 * kSmMacros + 1] = {};
int gSmDataIn[kSmSteps + 1][2 * kSmMacros + 1] = {};
bool gSmDataInMissing[kSmMacros] = {};
int gSmNoFrom = 1;
int gSmNoTo = kSmMacros;
bool gSmVerifyNG = false;
QString gSmVerifyList;

namespace {

// Copies one table into the other step by step; the data of an END step becomes 0 in both.
void moveMacros(int (&from)[kSmSteps + 1][2 * kSmMacros + 1],
                int (&to)[kSmSteps + 1][2 * kSmMacros + 1], const bool *skip)
{
    for (int m = 0; m < kSmMacros; ++m) {
        if (skip && skip[m])
            continue;
        for (int s = 0; s < kSmSteps; ++s) {
            to[s][2 * m] = from[s][2 * m];
            if (from[s][2 * m] != 0) {
                to[s][2 * m + 1] = from[s][2 * m + 1];
            } else {
                to[s][2 * m + 1] = 0;
                from[s][2 * m + 1] = 0;
            }
        }
    }
}

} // namespace

namespace tables {

void resetSmTable()
{
    std::memset(gSmData, 0, sizeof gSmData);
    std::memset(gSmDataIn, 0, sizeof gSmDataIn);
    for (bool &m : gSmDataInMissing)
        m = false;
    gSmNoFrom = 1;
    gSmNoTo = kSmMacros;
    gSmVerifyNG = false;
    gSmVerifyList.clear();
}

FileRead readSqMcrFile(const QString &path, RecordCount *count)
{
    platform::ItemReader in;
    const FileRead header = openWithHeader(in, path, "SM", {"QZ-K4"}, 23);
    if (header != FileRead::Ok)
        return header;
    // Line 2, the counts, decides nothing: a file holding fewer macros than it names is read,
    // and the caller tells the operator so.
    RecordCount counted;
    in.beginLine();
    in.raw();
    in.raw();
    counted.named = int(qBound(0.0, tables::leadingNumber(in.raw()), double(kSmMacros)));
    counted.lastLine = in.line();

    int data[kSmMacros][kSmSteps][2] = {};
    bool present[kSmMacros] = {};
    while (in.ok() && !in.atEnd()) {
        in.beginLine();
        const double n = tables::leadingNumber(in.raw());
        if (in.ok() && (n < 1 || n > kSmMacros || n != double(int(n))))
            in.fail(QStringLiteral("no macro number"));
        if (!in.ok())
            return FileRead::Damaged;
        const int m = int(n) - 1;
        for (int s = 0; s < kSmSteps; ++s) {
            in.beginLine();
            const auto command = cellToInt16(in.raw());
            const auto value = cellToInt16(in.raw());
            if (in.ok() && (!command || !value))
                in.fail(QStringLiteral("no step line"));
            if (!in.ok())
                return FileRead::Damaged;
            data[m][s][0] = int(*command);
            data[m][s][1] = int(*value);
        }
        present[m] = true;
        ++counted.held;
        counted.lastLine = in.line();
    }
    if (!in.ok())
        return FileRead::Damaged;
    if (count)
        *count = counted;

    for (int m = 0; m < kSmMacros; ++m) {
        gSmDataInMissing[m] = !present[m];
        for (int s = 0; s < kSmSteps; ++s)
            for (int k = 0; k < 2; ++k)
                gSmDataIn[s][2 * m + k] = present[m] ? data[m][s][k] : gSmData[s][2 * m + k];
    }
    return FileRead::Ok;
}

} // namespace tables

void ClearSqMcrData()
{
    for (int s = 0; s < kSmSteps; ++s)
        for (int c = 0; c < 2 * kSmMacros; ++c)
            gSmData[s][c] = 0;
}

void SqMcrDataRestore()
{
    moveMacros(gSmDataIn, gSmData, gSmDataInMissing);
}

void SqMcrDataPack()
{
    moveMacros(gSmData, gSmDataIn, nullptr);
    MarkSmDataInComplete();
}

void MarkSmDataInComplete()
{
    for (bool &m : gSmDataInMissing)
        m = false;
}

int SqMcrDataToText()
{
    gSmVerifyNG = false;
    gSmVerifyList.clear();
    for (int m = 0; m < kSmMacros; ++m) {
        bool differs = gSmDataInMissing[m];
        for (int s = 0; s < kSmSteps && !differs; ++s) {
            const int command = gSmData[s][2 * m];
            if (command != gSmDataIn[s][2 * m]
                || (command != 0 && gSmData[s][2 * m + 1] != gSmDataIn[s][2 * m + 1]))
                differs = true;
        }
        if (differs) {
            gSmVerifyNG = true;
            gSmVerifyList += QLatin1Char(' ') + QString::number(m + 1) + QLatin1Char(',');
        }
    }
    return gSmVerifyNG ? 1 : 0;
}

int WriteSqMcrFile(const QString &path)
{
    platform::ItemWriter w;
    w.text(QStringLiteral("QZ-K4")).text(QStringLiteral("SM")).endLine();
    w.number(qint64(kSmSteps)).number(qint64(2)).number(qint64(kSmMacros)).endLine();
    for (int m = 0; m < kSmMacros; ++m) {
        w.text(QString::number(m + 1)).endLine();
        for (int s = 0; s < kSmSteps; ++s)
            w.number(qint64(gSmData[s][2 * m])).number(qint64(gSmData[s][2 * m + 1])).endLine();
    }
    return w.commit(path) ? 0 : 1;
}

