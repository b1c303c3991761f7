#include "editors/ParaPrint.h"

#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "core/Padding.h"
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
    const auto v = editors::cellToInt16(cell);
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

enum class Form { Number, List, Designation };

void perAxis(editors::ReportCanvas &canvas, long line, const char *label, int item, Form form = Form::Number,
             int base = 0, int entries = 0)
{
    canvas.text(20, lineY(line), QLatin1String(label));
    for (int a = 0; a < kAxisCount; ++a) {
        if (gPrnAxisUnused[a]) {
            canvas.text(kNumberX[a], lineY(line), QStringLiteral("--"));
            continue;
        }
        const QVariant &cell = gParaTmp[item][a];
        // Each axis' value ends a millimetre before the next axis' column.
        const double right = a + 1 < kAxisCount ? kHeadingX[a + 1] - 1 : double(gPrnWidth);
        switch (form) {
        case Form::Number:
            canvas.textWithin(kNumberX[a], lineY(line), numberText(cell), right);
            break;
        case Form::List:
            canvas.textWithin(kHeadingX[a], lineY(line), listText(cell, base, entries), right);
            break;
        case Form::Designation:
            canvas.textWithin(kHeadingX[a], lineY(line), designationText(cell), right);
            break;
        }
    }
}

void single(editors::ReportCanvas &canvas, long line, const char *label, int item, int base = 0, int entries = 0)
{
    canvas.text(20, lineY(line), QLatin1String(label));
    if (entries == 0)
        canvas.textWithin(125, lineY(line), numberText(gParaTmp[item][0]), double(gPrnWidth));
    else
        canvas.textWithin(120, lineY(line), listText(gParaTmp[item][0], base, entries), double(gPrnWidth));
}

} // namespace

void SetPrintParaData()
{
    ClearParaTable();
    gParaTmp[0][0] = QStringLiteral("INDICATED DATA");
    for (int i = 0; i < kAxisCount; ++i) {
        gParaTmp[1][i] = gPrmHomeOffset[i];
        gParaTmp[2][i] = gPrmHomePush[i];
        gParaTmp[3][i] = gPrmHomeVel[i];
        gParaTmp[4][i] = gPrmHomeOfsVel[i];
        gParaTmp[5][i] = gPrmHomePushVel[i];
        gParaTmp[6][i] = gPrmHomeOrder[i];
        gParaTmp[7][i] = gPrmAxisStroke[i];
        gParaTmp[8][i] = gPrmAxisLead[i];
        gParaTmp[9][i] = gPrmAxisPulse[i];
        gParaTmp[10][i] = gPrmJogHighVel[i];
        gParaTmp[11][i] = gPrmAutoDrv[i];
        gParaTmp[12][i] = gPrmJhOrQz[i];
        gPrmActuator[i] = gPrmActSize[i] + gPrmActSpeed[i] + DecZeroPad(gPrmActStroke[i], 3);
        gParaTmp[13][i] = gPrmActuator[i];
        gParaTmp[29][i] = gPrmActSize[i];
        gParaTmp[30][i] = gPrmActSpeed[i];
        gParaTmp[31][i] = gPrmActStroke[i];
        gParaTmp[14][i] = gPrmPgFunc[i];
        gParaTmp[15][i] = gPrmPgAlarm[i];
        gParaTmp[23][i] = gPrmPgCheckTimer[i];
        gParaTmp[24][i] = gPrmLsSerchTimer[i];
        gParaTmp[25][i] = gPrmSoftLimit[i];
        gParaTmp[26][i] = gPrmM0Disable[i];
    }
    gParaTmp[16][0] = gPrmHomeOut;
    gParaTmp[17][0] = gPrmAlmCode;
    gParaTmp[18][0] = gPrmGrpEnable;
    gParaTmp[19][0] = gPrmSmTimeoutSel;
    gParaTmp[20][0] = gPrmSmTimerVal;
    gParaTmp[21][0] = gAxisMask;
    gParaTmp[22][0] = gPrmAutoHome;
    gParaTmp[27][0] = gPrmStopPause;
    gParaTmp[28][0] = gPrmSingle28;
}

namespace editors {

void drawParaReport(ReportCanvas &canvas, const QString &stamp)
{
    canvas.setFont(kBodyPoints, false);
    canvas.text(20, lineY(1), QStringLiteral("QZ-W4   Parameters"));
    if (gParaPrintFromFile)
        canvas.textWithin(80, lineY(1), LoadResText(25) + numberText(gParaTmp[0][0]), double(gPrnWidth));
    canvas.line(10, lineY(2), gPrnWidth, lineY(2));

    canvas.text(20, lineY(4), QStringLiteral("<< HOMING PARAMETER >>"));
    headings(canvas, 4);
    perAxis(canvas, 5, " 1.OFFSET:", 1);
    perAxis(canvas, 6, " 2.PUSH:", 2);
    perAxis(canvas, 7, " 3.VEL:", 3);
    perAxis(canvas, 8, " 4.OFSVEL:", 4);
    perAxis(canvas, 9, " 5.PUSHVEL:", 5);
    perAxis(canvas, 10, " 6.SEQ:", 6);
    canvas.text(20, lineY(12), QStringLiteral("<< AXIS PARAMETER >>"));
    headings(canvas, 12);
    perAxis(canvas, 13, " 1.STROKE:", 7);
    perAxis(canvas, 14, " 2.LEAD:", 8);
    perAxis(canvas, 15, " 3.PULSE:", 9);
    perAxis(canvas, 16, " 4.JOG VEL:", 10);
    perAxis(canvas, 17, " 5.Auto Drive:", 11, Form::List, 641, 2);
    perAxis(canvas, 18, " 6.TYPE:", 12, Form::List, kParaTypeText, kParaTypeCount);
    perAxis(canvas, 19, " 7.Actuator:", 13, Form::Designation);
    canvas.text(20, lineY(21), QStringLiteral("<< PG PARAMETER >>"));
    headings(canvas, 21);
    perAxis(canvas, 22, " 1.FUNCTION:", 14, Form::List, 652, 3);
    perAxis(canvas, 23, " 2.ALM:", 15);
    canvas.text(20, lineY(25), QStringLiteral("<< Etc PARAMETER >>"));
    single(canvas, 26, " 1. HOME OUT:", 16);
    single(canvas, 27, " 2. ALM CODE:", 17);
    single(canvas, 28, " 3. GRP ENABLE:", 18, 655, 2);
    single(canvas, 29, " 4. SM TIMEOUT:", 19);
    single(canvas, 30, " 5. SM TIMER:", 20);
    canvas.text(20, lineY(32), QStringLiteral("<< SP Parameter >>"));
    single(canvas, 33, " 1. AXIS:", 21);
    single(canvas, 34, " 2. AUTO HOME:", 22, 663, 2);
    headings(canvas, 35);
    perAxis(canvas, 36, " 3. PG TIMER:", 23);
    perAxis(canvas, 37, " 4. LS TIMER:", 24);
    perAxis(canvas, 38, " 5. SOFT LIMIT:", 25, Form::List, 655, 2);
    perAxis(canvas, 39, " 6. M0 ENABLE:", 26, Form::List, 655, 2);
    single(canvas, 40, " 7. STOP/PAUSE:", 27, 667, 2);

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
    // STOP/PAUSE is the last line, 40.
    editors::printReport(&editors::drawParaReport, 40);
}
