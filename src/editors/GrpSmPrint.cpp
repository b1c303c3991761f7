#include "editors/GrpSmPrint.h"

#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "core/PrintRun.h"
#include "tables/GrpTable.h"
#include "editors/ReportCanvas.h"
#include "tables/SmTable.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"

#include <QDateTime>
#include <QLocale>

bool gGrpPrintFromFile = false;
bool gSmPrintFromFile = false;
QString gSmPrintTitle;

namespace {

constexpr int kBodyPoints = 11;

double lineY(long line)
{
    return double(line * gPrnCharW);
}

QString footerStamp()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ")
           + locale.toString(now.time(), QLocale::ShortFormat);
}

void drawFrame(editors::ReportCanvas &canvas, int titleId, bool fromFile, const QString &title,
               bool pageNumber, const QString &stamp)
{
    canvas.setFont(14, true);
    canvas.setLineWidth(3);
    canvas.text(10, lineY(1), LoadResText(201) + QLatin1Char(' ') + LoadResText(titleId));
    canvas.setFont(kBodyPoints, true);
    if (fromFile)
        canvas.textWithin(70, lineY(1), LoadResText(25) + title, double(gPrnWidth));
    if (pageNumber) {
        const QString page = QStringLiteral("Page:") + QString::number(gPrnPageNo);
        canvas.text(gPrnWidth - canvas.textWidth(page), lineY(3), page);
    }
    canvas.setFont(kBodyPoints, false);
    canvas.line(10, lineY(4), gPrnWidth, lineY(4));
    canvas.setFont(kBodyPoints, true);
    canvas.setLineWidth(3);
    canvas.text(gPrnWidth - canvas.textWidth(stamp), lineY(gPrnLines - 1), stamp);
    canvas.line(10, gPrnHeight - gPrnCharW, gPrnWidth, gPrnHeight - gPrnCharW);
    canvas.setFont(kBodyPoints, false);
}

// The macro commands by code; codes without a name of their own print their number, so a
// damaged copy never shows the previous step's command in their place.
QString commandText(int code)
{
    static const char *const names[] = {"0. END",    "1. IN-ON", "2. IN-OFF",  "3. OUT-ON",
                                        "4. OUT-OFF", "5. TIMER", "6. TIMER10"};
    if (code >= 0 && code <= 6)
        return QLatin1String(names[code]);
    if (code == 15)
        return QLatin1String(names[0]);
    return QString::number(code) + QLatin1Char('.');
}

// The printer's number form: a blank where a non-negative value has no sign.
QString printedNumber(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

} // namespace

bool editors::printReport(ReportDraw draw, long lastLine)
{
    BusyGuard busy;
    platform::PrinterDevice &printer = platform::sharedPrinter();
    if (!platform::printDialog(printer))
        return false;
    editors::PrinterCanvas canvas(printer);
    return core::printing::runReport(printer, reportFont(kBodyPoints, false), lastLine + 1, 0, [&] {
        draw(canvas, footerStamp());
        return true;
    });
}

namespace editors {

void PrintGrpPage(ReportCanvas &canvas, const QString &stamp)
{
    drawFrame(canvas, 34, gGrpPrintFromFile, gGrpPrintTitle, false, stamp);
}

void PrintSqMcrPage(ReportCanvas &canvas, const QString &stamp)
{
    drawFrame(canvas, 33, gSmPrintFromFile, gSmPrintTitle, true, stamp);
}

void drawGrpReport(ReportCanvas &canvas, const QString &stamp)
{
    PrintGrpPage(canvas, stamp);
    for (int g = 1; g <= kGrpCount; ++g) {
        const int c = g <= 50 ? 0 : 80;
        const int first = g <= 50 ? 1 : 51;
        if (g == first) {
            canvas.text(c + 18, lineY(5), QStringLiteral("<GRP No>"));
            canvas.text(c + 36, lineY(5), QStringLiteral("<Start>"));
            canvas.text(c + 54, lineY(5), QStringLiteral("---"));
            canvas.text(c + 62, lineY(5), QStringLiteral("<End>"));
        }
        const double y = lineY(6 + g - first);
        canvas.text(c + 22, y, QStringLiteral("No.%1:").arg(g));
        canvas.text(c + 54, y, QStringLiteral("---"));
        // A group the printed file lacks has no numbers to print.
        if (gGrpDataInMissing[g])
            continue;
        canvas.text(c + 40, y, QString::number(gGrpDataIn[g][0]));
        canvas.text(c + 64, y, QString::number(gGrpDataIn[g][1]));
    }
}

void drawSqMcrReport(ReportCanvas &canvas, const QString &stamp)
{
    static const int columns[] = {0, 62, 116};
    static const int rows[] = {5, 25, 45};
    gPrnPageNo = 1;
    int p = 0;
    bool pageDue = true;
    bool firstPage = true;
    for (int m = gSmNoFrom; m <= gSmNoTo; ++m) {
        if (m < 1 || m > kSmMacros)
            continue;
        const int c = columns[p % 3];
        const int top = rows[p / 3];
        if (pageDue) {
            // The next page starts only when a macro goes on it: no empty last page.
            if (!firstPage)
                canvas.newPage();
            firstPage = false;
            PrintSqMcrPage(canvas, stamp);
            pageDue = false;
        }
        canvas.text(c + 18, lineY(top), QStringLiteral("<SM No.%1>").arg(m));
        canvas.text(c + 18, lineY(top + 1), QStringLiteral("STEP"));
        canvas.text(c + 36, lineY(top + 1), QStringLiteral("COMMAND"));
        canvas.text(c + 58, lineY(top + 1), QStringLiteral("DATA"));
        for (int s = 1; s <= kSmSteps; ++s) {
            const int command = gSmDataIn[s - 1][2 * (m - 1)];
            const int data = gSmDataIn[s - 1][2 * (m - 1) + 1];
            const double y = lineY(top + 1 + s);
            canvas.text(c + 18, y, QStringLiteral(" %1:").arg(s));
            // A macro the printed file lacks has no steps to print.
            if (gSmDataInMissing[m - 1])
                continue;
            canvas.text(c + 36, y, commandText(command));
            if (command != 0)
                canvas.text(c + 58, y, printedNumber(data));
        }
        if (p == 8) {
            p = 0;
            ++gPrnPageNo;
            pageDue = true;
        } else {
            ++p;
        }
    }
    // The counter holds the last page printed.
    if (pageDue && !firstPage)
        --gPrnPageNo;
}

void resetGrpSmPrint()
{
    gGrpPrintFromFile = false;
    gSmPrintFromFile = false;
    gSmPrintTitle.clear();
}

} // namespace editors

void PrintGrpData()
{
    // Group 50 ends the left block on line 55.
    editors::printReport(&editors::drawGrpReport, 55);
}

void PrintSqMcrData()
{
    // Step 16 of the third row of macros is on line 62.
    editors::printReport(&editors::drawSqMcrReport, 62);
}
