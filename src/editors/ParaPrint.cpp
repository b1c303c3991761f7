#include "editors/ParaPrint.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "editors/GrpSmPrint.h"
#include "tables/ParaSet.h"
#include "editors/ReportCanvas.h"

bool gParaPrintFromFile = false;

namespace {

constexpr int kBodyPoints = 11;
constexpr double kHeadingX[kAxisCount] = {80, 105, 130, 155};
constexpr double kNumberX[kAxisCount] = {85, 110, 135, 160};

double lineY(long line)
{
    return double(line * gPrnCharW);
}

QString numberText(const QVariant &cell)
{
    return cell.isValid() ? cell.toString() : QString();
}

// The list entry a value stands for; a value beyond the list, or no number at all, prints as
// it is held so that the report never shows the text of an unrelated message.
QString listText(const QVariant &cell, int base, int entries)
{
    const auto v = tables::cellToInt16(cell);
    if (!v)
        return numberText(cell);
    if (*v < 0 || *v >= entries)
        return QString::number(*v);
    return LoadResText(base + int(*v));
}

QString designationText(const QVariant &cell)
{
    const QString code = numberText(cell);
    // Only a whole designation is split; anything else prints as held.
    if (SplitDevCodePrint(code) != 0)
        return code;
    return gPrnDevSize + gPrnDevSpeed + QLatin1Char('-') + gPrnDevStroke;
}

void headings(editors::ReportCanvas &canvas, long line)
{
    for (int a = 0; a < kAxisCount; ++a)
        canvas.text(kHeadingX[a], lineY(line), QStringLiteral("< AXIS %1 >").arg(a + 1));
}

void perAxis(editors::ReportCanvas &canvas, const tables::ParaItem &item)
{
    const long line = item.printLine;
    canvas.text(20, lineY(line), QLatin1String(item.printLabel));
    for (int a = 0; a < kAxisCount; ++a) {
        if (gPrnAxisUnused[a]) {
            canvas.text(kNumberX[a], lineY(line), QStringLiteral("--"));
            continue;
        }
        const QVariant &cell = item.tableCell(a);
        // Each axis' value ends a millimetre before the next axis' column.
        const double right = a + 1 < kAxisCount ? kHeadingX[a + 1] - 1 : double(gPrnWidth);
        if (item.listEntries > 0)
            canvas.textWithin(kHeadingX[a], lineY(line), listText(cell, item.listText, item.listEntries), right);
        else if (item.store == tables::ParaStore::Text)
            canvas.textWithin(kHeadingX[a], lineY(line), designationText(cell), right);
        else
            canvas.textWithin(kNumberX[a], lineY(line), numberText(cell), right);
    }
}

void single(editors::ReportCanvas &canvas, const tables::ParaItem &item)
{
    const long line = item.printLine;
    canvas.text(20, lineY(line), QLatin1String(item.printLabel));
    if (item.listEntries == 0)
        canvas.textWithin(125, lineY(line), numberText(item.tableCell(0)), double(gPrnWidth));
    else
        canvas.textWithin(120, lineY(line), listText(item.tableCell(0), item.listText, item.listEntries),
                          double(gPrnWidth));
}

// What the report draws before the item that begins a part of it: the part's title and
// the axis headings, each on its line (0: none).
struct ReportPart
{
    int firstItem;
    long titleLine;
    const char *title;
    long headingLine;
};

constexpr ReportPart kParts[] = {
    {1, 4, "<< HOMING PARAMETER >>", 4},  {7, 12, "<< AXIS PARAMETER >>", 12},
    {14, 21, "<< PG PARAMETER >>", 21},   {16, 25, "<< Etc PARAMETER >>", 0},
    {21, 32, "<< SP Parameter >>", 0},    {23, 0, nullptr, 35},
};

// The last line the report prints on.
long lastLine()
{
    long last = 0;
    for (const tables::ParaItem &item : tables::kParaItemTable)
        last = qMax(last, long(item.printLine));
    return last;
}

} // namespace

void SetPrintParaData()
{
    ClearParaTable();
    gParaTmp[0][0] = QStringLiteral("INDICATED DATA");
    for (int a = 0; a < kAxisCount; ++a)
        tables::rebuildActuatorCode(a);
    for (const tables::ParaItem &item : tables::kParaItemTable)
        for (int a = 0; a < (item.perAxis ? kAxisCount : 1); ++a)
            item.tableCell(a) = item.cell(a);
}

namespace editors {

void drawParaReport(ReportCanvas &canvas, const QString &stamp)
{
    canvas.setFont(kBodyPoints, false);
    canvas.text(20, lineY(1), QStringLiteral("QZ-W4   Parameters"));
    if (gParaPrintFromFile)
        canvas.textWithin(80, lineY(1), LoadResText(25) + numberText(gParaTmp[0][0]), double(gPrnWidth));
    canvas.line(10, lineY(2), gPrnWidth, lineY(2));

    for (const tables::ParaItem &item : tables::kParaItemTable) {
        if (item.printLine == 0)
            continue;
        for (const ReportPart &part : kParts) {
            if (part.firstItem != item.number)
                continue;
            if (part.title)
                canvas.text(20, lineY(part.titleLine), QLatin1String(part.title));
            if (part.headingLine)
                headings(canvas, part.headingLine);
        }
        if (item.perAxis)
            perAxis(canvas, item);
        else
            single(canvas, item);
    }

    canvas.setFont(kBodyPoints, true);
    canvas.setLineWidth(3);
    canvas.text(gPrnWidth - canvas.textWidth(stamp), lineY(gPrnLines - 1), stamp);
    canvas.line(10, gPrnHeight - gPrnCharW, gPrnWidth, gPrnHeight - gPrnCharW);
    canvas.setFont(kBodyPoints, false);
}

void resetParaPrint()
{
    gParaPrintFromFile = false;
}

} // namespace editors

void PrintParaData()
{
    editors::printReport(&editors::drawParaReport, lastLine());
}
