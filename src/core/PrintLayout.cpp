#include "core/PrintLayout.h"

#include "core/Module2Calc.h"
#include "platform/PrinterDevice.h"

#include <cmath>

long gPrnCharW = 0;
long gPrnCharH = 0;
long gPrnLines = 0;
long gPrnCols = 0;
long gPrnHeight = 0;
long gPrnWidth = 0;
int gPrnPageNo = 0;
QString gPrnDevSize;
QString gPrnDevSpeed;
QString gPrnDevStroke;

namespace {
// The printable height the metrics were last computed for, which a smaller unit is fitted to.
double g_pageHeightMm = 0;
// What fitTextToLines found every size of the report must be multiplied by.
double g_fontScale = 1;

void applyUnit(long charW)
{
    gPrnCharW = charW;
    gPrnCharH = charW + 1;
    gPrnLines = long(std::floor(g_pageHeightMm / double(gPrnCharW)));
    gPrnCols = long(std::floor(g_pageHeightMm / double(gPrnCharH)));
    gPrnHeight = gPrnLines * gPrnCharW;
}

bool fits(long headerLines, long rows)
{
    // The body ends with a blank line between it and the footer rule.
    return (headerLines + 1) * gPrnCharW + rows * gPrnCharH <= (gPrnLines - 1) * gPrnCharW;
}
} // namespace

namespace core::printing {

int computeLayout(double textHeightMm, double printableWidthMm, double printableHeightMm)
{
    const long charW = long(core::calc::roundHalfEven(textHeightMm));
    if (charW <= 0 || printableHeightMm <= 0 || printableWidthMm <= 10)
        return 1;
    g_pageHeightMm = printableHeightMm;
    g_fontScale = 1;
    applyUnit(charW);
    gPrnWidth = long(core::calc::roundHalfEven(printableWidthMm - 10.0));
    return 0;
}

int keepWithinPage(long headerLines, long rows)
{
    while (!fits(headerLines, rows)) {
        if (gPrnCharW <= 1)
            return 1;
        applyUnit(gPrnCharW - 1);
    }
    return 0;
}

void fitTextToLines(platform::PrinterDevice &printer)
{
    const QFont report = printer.font();
    const QString sample = QStringLiteral("A");
    double scale = 1;
    double height = printer.textHeightMm(sample);
    if (gPrnCharW > 0 && height > double(gPrnCharW)) {
        // Sizes do not scale the height exactly, so step on down until a line fits.
        scale = double(gPrnCharW) / height;
        QFont smaller = report;
        for (;;) {
            smaller.setPointSizeF(report.pointSizeF() * scale);
            printer.setFont(smaller);
            height = printer.textHeightMm(sample);
            if (height <= double(gPrnCharW) || scale <= 0.1)
                break;
            scale -= 0.01;
        }
        printer.setFont(report);
    }
    g_fontScale = scale;
}

double fontPoints(double points)
{
    return points * g_fontScale;
}

void resetPrintLayout()
{
    g_fontScale = 1;
    gPrnCharW = gPrnCharH = gPrnLines = gPrnCols = gPrnHeight = gPrnWidth = 0;
    g_pageHeightMm = 0;
    gPrnPageNo = 0;
    gPrnDevSize.clear();
    gPrnDevSpeed.clear();
    gPrnDevStroke.clear();
}

} // namespace core::printing

int PrintSettei(platform::PrinterDevice &printer)
{
    if (!printer.isValid())
        return 1;
    const QSizeF area = printer.printableSizeMm();
    return core::printing::computeLayout(printer.textHeightMm(QStringLiteral("A")), area.width(),
                                   area.height());
}
